#ifndef QUORVANE_WORD_EMBEDDED_WORD_APPLICATION_H_
#define QUORVANE_WORD_EMBEDDED_WORD_APPLICATION_H_

// The embedded word processor: an in-process application object with the
// members of Word's object model that the chart procedures use.

#include <memory>

#include "word/automation.h"
#include "word/embedded/document.h"
#include "word/object_factory.h"

namespace quorvane::word::embedded {

// Receives the active document when the application is made visible: where a
// document reaches the user. Throwing refuses the put of Visible.
class DocumentPresenter {
 public:
  virtual ~DocumentPresenter() = default;
  virtual void Present(const Document& document) = 0;
};

// A new application object, hidden, with no document open.
DispatchPtr CreateWordApplication(std::shared_ptr<DocumentPresenter> presenter);

// Registers the embedded word processor under Word's ProgID and class.
void RegisterWordApplication(ClassRegistry& registry, std::shared_ptr<DocumentPresenter> presenter);

}  // namespace quorvane::word::embedded

#endif  // QUORVANE_WORD_EMBEDDED_WORD_APPLICATION_H_
