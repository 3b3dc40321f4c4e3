// Word's document procedures through COM, against the stand-in Word: the
// same operations, the same document, the same failure handling as against
// the embedded word processor in-process.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "chart/build_chart.h"
#include "chart/filled_table.h"
#include "chart/landscape_text.h"
#include "chart/portrait_text.h"
#include "tests/support/expected_output.h"
#include "tests/support/failure_of.h"
#include "tests/support/recorders.h"
#include "tests/word/com/stand_in_word.h"
#include "word/chart_document.h"
#include "word/com/apartment.h"
#include "word/com/com_factory.h"
#include "word/docx/writer.h"
#include "word/recording.h"
#include "base/utf.h"
#include "word/word_check.h"

namespace quorvane::word::com {
namespace {

using quorvane::test_support::FailureOf;
using quorvane::test_support::RecordingReporter;
using quorvane::test_support::ScopedVariable;
using quorvane::test_support::ScratchFolder;
using quorvane::test_support::StandInWord;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr wchar_t kDocumentsVariable[] = L"QUORVANE_STANDIN_DOCUMENTS";
constexpr wchar_t kFailAtVariable[] = L"QUORVANE_STANDIN_FAIL_AT";

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::u16string ChartText(bool portrait) {
  const chart::CharTable rows = chart::MakeFilledTable();
  return portrait
             ? chart::MakePortraitText(rows)
             : chart::MakeLandscapeText(rows, 0, true) + chart::MakeLandscapeText(rows, 128, false);
}

// The document procedures through COM with every operation recorded.
struct ComWord {
  ComWord() { RegisterWord(registry, std::make_shared<BusyPolicy>()); }

  StandInWord standIn;
  Apartment apartment;
  ClassRegistry registry;
  std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
  RecordingFactory factory{registry, recorder};
};

TEST(StandInTest, BothOrientationsMakeTheExpectedOperationsAndTheSameDocument) {
  for (const bool portrait : {true, false}) {
    const std::u16string chartText = ChartText(portrait);
    const std::u16string footer = base::FromUtf8(quorvane::test_support::kTraceFooter);
    ScratchFolder folder(L"quorvane-stand-in");
    {
      ComWord word;
      ScopedVariable documents(kDocumentsVariable, folder.path().wstring());
      (portrait ? MakePortraitDocument : MakeLandscapeDocument)(word.factory, chartText, footer,
                                                                {});
      EXPECT_EQ(quorvane::test_support::ExpectedTrace(portrait),
                quorvane::test_support::TraceText(word.recorder->Lines()));
      EXPECT_EQ(word.standIn.LiveObjects(), 0);
    }
    quorvane::test_support::RecordedWord inProcess;
    (portrait ? MakePortraitDocument : MakeLandscapeDocument)(inProcess.factory, chartText, footer,
                                                              {});
    ASSERT_EQ(inProcess.presenter->documents.size(), 1u);
    const std::string expected = docx::WriteDocx(inProcess.presenter->documents.front());
    EXPECT_EQ(ReadFile(folder.path() / "document1.docx"), expected) << portrait;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "document2.docx"));
  }
}

TEST(StandInTest, ServerRefusalsArriveWithTheirDescriptions) {
  ComWord word;
  const Object app(word.registry.CreateByProgId(kWordProgId));
  app.Get("Documents").Call("Add");
  const Object selection = app.Get("Selection");
  // Borders takes no index in Word: only the default-member retry reaches one.
  selection.Get("Borders", I4(-1)).Put("LineStyle", I4(1));
  // Font has no default member to take the index, as in Word.
  EXPECT_EQ(FailureOf([&] { selection.Get("Font", I4(1)); }),
            "Object doesn't support this property or method");
  EXPECT_THAT(FailureOf([&] { selection.Get("Borders", I4(3)); }),
              ::testing::HasSubstr("only the top border"));
  EXPECT_THAT(FailureOf([&] { app.Put("Visible", Bstr(u"yes")); }),
              ::testing::HasSubstr("Application.Visible"));
  EXPECT_THAT(FailureOf([&] { app.Get("Nonesuch"); }), ::testing::HasSubstr("Nonesuch"));
  EXPECT_EQ(FailureOf([&] { app.Put("Quit", I4(1)); }),
            "Object doesn't support this property or method");
  EXPECT_EQ(app.Call("InchesToPoints", R4Ref(8.5f)), R4(612.0f));
  app.Call("Quit");
}

