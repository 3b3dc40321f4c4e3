#include "app/box_reporter.h"

#include "app/error_report.h"
#include "word/utf.h"

namespace quorvane::app {

void BoxReporter::ReportFailure(std::string_view description, std::string_view location, int line) {
  boxes_.Show(word::FromUtf8(ErrorReportText(description, location, line)),
              word::FromUtf8(kErrorReportTitle), kStyleWarning);
}

}  // namespace quorvane::app
