#include "app/box_reporter.h"

#include "app/error_report.h"
#include "base/utf.h"

namespace quorvane::app {

void BoxReporter::ReportFailure(std::string_view description, std::string_view location, int line) {
  boxes_.Show(base::FromUtf8(ErrorReportText(description, location, line)),
              base::FromUtf8(kErrorReportTitle), kStyleWarning);
}

}  // namespace quorvane::app
