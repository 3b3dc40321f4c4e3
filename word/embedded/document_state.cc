#include "word/embedded/document_state.h"

#include <utility>

#include "word/automation.h"

namespace quorvane::word::embedded {

EditableStory& DocumentState::story(StoryKind kind) {
  return const_cast<EditableStory&>(std::as_const(*this).story(kind));
}

const EditableStory& DocumentState::story(StoryKind kind) const {
  switch (kind) {
    case StoryKind::Header:
      return header;
    case StoryKind::Footer:
      return footer;
    case StoryKind::Main:
      break;
  }
  return main;
}

Document DocumentState::Snapshot() const {
  return Document{main.Snapshot(), header.Snapshot(), footer.Snapshot(), pageSetup};
}

const std::shared_ptr<DocumentState>& ApplicationState::RequireDocument() const {
  if (documents.empty()) {
    throw AutomationError("This command is not available because no document is open.");
  }
  return documents.back();
}

}  // namespace quorvane::word::embedded
