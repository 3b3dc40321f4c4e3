#include "word/docx/writer.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/utf.h"
#include "tests/word/docx/docx_package.h"
#include "tests/word/docx/docx_samples.h"

namespace quorvane::word::docx {
namespace {

using embedded::Alignment;
using embedded::BorderFormat;
using embedded::CharFormat;
using embedded::Document;
using embedded::GutterPos;
using embedded::LineStyle;
using embedded::PageSetup;
using embedded::Paragraph;
using embedded::SectionStart;

using testing_support::ParsePart;
using testing_support::ReadZip;

// A written package, read back; a missing part reads as empty and fails.
class Package {
 public:
  explicit Package(const Document& document) : members_(ReadZip(WriteDocx(document))) {}
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& member : members_) names.insert(member.first);
    return names;
  }
  std::string Raw(const std::string& name) const {
    const auto it = members_.find(name);
    EXPECT_NE(it, members_.end()) << "no part " << name;
    return it == members_.end() ? std::string() : it->second.data;
  }
  pugi::xml_document Part(const std::string& name) const { return ParsePart(Raw(name)); }

 private:
  std::map<std::string, testing_support::ZipMember> members_;
};

std::string Attr(pugi::xml_node node, const char* name) {
  return node.attribute(name).value();
}

// The first paragraph of the main text of a document holding `paragraph`.
pugi::xml_document WriteParagraph(Paragraph paragraph) {
  Document document;
  document.main = {std::move(paragraph)};
  return Package(document).Part("word/document.xml");
}

pugi::xml_node FirstParagraph(const pugi::xml_document& part) {
  return part.first_element_by_path("w:document/w:body/w:p");
}

const CharFormat kCourier{u"Courier New", 8.0f, true};

TEST(DocxPackage, EveryPartIsTypedAndEveryRelationshipResolves) {
  const Package package(samples::PortraitSample().document);
  const std::set<std::string> names = package.Names();
  EXPECT_EQ(names,
            (std::set<std::string>{"[Content_Types].xml", "_rels/.rels", "word/document.xml",
                                   "word/_rels/document.xml.rels", "word/styles.xml",
                                   "word/settings.xml", "word/header1.xml", "word/footer1.xml",
                                   "docProps/core.xml", "docProps/app.xml"}));

  const pugi::xml_document types = package.Part("[Content_Types].xml");
  for (const std::string& name : names) {
    if (name == "[Content_Types].xml") continue;
    const std::string extension = name.substr(name.rfind('.') + 1);
    const pugi::xml_node root = types.child("Types");
    EXPECT_TRUE(root.find_child_by_attribute("Override", "PartName", ("/" + name).c_str()) ||
                root.find_child_by_attribute("Default", "Extension", extension.c_str()))
        << name << " has no content type";
  }
  EXPECT_EQ(Attr(types.child("Types").find_child_by_attribute("PartName", "/word/document.xml"),
                 "ContentType"),
            "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml");

  // Package targets are relative to the root, those of the document to word/.
  std::map<std::string, std::string> documentRelationships;  // id -> "type target"
  for (const auto& [rels, base] : {std::pair<std::string, std::string>{"_rels/.rels", ""},
                                   {"word/_rels/document.xml.rels", "word/"}}) {
    const pugi::xml_document part = package.Part(rels);
    for (pugi::xml_node r : part.child("Relationships").children("Relationship")) {
      const std::string target = base + Attr(r, "Target");
      const std::string type = Attr(r, "Type");
      EXPECT_TRUE(names.count(target)) << rels << " points to missing " << target;
      documentRelationships[base + Attr(r, "Id")] = type.substr(type.rfind('/') + 1) + " " + target;
    }
  }
  EXPECT_EQ(documentRelationships["rId1"], "officeDocument word/document.xml");
  const pugi::xml_document document = package.Part("word/document.xml");
  const pugi::xml_node sectPr = document.first_element_by_path("w:document/w:body/w:sectPr");
  for (const auto& [reference, expected] :
       {std::pair{"w:headerReference", "header word/header1.xml"},
        std::pair{"w:footerReference", "footer word/footer1.xml"}}) {
    EXPECT_EQ(documentRelationships["word/" + Attr(sectPr.child(reference), "r:id")], expected);
    EXPECT_EQ(Attr(sectPr.child(reference), "w:type"), "default");
  }
}

