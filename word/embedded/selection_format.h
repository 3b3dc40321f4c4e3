#ifndef QUORVANE_WORD_EMBEDDED_SELECTION_FORMAT_H_
#define QUORVANE_WORD_EMBEDDED_SELECTION_FORMAT_H_

// Character and paragraph formatting through the selection, with Word's
// rules: on a selection the change applies to every character in it (marks
// included); on an insertion point it becomes the formatting of the next
// text typed there, and in an empty paragraph it reaches the mark at once.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "word/embedded/document_state.h"

namespace quorvane::word::embedded {

enum class BoldChange { Off, On, Toggle };

void SetSelectedFont(DocumentState& doc, std::u16string_view name);
void SetSelectedSize(DocumentState& doc, float size);
// Toggling a selection turns bold off when every character is bold, else on.
void SetSelectedBold(DocumentState& doc, BoldChange change);

// Empty when the selection mixes values; an insertion point reports what
// the next text typed there would get.
std::optional<std::u16string> SelectedFont(const DocumentState& doc);
std::optional<float> SelectedSize(const DocumentState& doc);
std::optional<bool> SelectedBold(const DocumentState& doc);

// One number of the paragraph format as automation reads and writes it, e.g.
// the alignment or a field of the top border.
struct ParagraphField {
  std::int32_t (*get)(const ParagraphFormat&);
  void (*set)(ParagraphFormat&, std::int32_t);
};

// Sets the field on every paragraph the selection touches.
void SetSelectedParagraphs(DocumentState& doc, ParagraphField field, std::int32_t value);
// Empty when those paragraphs differ.
std::optional<std::int32_t> SelectedParagraphsValue(DocumentState& doc, ParagraphField field);

}  // namespace quorvane::word::embedded

#endif  // QUORVANE_WORD_EMBEDDED_SELECTION_FORMAT_H_
