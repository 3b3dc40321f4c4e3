// The main window's load: its order, what it restores and writes, the hand
// cursor, the Word check, and the window it then shows.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QGroupBox>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <optional>

#include "app/qt/cursor_file.h"
#include "tests/app/window_fakes.h"
#include "word/word_check.h"

namespace quorvane::app {
namespace {

using ::testing::ElementsAre;
using Writes = std::vector<std::pair<QString, QString>>;

const std::pair<QString, QString> kO1True{"Option1", "True"}, kO1False{"Option1", "False"},
    kO2True{"Option2", "True"}, kO2False{"Option2", "False"};

TEST(Form1LoadTest, RestoresTheOptionsAndWritesThemBack) {
  const struct {
    std::optional<QString> option1, option2;
    bool selected1, selected2;
    Writes writes;
    std::vector<int> reported;
  } kCases[] = {
      {{}, {}, true, false, {kO1True, kO2False}, {}},  // first start
      {"False", "True", false, true, {kO1False, kO2True}, {}},
      {"True", "True", false, true, {kO1False, kO2True, kO1False, kO2True}, {}},
      {"False", "False", false, false, {}, {}},
      {"1", "0", true, false, {kO1True, kO2False}, {}},
      {"yes", {}, false, false, {}, {128}},
  };
  for (const auto& c : kCases) {
    test_support::WindowHarness harness;
    if (c.option1) harness.settings.values["Option1"] = *c.option1;
    if (c.option2) harness.settings.values["Option2"] = *c.option2;
    auto form = harness.MakeForm();
    form->Start();
    const std::string name = c.option1.value_or("-").toStdString();
    EXPECT_EQ(form->Option1->isChecked(), c.selected1) << name;
    EXPECT_EQ(form->Option2->isChecked(), c.selected2) << name;
    EXPECT_EQ(harness.settings.writes, c.writes) << name;
    EXPECT_EQ(harness.boxes.ReportedLines(), c.reported) << name;
    EXPECT_TRUE(form->isVisible()) << name;
  }
}

TEST(Form1LoadTest, RunsInOrderAndLoadsTheCursorOnlyWhenItsFileExists) {
  for (const bool withCursor : {false, true}) {
    test_support::WindowHarness harness;
    std::vector<int> lines;
    harness.faultHook = [&](int line) { lines.push_back(line); };
    QImage hand(32, 32, QImage::Format_ARGB32);
    hand.fill(Qt::black);
    if (withCursor) {
      ASSERT_TRUE(test_support::WriteFile(harness.ProgramFolder() + "/HAND-M.CUR",
                                          qt::EncodeCursorFile(hand, {6, 1})));
    }
    auto form = harness.MakeForm();
    form->Form_Load();
    std::vector<int> expected = {100, 104, 104, 104, 106, 110, 128, 130, 130, 136};
    if (withCursor) expected.insert(expected.begin() + 5, 108);
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(form->MouseIcon() ? form->MouseIcon()->hotSpot() : QPoint(-1, -1),
              withCursor ? QPoint(6, 1) : QPoint(-1, -1));
    EXPECT_TRUE(harness.boxes.shown.empty());
    EXPECT_THAT(harness.word.recorder->Lines(),
                ElementsAre("create progid \"Word.Application\"", "call quit"));
  }
}

TEST(Form1LoadTest, FailuresAreReportedAndTheLoadGoesOn) {
  // A failing file test counts as held: the cursor load is still tried.
  test_support::WindowHarness harness;
  harness.faultHook = [](int line) {
    if (line == 106) throw std::runtime_error("Bad file name or number");
  };
  auto form = harness.MakeForm();
  form->Start();
  EXPECT_THAT(harness.boxes.ReportedLines(), ElementsAre(106, 108));
  EXPECT_THAT(harness.boxes.shown[0].text.toStdString(),
              ::testing::StartsWith("Bad file name or number\r\n"
                                    "in Vellomir2021/08/31.Form1.Form_Load at line 106\r\r"));
  EXPECT_EQ(harness.boxes.shown[0].style, kStyleWarning);
  EXPECT_TRUE(form->isVisible());

  // An unreadable settings store fails both restores; the program goes on.
  test_support::WindowHarness damaged;
  damaged.settings.failReads = true;
  auto other = damaged.MakeForm();
  other->Start();
  EXPECT_THAT(damaged.boxes.ReportedLines(), ElementsAre(128, 130));
  EXPECT_TRUE(other->isVisible());
}

TEST(Form1LoadTest, WithoutWordTheMessageIsShownAndTheProgramEndsUnseen) {
  test_support::WindowHarness harness;
  word::ClassRegistry noWord;
  harness.factory = &noWord;
  auto form = harness.MakeForm();
  form->Start();
  ASSERT_EQ(harness.boxes.shown.size(), 1u);
  EXPECT_EQ(harness.boxes.shown[0].text, QString::fromStdU16String(word::WordUnavailableMessage()));
  EXPECT_EQ(harness.boxes.shown[0].title, "Quorvane");
  EXPECT_EQ(harness.boxes.shown[0].style, kStyleOkOnly);
  EXPECT_EQ(harness.exit.ends, 1);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(harness.settings.writes, (Writes{kO1True, kO2False}));
}

TEST(Form1LoadTest, WindowFollowsItsDesign) {
  test_support::WindowHarness harness;
  auto form = harness.MakeForm();
  form->Start();
  EXPECT_EQ(form->windowTitle(), "Quorvane Software");
  EXPECT_EQ(form->AppTitle(), "Quorvane");
  EXPECT_EQ(form->size(), QSize(536, 122));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(form->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(form->font(), QFont("Arial", 9, QFont::Bold));
  EXPECT_EQ(form->PushButton1->font().pointSizeF(), 11.25);
  EXPECT_EQ(form->windowIcon().availableSizes(),
            (QList<QSize>{{32, 32}, {48, 48}, {128, 128}, {256, 256}}));
  // Twips of the design divided by 15; the option buttons lie in the frame.
  const std::tuple<QWidget*, QRect, QString, const char*> kControls[] = {
      {form->Text1, {56, 146, 105, 33}, form->Text1->text(), "Text1"},
      {form->Frame1, {8, 8, 520, 71}, form->Frame1->title(), "Page Option"},
      {form->Option1, {16, 20, 201, 17}, form->Option1->text(), "Create Portrait Chart"},
      {form->Option2, {16, 43, 201, 17}, form->Option2->text(), "Create Landscape Chart"},
      {form->PushButton1, {8, 88, 520, 27}, form->PushButton1->text(), "Start Creating"}};
  for (const auto& [control, geometry, text, expected] : kControls) {
    EXPECT_EQ(control->geometry(), geometry) << expected;
    EXPECT_EQ(text, expected);
  }
  EXPECT_EQ(form->Option1->parentWidget(), form->Frame1);
  EXPECT_EQ(form->focusWidget(), form->Text1);
  std::vector<QWidget*> tabOrder;  // the frame, last, takes no focus
  for (QWidget* w = form->nextInFocusChain(); w != form.get(); w = w->nextInFocusChain()) {
    if (w->focusPolicy() & Qt::TabFocus) tabOrder.push_back(w);
  }
  EXPECT_THAT(tabOrder, ElementsAre(form->Text1, form->Option1, form->Option2, form->PushButton1));
}

TEST(Form1LoadTest, SelectingAnOptionWritesBothKeysOption1First) {
  test_support::WindowHarness harness;
  auto form = harness.MakeForm();
  form->Start();
  harness.settings.writes.clear();
  form->Option2->click();
  form->Option1->click();
  EXPECT_EQ(harness.settings.writes, (Writes{kO1False, kO2True, kO1True, kO2False}));
}

}  // namespace
}  // namespace quorvane::app
