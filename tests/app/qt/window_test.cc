// The Qt window: its widgets as the design places them, and its events
// reaching Form1's procedures.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QApplication>
#include <QGroupBox>
#include <QIcon>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <optional>

#include "app/qt/cursor_file.h"
#include "tests/app/qt/window_harness.h"
#include "word/embedded/word_application.h"

namespace quorvane::app::qt {
namespace {

using ::testing::ElementsAre;
using Writes = std::vector<std::pair<std::u16string, std::u16string>>;

void MoveOver(QWidget& widget) {
  QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget.mapToGlobal(QPointF(2, 2)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &move);
}

class WindowTest : public ::testing::Test {
 protected:
  void Start() {
    form_ = harness_.MakeWindow();
    form_->Start();
  }
  template <typename T>
  T& Control(const char* name) {
    T* control = form_->findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) throw std::logic_error(std::string("no control ") + name);
    return *control;
  }

  test_support::WindowHarness harness_;
  std::unique_ptr<Form1Window> form_;
};

TEST_F(WindowTest, FollowsItsDesign) {
  Start();
  EXPECT_EQ(form_->objectName(), "Form1");
  EXPECT_TRUE(form_->isVisible());
  EXPECT_EQ(form_->windowTitle(), "Quorvane Software");
  EXPECT_EQ(form_->size(), QSize(536, 122));
  EXPECT_EQ(form_->minimumSize(), form_->maximumSize());
  EXPECT_TRUE(form_->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form_->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(form_->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(form_->font(), QFont("Arial", 9, QFont::Bold));
  auto& text1 = Control<QLineEdit>("Text1");
  auto& frame1 = Control<QGroupBox>("Frame1");
  auto& option1 = Control<QRadioButton>("Option1");
  auto& option2 = Control<QRadioButton>("Option2");
  auto& pushButton1 = Control<QPushButton>("PushButton1");
  EXPECT_EQ(pushButton1.font().pointSizeF(), 11.25);
  EXPECT_EQ(form_->windowIcon().availableSizes(),
            (QList<QSize>{{32, 32}, {48, 48}, {128, 128}, {256, 256}}));
  // Twips of the design divided by 15; the option buttons lie in the frame.
  const std::tuple<QWidget*, QRect, QString, const char*> kControls[] = {
      {&text1, {56, 146, 105, 33}, text1.text(), "Text1"},
      {&frame1, {8, 8, 520, 71}, frame1.title(), "Page Option"},
      {&option1, {16, 20, 201, 17}, option1.text(), "Create Portrait Chart"},
      {&option2, {16, 43, 201, 17}, option2.text(), "Create Landscape Chart"},
      {&pushButton1, {8, 88, 520, 27}, pushButton1.text(), "Start Creating"}};
  for (const auto& [control, geometry, text, expected] : kControls) {
    EXPECT_EQ(control->geometry(), geometry) << expected;
    EXPECT_EQ(text, expected);
  }
  EXPECT_EQ(option1.parentWidget(), &frame1);
  EXPECT_EQ(form_->focusWidget(), &text1);
  std::vector<QWidget*> tabOrder;  // the frame, last, takes no focus
  for (QWidget* w = form_->nextInFocusChain(); w != form_.get(); w = w->nextInFocusChain()) {
    if (w->focusPolicy() & Qt::TabFocus) tabOrder.push_back(w);
  }
  EXPECT_THAT(tabOrder, ElementsAre(&text1, &option1, &option2, &pushButton1));
}

TEST_F(WindowTest, TheLoadRestoresTheOptionButtonsAndTheirClicksWriteBothKeys) {
  const struct {
    std::optional<std::u16string> option1, option2;
    bool selected1, selected2;
  } kCases[] = {
      {{}, {}, true, false},
      {u"True", u"True", false, true},
      {u"False", u"False", false, false},
  };
  for (const auto& c : kCases) {
    test_support::WindowHarness harness;
    if (c.option1) harness.settings.values[u"Option1"] = *c.option1;
    if (c.option2) harness.settings.values[u"Option2"] = *c.option2;
    auto form = harness.MakeWindow();
    form->Start();
    EXPECT_EQ(form->findChild<QRadioButton*>("Option1")->isChecked(), c.selected1);
    EXPECT_EQ(form->findChild<QRadioButton*>("Option2")->isChecked(), c.selected2);
  }
  Start();
  harness_.settings.writes.clear();
  Control<QRadioButton>("Option2").click();
  Control<QRadioButton>("Option1").click();
  const std::pair<std::u16string, std::u16string> kO1True{u"Option1", u"True"},
      kO1False{u"Option1", u"False"}, kO2True{u"Option2", u"True"}, kO2False{u"Option2", u"False"};
  EXPECT_EQ(harness_.settings.writes, (Writes{kO1False, kO2True, kO1True, kO2False}));
}

TEST_F(WindowTest, StartCreatingMakesTheChartOfOption1AndASecondPressDoesNothing) {
  harness_.settings.values[u"Option1"] = u"False";
  Start();
  int creations = 0;
  harness_.word.registry.Register(
      std::string(word::kWordProgId), std::string(word::kWordClassId),
      {std::string(word::kWordInterfaceId)}, [&] {
        ++creations;
        Control<QPushButton>("PushButton1").click();
        QCoreApplication::processEvents();
        return word::embedded::CreateWordApplication(harness_.word.presenter);
      });
  Control<QPushButton>("PushButton1").click();
  EXPECT_EQ(creations, 1);
  ASSERT_EQ(harness_.word.presenter->documents.size(), 1u);
  EXPECT_EQ(harness_.word.presenter->documents[0].pageSetup.orientation,
            word::embedded::Orientation::Landscape);
  EXPECT_THAT(harness_.boxes.Texts(), ElementsAre(u"Done."));
}

TEST_F(WindowTest, MovesRaiseOnlyTheProcedureOfTheControlUnderThePointer) {
  QImage hand(32, 32, QImage::Format_ARGB32);
  hand.fill(Qt::red);
  ASSERT_TRUE(
      test_support::WriteFile(QString::fromStdU16String(harness_.ProgramFolder()) + "/HAND-M.CUR",
                              EncodeCursorFile(hand, {4, 2})));
  Start();
  // Each move only for the control under the pointer, so the button's hand is
  // not undone by the window's move.
  MoveOver(Control<QPushButton>("PushButton1"));
  EXPECT_EQ(form_->Procedures().MousePointer(), kPointerCustom);
  EXPECT_EQ(form_->cursor().hotSpot(), QPoint(4, 2));
  for (const char* name : {"Option1", "Option2", "Frame1", "Text1"}) {
    form_->Procedures().SetMousePointer(kPointerCustom);
    MoveOver(Control<QWidget>(name));
    EXPECT_EQ(form_->Procedures().MousePointer(), kPointerDefault) << name;
    EXPECT_EQ(form_->cursor().shape(), Qt::ArrowCursor);
  }
  form_->Procedures().SetMousePointer(kPointerCustom);
  MoveOver(*form_);
  EXPECT_EQ(form_->Procedures().MousePointer(), kPointerDefault);
  form_->Procedures().SetMousePointer(kPointerWait);
  EXPECT_EQ(form_->cursor().shape(), Qt::WaitCursor);
}

TEST_F(WindowTest, ClosingEndsTheProgramAlsoDuringACreation) {
  Start();
  harness_.word.registry.Register(
      std::string(word::kWordProgId), std::string(word::kWordClassId),
      {std::string(word::kWordInterfaceId)}, [&] {
        form_->close();
        return word::embedded::CreateWordApplication(harness_.word.presenter);
      });
  Control<QPushButton>("PushButton1").click();
  EXPECT_EQ(harness_.exit.ends, 1);
}

}  // namespace
}  // namespace quorvane::app::qt
