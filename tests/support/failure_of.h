#ifndef QUORVANE_TESTS_SUPPORT_FAILURE_OF_H_
#define QUORVANE_TESTS_SUPPORT_FAILURE_OF_H_

#include <string>

#include "word/automation.h"

namespace quorvane::test_support {

// The description of the AutomationError that `f` throws, or "(no failure)".
template <typename F>
std::string FailureOf(F&& f) {
  try {
    f();
  } catch (const word::AutomationError& e) {
    return e.what();
  }
  return "(no failure)";
}

}  // namespace quorvane::test_support

#endif  // QUORVANE_TESTS_SUPPORT_FAILURE_OF_H_
