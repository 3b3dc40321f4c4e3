#include "word/embedded/story.h"

#include <gtest/gtest.h>

#include "word/embedded/text_input.h"

namespace quorvane::word::embedded {
namespace {

using Runs = std::vector<Run>;  // in a test body `Run` is the test's own

const CharFormat kCourier{u"Courier New", 8.0f, true};
const CharFormat kArial{u"Arial", 10.0f, false};

struct InputCase {
  std::u16string input;
  std::u16string story;
};

class ToStoryTextTest : public ::testing::TestWithParam<InputCase> {};

TEST_P(ToStoryTextTest, EndsParagraphsAndDropsControls) {
  EXPECT_EQ(ToStoryText(GetParam().input), GetParam().story);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ToStoryTextTest,
    ::testing::Values(InputCase{u"a\r\nb", u"a\rb"}, InputCase{u"a\rb\nc\r\n", u"a\rb\rc\r"},
                      InputCase{u"\n\r\r\n\n", u"\r\r\r\r"},  // LF CR is two ends
                      InputCase{u"a\fb\vc\td", u"a\fb\vc\td"},
                      InputCase{u"x\x01\x07\x1b\x1f\x7f\x81y", u"x\x7f\x81y"},
                      InputCase{u"", u""}));

TEST(EditableStoryTest, NewMarksAndTheFinalMarkTakeTheInsertedFormat) {
  EditableStory story;
  const TextRange inserted = story.Replace({0, 1}, u"ab\rcd", kCourier);
  EXPECT_EQ(inserted, (TextRange{0, 5}));
  EXPECT_EQ(story.text(), u"ab\rcd\r");  // the final mark was kept
  const Story snapshot = story.Snapshot();
  ASSERT_EQ(snapshot.size(), 2u);
  for (const Paragraph& p : snapshot) {
    ASSERT_EQ(p.runs.size(), 1u);
    EXPECT_EQ(p.runs[0].format, kCourier);
    EXPECT_EQ(p.markFormat, kCourier);
  }
}

TEST(EditableStoryTest, TextInsertedBeforeOtherTextLeavesTheFinalMarkAlone) {
  EditableStory story;
  story.Replace({0, 0}, u"ab", kArial);
  story.Replace({0, 0}, u"x\r", kCourier);
  const Story snapshot = story.Snapshot();
  ASSERT_EQ(snapshot.size(), 2u);
  EXPECT_EQ(snapshot[0].markFormat, kCourier);
  EXPECT_EQ(snapshot[1].runs, (Runs{{u"ab", kArial}}));
  EXPECT_EQ(snapshot[1].markFormat, kArial);
}

TEST(EditableStoryTest, SplitParagraphsKeepTheParagraphFormat) {
  EditableStory story;
  story.Replace({0, 0}, u"abcd", kArial);
  story.paragraphFormat(0).alignment = Alignment::Right;
  story.paragraphFormat(0).topBorder.lineStyle = LineStyle::Single;
  story.Replace({2, 2}, u"\r\r", kArial);
  ASSERT_EQ(story.paragraphCount(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(story.paragraphFormat(i).alignment, Alignment::Right);
    EXPECT_EQ(story.paragraphFormat(i).topBorder.lineStyle, LineStyle::Single);
  }
}

TEST(EditableStoryTest, DeletingAMarkMergesIntoTheParagraphOfTheSurvivingMark) {
  EditableStory story;
  story.Replace({0, 0}, u"a\rb\rc", kArial);
  for (std::size_t i = 0; i < 3; ++i)
    story.paragraphFormat(i).alignment = static_cast<Alignment>(i);
  story.Replace({1, 3}, u"", kArial);  // "\rb"
  EXPECT_EQ(story.text(), u"a\rc\r");
  EXPECT_EQ(story.paragraphFormat(0).alignment, Alignment::Center);
  EXPECT_EQ(story.paragraphFormat(1).alignment, Alignment::Right);
}

TEST(EditableStoryTest, SnapshotCoalescesRunsOfEqualFormat) {
  EditableStory story;
  story.Replace({0, 0}, u"abcdef", kArial);
  story.SetBold({2, 4}, true);
  story.SetBold({4, 6}, true);
  CharFormat bold = kArial;
  bold.bold = true;
  EXPECT_EQ(story.Snapshot()[0].runs, (Runs{{u"ab", kArial}, {u"cdef", bold}}));
}

TEST(EditableStoryTest, InsertionTakesThePreviousCharacterOrAtAParagraphStartTheNext) {
  EditableStory story;
  story.Replace({0, 0}, u"a\rb", kArial);
  story.SetFont({2, 3}, u"Courier New");  // "b"
  EXPECT_EQ(story.FormatForInsertionAt(1).font, u"Arial");
  EXPECT_EQ(story.FormatForInsertionAt(2).font, u"Courier New");
  EXPECT_EQ(story.FormatForInsertionAt(3).font, u"Courier New");
}

TEST(EditableStoryTest, ParagraphQueries) {
  EditableStory story;
  story.Replace({0, 0}, u"one\rtwo\rthree", kArial);
  EXPECT_EQ(story.ParagraphAt(5), (TextRange{4, 7}));
  EXPECT_EQ(story.ParagraphAt(7), (TextRange{4, 7}));  // a mark belongs to its paragraph
  EXPECT_EQ(story.ParagraphAt(99), (TextRange{8, 13}));
  EXPECT_EQ(story.ParagraphsTouched({2, 2}), std::make_pair(std::size_t{0}, std::size_t{0}));
  EXPECT_EQ(story.ParagraphsTouched({2, 4}), std::make_pair(std::size_t{0}, std::size_t{0}));
  EXPECT_EQ(story.ParagraphsTouched({2, 5}), std::make_pair(std::size_t{0}, std::size_t{1}));
  EXPECT_EQ(story.ParagraphsTouched({0, 14}), std::make_pair(std::size_t{0}, std::size_t{2}));
}

}  // namespace
}  // namespace quorvane::word::embedded
