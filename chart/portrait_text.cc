#include "chart/portrait_text.h"

#include "chart/chart_layout.h"

namespace quorvane::chart {

namespace {

constexpr std::u16string_view kControlHeading = u"DEC  HEX   BINARY    SYM";
constexpr std::u16string_view kPlainHeading = u"DEC  HEX   BINARY   SYM";
constexpr std::size_t kLineWidth = 110;

constexpr LineLayout kLayout = {
    .controlGroup = {u"@@@", u"@@@@@", u"@@@@@@@@@@@", u"@@@@@", 5},
    .plainGroup = {u"@@@", u"@@@@@", u"@@@@@@@@@@@", u"@@@@", 6},
    .thirdGroup = {u"@@@", u"@@@@@", u"@@@@@@@@@@@", u"@@@", 7},
    .lastGroup = {u"@@@", u"@@@@@", u"@@@@@@@@@@@", u"@@@", 0},
};

constexpr int kBlockCount = 4;
constexpr int kBlockCodes = 64;
constexpr int kBlockLines = 16;

}  // namespace

std::u16string MakePortraitText(const CharTable& rows) {
  const std::u16string rule(kLineWidth, u'-');
  std::u16string text;
  text += rule;
  text += kLineEnd;
  text += HeadingLine(kControlHeading, 5, kPlainHeading, 6);
  text += kLineEnd;
  text += rule;
  text += kLineEnd;
  for (int block = 0; block < kBlockCount; ++block) {
    const int base = kBlockCodes * block;
    for (int j = base; j < base + kBlockLines; ++j) {
      AppendDataLine(text, rows, j, kLayout);
      // Two empty lines after every block but the last.
      if (j == 15 || j == 79 || j == 143) {
        text += kLineEnd;
        text += kLineEnd;
      }
    }
  }
  return text;
}

}  // namespace quorvane::chart
