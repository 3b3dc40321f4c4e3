#include "chart/landscape_text.h"

#include "chart/chart_layout.h"

namespace quorvane::chart {

namespace {

constexpr std::u16string_view kControlHeading = u"DEC  HEX    BINARY    SYM";
constexpr std::u16string_view kPlainHeading = u"DEC  HEX    BINARY   SYM";
constexpr std::size_t kLineWidth = 117;
constexpr char16_t kFormFeed = u'\f';

constexpr LineLayout kLayout = {
    .controlGroup = {u"@@@", u"@@@@@", u"@@@@@@@@@@@@", u"@@@@@", 6},
    .plainGroup = {u"@@@", u"@@@@@", u"@@@@@@@@@@@@", u"@@@", 8},
    .thirdGroup = {u"@@@", u"@@@@@", u"@@@@@@@@@@@@", u"@@@", 8},
    .lastGroup = {u"@@@", u"@@@@@", u"@@@@@@@@@@@@", u"@@@", 0},
};

constexpr int kPassCodes = 64;
constexpr int kPassLines = 16;

}  // namespace

std::u16string MakeLandscapeText(const CharTable& rows, std::int32_t startCode, bool firstHalf) {
  const std::u16string rule(kLineWidth, u'-');
  const std::u16string heading2 = HeadingLine(kPlainHeading, 7, kPlainHeading, 7);
  std::u16string text;
  text += rule;
  text += kLineEnd;
  // Only the top of the first page shows the control headings.
  text += firstHalf ? HeadingLine(kControlHeading, 6, kPlainHeading, 7) : heading2;
  text += kLineEnd;
  text += rule;
  text += kLineEnd;

  int base = startCode;
  bool separatorDue = true;
  for (int pass = 0; pass < 2; ++pass) {
    for (int j = base; j < base + kPassLines; ++j) AppendDataLine(text, rows, j, kLayout);
    if (separatorDue) {
      // The rule line's own line end, then three empty lines.
      text += rule;
      for (int i = 0; i < 4; ++i) text += kLineEnd;
      text += rule;
      text += kLineEnd;
      text += heading2;
      text += kLineEnd;
      text += rule;
      text += kLineEnd;
      separatorDue = false;
    }
    base += kPassCodes;
  }
  if (firstHalf) text += kFormFeed;
  return text;
}

}  // namespace quorvane::chart
