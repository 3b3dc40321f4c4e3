#ifndef QUORVANE_APP_BOX_REPORTER_H_
#define QUORVANE_APP_BOX_REPORTER_H_

#include "app/form1_services.h"
#include "base/numbered_steps.h"

namespace quorvane::app {

// The error report as the window program shows it: a modal "Application
// Error" box with the warning icon.
class BoxReporter final : public base::FailureReporter {
 public:
  explicit BoxReporter(MessageBoxes& boxes) : boxes_(boxes) {}
  void ReportFailure(std::string_view description, std::string_view location, int line) override;

 private:
  MessageBoxes& boxes_;
};

}  // namespace quorvane::app

#endif  // QUORVANE_APP_BOX_REPORTER_H_
