#ifndef QUORVANE_WORD_RECORDING_H_
#define QUORVANE_WORD_RECORDING_H_

// A wrapper that records every automation operation as one trace line, so
// that a run can be compared with an expected one, and that can make the Nth
// operation fail to exercise the callers' failure handling.
//
//   create progid "Word.Application"
//   get Borders(I4 -1)
//   put TopMargin = R4 21.6
//   call EndKey(Extend:=I4 1, Unit:=I4 5)

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "word/automation.h"
#include "word/object_factory.h"

namespace quorvane::word {

// One value as the trace writes it: "I4 5", "R4 21.6", "BSTR \"a\\tb\"",
// "EMPTY", "DISPATCH". Numbers are the shortest text that reads back to the
// same value.
std::string FormatValue(const Value& value);

// A text as a quoted trace literal: backslash and quote escaped, CR, LF, form
// feed and tab as \r \n \f \t, other control characters as \xHH, the rest
// as UTF-8.
std::string QuoteText(std::u16string_view text);

// "(I4 1, Unit:=I4 5)", or nothing when there are no arguments.
std::string FormatArgs(std::span<const Arg> args);

// Shared by every object it wraps, so hold it by std::shared_ptr (Wrap
// throws std::bad_weak_ptr otherwise). Operations are counted from 1 across
// the whole tree of objects, creations included.
class Recorder : public std::enable_shared_from_this<Recorder> {
 public:
  using LineSink = std::function<void(std::string_view)>;

  // `sink`, when set, sees each line as it is recorded (a live trace).
  explicit Recorder(LineSink sink = {}) : sink_(std::move(sink)) {}

  // A recording object around `object`; objects it hands out are wrapped too.
  // Null stays null, and an object this recorder already wraps is returned as
  // it is.
  DispatchPtr Wrap(DispatchPtr object);

  // The nth operation is recorded but then throws AutomationError(description)
  // instead of reaching the object or the factory.
  void FailOperation(int n, std::string description);

  const std::vector<std::string>& Lines() const { return lines_; }
  int OperationCount() const { return count_; }

 private:
  class Wrapper;
  friend class RecordingFactory;

  // Counts and records one operation; throws when it is set to fail.
  void Attempt(std::string line);
  Value WrapResult(Value value);
  // Our own wrappers passed back in reach the inner object as what it handed out.
  Value Unwrap(const Value& value) const;
  std::span<const Arg> Unwrap(std::span<const Arg> args, std::vector<Arg>& storage) const;

  LineSink sink_;
  std::vector<std::string> lines_;
  int count_ = 0;
  std::map<int, std::string> failures_;
};

// A factory that records its creations and wraps what it creates.
class RecordingFactory final : public ObjectFactory {
 public:
  // `inner` must outlive this factory.
  RecordingFactory(ObjectFactory& inner, std::shared_ptr<Recorder> recorder)
      : inner_(inner), recorder_(std::move(recorder)) {}

  DispatchPtr CreateByClass(std::string_view classId, std::string_view interfaceId) override;
  DispatchPtr CreateByProgId(std::string_view progId) override;

 private:
  ObjectFactory& inner_;
  std::shared_ptr<Recorder> recorder_;
};

}  // namespace quorvane::word

#endif  // QUORVANE_WORD_RECORDING_H_
