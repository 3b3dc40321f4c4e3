// The skin: the style sheet check, the skin control's refusals, and ApplySkin
// as the main window's load runs it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <array>

#include "app/beside_program.h"
#include "app/qt/skin_sheet.h"
#include "app/qt/style_sheet_skin.h"
#include "base/utf.h"
#include "tests/app/qt/window_harness.h"

namespace quorvane::app::qt {
namespace {

using test_support::ToPath;
using ::testing::ElementsAre;
using word::Value;

constexpr char kGoodSheet[] = "/* a { */ QPushButton { color: \"}\"; }\nQWidget{}";

TEST(SkinSheetTest, RefusesEverySheetQtCannotParseOrThatHoldsNoRule) {
  for (const char* good : {kGoodSheet, "* { }", "#id {}", "@charset \"utf-8\"; QWidget {}",
                           "QWidget { color: red }\n@media print { }"}) {
    EXPECT_EQ(ParseSkinSheet(good, "o.cjs"), QString::fromUtf8(good));
  }
  const std::pair<const char*, const char*> kRefused[] = {
      {"", "holds no style rule"},
      {" \n", "holds no style rule"},
      {"/* only a comment */", "holds no style rule"},
      {"@@@ { ### }", "holds no style rule"},
      {"QWidget { color: red;", "is no style sheet that Qt can parse"},
      {"QWidget } {", "is no style sheet that Qt can parse"},
      {"/* open", "is no style sheet that Qt can parse"},
      {"QWidget { font: \"Arial; }", "is no style sheet that Qt can parse"},
      {"color: red", "is no style sheet that Qt can parse"},
      {"QWidget { color: red; }\n}", "is no style sheet that Qt can parse"},
      {"QWidget {}\n\nQLabel } {", "is no style sheet that Qt can parse (line 3)"},
      {"a {} b {", "is no style sheet that Qt can parse"},
      {"\xff\xfe QWidget {}", "is not UTF-8 text"},
  };
  for (const auto& [sheet, why] : kRefused) {
    try {
      ParseSkinSheet(sheet, "o.cjs");
      ADD_FAILURE() << "accepted: " << sheet;
    } catch (const std::runtime_error& refused) {
      // Qt's parser tells the line of some errors only.
      EXPECT_THAT(refused.what(), ::testing::StartsWith(std::string("Skin file o.cjs ") + why))
          << sheet;
    }
  }
}

// Qt opens what a sheet names at the first paint: the same rules as for the
// skin file, checked before, so that no FIFO there blocks the window.
TEST(SkinSheetTest, RefusesASheetNamingAFileThatIsNoRegularFileOfASaneSize) {
  const QTemporaryDir dir;
  const auto at = [&](const char* name) { return dir.filePath(name); };
  ASSERT_TRUE(test_support::MakeFifo(ToPath(at("fifo"))));
  ASSERT_TRUE(test_support::MakeFifo(ToPath(at("hand@2x.png"))));
  ASSERT_TRUE(test_support::MakeLink(ToPath(at("link")), ToPath(at("fifo"))));
  ASSERT_TRUE(test_support::MakeSparseFile(ToPath(at("huge.png")), kMaxSkinFileBytes + 1));
  ASSERT_TRUE(test_support::WriteFile(at("good.png"), "png"));
  const std::pair<QString, const char*> kCases[] = {
      {"QPushButton { image: url(" + at("fifo") + "); }", "which is a FIFO, not a regular file"},
      {"QWidget { border-image: url(\"" + at("link") + "\") 1 }", "to a FIFO"},
      {"QWidget {} @media screen { QLabel { background: red url(" + at("huge.png") + "); } }",
       "which is larger than 1 MiB"},
      {"#id { background-image: url(" + at("hand.png") + ") }", "hand@2x.png), which is a FIFO"},
      {"QLabel { image: url(" + dir.path() + ") }", "which is a folder"},
      {"QLabel { image: url(" + at("good.png") + "); border-image: url(:/qt/x.png) }", nullptr},
      {"QLabel { image: url(" + at("missing.png") + ") }", nullptr},
  };
  const test_support::HangGuard guard(20);
  for (const auto& [sheet, why] : kCases) {
    try {
      ParseSkinSheet(sheet.toUtf8(), "o.cjs");
      EXPECT_EQ(why, nullptr) << sheet.toStdString();
    } catch (const std::runtime_error& refused) {
      ASSERT_NE(why, nullptr) << refused.what();
      EXPECT_THAT(refused.what(), ::testing::StartsWith("Skin file o.cjs names /"));
      EXPECT_THAT(refused.what(), ::testing::HasSubstr(why));
    }
  }
}

// Method 2 reads an ordinary file of at most 1 MiB, and nothing else: no FIFO
// or device is opened for reading, none blocks the call.
TEST(StyleSheetSkinTest, LoadsOnlyAnOrdinaryFileOfASaneSize) {
  const QTemporaryDir dir;
  const QString fifo = dir.filePath("fifo"), device = dir.filePath("null");
  ASSERT_TRUE(test_support::MakeFifo(ToPath(fifo)));
  const bool devices = test_support::MakeNullDevice(ToPath(device));
  ASSERT_TRUE(
      test_support::MakeSparseFile(ToPath(dir.filePath("huge.cjs")), kMaxSkinFileBytes + 1));
  ASSERT_TRUE(test_support::WriteFile(dir.filePath("limit.cjs"),
                                      "QWidget {}" + QByteArray(kMaxSkinFileBytes - 10, ' ')));
  ASSERT_TRUE(test_support::MakeLink(ToPath(dir.filePath("link.cjs")), ToPath(fifo)));
  const std::pair<QString, const char*> kRefused[] = {
      {fifo, "is a FIFO, not a regular file"},
      {dir.path(), "is a folder, not a regular file"},
      {dir.filePath("huge.cjs"), "is larger than 1 MiB"},
      {dir.filePath("link.cjs"), "is a symbolic link to a FIFO, not to a regular file"},
      {dir.filePath("missing.cjs"), ": No such file or directory"},
      {device, "is a character device, not a regular file"},
  };
  const test_support::HangGuard guard(20);
  StyleSheetSkin skin;
  for (const auto& [path, why] : kRefused) {
    if (path == device && !devices) continue;  // device nodes need root
    const Value args[] = {word::Bstr(path.toStdU16String()), word::Bstr(u"")};
    try {
      skin.Invoke(skin_member::kLoadSkin, InvokeKind::Method, args);
      ADD_FAILURE() << "loaded " << path.toStdString();
    } catch (const word::AutomationError& refused) {
      EXPECT_EQ(refused.what(),
                "Cannot load skin file: " + path.toStdString() + (*why == ':' ? "" : " ") + why);
    }
  }
  const Value limit[] = {word::Bstr(dir.filePath("limit.cjs").toStdU16String()), word::Bstr(u"")};
  EXPECT_NO_THROW(skin.Invoke(skin_member::kLoadSkin, InvokeKind::Method, limit));
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
  QString Fifo() const { return QString::fromStdU16String(harness_.ProgramFolder()) + "/fifo"; }
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

TEST_F(ApplySkinTest, AFolderFifoOrDeviceNamedLikeTheSkinCountsAsNoSkin) {
  const test_support::HangGuard guard(20);
  for (const auto& make :
       {+[](const QString& path) { return QDir().mkpath(path); },
        +[](const QString& path) { return test_support::MakeFifo(ToPath(path)); },
        +[](const QString& path) { return test_support::MakeNullDevice(ToPath(path)); }}) {
    QDir().mkpath(QString::fromStdU16String(harness_.ProgramFolder()) + "/x");
    if (!make(SkinPath())) continue;  // device nodes need root
    harness_.skin.calls.clear();
    LoadForm(Qt::white);
    EXPECT_TRUE(harness_.skin.calls.empty());
    EXPECT_TRUE(harness_.boxes.shown.empty());
    ASSERT_TRUE(QFile::remove(SkinPath()) || QDir().rmdir(SkinPath()));
  }
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
  const std::pair<QByteArray, const char*> kRefused[] = {
      {"QWidget { \xff }", "is not UTF-8 text"},
      {"@@@ { ### }", "holds no style rule"},
      {"QWidget } {", "is no style sheet that Qt can parse"},
      {{}, "is larger than 1 MiB"},  // a sparse file
      {"QPushButton{image:url(" + Fifo().toUtf8() + ");}", "which is a FIFO"},
  };
  ASSERT_TRUE(test_support::MakeFifo(ToPath(Fifo())));
  const test_support::HangGuard guard(20);
  harness_.skin.inner = &realSkin_;
  for (const auto& [sheet, why] : kRefused) {
    ASSERT_TRUE(sheet.isNull()
                    ? test_support::MakeSparseFile(ToPath(SkinPath()), kMaxSkinFileBytes + 1)
                    : test_support::WriteFile(SkinPath(), sheet));
    harness_.skin.calls.clear();
    harness_.boxes.shown.clear();
    auto form = LoadForm(ButtonFaceColor());
    EXPECT_THAT(harness_.skin.calls, ElementsAre(::testing::StartsWith("method 2("))) << why;
    ASSERT_THAT(harness_.boxes.ReportedLines(), ElementsAre(100)) << why;
    EXPECT_THAT(base::ToUtf8(harness_.boxes.Reports()[0].text), ::testing::HasSubstr(why));
    EXPECT_TRUE(form->styleSheet().isEmpty() && qApp->styleSheet().isEmpty()) << why;
    EXPECT_EQ(form->windowTitle(), "Quorvane Software") << why;  // the load went on
  }
}

}  // namespace
}  // namespace quorvane::app::qt
