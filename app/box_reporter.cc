#include "app/box_reporter.h"

#include "app/error_report.h"

namespace quorvane::app {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void BoxReporter::ReportFailure(std::string_view description, std::string_view location, int line) {
  boxes_.Show(FromUtf8(ErrorReportText(description, location, line)), FromUtf8(kErrorReportTitle),
              kStyleWarning);
}

}  // namespace quorvane::app
