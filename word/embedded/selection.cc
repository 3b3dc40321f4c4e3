#include "word/embedded/selection.h"

#include <algorithm>

#include "word/embedded/text_input.h"

namespace quorvane::word::embedded {
namespace {

void Select(DocumentState& doc, StoryKind kind, std::size_t anchor, std::size_t active) {
  SelectionState& sel = doc.selection;
  const bool samePoint =
      sel.story == kind && sel.anchor == sel.active && anchor == active && active == sel.active;
  if (!samePoint) sel.insertionFormat.reset();
  sel.story = kind;
  sel.anchor = anchor;
  sel.active = active;
}

std::size_t MoveActive(DocumentState& doc, std::size_t to, MoveMode mode) {
  SelectionState& sel = doc.selection;
  const std::size_t moved = sel.active > to ? sel.active - to : to - sel.active;
  Select(doc, sel.story, mode == MoveMode::Extend ? sel.anchor : to, to);
  return moved;
}

}  // namespace

void SelectWholeStory(DocumentState& doc) {
  Select(doc, doc.selection.story, 0, doc.selectedStory().size());
}

void Collapse(DocumentState& doc, CollapseTo to) {
  const TextRange r = doc.selection.range();
  // An insertion point cannot stand after the final paragraph mark.
  const std::size_t pos =
      to == CollapseTo::Start ? r.start : std::min(r.end, doc.selectedStory().lastInsertionPoint());
  Select(doc, doc.selection.story, pos, pos);
}

std::size_t MoveHome(DocumentState& doc, MoveUnit unit, MoveMode mode) {
  const SelectionState& sel = doc.selection;
  const std::size_t from = mode == MoveMode::Extend ? sel.active : sel.range().start;
  const std::size_t to =
      unit == MoveUnit::WholeStory ? 0 : doc.selectedStory().ParagraphAt(from).start;
  return MoveActive(doc, to, mode);
}

std::size_t MoveEnd(DocumentState& doc, MoveUnit unit, MoveMode mode) {
  const SelectionState& sel = doc.selection;
  const TextRange r = sel.range();
  // A selection ending with a mark ends in that mark's paragraph.
  const std::size_t from =
      mode == MoveMode::Extend ? sel.active : (r.collapsed() ? r.end : r.end - 1);
  const EditableStory& story = doc.selectedStory();
  const std::size_t to =
      unit == MoveUnit::WholeStory ? story.lastInsertionPoint() : story.ParagraphAt(from).end;
  return MoveActive(doc, to, mode);
}

void SeekStory(DocumentState& doc, StoryKind kind) {
  if (doc.selection.story != kind) Select(doc, kind, 0, 0);
}

void TypeText(DocumentState& doc, std::u16string_view input) {
  SelectionState& sel = doc.selection;
  EditableStory& story = doc.selectedStory();
  const TextRange r = sel.range();
  // Typing over a selection takes the formatting of its first character.
  const CharFormat format = r.collapsed()
                                ? sel.insertionFormat.value_or(story.FormatForInsertionAt(r.start))
                                : story.FormatOf(r.start);
  const TextRange inserted = story.Replace(r, ToStoryText(input), format);
  sel.anchor = inserted.start;
  sel.active = inserted.end;
  sel.insertionFormat.reset();
}

void ReplaceStoryText(DocumentState& doc, StoryKind kind, std::u16string_view input) {
  EditableStory& story = doc.story(kind);
  const TextRange old{0, story.lastInsertionPoint()};
  const TextRange inserted = story.Replace(old, ToStoryText(input), story.FormatOf(0));
  SelectionState& sel = doc.selection;
  if (sel.story != kind) return;

  // Positions inside the replaced text stretch to cover the new text; those
  // after it (only ever the final mark's end) move with it.
  const auto map = [&](std::size_t pos, bool isEnd) {
    if (pos > old.end) return pos - old.end + inserted.end;
    return isEnd ? inserted.end : inserted.start;
  };
  const TextRange r = sel.range();
  sel.anchor = map(r.start, false);
  sel.active = map(r.end, true);
  sel.insertionFormat.reset();
}

}  // namespace quorvane::word::embedded
