#include "word/word_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/recorders.h"

namespace quorvane::word {
namespace {

using ::testing::ElementsAre;

class FakeUi final : public WordCheckUi {
 public:
  void ShowMessage(std::u16string_view text, int style) override {
    messages.emplace_back(text);
    styles.push_back(style);
  }
  void EndProgram() override { ++ends; }

  std::vector<std::u16string> messages;
  std::vector<int> styles;
  int ends = 0;
};

TEST(WordCheckTest, AvailableWordIsStartedAndQuitSilently) {
  quorvane::test_support::RecordedWord word;
  FakeUi ui;
  CheckWordInstalled(word.factory, ui);
  EXPECT_THAT(word.recorder->Lines(),
              ElementsAre("create progid \"Word.Application\"", "call quit"));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.ends, 0);
}

TEST(WordCheckTest, FailingQuitIsSkipped) {
  quorvane::test_support::RecordedWord word;
  word.recorder->FailOperation(2, "quit failed");
  FakeUi ui;
  CheckWordInstalled(word.factory, ui);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.ends, 0);
}

TEST(WordCheckTest, UnavailableWordShowsTheMessageOnceThenEnds) {
  ClassRegistry empty;
  FakeUi ui;
  CheckWordInstalled(empty, ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.styles.front(), 0);
  EXPECT_EQ(ui.ends, 1);
  EXPECT_EQ(ui.messages.front(),
            u"Error 842001. A normal instance of Word could not be created.\r\n\r\n"
            u"1. Please make sure Word is installed on this computer.\r\n\r\n"
            u"2. Please open Word normally and make sure a blank document opens immediately "
            u"without any interrupting window (such as an Word file recovery window).\r\n\r\n"
            u"3. Please make sure that when you double-click on a DOC or DOCX file that Word "
            u"opens normally without any interrupting messages.\r\n\r\n"
            u"4. All versions of Word are supported by this software except for the rare Word "
            u"Starter and Student editions.");
}

}  // namespace
}  // namespace quorvane::word
