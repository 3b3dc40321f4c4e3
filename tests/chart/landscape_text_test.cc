#include "chart/landscape_text.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "chart/filled_table.h"
#include "chart_lines.h"

namespace quorvane::chart {
namespace {

using test_support::ChartLines;
using test_support::GroupColumns;
using test_support::SplitLines;

constexpr std::u16string_view kHeadingLine1 =
    u"DEC  HEX    BINARY    SYM      DEC  HEX    BINARY    SYM      "
    u"DEC  HEX    BINARY   SYM       DEC  HEX    BINARY   SYM";
constexpr std::u16string_view kHeadingLine2 =
    u"DEC  HEX    BINARY   SYM       DEC  HEX    BINARY   SYM       "
    u"DEC  HEX    BINARY   SYM       DEC  HEX    BINARY   SYM";

class LandscapeTextTest : public ::testing::Test {
 protected:
  const CharTable rows_ = MakeFilledTable();
  const std::u16string first_ = MakeLandscapeText(rows_, 0, true);
  const std::u16string second_ = MakeLandscapeText(rows_, 128, false);
  // The whole chart, as the two halves are joined for the document.
  const ChartLines split_ = SplitLines(first_ + second_);

  const std::u16string& Line(int number) const {
    return split_.lines.at(static_cast<std::size_t>(number - 1));
  }
};

TEST_F(LandscapeTextTest, ExampleLinesMatchWhole) {
  struct Example {
    int line;
    std::u16string_view text;
  };
  const Example examples[] = {
      {2, kHeadingLine1},
      {4,
       u"  0   00   0000 0000  NUL       16   10   0001 0000  DLE       32   20   0010 0000 "
       u"           48   30   0011 0000  0"},
      {12,
       u"  8   08   0000 1000   BS       24   18   0001 1000  CAN       40   28   0010 1000  ("
       u"         56   38   0011 1000  8"},
      {25, kHeadingLine2},
      {28,
       u" 65   41   0100 0001  A         81   51   0101 0001  Q         97   61   0110 0001  a"
       u"        113   71   0111 0001  q"},
      {42,
       u" 79   4F   0100 1111  O         95   5F   0101 1111  _        111   6F   0110 1111  o"
       u"        127   7F   0111 1111  \x7f"},
      {46,
       u"128   80   1000 0000  €        144   90   1001 0000  \x90        160   A0   1010 0000  "
       u"\u00a0        176   B0   1011 0000  °"},
      {84,
       u"207   CF   1100 1111  Ï        223   DF   1101 1111  ß        239   EF   1110 1111  ï"
       u"        255   FF   1111 1111  ÿ"},
  };
  ASSERT_EQ(split_.lines.size(), 84u);
  for (const Example& e : examples) {
    SCOPED_TRACE(e.line);
    EXPECT_EQ(Line(e.line), e.text);
  }
}

TEST_F(LandscapeTextTest, LinePlanOfTheJoinedHalves) {
  enum class Kind { kRule, kHeading1, kHeading2, kData, kEmpty, kFormFeedRule };
  struct Span {
    int first, last;
    Kind kind;
    int firstCode;  // code of group 1 on the first line, for data lines
  };
  const Span plan[] = {
      {1, 1, Kind::kRule, 0},    {2, 2, Kind::kHeading1, 0},       {3, 3, Kind::kRule, 0},
      {4, 19, Kind::kData, 0},   {20, 20, Kind::kRule, 0},         {21, 23, Kind::kEmpty, 0},
      {24, 24, Kind::kRule, 0},  {25, 25, Kind::kHeading2, 0},     {26, 26, Kind::kRule, 0},
      {27, 42, Kind::kData, 64}, {43, 43, Kind::kFormFeedRule, 0}, {44, 44, Kind::kHeading2, 0},
      {45, 45, Kind::kRule, 0},  {46, 61, Kind::kData, 128},       {62, 62, Kind::kRule, 0},
      {63, 65, Kind::kEmpty, 0}, {66, 66, Kind::kRule, 0},         {67, 67, Kind::kHeading2, 0},
      {68, 68, Kind::kRule, 0},  {69, 84, Kind::kData, 192},
  };
  const std::u16string rule(117, u'-');
  ASSERT_EQ(split_.lines.size(), 84u);
  EXPECT_EQ(split_.rest, u"") << "text must end with the line end of line 84";
  int planned = 0;
  for (const Span& span : plan) {
    for (int number = span.first; number <= span.last; ++number, ++planned) {
      SCOPED_TRACE(number);
      ASSERT_EQ(number, planned + 1) << "plan has a hole";
      const std::u16string& line = Line(number);
      switch (span.kind) {
        case Kind::kRule:
          EXPECT_EQ(line, rule);
          break;
        case Kind::kHeading1:
          EXPECT_EQ(line, kHeadingLine1);
          break;
        case Kind::kHeading2:
          EXPECT_EQ(line, kHeadingLine2);
          break;
        case Kind::kEmpty:
          EXPECT_EQ(line, u"");
          break;
        case Kind::kFormFeedRule:
          EXPECT_EQ(line, u"\f" + rule);
          break;
        case Kind::kData: {
          EXPECT_EQ(line.size(), 116u);
          const int code = span.firstCode + (number - span.first);
          EXPECT_EQ(line.substr(0, 3), RightAlign(rows_[static_cast<std::size_t>(code)].Dec, 3));
          break;
        }
      }
    }
  }
  EXPECT_EQ(planned, 84);
}

TEST_F(LandscapeTextTest, HalvesHaveTheirLengthsAndEnds) {
  EXPECT_EQ(first_.size(), 4616u);
  EXPECT_EQ(second_.size(), 4615u);
  // The page break closes the first half, right after its last line end.
  EXPECT_TRUE(first_.ends_with(u"  \x7f\r\n\f"));
  EXPECT_EQ(first_.find(u'\f'), first_.size() - 1);
  EXPECT_EQ(second_.find(u'\f'), std::u16string::npos);
  EXPECT_TRUE(second_.ends_with(u"  ÿ\r\n"));
  // The second page starts with heading line 2 although it is a page top.
  const std::u16string rule(117, u'-');
  EXPECT_TRUE(second_.starts_with(rule + u"\r\n" + std::u16string(kHeadingLine2) + u"\r\n" + rule +
                                  u"\r\n"));
  EXPECT_TRUE(first_.starts_with(rule + u"\r\n" + std::u16string(kHeadingLine1) + u"\r\n"));
}

TEST_F(LandscapeTextTest, EveryCodeStandsInItsGroupColumns) {
  const GroupColumns control = {1, 3, 4, 8, 9, 20, 21, 25, 31};
  const GroupColumns plain = {1, 3, 4, 8, 9, 20, 21, 23, 31};
  const GroupColumns last = {1, 3, 4, 8, 9, 20, 21, 23, 23};
  const int firstLineOfBlock[] = {4, 27, 46, 69};
  const int groupStart[] = {1, 32, 63, 94};

  for (int block = 0; block < 4; ++block) {
    for (int offset = 0; offset < 16; ++offset) {
      const int number = firstLineOfBlock[block] + offset;
      const int j = 64 * block + offset;
      for (int group = 0; group < 4; ++group) {
        const int code = j + 16 * group;
        SCOPED_TRACE(::testing::Message() << "line " << number << ", code " << code);
        const GroupColumns& columns = group == 3 ? last : code < 32 ? control : plain;
        test_support::ExpectGroup(Line(number), groupStart[group],
                                  rows_[static_cast<std::size_t>(code)], columns);
      }
    }
  }
}

TEST(LandscapeTextTableTest, CodesBeyondTheTableFailTheCall) {
  const CharTable rows = MakeFilledTable();
  EXPECT_THROW(MakeLandscapeText(rows, 129, false), std::out_of_range);
  EXPECT_THROW(MakeLandscapeText(rows, -1, true), std::out_of_range);
}

}  // namespace
}  // namespace quorvane::chart
