#include "chart/chart_layout.h"

#include <algorithm>

namespace quorvane::chart {

namespace {

constexpr int kFirstPlainCode = 32;

// A control code of a code page's upper half (C1) shows by its name, as the
// codes below 32 do, and takes their wider field: "PAD", " RI".
bool ShowsName(std::u16string_view sym) {
  return sym.size() == 3 && sym[1] != u' ';
}

void AppendGroup(std::u16string& text, const ChartRow& row, const GroupLayout& group) {
  text += AlignToMask(row.Dec, group.decMask);
  text += AlignToMask(row.Hex, group.hexMask);
  text += AlignToMask(row.Binary, group.binaryMask);
  text += AlignToMask(row.Sym, group.symMask);
  text.append(group.gap, u' ');
}

}  // namespace

std::u16string AlignToMask(std::u16string_view text, std::u16string_view mask) {
  // A mask counts columns: a mark that takes none needs one more space.
  const auto marks = std::count_if(text.begin(), text.end(), IsZeroWidth);
  return RightAlign(text,
                    static_cast<std::size_t>(std::count(mask.begin(), mask.end(), u'@') + marks));
}

std::u16string HeadingLine(std::u16string_view first, std::size_t firstGap,
                           std::u16string_view second, std::size_t secondGap) {
  std::u16string line(first);
  line += Spaces(firstGap);
  line += first;
  line += Spaces(firstGap);
  line += second;
  line += Spaces(secondGap);
  line += second;
  return line;
}

std::u16string Spaces(std::size_t count) {
  return std::u16string(count, u' ');
}

void AppendDataLine(std::u16string& text, const CharTable& rows, int j, const LineLayout& layout) {
  // at() so that a code outside the table fails the call instead of reading past it.
  const auto row = [&rows](int code) -> const ChartRow& {
    return rows.at(static_cast<std::size_t>(code));
  };
  for (const int code : {j, j + 16}) {
    const bool control = code < kFirstPlainCode || ShowsName(row(code).Sym);
    AppendGroup(text, row(code), control ? layout.controlGroup : layout.plainGroup);
  }
  AppendGroup(text, row(j + 32), layout.thirdGroup);
  AppendGroup(text, row(j + 48), layout.lastGroup);
  text += kLineEnd;
}

}  // namespace quorvane::chart
