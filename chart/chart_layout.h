#ifndef QUORVANE_CHART_CHART_LAYOUT_H_
#define QUORVANE_CHART_CHART_LAYOUT_H_

// The data-line building that the portrait and the landscape layouts share.
// Internal to the chart library.

#include <cstddef>
#include <string>
#include <string_view>

#include "chart/char_table.h"

namespace quorvane::chart {

inline constexpr std::u16string_view kLineEnd = u"\r\n";

// Right-aligns `text` to the width a mask of "@" characters stands for.
std::u16string AlignToMask(std::u16string_view text, std::u16string_view mask);

std::u16string Spaces(std::size_t count);

// A heading line over the four groups of a data line: `first` over groups 1
// and 2, each followed by `firstGap` spaces, then `second` over groups 3 and
// 4 with `secondGap` spaces between them.
std::u16string HeadingLine(std::u16string_view first, std::size_t firstGap,
                           std::u16string_view second, std::size_t secondGap);

// The field masks of one code group and the gap of spaces after it.
struct GroupLayout {
  std::u16string_view decMask;
  std::u16string_view hexMask;
  std::u16string_view binaryMask;
  std::u16string_view symMask;
  std::size_t gap = 0;
};

// How the four groups of a data line are laid out. Groups 1 and 2 take the
// control style for codes below 32 and codes shown by a name (C1); group 4
// is followed by the line end.
struct LineLayout {
  GroupLayout controlGroup;
  GroupLayout plainGroup;
  GroupLayout thirdGroup;
  GroupLayout lastGroup;
};

// Appends the data line of codes j, j + 16, j + 32 and j + 48 with its line end.
void AppendDataLine(std::u16string& text, const CharTable& rows, int j, const LineLayout& layout);

}  // namespace quorvane::chart

#endif  // QUORVANE_CHART_CHART_LAYOUT_H_
