#include "word/docx/values.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane::word::docx {
namespace {

TEST(DocxValues, PointsRoundToTwipsAndHalfPoints) {
  struct Case {
    float points;
    std::int64_t twips;
    std::int64_t halfPoints;
  };
  // The chart's own values arrive as singles, a hair off the decimal.
  for (const Case& c : {Case{21.6f, 432, 43}, Case{43.2f, 864, 86}, Case{36.0f, 720, 72},
                        Case{612.0f, 12240, 1224}, Case{8.0f, 160, 16}, Case{11.25f, 225, 23},
                        Case{10.5f, 210, 21}, Case{0.2f, 4, 1}, Case{-3.6f, -72, 1}}) {
    SCOPED_TRACE(c.points);
    EXPECT_EQ(Twips(c.points), c.twips);
    EXPECT_EQ(HalfPoints(c.points), c.halfPoints);
  }
}

TEST(DocxValues, EnumerationsMapToSchemaNames) {
  struct Case {
    std::string_view (*map)(std::int32_t);
    std::int32_t value;
    std::string_view name;
  };
  // Word's numbers, not those of ST_Border or ST_Jc; unknown numbers fall back.
  for (const Case& c : {
           Case{BorderStyleName, 0, ""},
           Case{BorderStyleName, 1, "single"},
           Case{BorderStyleName, 2, "dotted"},
           Case{BorderStyleName, 3, "dashSmallGap"},
           Case{BorderStyleName, 4, "dashed"},
           Case{BorderStyleName, 7, "double"},
           Case{BorderStyleName, 24, "inset"},
           Case{BorderStyleName, 25, "single"},
           Case{BorderStyleName, -1, "single"},
           Case{JustificationName, 3, "both"},
           Case{JustificationName, 6, "left"},
           Case{SectionStartName, 1, "nextColumn"},
           Case{SectionStartName, 3, "evenPage"},
           Case{SectionStartName, 9, "nextPage"},
           Case{VerticalAlignmentName, 2, "both"},
           Case{VerticalAlignmentName, -2, "top"},
       }) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.value));
    EXPECT_EQ(c.map(c.value), c.name);
  }
}

TEST(DocxValues, ColoursAreRedGreenBlueFromWordsBlueGreenRed) {
  EXPECT_EQ(ColorHex(-16777216), "auto");
  EXPECT_EQ(ColorHex(0x000000FF), "FF0000");
  EXPECT_EQ(ColorHex(0x00123456), "563412");
  EXPECT_EQ(ColorHex(0x00FFFFFF), "FFFFFF");
  EXPECT_EQ(ColorHex(0), "000000");
  EXPECT_EQ(ColorHex(static_cast<std::int32_t>(0xD0000000u)), "auto");  // a theme colour
}

TEST(DocxValues, XmlSafeTextDropsWhatXmlCannotCarry) {
  const std::u16string text = {u'a',   0x0001, u'\t',  0x001F, 0x007F, 0x0085, 0xD800, u'b',
                               0xDC00, 0xFFFE, 0xFFFF, 0xD83D, 0xDE00, u'\n',  0xFFFD};
  EXPECT_EQ(XmlSafeUtf8(text),
            "a\t\x7F\xC2\x85"
            "b\xF0\x9F\x98\x80\n\xEF\xBF\xBD");
}

}  // namespace
}  // namespace quorvane::word::docx
