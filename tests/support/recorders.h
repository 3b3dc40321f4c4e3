#ifndef QUORVANE_TESTS_SUPPORT_RECORDERS_H_
#define QUORVANE_TESTS_SUPPORT_RECORDERS_H_

// Test stand-ins for what leaves the process: the failure report and the
// presenter that a document reaches.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/numbered_steps.h"
#include "word/embedded/document.h"
#include "word/embedded/word_application.h"
#include "word/object_factory.h"
#include "word/recording.h"

namespace quorvane::test_support {

struct Report {
  std::string description;
  std::string location;
  int line = 0;
};

class RecordingReporter final : public base::FailureReporter {
 public:
  void ReportFailure(std::string_view description, std::string_view location, int line) override {
    reports.push_back({std::string(description), std::string(location), line});
  }
  std::vector<Report> reports;
};

class CollectingPresenter final : public word::embedded::DocumentPresenter {
 public:
  void Present(const word::embedded::Document& document) override { documents.push_back(document); }
  std::vector<word::embedded::Document> documents;
};

// The embedded word processor under Word's names, every operation recorded.
struct RecordedWord {
  RecordedWord() { word::embedded::RegisterWordApplication(registry, presenter); }

  std::shared_ptr<CollectingPresenter> presenter = std::make_shared<CollectingPresenter>();
  word::ClassRegistry registry;
  std::shared_ptr<word::Recorder> recorder = std::make_shared<word::Recorder>();
  word::RecordingFactory factory{registry, recorder};
};

// The quoted text of the nth Text put of a recorded creation: 0 the body, 1 the
// header, 2 the footer.
std::string NthTextPut(const std::vector<std::string>& lines, int n);

}  // namespace quorvane::test_support

#endif  // QUORVANE_TESTS_SUPPORT_RECORDERS_H_
