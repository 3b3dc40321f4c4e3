#ifndef QUORVANE_WORD_AUTOMATION_H_
#define QUORVANE_WORD_AUTOMATION_H_

// The late-bound automation interface: objects reached by member name (names
// match without regard to case), values of a few VARIANT kinds, and failures
// as exceptions carrying the description that the error report shows.

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace quorvane::word {

class Dispatch;
using DispatchPtr = std::shared_ptr<Dispatch>;

// A failed automation operation. what() is the description.
class AutomationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class VarKind : std::uint8_t { Empty, I2, I4, R4, R8, Bool, Bstr, R4Ref, Dispatch };

// The text of a kind as the trace writes it: "I2", "BOOL", "R4&", ...
std::string_view KindName(VarKind kind);

class Value {
 public:
  Value() = default;  // empty

  static Value I2(std::int16_t v) { return Value(VarKind::I2, v); }
  static Value I4(std::int32_t v) { return Value(VarKind::I4, v); }
  static Value R4(float v) { return Value(VarKind::R4, v); }
  static Value R8(double v) { return Value(VarKind::R8, v); }
  // True is -1, as in VARIANT_BOOL.
  static Value Bool(bool v) { return Value(VarKind::Bool, static_cast<std::int16_t>(v ? -1 : 0)); }
  static Value Bstr(std::u16string v) { return Value(VarKind::Bstr, std::move(v)); }
  // A single passed by reference; the callee sees its value.
  static Value R4Ref(float v) { return Value(VarKind::R4Ref, v); }
  static Value Object(DispatchPtr v) { return Value(VarKind::Dispatch, std::move(v)); }

  VarKind kind() const { return kind_; }
  bool empty() const { return kind_ == VarKind::Empty; }

  // Strict accessors: each throws AutomationError when the kind differs.
  std::int16_t i2() const;
  std::int32_t i4() const;
  float r4() const;  // R4 or R4&
  double r8() const;
  bool boolean() const;
  const std::u16string& bstr() const;
  const DispatchPtr& object() const;

  // Numeric coercion as automation servers apply it to property puts: any of
  // I2, I4, R4, R8, BOOL and R4& reads as a number; other kinds throw.
  double ToNumber() const;
  // ToNumber rounded half to even and range-checked, as VariantChangeType does.
  std::int32_t ToInt32() const;
  // A Boolean from BOOL or any number (non-zero is true).
  bool ToBool() const;

  friend bool operator==(const Value& a, const Value& b) = default;

 private:
  using Storage = std::variant<std::monostate, std::int16_t, std::int32_t, float, double,
                               std::u16string, DispatchPtr>;
  template <typename T>
  Value(VarKind kind, T v) : kind_(kind), storage_(std::move(v)) {}

  VarKind kind_ = VarKind::Empty;
  Storage storage_;
};

// Shorthands that keep call sites close to the step lists they implement.
inline Value I2(std::int16_t v) {
  return Value::I2(v);
}
inline Value I4(std::int32_t v) {
  return Value::I4(v);
}
inline Value R4(float v) {
  return Value::R4(v);
}
inline Value R8(double v) {
  return Value::R8(v);
}
inline Value Bool(bool v) {
  return Value::Bool(v);
}
inline Value Bstr(std::u16string v) {
  return Value::Bstr(std::move(v));
}
inline Value R4Ref(float v) {
  return Value::R4Ref(v);
}

// One argument of a get or call; an empty name means positional.
struct Arg {
  std::string name;
  Value value;
  friend bool operator==(const Arg&, const Arg&) = default;
};

inline Arg Named(std::string name, Value value) {
  return Arg{std::move(name), std::move(value)};
}

// An automation object. Implementations match member names without regard to
// case and throw AutomationError for anything they refuse.
class Dispatch {
 public:
  virtual ~Dispatch() = default;
  virtual Value Get(std::string_view name, std::span<const Arg> args) = 0;
  virtual void Put(std::string_view name, const Value& value) = 0;
  virtual Value Call(std::string_view name, std::span<const Arg> args) = 0;
};

// Case-insensitive comparison of ASCII member names.
bool SameName(std::string_view a, std::string_view b);

// A reference to an automation object with readable call sites:
//   app.Get("ActiveDocument").Get("PageSetup").Put("Orientation", I4(1));
//   selection.Call("EndKey", Named("Extend", I4(1)), Named("Unit", I4(5)));
// Using an empty reference throws, as an unset object variable does.
class Object {
 public:
  Object() = default;
  explicit Object(DispatchPtr dispatch) : dispatch_(std::move(dispatch)) {}
  // Throws AutomationError unless `value` holds an object.
  explicit Object(const Value& value);

  explicit operator bool() const { return dispatch_ != nullptr; }
  const DispatchPtr& dispatch() const { return dispatch_; }
  void Reset() { dispatch_.reset(); }

  // A property that holds an object.
  template <typename... A>
  Object Get(std::string_view name, A&&... args) const {
    return Object(GetValue(name, std::forward<A>(args)...));
  }
  template <typename... A>
  Value GetValue(std::string_view name, A&&... args) const {
    const Arg list[] = {ToArg(std::forward<A>(args))..., Arg{}};
    return Checked().Get(name, std::span<const Arg>(list, sizeof...(A)));
  }
  void Put(std::string_view name, const Value& value) const { Checked().Put(name, value); }
  template <typename... A>
  Value Call(std::string_view name, A&&... args) const {
    const Arg list[] = {ToArg(std::forward<A>(args))..., Arg{}};
    return Checked().Call(name, std::span<const Arg>(list, sizeof...(A)));
  }

 private:
  static Arg ToArg(Arg arg) { return arg; }
  static Arg ToArg(Value value) { return Arg{{}, std::move(value)}; }
  Dispatch& Checked() const;

  DispatchPtr dispatch_;
};

}  // namespace quorvane::word

#endif  // QUORVANE_WORD_AUTOMATION_H_
