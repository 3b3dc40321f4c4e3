#include "word/chart_document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/utf.h"
#include "tests/support/expected_output.h"
#include "tests/support/recorders.h"

namespace quorvane::word {
namespace {

using quorvane::test_support::ExpectedChartText;
using quorvane::test_support::ExpectedTrace;
using quorvane::test_support::kTraceFooter;
using quorvane::test_support::RecordedWord;
using quorvane::test_support::TraceText;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

TEST(ChartDocumentTest, BothOrientationsMakeTheOperationsInOrder) {
  for (const bool portrait : {true, false}) {
    RecordedWord word;
    (portrait ? MakePortraitDocument : MakeLandscapeDocument)(
        word.factory, base::FromUtf8(ExpectedChartText(portrait)), base::FromUtf8(kTraceFooter),
        {});
    EXPECT_EQ(ExpectedTrace(portrait), TraceText(word.recorder->Lines())) << portrait;
    EXPECT_EQ(word.presenter->documents.size(), 1u);
  }
}

TEST(ChartDocumentTest, FooterOfSpacesOnlyBecomesEmptyButTabsStay) {
  struct Case {
    std::u16string footer;
    std::string quoted;
  };
  for (const Case& c : {Case{u"    ", "\"\""}, Case{u"\t", "\"\\t\""}, Case{u" a ", "\" a \""}}) {
    RecordedWord word;
    MakePortraitDocument(word.factory, u"x", c.footer);
    EXPECT_EQ(quorvane::test_support::NthTextPut(word.recorder->Lines(), 2), c.quoted);
  }
}

TEST(ChartDocumentTest, DocumentCarriesPageSetupHeaderAndFooter) {
  RecordedWord word;
  MakeLandscapeDocument(word.factory, u"line\r\n", u"foot");
  ASSERT_EQ(word.presenter->documents.size(), 1u);
  const auto& doc = word.presenter->documents.front();
  EXPECT_EQ(doc.pageSetup.orientation, embedded::Orientation::Landscape);
  EXPECT_FLOAT_EQ(doc.pageSetup.pageWidth, 792.0f);
  EXPECT_FLOAT_EQ(doc.pageSetup.pageHeight, 612.0f);
  EXPECT_FLOAT_EQ(doc.pageSetup.topMargin, 21.6f);
  EXPECT_FLOAT_EQ(doc.pageSetup.footerDistance, 43.2f);
  EXPECT_EQ(doc.pageSetup.verticalAlignment, embedded::VerticalAlignment::Center);

  ASSERT_FALSE(doc.header.empty());
  ASSERT_FALSE(doc.header.front().runs.empty());
  const auto& title = doc.header.front().runs.front();
  EXPECT_EQ(title.text, u"ASCII Conversion Chart");
  EXPECT_EQ(title.format.font, u"Times New Roman");
  EXPECT_FLOAT_EQ(title.format.size, 20.0f);
  EXPECT_TRUE(title.format.bold);
  EXPECT_EQ(doc.header.front().format.alignment, embedded::Alignment::Center);

  ASSERT_FALSE(doc.footer.empty());
  EXPECT_EQ(doc.footer.front().format.alignment, embedded::Alignment::Center);
  EXPECT_EQ(doc.footer.front().format.topBorder.lineStyle, embedded::LineStyle::Single);
  ASSERT_FALSE(doc.footer.front().runs.empty());
  EXPECT_EQ(doc.footer.front().runs.front().text, u"foot");
  EXPECT_FLOAT_EQ(doc.footer.front().runs.front().format.size, 10.0f);

  ASSERT_FALSE(doc.main.empty());
  ASSERT_FALSE(doc.main.front().runs.empty());
  EXPECT_EQ(doc.main.front().runs.front().format.font, u"Courier New");
  EXPECT_FLOAT_EQ(doc.main.front().runs.front().format.size, 10.0f);
  EXPECT_TRUE(doc.main.front().runs.front().format.bold);
}

TEST(ChartDocumentTest, WordThatCannotBeStartedIsAFailureWithoutQuit) {
  ClassRegistry empty;
  auto recorder = std::make_shared<Recorder>();
  RecordingFactory factory(empty, recorder);
  EXPECT_THROW(MakePortraitDocument(factory, u"x", u""), AutomationError);
  EXPECT_THAT(recorder->Lines(),
              ElementsAreArray({std::string("create class {000209FF-0000-0000-C000-000000000046} "
                                            "{00020970-0000-0000-C000-000000000046}")}));
}

TEST(ChartDocumentTest, RefusedValueMidSetupQuitsTheHiddenWordAndThrows) {
  RecordedWord word;
  // Operation 18 is the put of TopMargin.
  word.recorder->FailOperation(18, "The value is out of range.");
  try {
    MakeLandscapeDocument(word.factory, u"x", u"");
    FAIL() << "the failure was swallowed";
  } catch (const AutomationError& e) {
    EXPECT_STREQ(e.what(), "The value is out of range.");
  }
  const auto& lines = word.recorder->Lines();
  ASSERT_EQ(lines.size(), 19u);
  EXPECT_EQ(lines[17], "put TopMargin = R4 21.6");
  EXPECT_EQ(lines[18], "call quit");
  EXPECT_TRUE(word.presenter->documents.empty());
}

TEST(ChartDocumentTest, AFailingQuitDoesNotHideTheOriginalFailure) {
  RecordedWord word;
  word.recorder->FailOperation(5, "first");
  word.recorder->FailOperation(6, "quit refused");
  try {
    MakePortraitDocument(word.factory, u"x", u"");
    FAIL() << "the failure was swallowed";
  } catch (const AutomationError& e) {
    EXPECT_STREQ(e.what(), "first");
  }
  EXPECT_EQ(word.recorder->Lines().back(), "call quit");
}

TEST(ChartDocumentTest, PresenterFailureIsACreationFailure) {
  class RefusingPresenter final : public embedded::DocumentPresenter {
   public:
    void Present(const embedded::Document&) override {
      throw std::runtime_error("Cannot write \"out.docx\": Permission denied");
    }
  };
  ClassRegistry registry;
  embedded::RegisterWordApplication(registry, std::make_shared<RefusingPresenter>());
  try {
    MakePortraitDocument(registry, u"x", u"");
    FAIL() << "the failure was swallowed";
  } catch (const std::exception& e) {
    EXPECT_THAT(e.what(), HasSubstr("Permission denied"));
  }
}

}  // namespace
}  // namespace quorvane::word
