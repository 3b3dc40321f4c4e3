#ifndef QUORVANE_TESTS_WORD_EMBEDDED_ENGINE_TEST_SUPPORT_H_
#define QUORVANE_TESTS_WORD_EMBEDDED_ENGINE_TEST_SUPPORT_H_

// Drives the embedded word processor through the automation interface, as
// the document procedures do, and reads the result back from the presenter.

#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "word/automation.h"
#include "word/embedded/document.h"
#include "word/embedded/word_application.h"

namespace quorvane::word::embedded::test_support {

class CapturingPresenter final : public DocumentPresenter {
 public:
  void Present(const Document& document) override {
    if (outOfMemory) throw std::bad_alloc();
    if (failure) throw std::runtime_error(*failure);
    shown.push_back(document);
  }
  std::vector<Document> shown;
  std::optional<std::string> failure;
  bool outOfMemory = false;
};

struct Engine {
  std::shared_ptr<CapturingPresenter> presenter = std::make_shared<CapturingPresenter>();
  Object app{CreateWordApplication(presenter)};

  Object AddDocument() const { return Object(app.Get("Documents").Call("add")); }
  Object Selection() const { return app.Get("Selection"); }
  // The active document as the presenter receives it.
  Document Shown() const {
    app.Put("Visible", Bool(true));
    return presenter->shown.back();
  }
};

// An engine with one new document open.
struct EngineWithDocument : Engine {
  Object document = AddDocument();
  Object selection = Selection();
  void Type(std::u16string text) const { selection.Put("Text", Bstr(std::move(text))); }
  std::int32_t Start() const { return selection.GetValue("Start").i4(); }
  std::int32_t End() const { return selection.GetValue("End").i4(); }
};

// A story's text with a U+000D mark ending each paragraph.
inline std::u16string TextOf(const Story& story) {
  std::u16string text;
  for (const Paragraph& p : story) {
    for (const Run& r : p.runs) text += r.text;
    text += u'\r';
  }
  return text;
}

inline const CharFormat kDefaultFormat{};

// Inside a test body `Run` names the test's own member function.
using Runs = std::vector<Run>;

}  // namespace quorvane::word::embedded::test_support

#endif  // QUORVANE_TESTS_WORD_EMBEDDED_ENGINE_TEST_SUPPORT_H_