// In this process the server may leave its description to a fill-in.
TEST(StandInTest, ADescriptionFilledInLateArrives) {
  ComWord word;
  const ScopedVariable defer(L"QUORVANE_STANDIN_DEFER", L"1");
  const Object app(word.registry.CreateByProgId(kWordProgId));
  EXPECT_THAT(FailureOf([&] { app.Get("Nonesuch"); }), ::testing::HasSubstr("Nonesuch"));
}

// Every operation of a chart build made to fail in turn, through COM: one
// report at the document step, Word told to quit once it had started, no
// document, and every COM object released.
TEST(StandInTest, EveryFailingOperationIsReportedOnceAndEverythingReleased) {
  for (const bool portrait : {true, false}) {
    constexpr int kLimit = 400;  // far above the operations of one run
    int n = 1;
    for (; n < kLimit; ++n) {
      ScratchFolder folder(L"quorvane-fault");
      ComWord word;
      ScopedVariable documents(kDocumentsVariable, folder.path().wstring());
      ScopedVariable failAt(kFailAtVariable, std::to_wstring(n));
      RecordingReporter reporter;
      chart::BuildChart(u"", portrait, {word.factory, reporter});
      EXPECT_EQ(word.standIn.LiveObjects(), 0) << "operation " << n;
      if (reporter.reports.empty()) {
        // Past the last operation: the run went through.
        EXPECT_TRUE(std::filesystem::exists(folder.path() / "document1.docx"));
        break;
      }
      ASSERT_EQ(reporter.reports.size(), 1u) << "operation " << n;
      EXPECT_EQ(reporter.reports[0].line, portrait ? 142 : 148);
      EXPECT_EQ(reporter.reports[0].description,
                n == 1 ? "ActiveX component can't create object"
                       : "Stand-in failure at operation " + std::to_string(n));
      EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << "operation " << n;
      const auto& lines = word.recorder->Lines();
      ASSERT_FALSE(lines.empty());
      if (n == 1) {
        EXPECT_EQ(lines.size(), 1u);
      } else {
        EXPECT_EQ(lines.back(), "call quit") << "operation " << n;
      }
    }
    EXPECT_GT(n, 100);
    EXPECT_LT(n, kLimit) << "no run went through";
  }
}

class FakeUi final : public WordCheckUi {
 public:
  void ShowMessage(std::u16string_view text, int) override { messages.emplace_back(text); }
  void EndProgram() override { ++ends; }
  std::vector<std::u16string> messages;
  int ends = 0;
};

TEST(StandInTest, WordCheckStartsAndQuitsTheStandIn) {
  ComWord word;
  FakeUi ui;
  CheckWordInstalled(word.factory, ui);
  EXPECT_THAT(word.recorder->Lines(),
              ElementsAreArray({"create progid \"Word.Application\"", "call quit"}));
  EXPECT_THAT(ui.messages, IsEmpty());
  EXPECT_EQ(ui.ends, 0);
  EXPECT_EQ(word.standIn.LiveObjects(), 0);
}

TEST(StandInTest, WithoutWordCreationFailsAndTheCheckEndsTheProgram) {
  quorvane::test_support::RegistryLock lock;
  if (quorvane::test_support::WordRegistered()) GTEST_SKIP() << "a Word is registered here";
  Apartment apartment;
  ClassRegistry registry;
  RegisterWord(registry, std::make_shared<BusyPolicy>());
  EXPECT_EQ(FailureOf([&] { registry.CreateByClass(kWordClassId, kWordInterfaceId); }),
            "ActiveX component can't create object");
  EXPECT_EQ(FailureOf([&] { registry.CreateByProgId(kWordProgId); }),
            "ActiveX component can't create object");
  FakeUi ui;
  CheckWordInstalled(registry, ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages.front(), WordUnavailableMessage());
  EXPECT_EQ(ui.ends, 1);
}

}  // namespace
}  // namespace quorvane::word::com
