#include "chart/build_chart.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <string>

#include "chart/chart_text.h"
#include "chart/filled_table.h"
#include "chart/landscape_text.h"
#include "chart/portrait_text.h"
#include "tests/support/recorders.h"
#include "word/recording.h"

namespace quorvane::chart {
namespace {

using quorvane::test_support::NthTextPut;
using quorvane::test_support::RecordedWord;
using quorvane::test_support::RecordingReporter;

// Makes the statement on `failLine` fail the first `times` times it runs.
base::NumberedSteps::FaultHook FailLine(int failLine, int times = 1) {
  return [failLine, times, seen = 0](int line) mutable {
    if (line == failLine && seen++ < times) throw std::runtime_error("injected");
  };
}

struct ChartRun {
  RecordedWord word;
  RecordingReporter reporter;

  void Build(std::u16string_view footer, bool portrait, base::NumberedSteps::FaultHook hook = {}) {
    BuildChart(footer, portrait, {word.factory, reporter, std::move(hook)});
  }
  std::string BodyText() const { return NthTextPut(word.recorder->Lines(), 0); }
  std::string FooterText() const { return NthTextPut(word.recorder->Lines(), 2); }
  int Creations(std::string_view prefix) const {
    const auto& lines = word.recorder->Lines();
    return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                          [&](const auto& l) { return l.starts_with(prefix); }));
  }
};

std::string Quoted(std::u16string_view text) {
  return word::QuoteText(text);
}

TEST(BuildChartTest, PortraitHandsThePortraitTextToOnePortraitDocument) {
  ChartRun run;
  run.Build(u"", true);
  EXPECT_TRUE(run.reporter.reports.empty());
  EXPECT_EQ(run.Creations("create class"), 1);
  EXPECT_EQ(run.Creations("create progid"), 0);
  EXPECT_EQ(run.BodyText(), Quoted(MakePortraitText(MakeFilledTable())));
  EXPECT_EQ(run.word.presenter->documents.size(), 1u);
}

TEST(BuildChartTest, LandscapeHandsBothHalvesJoinedToOneLandscapeDocument) {
  ChartRun run;
  run.Build(u"", false);
  EXPECT_TRUE(run.reporter.reports.empty());
  EXPECT_EQ(run.Creations("create class"), 0);
  EXPECT_EQ(run.Creations("create progid"), 1);
  const CharTable rows = MakeFilledTable();
  EXPECT_EQ(run.BodyText(), Quoted(MakeChartText(rows, false)));
}

TEST(BuildChartTest, FooterRule) {
  struct Case {
    std::u16string footer;
    std::string reaches;
  };
  const Case cases[] = {
      {u"", R"("")"},         {u"     ", R"("")"},    {u"  Page  ", R"("  Page  ")"},
      {u"\t\t", R"("\t\t")"}, {u" \t ", R"(" \t ")"},
  };
  for (const Case& c : cases) {
    ChartRun run;
    run.Build(c.footer, true);
    EXPECT_EQ(run.FooterText(), c.reaches);
  }
}

TEST(BuildChartTest, FailedFooterTestEmptiesTheFooter) {
  ChartRun run;
  run.Build(u"keep me", true, FailLine(110));
  ASSERT_EQ(run.reporter.reports.size(), 1u);
  EXPECT_EQ(run.reporter.reports[0].line, 110);
  EXPECT_EQ(run.FooterText(), R"("")");
}

TEST(BuildChartTest, FailedSymAssignmentIsReportedOnceAndTheRunGoesOn) {
  ChartRun run;
  run.Build(u"", true, FailLine(130));
  ASSERT_EQ(run.reporter.reports.size(), 1u);
  const auto& report = run.reporter.reports[0];
  EXPECT_EQ(report.line, 130);
  EXPECT_EQ(report.description, "injected");
  EXPECT_EQ(report.location, "in Vellomir2021/08/31.modAsciiConv.BuildChart ");
  // Code 32's symbol stayed empty: its three spaces are missing from line 4.
  CharTable rows = MakeFilledTable();
  rows[32].Sym.clear();
  EXPECT_EQ(run.BodyText(), Quoted(MakePortraitText(rows)));
  EXPECT_EQ(run.word.presenter->documents.size(), 1u);
}

