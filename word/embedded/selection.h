#ifndef QUORVANE_WORD_EMBEDDED_SELECTION_H_
#define QUORVANE_WORD_EMBEDDED_SELECTION_H_

// How the selection moves and how text put through it changes the story.

#include <cstddef>
#include <string_view>

#include "word/embedded/document_state.h"

namespace quorvane::word::embedded {

enum class MoveUnit { Line, WholeStory };  // a line is taken as the whole paragraph
enum class MoveMode { Move, Extend };
enum class CollapseTo { Start, End };

void SelectWholeStory(DocumentState& doc);  // the final paragraph mark included
void Collapse(DocumentState& doc, CollapseTo to);
// HomeKey and EndKey; each returns how many characters the active end moved.
std::size_t MoveHome(DocumentState& doc, MoveUnit unit, MoveMode mode);
std::size_t MoveEnd(DocumentState& doc, MoveUnit unit, MoveMode mode);
// Puts an insertion point at the start of `kind`, unless the selection is
// already in that story.
void SeekStory(DocumentState& doc, StoryKind kind);

// Replaces the selection with `input` (raw text, see ToStoryText) in the
// formatting at the insertion point; the selection then covers the new text.
void TypeText(DocumentState& doc, std::u16string_view input);
// Replaces the whole text of a story, keeping the formatting of its start. A
// selection in that story stretches over the new text.
void ReplaceStoryText(DocumentState& doc, StoryKind kind, std::u16string_view input);

}  // namespace quorvane::word::embedded

#endif  // QUORVANE_WORD_EMBEDDED_SELECTION_H_
