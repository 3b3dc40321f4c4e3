#ifndef QUORVANE_TESTS_SUPPORT_EXPECTED_TRACE_H_
#define QUORVANE_TESTS_SUPPORT_EXPECTED_TRACE_H_

// The Word operations of one chart document creation, written out by hand from
// the document procedures' step lists, for comparison with a recorded trace.

#include <string>
#include <vector>

namespace quorvane::test_support {

struct ExpectedCreation {
  bool portrait = true;
  std::string chartText;   // as the trace quotes it, without the quotes
  std::string footerText;  // likewise
};

std::vector<std::string> ExpectedTrace(const ExpectedCreation& creation);

}  // namespace quorvane::test_support

#endif  // QUORVANE_TESTS_SUPPORT_EXPECTED_TRACE_H_
