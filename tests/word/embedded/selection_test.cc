// The selection driven through automation: movements, text, formatting.

#include <gtest/gtest.h>

#include <functional>

#include "tests/word/embedded/engine_test_support.h"

namespace quorvane::word::embedded::test_support {
namespace {

const Arg kLine = Named("Unit", I4(5));
const Arg kStory = Named("Unit", I4(6));
const Arg kExtend = Named("Extend", I4(1));

struct MoveCase {
  const char* name;
  std::function<void(const Object&)> moves;
  std::int32_t start;
  std::int32_t end;
};

class SelectionMoveTest : public ::testing::TestWithParam<MoveCase> {};

// The story is "one\rtwo\rthree" and its final mark; moves start at 0.
TEST_P(SelectionMoveTest, EndsWhereWordWould) {
  EngineWithDocument e;
  e.Type(u"one\r\ntwo\r\nthree");
  e.selection.Call("HomeKey", kStory);
  GetParam().moves(e.selection);
  EXPECT_EQ(e.Start(), GetParam().start);
  EXPECT_EQ(e.End(), GetParam().end);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, SelectionMoveTest,
    ::testing::Values(
        MoveCase{"EndOfStory", [](const Object& s) { s.Call("EndKey", kStory); }, 13, 13},
        MoveCase{"EndOfLine", [](const Object& s) { s.Call("EndKey", kLine); }, 3, 3},
        MoveCase{"DefaultUnitIsLine", [](const Object& s) { s.Call("EndKey"); }, 3, 3},
        MoveCase{"ExtendToEndOfLine", [](const Object& s) { s.Call("EndKey", kExtend, kLine); }, 0,
                 3},
        MoveCase{"PositionalUnitAndExtend", [](const Object& s) { s.Call("EndKey", I4(6), I4(1)); },
                 0, 13},
        MoveCase{"HomeOfLastLine",
                 [](const Object& s) {
                   s.Call("EndKey", kStory);
                   s.Call("HomeKey", kLine);
                 },
                 8, 8},
        MoveCase{"ExtendBackToHomeOfLine",
                 [](const Object& s) {
                   s.Call("EndKey", kStory);
                   s.Call("HomeKey", kLine, kExtend);
                 },
                 8, 13},
        MoveCase{"HomeOfStoryCollapses",
                 [](const Object& s) {
                   s.Call("WholeStory");
                   s.Call("HomeKey", kStory);
                 },
                 0, 0},
        MoveCase{"WholeStoryTakesTheFinalMark", [](const Object& s) { s.Call("WholeStory"); }, 0,
                 14},
        MoveCase{"CollapseToStart",
                 [](const Object& s) {
                   s.Call("WholeStory");
                   s.Call("Collapse");
                 },
                 0, 0},
        MoveCase{"CollapseToEndStopsBeforeTheFinalMark",
                 [](const Object& s) {
                   s.Call("WholeStory");
                   s.Call("Collapse", Named("Direction", I4(0)));
                 },
                 13, 13}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(SelectionTextTest, PutSplitsParagraphsKeepsBreaksAndSelectsTheNewText) {
  EngineWithDocument e;
  e.Type(u"a\r\nb\rc\nd\x01\x1f\f\v\t");
  EXPECT_EQ(e.selection.GetValue("Text"), Bstr(u"a\rb\rc\rd\f\v\t"));
  EXPECT_EQ(e.Start(), 0);
  EXPECT_EQ(e.End(), 10);
  EXPECT_EQ(TextOf(e.Shown().main), u"a\rb\rc\rd\f\v\t\r");
}

TEST(SelectionTextTest, PutReplacesTheSelection) {
  EngineWithDocument e;
  e.Type(u"first\rsecond");
  e.selection.Call("HomeKey", kStory);
  e.selection.Call("EndKey", kLine, kExtend);
  e.Type(u"1st");
  EXPECT_EQ(TextOf(e.Shown().main), u"1st\rsecond\r");
}

TEST(SelectionFormatTest, InsertionFormattingReachesTheTextAndItsMarks) {
  EngineWithDocument e;
  const Object font = e.selection.Get("Font");
  font.Put("name", Bstr(u"Arial"));
  font.Put("Size", R4(14));
  font.Put("Bold", Bool(true));
  EXPECT_EQ(font.GetValue("Name"), Bstr(u"Arial"));  // read back before any text
  e.Type(u"x\ry");
  const CharFormat arial{u"Arial", 14.0f, true};
  for (const Paragraph& p : e.Shown().main) {
    EXPECT_EQ(p.runs.at(0).format, arial);
    EXPECT_EQ(p.markFormat, arial);
  }
}

TEST(SelectionFormatTest, InsertionFormattingLapsesWhenTheInsertionPointMoves) {
  EngineWithDocument e;
  e.Type(u"abc");
  e.selection.Call("EndKey", kStory);
  e.selection.Get("Font").Put("Name", Bstr(u"Arial"));
  e.selection.Call("HomeKey", kStory);
  e.selection.Call("EndKey", kStory);
  e.Type(u"d");
  EXPECT_EQ(e.Shown().main[0].runs, (Runs{{u"abcd", kDefaultFormat}}));
}

TEST(SelectionFormatTest, FontOnASelectionCoversItsMarksAndReadsMixedAsUndefined) {
  EngineWithDocument e;
  e.Type(u"a\rb");
  e.selection.Call("HomeKey", kStory);
  e.selection.Call("EndKey", kLine, kExtend);
  const Object font = e.selection.Get("Font");
  font.Put("Size", R4(20));
  e.selection.Call("WholeStory");
  EXPECT_EQ(font.GetValue("Size"), R4(9999999));
  EXPECT_EQ(font.GetValue("Name"), Bstr(u"Times New Roman"));
  font.Put("Size", R4(9.5f));
  EXPECT_EQ(font.GetValue("Size"), R4(9.5f));
  for (const Paragraph& p : e.Shown().main) EXPECT_EQ(p.markFormat.size, 9.5f);
}

TEST(SelectionFormatTest, TypingOverASelectionTakesItsFirstCharacterFormat) {
  EngineWithDocument e;
  e.Type(u"ab");
  e.selection.Call("HomeKey", kStory);
  e.selection.Call("EndKey", kLine, kExtend);
  e.selection.Get("Font").Put("Name", Bstr(u"Arial"));
  e.Type(u"xyz");
  EXPECT_EQ(e.Shown().main[0].runs.at(0).format.font, u"Arial");
}

struct ToggleCase {
  bool firstBold;
  bool secondBold;
  bool boldAfter;
};

class BoldToggleTest : public ::testing::TestWithParam<ToggleCase> {};

// Two halves typed with their own bold state, then the whole story toggled.
TEST_P(BoldToggleTest, AllBoldTurnsOffOtherwiseAllTurnOn) {
  EngineWithDocument e;
  const Object font = e.selection.Get("Font");
  font.Put("Bold", Bool(GetParam().firstBold));
  e.Type(u"ab");
  e.selection.Call("Collapse", Named("Direction", I4(0)));
  font.Put("Bold", I4(GetParam().secondBold ? -1 : 0));
  e.Type(u"cd");
  e.selection.Call("WholeStory");
  font.Put("Bold", I4(9999998));  // wdToggle
  const Paragraph p = e.Shown().main.at(0);
  ASSERT_EQ(p.runs.size(), 1u);
  EXPECT_EQ(p.runs[0].format.bold, GetParam().boldAfter);
  EXPECT_EQ(p.markFormat.bold, GetParam().boldAfter);
  EXPECT_EQ(font.GetValue("Bold"), I4(GetParam().boldAfter ? -1 : 0));
}

INSTANTIATE_TEST_SUITE_P(Toggles, BoldToggleTest,
                         ::testing::Values(ToggleCase{true, true, false},
                                           ToggleCase{true, false, true},
                                           ToggleCase{false, true, true},
                                           ToggleCase{false, false, true}));

TEST(SelectionFormatTest, ToggleOnAnEmptyParagraphReachesItsMark) {
  EngineWithDocument e;
  e.selection.Get("Font").Put("Bold", I4(9999998));
  e.selection.Get("Font").Put("Bold", I4(9999998));
  e.selection.Get("Font").Put("Bold", I4(9999998));
  EXPECT_TRUE(e.Shown().main.at(0).markFormat.bold);
  e.Type(u"x");
  EXPECT_TRUE(e.Shown().main.at(0).runs.at(0).format.bold);
}

TEST(SelectionParagraphTest, AlignmentAndTopBorderReachTheTouchedParagraphs) {
  EngineWithDocument e;
  e.Type(u"a\rb");
  e.selection.Call("Collapse", Named("Direction", I4(0)));  // in "b"
  e.selection.Get("ParagraphFormat").Put("Alignment", I4(2));
  const Object border = e.selection.Get("Borders", I4(-1));
  border.Put("LineStyle", I4(1));
  border.Put("LineWidth", I4(12));
  border.Put("Color", I4(255));
  e.Type(u"\rc");  // splits "b": the new paragraph inherits its format

  const Story main = e.Shown().main;
  ASSERT_EQ(main.size(), 3u);
  EXPECT_EQ(main[0].format, ParagraphFormat{});
  const ParagraphFormat expected{Alignment::Right, BorderFormat{LineStyle::Single, 12, 255}};
  EXPECT_EQ(main[1].format, expected);
  EXPECT_EQ(main[2].format, expected);

  e.selection.Call("WholeStory");
  EXPECT_EQ(e.selection.Get("ParagraphFormat").GetValue("Alignment"), I4(9999999));
  e.selection.Get("ParagraphFormat").Put("Alignment", I4(3));
  for (const Paragraph& p : e.Shown().main) EXPECT_EQ(p.format.alignment, Alignment::Justify);
}

TEST(SelectionStoryTest, SeekViewMovesTheSelectionBetweenStories) {
  EngineWithDocument e;
  e.Type(u"body");
  const Object view = e.app.Get("ActiveWindow").Get("ActivePane").Get("View");
  view.Put("SeekView", I4(9));
  EXPECT_EQ(e.selection.GetValue("StoryType"), I4(7));
  EXPECT_EQ(e.End(), 0);
  e.Type(u"head");
  view.Put("SeekView", I4(10));
  EXPECT_EQ(view.GetValue("SeekView"), I4(10));
  e.Type(u"foot");
  view.Put("SeekView", I4(0));
  EXPECT_EQ(e.selection.GetValue("StoryType"), I4(1));
  EXPECT_EQ(e.Start(), 0);

  const Document doc = e.Shown();
  EXPECT_EQ(TextOf(doc.main), u"body\r");
  EXPECT_EQ(TextOf(doc.header), u"head\r");
  EXPECT_EQ(TextOf(doc.footer), u"foot\r");
}

TEST(SelectionStoryTest, HeaderFooterRangeTextReplacesTheStoryAndIsSelected) {
  EngineWithDocument e;
  e.app.Get("ActiveWindow").Get("ActivePane").Get("View").Put("SeekView", I4(9));
  const Object range = e.selection.Get("HeaderFooter").Get("Range");
  range.Put("Text", Bstr(u"old\rheader"));
  range.Put("Text", Bstr(u"Title"));
  EXPECT_EQ(range.GetValue("Text"), Bstr(u"Title\r"));
  EXPECT_EQ(e.Start(), 0);
  EXPECT_EQ(e.End(), 5);
  EXPECT_EQ(e.Shown().header, (Story{Paragraph{{{u"Title", kDefaultFormat}}, {}, {}}}));
}

}  // namespace
}  // namespace quorvane::word::embedded::test_support