TEST(DocxPackage, SameDocumentGivesSameBytesWithFixedDates) {
  samples::Sample sample = samples::LandscapeSample();
  const std::string first = WriteDocx(sample.document);
  EXPECT_EQ(WriteDocx(sample.document), first);
  sample.document.main[0].runs[0].text[0] = u'X';
  EXPECT_NE(WriteDocx(sample.document), first);

  std::tm dosEpoch{};  // libzip reads DOS times as local time
  dosEpoch.tm_year = 80;
  dosEpoch.tm_mday = 1;
  dosEpoch.tm_isdst = -1;
  for (const auto& [name, member] : ReadZip(first)) {
    EXPECT_EQ(member.mtime, static_cast<std::int64_t>(std::mktime(&dosEpoch))) << name;
    EXPECT_EQ(member.compression, ZIP_CM_DEFLATE) << name;
  }
}

TEST(DocxPageSetup, EveryValueComesFromThePageSetup) {
  struct Case {
    const char* name;
    PageSetup setup;
    std::vector<std::string> section;   // "element@attribute=value", or an element present
    std::vector<std::string> settings;  // elements present
  };
  PageSetup gutterTop;
  gutterTop.gutterPos = GutterPos::Top;
  gutterTop.sectionStart = SectionStart::Continuous;
  const std::vector<Case> cases = {
      {"portrait chart",
       samples::PortraitSample().document.pageSetup,
       {"w:pgSz@w:w=12240", "w:pgSz@w:h=15840", "w:pgSz@w:orient=", "w:pgMar@w:top=432",
        "w:pgMar@w:right=720", "w:pgMar@w:bottom=864", "w:pgMar@w:left=720", "w:pgMar@w:header=432",
        "w:pgMar@w:footer=864", "w:pgMar@w:gutter=0", "w:type@w:val=nextPage",
        "w:vAlign@w:val=center"},
       {}},
      {"landscape chart",
       samples::LandscapeSample().document.pageSetup,
       {"w:pgSz@w:w=15840", "w:pgSz@w:h=12240", "w:pgSz@w:orient=landscape"},
       {}},
      {"every option",
       samples::UnusualPageSetup(),
       {"w:pgSz@w:w=16838", "w:pgSz@w:h=11906", "w:pgMar@w:top=1440", "w:pgMar@w:left=1800",
        "w:pgMar@w:gutter=360", "w:pgMar@w:header=720", "w:type@w:val=oddPage",
        "w:paperSrc@w:first=1", "w:paperSrc@w:other=4", "w:lnNumType@w:countBy=1",
        "w:vAlign@w:val=bottom", "w:noEndnote", "w:titlePg", "w:rtlGutter"},
       {"w:mirrorMargins", "w:evenAndOddHeaders", "w:printTwoOnOne"}},
      {"gutter at the top", gutterTop, {"w:type@w:val=continuous"}, {"w:gutterAtTop"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Document document;
    document.pageSetup = c.setup;
    const Package package(document);
    const pugi::xml_document part = package.Part("word/document.xml");
    const pugi::xml_node sectPr = part.first_element_by_path("w:document/w:body/w:sectPr");
    std::set<std::string> present;
    for (const std::string& entry : c.section) {
      const std::size_t at = entry.find('@');
      const std::string element = entry.substr(0, at);
      present.insert(element);
      if (at == std::string::npos) continue;
      const std::size_t equals = entry.find('=');
      EXPECT_EQ(Attr(sectPr.child(element.c_str()), entry.substr(at + 1, equals - at - 1).c_str()),
                entry.substr(equals + 1))
          << entry;
    }
    // Options left off must not be written at all.
    for (const char* flag :
         {"w:paperSrc", "w:lnNumType", "w:noEndnote", "w:titlePg", "w:rtlGutter"})
      EXPECT_EQ(!sectPr.child(flag).empty(), present.count(flag) == 1) << flag;
    const pugi::xml_document settings = package.Part("word/settings.xml");
    for (const char* flag :
         {"w:mirrorMargins", "w:gutterAtTop", "w:evenAndOddHeaders", "w:printTwoOnOne"}) {
      EXPECT_EQ(!settings.child("w:settings").child(flag).empty(),
                std::count(c.settings.begin(), c.settings.end(), flag) == 1)
          << flag;
    }
  }
}

TEST(DocxStory, RunsAndParagraphMarksKeepTheirOwnFormatting) {
  const CharFormat arial{u"Arial", 11.25f, false};
  Paragraph paragraph;
  paragraph.runs = {{u"A", kCourier}, {u"B", arial}, {u"C", arial}};
  paragraph.markFormat = {u"Times New Roman", 20.0f, true};
  const pugi::xml_document part = WriteParagraph(paragraph);
  const pugi::xml_node p = FirstParagraph(part);
  const pugi::xml_node first = p.child("w:r");
  const pugi::xml_node second = first.next_sibling("w:r");
  EXPECT_TRUE(second.next_sibling("w:r").empty()) << "equal neighbours share one run";

  struct Expected {
    pugi::xml_node rPr;
    const char* font;
    const char* size;
    bool bold;
  };
  for (const Expected& e :
       {Expected{p.child("w:pPr").child("w:rPr"), "Times New Roman", "40", true},
        Expected{first.child("w:rPr"), "Courier New", "16", true},
        Expected{second.child("w:rPr"), "Arial", "23", false}}) {
    SCOPED_TRACE(e.font);
    for (const char* slot : {"w:ascii", "w:hAnsi", "w:eastAsia", "w:cs"})
      EXPECT_EQ(Attr(e.rPr.child("w:rFonts"), slot), e.font) << slot;
    EXPECT_EQ(Attr(e.rPr.child("w:sz"), "w:val"), e.size);
    EXPECT_EQ(Attr(e.rPr.child("w:szCs"), "w:val"), e.size);
    // Normal is not bold, so plain text needs no w:b at all.
    EXPECT_EQ(!e.rPr.child("w:b").empty() && Attr(e.rPr.child("w:b"), "w:val").empty(), e.bold);
    EXPECT_EQ(!e.rPr.child("w:bCs").empty(), e.bold);
  }
  EXPECT_STREQ(first.child("w:t").text().get(), "A");
  EXPECT_STREQ(second.child("w:t").text().get(), "BC");
}

TEST(DocxStory, RunPropertiesFollowTheSchemaOrder) {
  // The schema lets w:rPr children come in any order; Word's readers do not.
  const std::vector<std::string> order = {"w:rFonts", "w:b", "w:bCs", "w:sz", "w:szCs"};
  const Package package(samples::PortraitSample().document);
  for (const char* name : {"word/document.xml", "word/header1.xml", "word/styles.xml"}) {
    const pugi::xml_document part = package.Part(name);
    for (const pugi::xpath_node& rPr : part.select_nodes("//w:rPr")) {
      std::vector<std::string> children;
      for (pugi::xml_node child : rPr.node().children()) children.push_back(child.name());
      std::vector<std::string> expected;
      std::copy_if(
          order.begin(), order.end(), std::back_inserter(expected),
          [&](const std::string& e) { return std::count(children.begin(), children.end(), e); });
      EXPECT_EQ(children, expected) << name;
    }
  }
}

TEST(DocxStory, AlignmentAndTopBorder) {
  struct Case {
    Alignment alignment;
    BorderFormat border;
    std::string expected;  // jc, then val/sz/space/color of the top border
  };
  const auto style = [](std::int32_t n) { return static_cast<LineStyle>(n); };
  for (const Case& c :
       {Case{Alignment::Left, {}, " "},
        Case{Alignment::Center, {LineStyle::Single, 4, -16777216}, "center single/4/1/auto"},
        Case{Alignment::Right, {style(7), 12, 0x000000FF}, "right double/12/1/FF0000"},
        Case{Alignment::Justify, {style(99), 6, 0x00804020}, "both single/6/1/204080"}}) {
    Paragraph paragraph;
    paragraph.format = {c.alignment, c.border};
    const pugi::xml_document part = WriteParagraph(paragraph);
    const pugi::xml_node pPr = FirstParagraph(part).child("w:pPr");
    const pugi::xml_node top = pPr.child("w:pBdr").child("w:top");
    std::string actual = Attr(pPr.child("w:jc"), "w:val") + " ";
    if (top) {
      actual += Attr(top, "w:val") + "/" + Attr(top, "w:sz") + "/" + Attr(top, "w:space") + "/" +
                Attr(top, "w:color");
    }
    EXPECT_EQ(actual, c.expected);
  }
}

TEST(DocxStory, BreaksTabsAndSpacesBecomeTheirElements) {
  struct Case {
    std::u16string text;
    std::string content;  // the run's elements after w:rPr
  };
  for (const Case& c : {
           Case{u"  two  spaces  ", "[  two  spaces  ]"},
           Case{u"a\tb\vc\fd", "[a] tab [b] br [c] br:page [d]"},
           Case{u"\f", "br:page"},
           Case{u"x\u0001y\uFFFE\r\nz", "[xyz]"},
           Case{std::u16string{0x0002, 0xDC00}, ""},
       }) {
    SCOPED_TRACE(base::ToUtf8(c.text));
    Paragraph paragraph;
    paragraph.runs = {{c.text, kCourier}};
    const pugi::xml_document part = WriteParagraph(paragraph);
    std::string content;
    for (pugi::xml_node child : FirstParagraph(part).child("w:r").children()) {
      const std::string name = child.name();
      if (name == "w:rPr") continue;
      if (!content.empty()) content += ' ';
      if (name == "w:t") {
        EXPECT_EQ(Attr(child, "xml:space"), "preserve");
        content += "[" + std::string(child.text().get()) + "]";
      } else {
        content += name.substr(2) + (child.attribute("w:type") ? ":" + Attr(child, "w:type") : "");
      }
    }
    EXPECT_EQ(content, c.content);
  }
}

TEST(DocxStory, EveryChartCharacterIsWrittenAsItself) {
  std::u16string text = samples::ChartCharacters();
  for (char16_t c = 0x20; c <= 0xFF; ++c) text.push_back(c);
  for (char16_t c = 0x2013; c <= 0x2122; ++c) text.push_back(c);
  text += u"\U0001F600";
  Paragraph paragraph;
  paragraph.runs = {{text, kCourier}};
  Document document;
  document.main = {paragraph};
  const Package package(document);
  const pugi::xml_document part = package.Part("word/document.xml");
  EXPECT_EQ(base::FromUtf8(FirstParagraph(part).child("w:r").child("w:t").text().get()), text);
  // Raw UTF-8, never character references: a reference to a C1 control is
  // not read back by every consumer.
  const std::string raw = package.Raw("word/document.xml");
  EXPECT_NE(raw.find("\x7F\xC2\x80\xC2\x81"), std::string::npos);
  EXPECT_EQ(raw.find("&#"), std::string::npos);
}

TEST(DocxStory, HeaderFooterAndEmptyStories) {
  const Package chart(samples::PortraitSample().document);
  const pugi::xml_document header = chart.Part("word/header1.xml");
  const pugi::xml_node title = header.first_element_by_path("w:hdr/w:p");
  EXPECT_EQ(Attr(title.first_element_by_path("w:pPr/w:jc"), "w:val"), "center");
  EXPECT_STREQ(title.first_element_by_path("w:r/w:t").text().get(), "ASCII Conversion Chart");
  const pugi::xml_document footer = chart.Part("word/footer1.xml");
  const pugi::xml_node line = footer.first_element_by_path("w:ftr/w:p");
  EXPECT_EQ(Attr(line.first_element_by_path("w:pPr/w:pBdr/w:top"), "w:val"), "single");
  EXPECT_EQ(Attr(line.first_element_by_path("w:pPr/w:rPr/w:sz"), "w:val"), "20");

  // Word wants at least one paragraph in every story.
  const Package empty{Document{}};
  for (const auto& [name, root] :
       {std::pair{"word/document.xml", "w:document/w:body"}, std::pair{"word/header1.xml", "w:hdr"},
        std::pair{"word/footer1.xml", "w:ftr"}}) {
    const pugi::xml_document part = empty.Part(name);
    const auto paragraphs = part.first_element_by_path(root).children("w:p");
    EXPECT_EQ(std::distance(paragraphs.begin(), paragraphs.end()), 1) << name;
  }
}

TEST(DocxStyles, NormalIsSingleSpacedWithoutSpaceAround) {
  const pugi::xml_document styles = Package(Document{}).Part("word/styles.xml");
  const pugi::xml_node normal =
      styles.child("w:styles").find_child_by_attribute("w:style", "w:styleId", "Normal");
  EXPECT_EQ(Attr(normal, "w:type") + Attr(normal, "w:default"), "paragraph1");
  for (pugi::xml_node spacing :
       {normal.first_element_by_path("w:pPr/w:spacing"),
        styles.first_element_by_path("w:styles/w:docDefaults/w:pPrDefault/w:pPr/w:spacing")}) {
    EXPECT_EQ(Attr(spacing, "w:before") + "/" + Attr(spacing, "w:after") + "/" +
                  Attr(spacing, "w:line") + "/" + Attr(spacing, "w:lineRule"),
              "0/0/240/auto");
  }
}

TEST(DocxFile, SaveDocxWritesThePackageAndKeepsAnExistingFile) {
  const std::filesystem::path target = std::filesystem::path(::testing::TempDir()) / "save.docx";
  std::filesystem::remove(target);
  const Document document;
  SaveDocx(document, target, false);
  std::ostringstream bytes;
  bytes << std::ifstream(target, std::ios::binary).rdbuf();
  EXPECT_EQ(bytes.str(), WriteDocx(document));
  EXPECT_THROW(SaveDocx(document, target, false), std::runtime_error);
  std::filesystem::remove(target);
}

}  // namespace
}  // namespace quorvane::word::docx
