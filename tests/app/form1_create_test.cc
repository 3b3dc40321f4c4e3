// "Start Creating" and the pointer rules.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/utf.h"
#include "tests/app/window_fakes.h"
#include "word/embedded/word_application.h"

namespace quorvane::app {
namespace {

using ::testing::ElementsAre;

class Form1CreateTest : public ::testing::Test {
 protected:
  void Start() {
    form_ = harness_.MakeForm();
    form_->Start();
  }
  // Word's creation, replaced: runs `during`, then makes the embedded word
  // processor as usual.
  void WhileWordStarts(std::function<void()> during) {
    harness_.word.registry.Register(
        std::string(word::kWordProgId), std::string(word::kWordClassId),
        {std::string(word::kWordInterfaceId)}, [this, during] {
          ++creations_;
          during();
          return word::embedded::CreateWordApplication(harness_.word.presenter);
        });
  }

  test_support::Form1Harness harness_;
  std::unique_ptr<Form1> form_;
  int creations_ = 0;
};

TEST_F(Form1CreateTest, BuildsTheLayoutOfOption1ThenSaysDoneWhileStillBusy) {
  for (const bool portrait : {true, false}) {
    test_support::Form1Harness harness;
    // Both stored false: only Option1 is consulted, so landscape.
    harness.settings.values[u"Option1"] = portrait ? u"True" : u"False";
    harness.settings.values[u"Option2"] = u"False";
    auto form = harness.MakeForm();
    form->Start();
    std::pair<bool, int> atDone;
    harness.boxes.onShow = [&] { atDone = {form->Busy(), form->MousePointer()}; };
    form->PushButton1_Click();
    ASSERT_EQ(harness.word.presenter->documents.size(), 1u);
    EXPECT_EQ(
        harness.word.presenter->documents[0].pageSetup.orientation,
        portrait ? word::embedded::Orientation::Portrait : word::embedded::Orientation::Landscape);
    EXPECT_EQ(harness.word.recorder->Lines().at(2).substr(0, 14),
              portrait ? "create class {" : "create progid ");
    ASSERT_EQ(harness.boxes.shown.size(), 1u);
    EXPECT_EQ(harness.boxes.shown[0].text, u"Done.");
    EXPECT_EQ(harness.boxes.shown[0].title, u"Quorvane");
    EXPECT_EQ(harness.boxes.shown[0].style, kStyleOkOnly);
    EXPECT_EQ(atDone, std::make_pair(true, kPointerDefault));
    EXPECT_FALSE(form->Busy());
  }
}

TEST_F(Form1CreateTest, SecondPressWhileWordIsDrivenDoesNothing) {
  Start();
  int pointerMidway = -1;
  WhileWordStarts([&] {
    form_->PushButton1_Click();
    form_->PushButton1_MouseMove();
    pointerMidway = harness_.view.pointer;
  });
  form_->PushButton1_Click();
  EXPECT_EQ(creations_, 1);
  EXPECT_EQ(harness_.word.presenter->documents.size(), 1u);
  EXPECT_THAT(harness_.boxes.Texts(), ElementsAre(u"Done."));
  EXPECT_EQ(pointerMidway, kPointerWait);
  form_->PushButton1_MouseMove();  // afterwards the hand comes back
  EXPECT_EQ(form_->MousePointer(), kPointerCustom);
}

TEST_F(Form1CreateTest, DoneFollowsAFailureThatTheChartBuildReported) {
  Start();
  WhileWordStarts([] { throw word::AutomationError("Word could not be started"); });
  form_->PushButton1_Click();
  EXPECT_THAT(harness_.boxes.ReportedLines(), ElementsAre(142));
  EXPECT_THAT(base::ToUtf8(harness_.boxes.shown[0].text),
              ::testing::HasSubstr("modAsciiConv.BuildChart at line 142"));
  EXPECT_EQ(harness_.boxes.Texts().back(), u"Done.");
  EXPECT_FALSE(form_->Busy());
}

TEST_F(Form1CreateTest, AFailedStatementIsReportedWithItsLineAndTheRestStillRuns) {
  std::vector<int> lines;
  harness_.faultHook = [&lines](int line) {
    lines.push_back(line);
    if (line == 108) throw std::runtime_error("Out of stack space");
  };
  Start();
  lines.clear();
  form_->PushButton1_Click();
  EXPECT_THAT(lines, ElementsAre(100, 102, 104, 106, 108, 110, 112));
  EXPECT_THAT(harness_.boxes.ReportedLines(), ElementsAre(108));
  EXPECT_THAT(base::ToUtf8(harness_.boxes.Reports()[0].text),
              ::testing::HasSubstr("in Vellomir2021/08/31.Form1.PushButton1_Click at line 108"));
  EXPECT_EQ(harness_.boxes.Texts().back(), u"Done.");
  EXPECT_EQ(form_->MousePointer(), kPointerWait);  // the failed reset had no effect
  EXPECT_FALSE(form_->Busy());
}

TEST_F(Form1CreateTest, PointerFollowsTheMovesButNeverReplacesTheHourglass) {
  ASSERT_TRUE(test_support::WriteFile(harness_.ProgramFolder() + u"/HAND-M.CUR", "a cursor"));
  Start();
  ASSERT_NE(form_->MouseIcon(), nullptr);
  const std::pair<void (Form1::*)(), int> kProcedures[] = {
      {&Form1::PushButton1_MouseMove, kPointerCustom}, {&Form1::Form_MouseMove, kPointerDefault},
      {&Form1::Frame1_MouseMove, kPointerDefault},     {&Form1::Option1_MouseMove, kPointerDefault},
      {&Form1::Option2_MouseMove, kPointerDefault},    {&Form1::Text1_MouseMove, kPointerDefault}};
  for (const auto& [procedure, shape] : kProcedures) {
    for (const int before : {kPointerDefault, kPointerWait, kPointerCustom}) {
      form_->SetMousePointer(before);
      (form_.get()->*procedure)();
      const int expected = before == kPointerWait ? kPointerWait : shape;
      EXPECT_EQ(form_->MousePointer(), expected) << shape;
      // The view shows the shape, the hand with the loaded cursor.
      EXPECT_EQ(harness_.view.pointer, expected);
      EXPECT_EQ(harness_.view.pointerIcon, form_->MouseIcon());
    }
  }
  EXPECT_THROW(form_->SetMousePointer(1), std::invalid_argument);
}

}  // namespace
}  // namespace quorvane::app
