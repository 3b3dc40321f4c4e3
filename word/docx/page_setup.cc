#include "word/docx/page_setup.h"

#include <algorithm>
#include <cstdint>

#include "word/docx/values.h"
#include "word/docx/xml.h"

namespace quorvane::word::docx {
namespace {

// Most page measures are unsigned in the schema; only the top and bottom
// margins may be negative.
std::int64_t UnsignedTwips(float points) {
  return std::max<std::int64_t>(0, Twips(points));
}

void AppendReference(pugi::xml_node sectPr, const char* name, std::string_view id) {
  pugi::xml_node reference = sectPr.append_child(name);
  SetAttribute(reference, "w:type", "default");
  SetAttribute(reference, "r:id", id);
}

void AppendFlag(pugi::xml_node parent, const char* name, bool on) {
  if (on) parent.append_child(name);
}

}  // namespace

void AppendSectionProperties(pugi::xml_node parent, const embedded::PageSetup& setup,
                             std::string_view headerRelationshipId,
                             std::string_view footerRelationshipId) {
  pugi::xml_node sectPr = parent.append_child("w:sectPr");
  AppendReference(sectPr, "w:headerReference", headerRelationshipId);
  AppendReference(sectPr, "w:footerReference", footerRelationshipId);

  SetAttribute(sectPr.append_child("w:type"), "w:val",
               SectionStartName(WordNumber(setup.sectionStart)));

  pugi::xml_node pgSz = sectPr.append_child("w:pgSz");
  SetAttribute(pgSz, "w:w", UnsignedTwips(setup.pageWidth));
  SetAttribute(pgSz, "w:h", UnsignedTwips(setup.pageHeight));
  if (setup.orientation == embedded::Orientation::Landscape)
    SetAttribute(pgSz, "w:orient", "landscape");

  pugi::xml_node pgMar = sectPr.append_child("w:pgMar");
  SetAttribute(pgMar, "w:top", Twips(setup.topMargin));
  SetAttribute(pgMar, "w:right", UnsignedTwips(setup.rightMargin));
  SetAttribute(pgMar, "w:bottom", Twips(setup.bottomMargin));
  SetAttribute(pgMar, "w:left", UnsignedTwips(setup.leftMargin));
  SetAttribute(pgMar, "w:header", UnsignedTwips(setup.headerDistance));
  SetAttribute(pgMar, "w:footer", UnsignedTwips(setup.footerDistance));
  SetAttribute(pgMar, "w:gutter", UnsignedTwips(setup.gutter));

  // 0 is the printer's default bin for both, which is also what an absent
  // element means.
  if (setup.firstPageTray != wdPrinterDefaultBin || setup.otherPagesTray != wdPrinterDefaultBin) {
    pugi::xml_node paperSrc = sectPr.append_child("w:paperSrc");
    SetAttribute(paperSrc, "w:first", setup.firstPageTray);
    SetAttribute(paperSrc, "w:other", setup.otherPagesTray);
  }

  // Every line numbered, restarting on each page (the default), as Word
  // numbers when line numbering is simply switched on.
  if (setup.lineNumbering) {
    SetAttribute(sectPr.append_child("w:lnNumType"), "w:countBy", std::int64_t{1});
  }

  SetAttribute(sectPr.append_child("w:vAlign"), "w:val",
               VerticalAlignmentName(WordNumber(setup.verticalAlignment)));
  AppendFlag(sectPr, "w:noEndnote", setup.suppressEndnotes);
  AppendFlag(sectPr, "w:titlePg", setup.differentFirstPageHeaderFooter);
  AppendFlag(sectPr, "w:rtlGutter", setup.gutterPos == embedded::GutterPos::Right);
}

void AppendSettings(pugi::xml_node settings, const embedded::PageSetup& setup) {
  AppendFlag(settings, "w:mirrorMargins", setup.mirrorMargins);
  AppendFlag(settings, "w:gutterAtTop", setup.gutterPos == embedded::GutterPos::Top);
  SetAttribute(settings.append_child("w:defaultTabStop"), "w:val", std::int64_t{720});
  AppendFlag(settings, "w:evenAndOddHeaders", setup.oddAndEvenPagesHeaderFooter);
  SetAttribute(settings.append_child("w:characterSpacingControl"), "w:val", "doNotCompress");
  AppendFlag(settings, "w:printTwoOnOne", setup.twoPagesOnOne);
  // Without it Word opens the document in compatibility mode.
  pugi::xml_node compat = settings.append_child("w:compat").append_child("w:compatSetting");
  SetAttribute(compat, "w:name", "compatibilityMode");
  SetAttribute(compat, "w:uri", "http://schemas.microsoft.com/office/word");
  SetAttribute(compat, "w:val", "15");
}

}  // namespace quorvane::word::docx
