#ifndef QUORVANE_WORD_DOCX_STORY_H_
#define QUORVANE_WORD_DOCX_STORY_H_

// A story of the model as WordprocessingML paragraphs (w:p), shared by the
// main text, the page header and the page footer.

#include <pugixml.hpp>

#include "word/embedded/document.h"

namespace quorvane::word::docx {

// The formatting that the Normal style and the document defaults give, so
// runs only need to state what differs from it.
inline const embedded::CharFormat kBaseFormat{};

// Appends one w:p per paragraph. An empty story still gets one empty
// paragraph, since Word wants at least one in every story.
void AppendStory(pugi::xml_node parent, const embedded::Story& story);

// Appends w:rPr with the fonts and size, and bold where it differs from what
// the run would otherwise inherit.
void AppendRunProperties(pugi::xml_node parent, const embedded::CharFormat& format,
                         bool inheritedBold);

}  // namespace quorvane::word::docx

#endif  // QUORVANE_WORD_DOCX_STORY_H_
