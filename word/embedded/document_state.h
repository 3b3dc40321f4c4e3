#ifndef QUORVANE_WORD_EMBEDDED_DOCUMENT_STATE_H_
#define QUORVANE_WORD_EMBEDDED_DOCUMENT_STATE_H_

// The live state behind the automation objects. The application state owns
// its documents; automation objects hold shared pointers into this state and
// the state never points back at them, so no ownership cycle can form.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "word/embedded/document.h"
#include "word/embedded/story.h"

namespace quorvane::word::embedded {

class DocumentPresenter;

enum class StoryKind : std::uint8_t { Main, Header, Footer };

// The selection of a document's window: a stretch of one story, from the
// anchor (where it was started) to the active end (what HomeKey and EndKey
// move when extending).
struct SelectionState {
  StoryKind story = StoryKind::Main;
  std::size_t anchor = 0;
  std::size_t active = 0;
  // Formatting put on an insertion point, for the next text typed there. It
  // lapses when the insertion point moves or the text changes.
  std::optional<CharFormat> insertionFormat;

  TextRange range() const {
    return anchor <= active ? TextRange{anchor, active} : TextRange{active, anchor};
  }
};

struct DocumentState {
  EditableStory main;
  EditableStory header;
  EditableStory footer;
  PageSetup pageSetup;
  SelectionState selection;
  std::int32_t viewType = wdPrintView;  // WdViewType
  bool discarded = false;               // closed; its objects refuse every access

  EditableStory& story(StoryKind kind);
  const EditableStory& story(StoryKind kind) const;
  EditableStory& selectedStory() { return story(selection.story); }

  Document Snapshot() const;
};

struct DefaultBorder {
  LineStyle lineStyle = LineStyle::Single;
  std::int32_t lineWidth = wdLineWidth050pt;
  std::int32_t color = wdColorAutomatic;
};

struct ApplicationState {
  std::shared_ptr<DocumentPresenter> presenter;
  std::vector<std::shared_ptr<DocumentState>> documents;  // the last one is active
  DefaultBorder defaultBorder;
  bool visible = false;
  bool quit = false;

  // The active document; throws Word's refusal when no document is open.
  const std::shared_ptr<DocumentState>& RequireDocument() const;
};

}  // namespace quorvane::word::embedded

#endif  // QUORVANE_WORD_EMBEDDED_DOCUMENT_STATE_H_
