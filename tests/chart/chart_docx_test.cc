// The chart documents as they reach the user: BuildChart through the embedded
// word processor to .docx bytes, read back part by part.

#include <gtest/gtest.h>

#include <map>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "base/utf.h"
#include "chart/build_chart.h"
#include "chart/chart_text.h"
#include "chart/filled_table.h"
#include "chart/portrait_text.h"
#include "tests/support/recorders.h"
#include "tests/word/docx/docx_package.h"
#include "word/docx/writer.h"

namespace quorvane::chart {
namespace {

using word::docx::testing_support::ParsePart;
using word::docx::testing_support::ReadZip;

struct ChartPackage {
  explicit ChartPackage(bool portrait) {
    quorvane::test_support::RecordedWord word;
    quorvane::test_support::RecordingReporter reporter;
    BuildChart(u"", portrait, {word.factory, reporter});
    EXPECT_TRUE(reporter.reports.empty());
    EXPECT_EQ(word.presenter->documents.size(), 1u);
    if (word.presenter->documents.empty()) return;
    const auto members = ReadZip(word::docx::WriteDocx(word.presenter->documents.front()));
    for (const char* name : {"word/document.xml", "word/header1.xml", "word/footer1.xml"}) {
      const auto found = members.find(name);
      if (found == members.end()) {
        ADD_FAILURE() << name << " missing";
        continue;
      }
      parts[name] = ParsePart(found->second.data);
    }
  }
  pugi::xml_node Root(const char* name) const { return parts.at(name).document_element(); }

  std::map<std::string, pugi::xml_document> parts;
};

// The text of a story: paragraphs joined with CR LF, page breaks as form feeds.
std::string StoryText(pugi::xml_node container) {
  std::string text;
  for (pugi::xml_node p : container.children("w:p")) {
    for (pugi::xml_node r : p.children("w:r")) {
      for (pugi::xml_node piece : r.children()) {
        const std::string_view name = piece.name();
        if (name == "w:t") text += piece.text().get();
        if (name == "w:br" && std::string_view(piece.attribute("w:type").value()) == "page") {
          text += '\f';
        }
        if (name == "w:tab") text += '\t';
      }
    }
    text += "\r\n";
  }
  return text;
}

struct RunFormat {
  std::string font;
  int halfPoints = 0;
  bool bold = false;
};

RunFormat FormatOf(pugi::xml_node rPr) {
  const pugi::xml_node b = rPr.child("w:b");
  return {rPr.child("w:rFonts").attribute("w:ascii").value(),
          rPr.child("w:sz").attribute("w:val").as_int(),
          b && std::string_view(b.attribute("w:val").as_string("1")) != "0"};
}

void ExpectEveryRunAndMark(pugi::xml_node container, const RunFormat& expected) {
  int runs = 0;
  for (pugi::xml_node p : container.children("w:p")) {
    std::vector<pugi::xml_node> formats = {p.child("w:pPr").child("w:rPr")};
    for (pugi::xml_node r : p.children("w:r")) formats.push_back(r.child("w:rPr"));
    for (pugi::xml_node rPr : formats) {
      const RunFormat f = FormatOf(rPr);
      EXPECT_EQ(f.font, expected.font);
      EXPECT_EQ(f.halfPoints, expected.halfPoints);
      EXPECT_EQ(f.bold, expected.bold);
      ++runs;
    }
  }
  EXPECT_GT(runs, 0);
}

TEST(ChartDocxTest, PageSetupOfBothOrientations) {
  struct Case {
    bool portrait;
    int width, height;
    const char* orient;
  };
  for (const Case& c : {Case{true, 12240, 15840, ""}, Case{false, 15840, 12240, "landscape"}}) {
    const ChartPackage package(c.portrait);
    const pugi::xml_node sectPr =
        package.Root("word/document.xml").child("w:body").child("w:sectPr");
    const pugi::xml_node size = sectPr.child("w:pgSz");
    EXPECT_EQ(size.attribute("w:w").as_int(), c.width);
    EXPECT_EQ(size.attribute("w:h").as_int(), c.height);
    EXPECT_STREQ(size.attribute("w:orient").as_string(), c.orient);
    const pugi::xml_node margins = sectPr.child("w:pgMar");
    EXPECT_EQ(margins.attribute("w:top").as_int(), 432);
    EXPECT_EQ(margins.attribute("w:bottom").as_int(), 864);
    EXPECT_EQ(margins.attribute("w:left").as_int(), 720);
    EXPECT_EQ(margins.attribute("w:right").as_int(), 720);
    EXPECT_EQ(margins.attribute("w:header").as_int(), 432);
    EXPECT_EQ(margins.attribute("w:footer").as_int(), 864);
    EXPECT_EQ(margins.attribute("w:gutter").as_int(), 0);
    EXPECT_STREQ(sectPr.child("w:vAlign").attribute("w:val").value(), "center");
    EXPECT_FALSE(sectPr.child("w:titlePg"));
    EXPECT_FALSE(sectPr.child("w:lnNumType"));
  }
}

TEST(ChartDocxTest, BodyHoldsTheChartTextInBoldCourierNew) {
  const CharTable rows = MakeFilledTable();
  struct Case {
    bool portrait;
    std::u16string text;
    int halfPoints;
  };
  const Case cases[] = {
      {true, MakePortraitText(rows), 16},
      {false, MakeChartText(rows, false), 20},
  };
  for (const Case& c : cases) {
    const ChartPackage package(c.portrait);
    const pugi::xml_node body = package.Root("word/document.xml").child("w:body");
    // The text ends with CR LF, so the story's final paragraph is empty.
    EXPECT_EQ(StoryText(body), base::ToUtf8(c.text) + "\r\n");
    ExpectEveryRunAndMark(body, {"Courier New", c.halfPoints, true});
  }
}

TEST(ChartDocxTest, HeaderTitleAndBorderedFooter) {
  const ChartPackage package(true);
  const pugi::xml_node header = package.Root("word/header1.xml");
  EXPECT_EQ(StoryText(header), "ASCII Conversion Chart\r\n");
  const pugi::xml_node title = header.child("w:p");
  EXPECT_STREQ(title.child("w:pPr").child("w:jc").attribute("w:val").value(), "center");
  const RunFormat titleFormat = FormatOf(title.child("w:r").child("w:rPr"));
  EXPECT_EQ(titleFormat.font, "Times New Roman");
  EXPECT_EQ(titleFormat.halfPoints, 40);
  EXPECT_TRUE(titleFormat.bold);

  const pugi::xml_node footer = package.Root("word/footer1.xml");
  EXPECT_EQ(StoryText(footer), "\r\n");
  const pugi::xml_node pPr = footer.child("w:p").child("w:pPr");
  EXPECT_STREQ(pPr.child("w:jc").attribute("w:val").value(), "center");
  const pugi::xml_node top = pPr.child("w:pBdr").child("w:top");
  EXPECT_STREQ(top.attribute("w:val").value(), "single");
  EXPECT_EQ(top.attribute("w:sz").as_int(), 4);
  EXPECT_STREQ(top.attribute("w:color").value(), "auto");
}

}  // namespace
}  // namespace quorvane::chart
