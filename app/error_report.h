#ifndef QUORVANE_APP_ERROR_REPORT_H_
#define QUORVANE_APP_ERROR_REPORT_H_

// The common report of a failed numbered statement.

#include <string>
#include <string_view>

namespace quorvane::app {

// The maker's addresses, in one place.
inline constexpr std::string_view kSupportAddress = "support@quorvane.example";
inline constexpr std::string_view kWebSiteAddress = "https://www.quorvane.example/";

inline constexpr std::string_view kErrorReportTitle = "Application Error";

// The message exactly as the report box shows it: the description, CR LF, the
// location, "at line " and the number, two bare CRs, then the request to send
// a screenshot to the support address.
std::string ErrorReportText(std::string_view description, std::string_view location, int line);

// The same failure for a terminal, where bare CRs would overwrite each other:
// "<description>" and "  (in <procedure> at line N)" on two lines, each ending in LF.
std::string TerminalReportText(std::string_view description, std::string_view location, int line);

}  // namespace quorvane::app

#endif  // QUORVANE_APP_ERROR_REPORT_H_
