#include "word/docx/story.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "word/docx/values.h"
#include "word/docx/xml.h"

namespace quorvane::word::docx {
namespace {

// Splits run text into w:t, w:tab and w:br. Other controls have no place in
// run text and are dropped.
class RunTextWriter {
 public:
  explicit RunTextWriter(pugi::xml_node run) : run_(run) {}

  void Append(std::u16string_view text) {
    for (const char16_t c : text) {
      if (c >= 0x20) {
        pending_.push_back(c);
      } else if (c == u'\t') {
        Flush();
        run_.append_child("w:tab");
      } else if (c == u'\v') {
        Flush();
        run_.append_child("w:br");
      } else if (c == u'\f') {
        Flush();
        run_.append_child("w:br").append_attribute("w:type").set_value("page");
      }
    }
  }

  void Flush() {
    const std::string utf8 = XmlSafeUtf8(pending_);
    pending_.clear();
    if (utf8.empty()) return;
    pugi::xml_node t = run_.append_child("w:t");
    // Without it, readers may collapse or trim the chart's spaces.
    t.append_attribute("xml:space").set_value("preserve");
    t.append_child(pugi::node_pcdata).set_value(utf8.data(), utf8.size());
  }

 private:
  pugi::xml_node run_;
  std::u16string pending_;
};

void AppendTopBorder(pugi::xml_node pPr, const embedded::BorderFormat& border) {
  const std::string_view style = BorderStyleName(WordNumber(border.lineStyle));
  if (style.empty()) return;
  pugi::xml_node top = pPr.append_child("w:pBdr").append_child("w:top");
  SetAttribute(top, "w:val", style);
  SetAttribute(top, "w:sz", std::max<std::int64_t>(0, border.lineWidth));
  SetAttribute(top, "w:space", std::int64_t{1});
  SetAttribute(top, "w:color", ColorHex(border.color));
}

void AppendParagraph(pugi::xml_node parent, const embedded::Paragraph& paragraph) {
  pugi::xml_node p = parent.append_child("w:p");
  pugi::xml_node pPr = p.append_child("w:pPr");
  AppendTopBorder(pPr, paragraph.format.topBorder);
  if (paragraph.format.alignment != embedded::Alignment::Left) {
    SetAttribute(pPr.append_child("w:jc"), "w:val",
                 JustificationName(WordNumber(paragraph.format.alignment)));
  }
  AppendRunProperties(pPr, paragraph.markFormat, kBaseFormat.bold);

  // Runs of equal formatting share one w:r, whatever the model handed over.
  const std::vector<embedded::Run>& runs = paragraph.runs;
  for (std::size_t i = 0; i < runs.size();) {
    pugi::xml_node r = p.append_child("w:r");
    AppendRunProperties(r, runs[i].format, kBaseFormat.bold);
    RunTextWriter text(r);
    std::size_t j = i;
    for (; j < runs.size() && runs[j].format == runs[i].format; ++j) text.Append(runs[j].text);
    text.Flush();
    i = j;
  }
}

}  // namespace

void AppendRunProperties(pugi::xml_node parent, const embedded::CharFormat& format,
                         bool inheritedBold) {
  pugi::xml_node rPr = parent.append_child("w:rPr");
  const std::string font = XmlSafeUtf8(format.font);
  pugi::xml_node fonts = rPr.append_child("w:rFonts");
  for (const char* slot : {"w:ascii", "w:hAnsi", "w:eastAsia", "w:cs"})
    SetAttribute(fonts, slot, font);
  if (format.bold != inheritedBold) {
    pugi::xml_node b = rPr.append_child("w:b");
    pugi::xml_node bCs = rPr.append_child("w:bCs");
    if (!format.bold) {
      SetAttribute(b, "w:val", "0");
      SetAttribute(bCs, "w:val", "0");
    }
  }
  const std::int64_t size = HalfPoints(format.size);
  SetAttribute(rPr.append_child("w:sz"), "w:val", size);
  SetAttribute(rPr.append_child("w:szCs"), "w:val", size);
}

void AppendStory(pugi::xml_node parent, const embedded::Story& story) {
  if (story.empty()) {
    AppendParagraph(parent, embedded::Paragraph{});
    return;
  }
  for (const embedded::Paragraph& paragraph : story) AppendParagraph(parent, paragraph);
}

}  // namespace quorvane::word::docx
