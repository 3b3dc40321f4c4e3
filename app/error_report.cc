#include "app/error_report.h"

namespace quorvane::app {

std::string ErrorReportText(std::string_view description, std::string_view location, int line) {
  std::string text(description);
  text += "\r\n";
  text += location;
  text += "at line ";
  text += std::to_string(line);
  text += "\r\r";
  text += "Please email screenshot of this message to ";
  text += kSupportAddress;
  return text;
}

std::string TerminalReportText(std::string_view description, std::string_view location, int line) {
  std::string_view where = location;
  if (where.starts_with("in ")) where.remove_prefix(3);
  while (where.ends_with(' ')) where.remove_suffix(1);
  std::string text(description);
  text += "\n  (in ";
  text += where;
  text += " at line ";
  text += std::to_string(line);
  text += ")\n";
  return text;
}

}  // namespace quorvane::app
