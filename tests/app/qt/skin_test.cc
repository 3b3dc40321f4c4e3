// The skin: the style sheet check, the skin control's refusals, and ApplySkin
// as the main window's load runs it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "app/beside_program.h"
#include "app/qt/skin_sheet.h"
#include "app/qt/style_sheet_skin.h"
#include "tests/app/qt/window_harness.h"
#include "word/utf.h"

namespace quorvane::app::qt {
namespace {

using ::testing::ElementsAre;
using word::Value;

constexpr char kGoodSheet[] = "/* a { */ QPushButton { color: \"}\"; }\nQWidget{}";

TEST(SkinSheetTest, RefusesWhatIsPlainlyNoStyleSheet) {
  EXPECT_EQ(ParseSkinSheet(kGoodSheet, "o.cjs"), QString::fromLatin1(kGoodSheet));
  for (const char* bad : {"", " \n", "QWidget { color: red;", "QWidget } {", "/* open",
                          "QWidget { font: \"Arial; }", "\xff\xfe QWidget {}"}) {
    EXPECT_THROW(ParseSkinSheet(bad, "o.cjs"), std::runtime_error) << bad;
  }
}

TEST(StyleSheetSkinTest, RefusesUnknownMembersWrongArgumentsAndAnUnloadedApply) {
  StyleSheetSkin skin;
  QWidget window;
  const struct {
    int id;
    InvokeKind kind;
    std::vector<Value> args;
  } kRefused[] = {
      {4, InvokeKind::Get, {}},
      {1, InvokeKind::Put, {word::Bstr(u"x")}},
      {2, InvokeKind::Method, {word::Bstr(u"one argument")}},
      {2, InvokeKind::Method, {word::Bstr(u"/no/such/o.cjs"), word::Bstr(u"")}},
      {3, InvokeKind::Method, {word::I4(static_cast<std::int32_t>(window.winId()))}},
  };
  for (const auto& c : kRefused) {
    EXPECT_THROW(skin.Invoke(c.id, c.kind, c.args), word::AutomationError) << c.id;
  }
}

// The window's load with something at "x/o.cjs" below the program folder.
class ApplySkinTest : public ::testing::Test {
 protected:
  void TearDown() override { qApp->setStyleSheet(QString()); }
  QString SkinPath() const {
    return QString::fromStdU16String(SkinFilePath(harness_.ProgramFolder()));
  }
  static QColor ButtonFaceColor() { return QApplication::palette().color(QPalette::Button); }

  // Loads the window, checking that the text box and the push button keep
  // their colours, and that the four others have `colour`.
  std::unique_ptr<Form1Window> LoadForm(const QColor& colour) {
    auto form = harness_.MakeWindow();
    const auto* text1 = form->findChild<QLineEdit*>("Text1");
    const auto* button1 = form->findChild<QPushButton*>("PushButton1");
    const QPalette text = text1->palette(), button = button1->palette();
    form->Procedures().Form_Load();
    EXPECT_EQ(text1->palette().color(QPalette::Base), text.color(QPalette::Base));
    EXPECT_EQ(button1->palette().color(QPalette::Button), button.color(QPalette::Button));
    const std::array<const QWidget*, 4> skinned = {
        form.get(), form->findChild<QGroupBox*>("Frame1"),
        form->findChild<QRadioButton*>("Option1"), form->findChild<QRadioButton*>("Option2")};
    for (const QWidget* w : skinned) {
      EXPECT_EQ(w->palette().color(w->backgroundRole()), colour) << w->metaObject()->className();
    }
    return form;
  }

  test_support::WindowHarness harness_;
  StyleSheetSkin realSkin_;
};

TEST_F(ApplySkinTest, AFolderNamedLikeTheSkinCountsAsNoSkin) {
  ASSERT_TRUE(QDir().mkpath(SkinPath()));
  LoadForm(Qt::white);
  EXPECT_TRUE(harness_.skin.calls.empty());
  EXPECT_TRUE(harness_.boxes.shown.empty());
}

TEST_F(ApplySkinTest, GoodSkinIsLoadedAndAppliedThroughTheFiveMembers) {
  ASSERT_TRUE(test_support::WriteFile(SkinPath(), kGoodSheet));
  harness_.skin.inner = &realSkin_;
  const Value options[] = {word::I4(0x40)};
  realSkin_.Invoke(1, InvokeKind::Put, options);
  auto form = LoadForm(ButtonFaceColor());
  EXPECT_THAT(harness_.skin.calls,
              ElementsAre("method 2(BSTR \"" + SkinPath().toStdString() + "\", BSTR \"\")", "get 1",
                          "put 1 = I4 65", "put 5 = BOOL -1", "put 10 = BOOL -1",
                          "method 3(I4 " + std::to_string(form->winId()) + ")"));
  EXPECT_TRUE(harness_.boxes.Reports().empty());
  EXPECT_EQ(qApp->styleSheet(), QString::fromLatin1(kGoodSheet));
}

TEST_F(ApplySkinTest, RefusedSkinIsReportedAtLine100AndKeepsTheButtonFaceColours) {
  ASSERT_TRUE(test_support::WriteFile(SkinPath(), "QWidget { \xff }"));
  harness_.skin.inner = &realSkin_;
  auto form = LoadForm(ButtonFaceColor());
  EXPECT_THAT(harness_.skin.calls, ElementsAre(::testing::StartsWith("method 2(")));
  EXPECT_THAT(harness_.boxes.ReportedLines(), ElementsAre(100));
  EXPECT_THAT(word::ToUtf8(harness_.boxes.Reports()[0].text), ::testing::HasSubstr("not UTF-8"));
  EXPECT_TRUE(form->styleSheet().isEmpty() && qApp->styleSheet().isEmpty());
  EXPECT_EQ(form->windowTitle(), "Quorvane Software");  // the load went on
}

}  // namespace
}  // namespace quorvane::app::qt
