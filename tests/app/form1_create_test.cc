// "Start Creating", the pointer rules and closing the window.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "app/qt/cursor_file.h"
#include "tests/app/window_fakes.h"
#include "word/embedded/word_application.h"

namespace quorvane::app {
namespace {

using ::testing::ElementsAre;

void MoveOver(QWidget& widget) {
  QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget.mapToGlobal(QPointF(2, 2)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &move);
}

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

  test_support::WindowHarness harness_;
  std::unique_ptr<Form1> form_;
  int creations_ = 0;
};

TEST_F(Form1CreateTest, BuildsTheLayoutOfOption1ThenSaysDoneWhileStillBusy) {
  for (const bool portrait : {true, false}) {
    test_support::WindowHarness harness;
    // Both stored false: only Option1 is consulted, so landscape.
    harness.settings.values["Option1"] = portrait ? "True" : "False";
    harness.settings.values["Option2"] = "False";
    auto form = harness.MakeForm();
    form->Start();
    std::pair<bool, int> atDone;
    harness.boxes.onShow = [&] { atDone = {form->Busy(), form->MousePointer()}; };
    form->PushButton1->click();
    ASSERT_EQ(harness.word.presenter->documents.size(), 1u);
    EXPECT_EQ(harness.word.presenter->documents[0].pageSetup.orientation, portrait ? 0 : 1);
    EXPECT_EQ(harness.word.recorder->Lines().at(2).substr(0, 14),
              portrait ? "create class {" : "create progid ");
    ASSERT_EQ(harness.boxes.shown.size(), 1u);
    EXPECT_EQ(harness.boxes.shown[0].text, "Done.");
    EXPECT_EQ(harness.boxes.shown[0].title, "Quorvane");
    EXPECT_EQ(harness.boxes.shown[0].style, kStyleOkOnly);
    EXPECT_EQ(atDone, std::make_pair(true, kPointerDefault));
    EXPECT_FALSE(form->Busy());
  }
}

TEST_F(Form1CreateTest, SecondPressWhileWordIsDrivenDoesNothing) {
  Start();
  int pointerMidway = -1;
  WhileWordStarts([&] {
    form_->PushButton1->click();
    QCoreApplication::processEvents();
    form_->PushButton1_Click();
    MoveOver(*form_->PushButton1);
    pointerMidway = form_->MousePointer();
  });
  form_->PushButton1->click();
  EXPECT_EQ(creations_, 1);
  EXPECT_EQ(harness_.word.presenter->documents.size(), 1u);
  EXPECT_THAT(harness_.boxes.Texts(), ElementsAre("Done."));
  EXPECT_EQ(pointerMidway, kPointerWait);
  MoveOver(*form_->PushButton1);  // afterwards the hand comes back
  EXPECT_EQ(form_->MousePointer(), kPointerCustom);
}

TEST_F(Form1CreateTest, DoneFollowsAFailureThatTheChartBuildReported) {
  Start();
  WhileWordStarts([] { throw word::AutomationError("Word could not be started"); });
  form_->PushButton1->click();
  EXPECT_THAT(harness_.boxes.ReportedLines(), ElementsAre(142));
  EXPECT_THAT(harness_.boxes.shown[0].text.toStdString(),
              ::testing::HasSubstr("modAsciiConv.BuildChart at line 142"));
  EXPECT_EQ(harness_.boxes.Texts().back(), "Done.");
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
  EXPECT_THAT(harness_.boxes.Reports()[0].text.toStdString(),
              ::testing::HasSubstr("in Vellomir2021/08/31.Form1.PushButton1_Click at line 108"));
  EXPECT_EQ(harness_.boxes.Texts().back(), "Done.");
  EXPECT_EQ(form_->MousePointer(), kPointerWait);  // the failed reset had no effect
  EXPECT_FALSE(form_->Busy());
}

TEST_F(Form1CreateTest, PointerFollowsTheMovesButNeverReplacesTheHourglass) {
  QImage hand(32, 32, QImage::Format_ARGB32);
  hand.fill(Qt::red);
  ASSERT_TRUE(test_support::WriteFile(harness_.ProgramFolder() + "/HAND-M.CUR",
                                      qt::EncodeCursorFile(hand, {4, 2})));
  Start();
  const std::pair<void (Form1::*)(), int> kProcedures[] = {
      {&Form1::PushButton1_MouseMove, kPointerCustom}, {&Form1::Form_MouseMove, kPointerDefault},
      {&Form1::Frame1_MouseMove, kPointerDefault},     {&Form1::Option1_MouseMove, kPointerDefault},
      {&Form1::Option2_MouseMove, kPointerDefault},    {&Form1::Text1_MouseMove, kPointerDefault}};
  for (const auto& [procedure, shape] : kProcedures) {
    for (const int before : {kPointerDefault, kPointerWait, kPointerCustom}) {
      form_->SetMousePointer(before);
      (form_.get()->*procedure)();
      EXPECT_EQ(form_->MousePointer(), before == kPointerWait ? kPointerWait : shape) << shape;
    }
  }
  // As the window system raises them: each move only for the control under
  // the pointer, so the button's hand is not undone by the window's move.
  form_->SetMousePointer(kPointerDefault);
  MoveOver(*form_->PushButton1);
  EXPECT_EQ(form_->cursor().hotSpot(), QPoint(4, 2));
  MoveOver(*form_->Option1);
  EXPECT_EQ(form_->cursor().shape(), Qt::ArrowCursor);
  form_->SetMousePointer(kPointerWait);
  EXPECT_EQ(form_->cursor().shape(), Qt::WaitCursor);
}

TEST_F(Form1CreateTest, ClosingEndsTheProgramAlsoDuringACreation) {
  Start();
  WhileWordStarts([this] { form_->close(); });
  form_->PushButton1->click();
  EXPECT_EQ(harness_.exit.ends, 1);
}

}  // namespace
}  // namespace quorvane::app
