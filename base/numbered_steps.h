#ifndef QUORVANE_BASE_NUMBERED_STEPS_H_
#define QUORVANE_BASE_NUMBERED_STEPS_H_

// Procedures whose statements carry line numbers report a failing statement
// with its number and go on with the next one. This is that mechanism, shared
// by the chart build and the main window.

#include <exception>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <utility>

namespace quorvane::base {

// Shows one failure to the user: a message box in the window program, standard
// error in the command-line tool, a list in tests.
class FailureReporter {
 public:
  virtual ~FailureReporter() = default;
  // `location` is the procedure's location text, ending with a space.
  virtual void ReportFailure(std::string_view description, std::string_view location, int line) = 0;
};

// The location text of a reporting procedure, as its reports name it: where
// the procedure stands in the original project ("Form1.Form_Load"), then a
// space.
inline std::string ProcedureLocation(std::string_view procedure) {
  return "in Vellomir2021/08/31." + std::string(procedure) + " ";
}

class NumberedSteps {
 public:
  // Called before each statement with its line number; throwing from it makes
  // that statement fail. Lets tests reach statements that cannot fail on cue.
  using FaultHook = std::function<void(int line)>;

  NumberedSteps(FailureReporter& reporter, std::string location, FaultHook hook = {})
      : reporter_(reporter), location_(std::move(location)), hook_(std::move(hook)) {}

  // Runs one statement. Returns false if it failed; the failure is reported.
  template <typename F>
  bool Run(int line, F&& statement) {
    try {
      if (hook_) hook_(line);
      std::forward<F>(statement)();
      return true;
    } catch (...) {
      Report(line, std::current_exception());
      return false;
    }
  }

  // The test of a conditional. A test that fails is reported and then counts
  // as held: execution goes on with the first statement of the body.
  template <typename F>
  bool Test(int line, F&& condition) {
    bool held = true;
    Run(line, [&] { held = static_cast<bool>(std::forward<F>(condition)()); });
    return held;
  }

 private:
  void Report(int line, std::exception_ptr failure) {
    reporter_.ReportFailure(Describe(failure), location_, line);
  }
  static std::string Describe(std::exception_ptr failure) {
    try {
      std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
      return "Out of memory";
    } catch (const std::exception& e) {
      return e.what();
    } catch (...) {
      return "Unknown failure";
    }
  }

  FailureReporter& reporter_;
  std::string location_;
  FaultHook hook_;
};

}  // namespace quorvane::base

#endif  // QUORVANE_BASE_NUMBERED_STEPS_H_
