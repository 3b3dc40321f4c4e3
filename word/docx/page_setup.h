#ifndef QUORVANE_WORD_DOCX_PAGE_SETUP_H_
#define QUORVANE_WORD_DOCX_PAGE_SETUP_H_

// The page setup in WordprocessingML. Word keeps part of it in the section
// (w:sectPr) and part in the document settings (w:settings).

#include <string_view>

#include <pugixml.hpp>

#include "word/embedded/document.h"

namespace quorvane::word::docx {

// Appends w:sectPr with the header and footer references and every section
// property of `setup`, in the order the schema requires.
void AppendSectionProperties(pugi::xml_node parent, const embedded::PageSetup& setup,
                             std::string_view headerRelationshipId,
                             std::string_view footerRelationshipId);

// Fills w:settings: the document-wide page options of `setup` and the fixed
// settings around them, in the order the schema requires.
void AppendSettings(pugi::xml_node settings, const embedded::PageSetup& setup);

}  // namespace quorvane::word::docx

#endif  // QUORVANE_WORD_DOCX_PAGE_SETUP_H_
