// PageSetup through automation: what reaches the document, what is refused.

#include <gtest/gtest.h>

#include "tests/word/embedded/engine_test_support.h"

namespace quorvane::word::embedded::test_support {
namespace {

struct PageSetupFixture : EngineWithDocument {
  Object setup = app.Get("ActiveDocument").Get("PageSetup");
};

TEST(PageSetupTest, EveryPutReachesTheDocument) {
  PageSetupFixture f;
  const std::pair<const char*, Value> puts[] = {
      {"TopMargin", R4(21.6f)},
      {"BottomMargin", R8(43.2)},
      {"LeftMargin", I2(36)},
      {"RightMargin", R4Ref(37)},
      {"Gutter", I4(5)},
      {"HeaderDistance", R4(20)},
      {"FooterDistance", R4(40)},
      {"PageWidth", R4(600)},
      {"PageHeight", R4(800)},
      {"FirstPageTray", I4(1)},
      {"OtherPagesTray", I4(4)},
      {"SectionStart", I4(0)},
      {"OddAndEvenPagesHeaderFooter", Bool(true)},
      {"DifferentFirstPageHeaderFooter", I4(-1)},
      {"VerticalAlignment", I4(1)},
      {"SuppressEndnotes", Bool(true)},
      {"MirrorMargins", Bool(true)},
      {"TwoPagesOnOne", Bool(true)},
      {"GutterPos", I4(1)},  // Word's wdGutterPosTop
  };
  for (const auto& [name, value] : puts) f.setup.Put(name, value);
  f.setup.Get("LineNumbering").Put("Active", Bool(true));

  const PageSetup expected{.topMargin = 21.6f,
                           .bottomMargin = 43.2f,
                           .leftMargin = 36,
                           .rightMargin = 37,
                           .gutter = 5,
                           .headerDistance = 20,
                           .footerDistance = 40,
                           .pageWidth = 600,
                           .pageHeight = 800,
                           .firstPageTray = 1,
                           .otherPagesTray = 4,
                           .sectionStart = SectionStart::Continuous,
                           .oddAndEvenPagesHeaderFooter = true,
                           .differentFirstPageHeaderFooter = true,
                           .verticalAlignment = VerticalAlignment::Center,
                           .suppressEndnotes = true,
                           .mirrorMargins = true,
                           .twoPagesOnOne = true,
                           .gutterPos = GutterPos::Top,
                           .lineNumbering = true};
  EXPECT_EQ(f.Shown().pageSetup, expected);

  EXPECT_EQ(f.setup.GetValue("topmargin"), R4(21.6f));
  // 2 is the right side, where w:rtlGutter puts it.
  f.setup.Put("GutterPos", I4(2));
  EXPECT_EQ(f.Shown().pageSetup.gutterPos, GutterPos::Right);
  EXPECT_EQ(f.setup.GetValue("MirrorMargins"), I4(-1));
  EXPECT_EQ(f.setup.GetValue("TwoPagesOnOne"), Bool(true));
  EXPECT_EQ(f.setup.Get("LineNumbering").GetValue("Active"), I4(-1));
}

TEST(PageSetupTest, OrientationSwapsAContradictingPageSize) {
  PageSetupFixture f;
  f.setup.Put("Orientation", I4(1));
  EXPECT_EQ(f.setup.GetValue("PageWidth"), R4(792));
  EXPECT_EQ(f.setup.GetValue("PageHeight"), R4(612));
  f.setup.Put("Orientation", I4(1));  // already landscape: no swap back
  EXPECT_EQ(f.setup.GetValue("PageWidth"), R4(792));
  f.setup.Put("Orientation", I4(0));
  EXPECT_EQ(f.setup.GetValue("PageWidth"), R4(612));
  EXPECT_EQ(f.Shown().pageSetup.orientation, Orientation::Portrait);
}

struct RefusedPut {
  const char* property;
  Value value;
  const char* description;  // a part of the expected description
};

class PageSetupRefusalTest : public ::testing::TestWithParam<RefusedPut> {};

TEST_P(PageSetupRefusalTest, RefusesAndKeepsTheOldValues) {
  PageSetupFixture f;
  try {
    f.setup.Put(GetParam().property, GetParam().value);
    FAIL() << "accepted";
  } catch (const AutomationError& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().description), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(f.Shown().pageSetup, PageSetup{});
}

INSTANTIATE_TEST_SUITE_P(
    Values, PageSetupRefusalTest,
    ::testing::Values(
        RefusedPut{"TopMargin", R8(-0.1), "Value out of range: PageSetup.TopMargin = -0.1"},
        RefusedPut{"LeftMargin", R4(530), "left and right margins and gutter (620 points)"},
        RefusedPut{"Gutter", R4(433), "must be less than the page width (612 points)"},
        RefusedPut{"BottomMargin", R4(720), "top and bottom margins"},
        RefusedPut{"HeaderDistance", R4(792), "the header distance"},
        RefusedPut{"PageWidth", R4(7.1f), "PageSetup.PageWidth"},
        RefusedPut{"PageHeight", R4(1585), "between 7.2 and 1584 points"},
        RefusedPut{"PageWidth", R4(180), "must be less than the page width (180 points)"},
        RefusedPut{"Orientation", I4(2), "allowed values are 0 to 1"},
        RefusedPut{"VerticalAlignment", I4(4), "PageSetup.VerticalAlignment"},
        RefusedPut{"SectionStart", I4(5), "PageSetup.SectionStart"},
        RefusedPut{"GutterPos", I4(-1), "PageSetup.GutterPos"},
        RefusedPut{"FirstPageTray", I4(16), "PageSetup.FirstPageTray"},
        RefusedPut{"TopMargin", Bstr(u"1"), "Type mismatch: PageSetup.TopMargin"},
        RefusedPut{"MirrorMargins", Bstr(u"yes"), "Type mismatch"},
        RefusedPut{"LineNumbering", I4(0), "PageSetup.LineNumbering is read-only"},
        RefusedPut{"Margin", I4(0), "Unknown member 'Margin' of PageSetup"}));

}  // namespace
}  // namespace quorvane::word::embedded::test_support
