#include "chart/portrait_text.h"

#include <gtest/gtest.h>

#include <string>

#include "chart/filled_table.h"
#include "chart_lines.h"

namespace quorvane::chart {
namespace {

using test_support::ChartLines;
using test_support::GroupColumns;
using test_support::SplitLines;

constexpr std::u16string_view kHeadingLine =
    u"DEC  HEX   BINARY    SYM     DEC  HEX   BINARY    SYM     "
    u"DEC  HEX   BINARY   SYM      DEC  HEX   BINARY   SYM";

class PortraitTextTest : public ::testing::Test {
 protected:
  const CharTable rows_ = MakeFilledTable();
  const std::u16string text_ = MakePortraitText(rows_);
  const ChartLines split_ = SplitLines(text_);

  const std::u16string& Line(int number) const {
    return split_.lines.at(static_cast<std::size_t>(number - 1));
  }
};

TEST_F(PortraitTextTest, ExampleLinesMatchWhole) {
  struct Example {
    int line;
    std::u16string_view text;
  };
  const Example examples[] = {
      {2, kHeadingLine},
      {4,
       u"  0   00  0000 0000  NUL      16   10  0001 0000  DLE      32   20  0010 0000    "
       u"       48   30  0011 0000  0"},
      {12,
       u"  8   08  0000 1000   BS      24   18  0001 1000  CAN      40   28  0010 1000  ( "
       u"       56   38  0011 1000  8"},
      {22,
       u" 64   40  0100 0000   @       80   50  0101 0000   P       96   60  0110 0000  ` "
       u"      112   70  0111 0000  p"},
      {37,
       u" 79   4F  0100 1111   O       95   5F  0101 1111   _      111   6F  0110 1111  o "
       u"      127   7F  0111 1111  \x7f"},
      {40,
       u"128   80  1000 0000   €      144   90  1001 0000   \x90      160   A0  1010 0000  "
       u"\u00a0       176   B0  1011 0000  °"},
      {73,
       u"207   CF  1100 1111   Ï      223   DF  1101 1111   ß      239   EF  1110 1111  ï "
       u"      255   FF  1111 1111  ÿ"},
  };
  ASSERT_EQ(split_.lines.size(), 73u);
  for (const Example& e : examples) {
    SCOPED_TRACE(e.line);
    EXPECT_EQ(Line(e.line), e.text);
  }
}

TEST_F(PortraitTextTest, LinePlan) {
  enum class Kind { kRule, kHeading, kData, kEmpty };
  struct Span {
    int first, last;
    Kind kind;
    int firstCode;  // code of group 1 on the first line, for data lines
  };
  const Span plan[] = {
      {1, 1, Kind::kRule, 0},     {2, 2, Kind::kHeading, 0},  {3, 3, Kind::kRule, 0},
      {4, 19, Kind::kData, 0},    {20, 21, Kind::kEmpty, 0},  {22, 37, Kind::kData, 64},
      {38, 39, Kind::kEmpty, 0},  {40, 55, Kind::kData, 128}, {56, 57, Kind::kEmpty, 0},
      {58, 73, Kind::kData, 192},
  };
  ASSERT_EQ(split_.lines.size(), 73u);
  EXPECT_EQ(split_.rest, u"") << "text must end with the line end of line 73";
  for (const Span& span : plan) {
    for (int number = span.first; number <= span.last; ++number) {
      SCOPED_TRACE(number);
      const std::u16string& line = Line(number);
      switch (span.kind) {
        case Kind::kRule:
          EXPECT_EQ(line, std::u16string(110, u'-'));
          break;
        case Kind::kHeading:
          EXPECT_EQ(line, kHeadingLine);
          break;
        case Kind::kEmpty:
          EXPECT_EQ(line, u"");
          break;
        case Kind::kData: {
          EXPECT_EQ(line.size(), 109u);
          const int code = span.firstCode + (number - span.first);
          EXPECT_EQ(line.substr(0, 3), RightAlign(rows_[static_cast<std::size_t>(code)].Dec, 3));
          break;
        }
      }
    }
  }
}

TEST_F(PortraitTextTest, TotalLengthAndEnds) {
  EXPECT_EQ(text_.size(), 7452u);
  EXPECT_EQ(text_.find(u'\f'), std::u16string::npos);
  EXPECT_TRUE(text_.starts_with(u"---")) << "no empty line before the first rule";
  EXPECT_TRUE(text_.ends_with(u"  ÿ\r\n"));
  // Every CR is part of a line end and every LF follows a CR.
  std::size_t crs = 0, lfs = 0;
  for (std::size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] == u'\r') {
      ++crs;
      ASSERT_LT(i + 1, text_.size());
      EXPECT_EQ(text_[i + 1], u'\n') << i;
    }
    if (text_[i] == u'\n') ++lfs;
  }
  EXPECT_EQ(crs, 73u);
  EXPECT_EQ(lfs, 73u);
}

TEST_F(PortraitTextTest, EveryCodeStandsInItsGroupColumns) {
  // 1-based columns inside a group; the gap runs to the column before the next group.
  const GroupColumns control = {1, 3, 4, 8, 9, 19, 20, 24, 29};
  const GroupColumns plainFirstTwo = {1, 3, 4, 8, 9, 19, 20, 23, 29};
  const GroupColumns third = {1, 3, 4, 8, 9, 19, 20, 22, 29};
  const GroupColumns last = {1, 3, 4, 8, 9, 19, 20, 22, 22};
  const int firstLineOfBlock[] = {4, 22, 40, 58};
  const int groupStart[] = {1, 30, 59, 88};

  for (int block = 0; block < 4; ++block) {
    for (int offset = 0; offset < 16; ++offset) {
      const int number = firstLineOfBlock[block] + offset;
      const int j = 64 * block + offset;
      for (int group = 0; group < 4; ++group) {
        const int code = j + 16 * group;
        SCOPED_TRACE(::testing::Message() << "line " << number << ", code " << code);
        const GroupColumns& columns = group == 3   ? last
                                      : group == 2 ? third
                                      : code < 32  ? control
                                                   : plainFirstTwo;
        test_support::ExpectGroup(Line(number), groupStart[group],
                                  rows_[static_cast<std::size_t>(code)], columns);
      }
    }
  }
}

// A field the chart build failed to fill is empty; the layout pads it all the same.
TEST(PortraitTextTableTest, LaysOutTheTableItIsGiven) {
  CharTable rows = MakeFilledTable();
  rows[65].Sym.clear();
  rows[66].Hex = u"zz";
  const ChartLines split = SplitLines(MakePortraitText(rows));
  ASSERT_EQ(split.lines.size(), 73u);
  EXPECT_EQ(split.lines[22].substr(0, 29), u" 65   41  0100 0001          ");
  EXPECT_EQ(split.lines[23].substr(0, 29), u" 66   zz  0100 0010   B      ");
}

}  // namespace
}  // namespace quorvane::chart
