// The application object: documents, visibility and the presenter, quit,
// InchesToPoints, options and registration.

#include "word/embedded/word_application.h"

#include <gtest/gtest.h>

#include "tests/word/embedded/engine_test_support.h"
#include "word/object_factory.h"

namespace quorvane::word::embedded::test_support {
namespace {

constexpr char kNoDocument[] = "This command is not available because no document is open.";

TEST(WordApplicationTest, ApplicationIsTheObjectItself) {
  Engine e;
  EXPECT_EQ(e.app.Get("Application").dispatch(), e.app.dispatch());
  EXPECT_EQ(e.app.Get("APPLICATION").dispatch(), e.app.dispatch());
}

TEST(WordApplicationTest, AddedDocumentIsEmptyAndActive) {
  Engine e;
  EXPECT_EQ(e.app.Get("Documents").GetValue("Count"), I4(0));
  e.AddDocument();
  e.Selection().Put("Text", Bstr(u"first"));
  e.AddDocument();
  EXPECT_EQ(e.app.Get("Documents").GetValue("Count"), I4(2));
  const Document shown = e.Shown();
  EXPECT_EQ(shown.main, Story(1));  // the second, empty document
  EXPECT_EQ(shown.pageSetup, PageSetup{});
}

TEST(WordApplicationTest, VisibleHandsTheActiveDocumentToThePresenter) {
  Engine e;
  e.app.Put("Visible", Bool(true));  // no document: nothing to present
  EXPECT_TRUE(e.presenter->shown.empty());
  EXPECT_EQ(e.app.GetValue("Visible"), Bool(true));

  e.app.Put("Visible", I2(0));
  e.AddDocument();
  e.Selection().Put("Text", Bstr(u"hello"));
  e.app.Put("Visible", I4(1));
  ASSERT_EQ(e.presenter->shown.size(), 1u);
  EXPECT_EQ(TextOf(e.presenter->shown[0].main), u"hello\r");
}

TEST(WordApplicationTest, ThrowingPresenterFailsThePutWithItsDescription) {
  Engine e;
  e.AddDocument();
  e.presenter->failure = "disk full";
  try {
    e.app.Put("Visible", Bool(true));
    FAIL() << "the put succeeded";
  } catch (const AutomationError& error) {
    EXPECT_STREQ(error.what(), "disk full");
  }
  EXPECT_EQ(e.app.GetValue("Visible"), Bool(false));
  // Not a failure with the description "std::bad_alloc": the caller says
  // "Out of memory".
  e.presenter->outOfMemory = true;
  EXPECT_THROW(e.app.Put("Visible", Bool(true)), std::bad_alloc);
}

TEST(WordApplicationTest, QuitDiscardsTheDocumentsAndEndsTheApplication) {
  Engine e;
  e.AddDocument();
  const Object selection = e.Selection();
  const Object setup = e.app.Get("ActiveDocument").Get("PageSetup");
  e.app.Call("quit");
  EXPECT_TRUE(e.presenter->shown.empty());
  EXPECT_THROW(e.app.GetValue("Visible"), AutomationError);
  EXPECT_THROW(e.app.Call("quit"), AutomationError);
  for (const Object& child : {selection, setup}) {
    try {
      child.GetValue("Orientation");  // fails before the member is looked up
      FAIL() << "a discarded document's object still works";
    } catch (const AutomationError& error) {
      EXPECT_STREQ(error.what(), "The object has been deleted.");
    }
  }
}

TEST(WordApplicationTest, DocumentMembersNeedAnOpenDocument) {
  Engine e;
  for (const char* member : {"ActiveDocument", "Selection", "ActiveWindow"}) {
    try {
      e.app.GetValue(member);
      FAIL() << member << " worked without a document";
    } catch (const AutomationError& error) {
      EXPECT_STREQ(error.what(), kNoDocument) << member;
    }
  }
}

struct InchesCase {
  Value inches;
  float points;
};

class InchesToPointsTest : public ::testing::TestWithParam<InchesCase> {};

TEST_P(InchesToPointsTest, ReturnsR4Points) {
  Engine e;
  EXPECT_EQ(e.app.Call("InchesToPoints", GetParam().inches), R4(GetParam().points));
}

INSTANTIATE_TEST_SUITE_P(Kinds, InchesToPointsTest,
                         ::testing::Values(InchesCase{I2(0), 0.0f}, InchesCase{R8(0.3), 21.6f},
                                           InchesCase{R8(0.6), 43.2f},
                                           InchesCase{R4Ref(8.5f), 612.0f},
                                           InchesCase{R4(11.0f), 792.0f},
                                           InchesCase{I4(-1), -72.0f}));

TEST(WordApplicationTest, OptionsHoldWordsDefaultBorder) {
  Engine e;
  const Object options = e.app.Get("Options");
  EXPECT_EQ(options.GetValue("DefaultBorderLineStyle"), I4(1));
  EXPECT_EQ(options.GetValue("DefaultBorderLineWidth"), I4(4));
  EXPECT_EQ(options.GetValue("DefaultBorderColor"), I4(-16777216));
  options.Put("DefaultBorderLineWidth", I4(8));
  EXPECT_EQ(e.app.Get("Options").GetValue("DefaultBorderLineWidth"), I4(8));
}

TEST(WordApplicationTest, RegisteredUnderWordsProgIdAndClass) {
  ClassRegistry registry;
  const auto presenter = std::make_shared<CapturingPresenter>();
  RegisterWordApplication(registry, presenter);
  const Object byProgId(registry.CreateByProgId("word.application"));
  const Object byClass(registry.CreateByClass(kWordClassId, kWordInterfaceId));
  EXPECT_NE(byProgId.dispatch(), byClass.dispatch());  // each creation is a new instance
  for (const Object& app : {byProgId, byClass}) {
    app.Get("Documents").Call("add");
    app.Put("Visible", Bool(true));
  }
  EXPECT_EQ(presenter->shown.size(), 2u);
}

}  // namespace
}  // namespace quorvane::word::embedded::test_support
