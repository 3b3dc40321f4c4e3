#include "tests/support/recorders.h"

namespace quorvane::test_support {

std::string NthTextPut(const std::vector<std::string>& lines, int n) {
  static constexpr std::string_view kPrefix = "put Text = BSTR ";
  for (const auto& line : lines) {
    if (line.starts_with(kPrefix) && n-- == 0) return line.substr(kPrefix.size());
  }
  return "<no Text put>";
}

}  // namespace quorvane::test_support