// As zlib's Z_MEM_ERROR is: the user reads "Out of memory".
TEST(BuildChartTest, OutOfMemoryIsSaidSo) {
  ChartRun run;
  run.Build(u"", true, [](int line) {
    if (line == 142) throw std::bad_alloc();
  });
  ASSERT_EQ(run.reporter.reports.size(), 1u);
  EXPECT_EQ(run.reporter.reports[0].line, 142);
  EXPECT_EQ(run.reporter.reports[0].description, "Out of memory");
}

TEST(BuildChartTest, AStatementFailingOnEveryPassIsReportedEveryPass) {
  ChartRun run;
  run.Build(u"", true, FailLine(124, 1000));
  EXPECT_EQ(run.reporter.reports.size(), 256u);
  EXPECT_TRUE(std::all_of(run.reporter.reports.begin(), run.reporter.reports.end(),
                          [](const auto& r) { return r.line == 124; }));
  EXPECT_EQ(run.word.presenter->documents.size(), 1u);
}

TEST(BuildChartTest, MissingBinaryTableFailsEachRowsBinary) {
  ChartRun run;
  run.Build(u"", true, FailLine(114));
  ASSERT_EQ(run.reporter.reports.size(), 257u);
  EXPECT_EQ(run.reporter.reports[0].line, 114);
  EXPECT_EQ(run.reporter.reports[1].line, 126);
  EXPECT_EQ(run.reporter.reports[256].line, 126);
}

TEST(BuildChartTest, FailedLayoutLeavesTheTextAsItWasAndStillCreates) {
  struct Case {
    bool portrait;
    int failLine;
    std::string body;
  };
  const CharTable rows = MakeFilledTable();
  const Case cases[] = {
      {true, 140, R"("")"},
      {false, 144, Quoted(MakeLandscapeText(rows, 128, false))},
      {false, 146, Quoted(MakeLandscapeText(rows, 0, true))},
  };
  for (const Case& c : cases) {
    ChartRun run;
    run.Build(u"", c.portrait, FailLine(c.failLine));
    ASSERT_EQ(run.reporter.reports.size(), 1u) << c.failLine;
    EXPECT_EQ(run.reporter.reports[0].line, c.failLine);
    EXPECT_EQ(run.BodyText(), c.body) << c.failLine;
  }
}

TEST(BuildChartTest, FailedOrientationTestBuildsPortrait) {
  ChartRun run;
  run.Build(u"", false, FailLine(138));
  ASSERT_EQ(run.reporter.reports.size(), 1u);
  EXPECT_EQ(run.reporter.reports[0].line, 138);
  EXPECT_EQ(run.Creations("create class"), 1);
  EXPECT_EQ(run.Creations("create progid"), 0);
}

TEST(BuildChartTest, WordThatCannotBeStartedIsReportedAtTheDocumentStep) {
  for (const bool portrait : {true, false}) {
    word::ClassRegistry empty;
    RecordingReporter reporter;
    BuildChart(u"", portrait, {empty, reporter});
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].line, portrait ? 142 : 148);
    EXPECT_THAT(reporter.reports[0].description, ::testing::HasSubstr("Cannot create object"));
  }
}

// Every single Word operation of a creation, made to fail in turn: one report
// at the document step with the failure's own text, no document, and Word told
// to quit whenever it had been started.
TEST(BuildChartTest, EveryFailingWordOperationIsReportedOnceAtTheDocumentStep) {
  for (const bool portrait : {true, false}) {
    ChartRun clean;
    clean.Build(u"", portrait);
    const int operations = clean.word.recorder->OperationCount();
    ASSERT_GT(operations, 100);

    for (int n = 1; n <= operations; ++n) {
      ChartRun run;
      const std::string description = "injected failure " + std::to_string(n);
      run.word.recorder->FailOperation(n, description);
      run.Build(u"", portrait);

      ASSERT_EQ(run.reporter.reports.size(), 1u) << "operation " << n;
      EXPECT_EQ(run.reporter.reports[0].line, portrait ? 142 : 148);
      EXPECT_EQ(run.reporter.reports[0].description, description);
      EXPECT_TRUE(run.word.presenter->documents.empty()) << "operation " << n;
      const auto& lines = run.word.recorder->Lines();
      if (n > 1) {
        EXPECT_EQ(lines.back(), "call quit") << "operation " << n;
        EXPECT_EQ(static_cast<int>(lines.size()), n + 1);
      } else {
        EXPECT_EQ(lines.size(), 1u);
      }
    }
  }
}

}  // namespace
}  // namespace quorvane::chart
