// The chart document procedures run against the engine, and the document
// they leave.

#include <gtest/gtest.h>

#include "tests/word/embedded/engine_test_support.h"
#include "word/chart_document.h"
#include "word/object_factory.h"

namespace quorvane::word::embedded::test_support {
namespace {

// Makes a document with the chart procedures and returns what was shown.
template <typename Procedure>
Document Make(Procedure procedure, const std::u16string& chart, const std::u16string& footer) {
  ClassRegistry registry;
  const auto presenter = std::make_shared<CapturingPresenter>();
  RegisterWordApplication(registry, presenter);
  procedure(registry, chart, footer, ChartPage{});
  EXPECT_EQ(presenter->shown.size(), 1u);  // hidden while it was being made
  return presenter->shown.at(0);
}

// `lines` lines of `width` characters running through the chart's
// characters, CR LF between them, a form feed starting line `pageBreak`.
std::u16string ChartText(int lines, int width, int pageBreak) {
  std::u16string text;
  char16_t c = 0x20;
  for (int line = 0; line < lines; ++line) {
    if (line > 0) text += u"\r\n";
    if (line == pageBreak) text += u'\f';
    for (int i = 0; i < width; ++i) {
      text += c;
      c = c == 0xFF ? char16_t{0x2013} : c == 0x2013 ? char16_t{0x20} : char16_t(c + 1);
    }
  }
  return text;
}

std::u16string InStoryForm(std::u16string text) {
  std::u16string story;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && text[i + 1] == u'\n') continue;
    story += text[i] == u'\n' ? u'\r' : text[i];
  }
  return story + u'\r';
}

const CharFormat kTitle{u"Times New Roman", 20.0f, true};
const CharFormat kFooter{u"Times New Roman", 10.0f, true};
const ParagraphFormat kFooterParagraph{Alignment::Center,
                                       BorderFormat{LineStyle::Single, 4, -16777216}};

void ExpectBody(const Story& main, const CharFormat& format) {
  for (const Paragraph& p : main) {
    EXPECT_EQ(p.format, ParagraphFormat{});
    EXPECT_EQ(p.markFormat, format);
    ASSERT_EQ(p.runs.size(), 1u);
    EXPECT_EQ(p.runs[0].format, format);
  }
}

void ExpectHeader(const Story& header) {
  ASSERT_EQ(header.size(), 1u);
  EXPECT_EQ(header[0].runs, (Runs{{u"ASCII Conversion Chart", kTitle}}));
  EXPECT_EQ(header[0].format.alignment, Alignment::Center);
}

TEST(ChartSequenceTest, PortraitChartWithAnEmptyFooter) {
  const std::u16string chart = ChartText(73, 110, -1);
  const Document doc = Make(MakePortraitDocument, chart, u"");

  EXPECT_EQ(TextOf(doc.main), InStoryForm(chart));
  ExpectBody(doc.main, CharFormat{u"Courier New", 8.0f, true});
  ExpectHeader(doc.header);
  ASSERT_EQ(doc.footer.size(), 1u);
  EXPECT_TRUE(doc.footer[0].runs.empty());
  EXPECT_EQ(doc.footer[0].format, kFooterParagraph);
  EXPECT_EQ(doc.footer[0].markFormat, kFooter);

  const PageSetup expected{.topMargin = 21.6f,
                           .bottomMargin = 43.2f,
                           .leftMargin = 36,
                           .rightMargin = 36,
                           .headerDistance = 21.6f,
                           .footerDistance = 43.2f,
                           .verticalAlignment = VerticalAlignment::Center};
  EXPECT_EQ(doc.pageSetup, expected);
}

TEST(ChartSequenceTest, LandscapeChartWithAFooterText) {
  const std::u16string chart = ChartText(66, 138, 33) + u"\r\n";
  ASSERT_GT(chart.size(), 9200u);
  const Document doc = Make(MakeLandscapeDocument, chart, u"  Made here  ");

  EXPECT_EQ(TextOf(doc.main), InStoryForm(chart));
  EXPECT_EQ(doc.main.size(), 67u);  // the closing CR LF leaves an empty last paragraph
  ExpectBody(std::vector(doc.main.begin(), doc.main.end() - 1),
             CharFormat{u"Courier New", 10, true});
  EXPECT_EQ(doc.main.back().markFormat, (CharFormat{u"Courier New", 10.0f, true}));
  EXPECT_EQ(doc.main[33].runs.at(0).text.front(), u'\f');
  ExpectHeader(doc.header);
  ASSERT_EQ(doc.footer.size(), 1u);
  EXPECT_EQ(doc.footer[0].runs, (Runs{{u"  Made here  ", kFooter}}));
  EXPECT_EQ(doc.footer[0].format, kFooterParagraph);
  EXPECT_EQ(doc.pageSetup.orientation, Orientation::Landscape);
  EXPECT_EQ(doc.pageSetup.pageWidth, 792.0f);
  EXPECT_EQ(doc.pageSetup.pageHeight, 612.0f);
}

}  // namespace
}  // namespace quorvane::word::embedded::test_support
