#ifndef QUORVANE_WORD_EMBEDDED_OBJECTS_H_
#define QUORVANE_WORD_EMBEDDED_OBJECTS_H_

// The automation objects of the engine, as the application hands them out.
// Each holds a shared pointer to the state it works on, never the reverse.

#include <memory>

#include "word/automation.h"
#include "word/embedded/document_state.h"

namespace quorvane::word::embedded {

// Base of the objects that work on one document. Once the document is
// discarded (quit) they refuse every access, as Word's objects do.
class DocumentBound {
 public:
  explicit DocumentBound(std::shared_ptr<DocumentState> doc) : doc_(std::move(doc)) {}
  void CheckAvailable() const;
  DocumentState& doc() const { return *doc_; }
  const std::shared_ptr<DocumentState>& docPtr() const { return doc_; }

 private:
  std::shared_ptr<DocumentState> doc_;
};

DispatchPtr MakeSelectionObject(std::shared_ptr<DocumentState> doc);
DispatchPtr MakeFontObject(std::shared_ptr<DocumentState> doc);
DispatchPtr MakeParagraphFormatObject(std::shared_ptr<DocumentState> doc);
DispatchPtr MakeTopBorderObject(std::shared_ptr<DocumentState> doc);
DispatchPtr MakeHeaderFooterObject(std::shared_ptr<DocumentState> doc, StoryKind kind);
DispatchPtr MakeWindowObject(std::shared_ptr<DocumentState> doc);
DispatchPtr MakePageSetupObject(std::shared_ptr<DocumentState> doc);

}  // namespace quorvane::word::embedded

#endif  // QUORVANE_WORD_EMBEDDED_OBJECTS_H_
