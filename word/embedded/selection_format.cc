#include "word/embedded/selection_format.h"

namespace quorvane::word::embedded {
namespace {

// Applies one character-format change, given both as a change of a format
// (for the insertion point) and as a change of a stretch of the story.
template <typename ChangeFormat, typename ChangeStory>
void Apply(DocumentState& doc, ChangeFormat changeFormat, ChangeStory changeStory) {
  SelectionState& sel = doc.selection;
  EditableStory& story = doc.selectedStory();
  const TextRange r = sel.range();
  if (!r.collapsed()) {
    changeStory(story, r);
    return;
  }
  CharFormat format = sel.insertionFormat.value_or(story.FormatForInsertionAt(r.start));
  changeFormat(format);
  sel.insertionFormat = format;
  const TextRange paragraph = story.ParagraphAt(r.start);
  if (paragraph.collapsed()) changeStory(story, TextRange{paragraph.end, paragraph.end + 1});
}

CharFormat InsertionFormat(const DocumentState& doc) {
  const SelectionState& sel = doc.selection;
  return sel.insertionFormat.value_or(doc.story(sel.story).FormatForInsertionAt(sel.range().start));
}

}  // namespace

void SetSelectedFont(DocumentState& doc, std::u16string_view name) {
  Apply(
      doc, [name](CharFormat& f) { f.font = name; },
      [name](EditableStory& s, TextRange r) { s.SetFont(r, name); });
}

void SetSelectedSize(DocumentState& doc, float size) {
  Apply(
      doc, [size](CharFormat& f) { f.size = size; },
      [size](EditableStory& s, TextRange r) { s.SetSize(r, size); });
}

void SetSelectedBold(DocumentState& doc, BoldChange change) {
  bool bold = change == BoldChange::On;
  if (change == BoldChange::Toggle) bold = SelectedBold(doc) != true;
  Apply(
      doc, [bold](CharFormat& f) { f.bold = bold; },
      [bold](EditableStory& s, TextRange r) { s.SetBold(r, bold); });
}

std::optional<std::u16string> SelectedFont(const DocumentState& doc) {
  const TextRange r = doc.selection.range();
  if (r.collapsed()) return InsertionFormat(doc).font;
  return doc.story(doc.selection.story).UniformFont(r);
}

std::optional<float> SelectedSize(const DocumentState& doc) {
  const TextRange r = doc.selection.range();
  if (r.collapsed()) return InsertionFormat(doc).size;
  return doc.story(doc.selection.story).UniformSize(r);
}

std::optional<bool> SelectedBold(const DocumentState& doc) {
  const TextRange r = doc.selection.range();
  if (r.collapsed()) return InsertionFormat(doc).bold;
  return doc.story(doc.selection.story).UniformBold(r);
}

void SetSelectedParagraphs(DocumentState& doc, ParagraphField field, std::int32_t value) {
  EditableStory& story = doc.selectedStory();
  const auto [first, last] = story.ParagraphsTouched(doc.selection.range());
  for (std::size_t i = first; i <= last; ++i) field.set(story.paragraphFormat(i), value);
}

std::optional<std::int32_t> SelectedParagraphsValue(DocumentState& doc, ParagraphField field) {
  EditableStory& story = doc.selectedStory();
  const auto [first, last] = story.ParagraphsTouched(doc.selection.range());
  const std::int32_t value = field.get(story.paragraphFormat(first));
  for (std::size_t i = first + 1; i <= last; ++i) {
    if (field.get(story.paragraphFormat(i)) != value) return std::nullopt;
  }
  return value;
}

}  // namespace quorvane::word::embedded
