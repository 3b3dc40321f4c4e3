#include "word/automation.h"

#include <cmath>
#include <limits>
#include <string>

#include "word/failure_texts.h"

namespace quorvane::word {
namespace {

[[noreturn]] void WrongKind(VarKind expected, VarKind actual) {
  throw AutomationError(std::string(failure_text::kTypeMismatch) + ": expected " +
                        std::string(KindName(expected)) + ", got " + std::string(KindName(actual)));
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string_view KindName(VarKind kind) {
  switch (kind) {
    case VarKind::Empty:
      return "EMPTY";
    case VarKind::I2:
      return "I2";
    case VarKind::I4:
      return "I4";
    case VarKind::R4:
      return "R4";
    case VarKind::R8:
      return "R8";
    case VarKind::Bool:
      return "BOOL";
    case VarKind::Bstr:
      return "BSTR";
    case VarKind::R4Ref:
      return "R4&";
    case VarKind::Dispatch:
      return "DISPATCH";
  }
  return "?";
}

std::int16_t Value::i2() const {
  if (kind_ != VarKind::I2) WrongKind(VarKind::I2, kind_);
  return std::get<std::int16_t>(storage_);
}

std::int32_t Value::i4() const {
  if (kind_ != VarKind::I4) WrongKind(VarKind::I4, kind_);
  return std::get<std::int32_t>(storage_);
}

float Value::r4() const {
  if (kind_ != VarKind::R4 && kind_ != VarKind::R4Ref) WrongKind(VarKind::R4, kind_);
  return std::get<float>(storage_);
}

double Value::r8() const {
  if (kind_ != VarKind::R8) WrongKind(VarKind::R8, kind_);
  return std::get<double>(storage_);
}

bool Value::boolean() const {
  if (kind_ != VarKind::Bool) WrongKind(VarKind::Bool, kind_);
  return std::get<std::int16_t>(storage_) != 0;
}

const std::u16string& Value::bstr() const {
  if (kind_ != VarKind::Bstr) WrongKind(VarKind::Bstr, kind_);
  return std::get<std::u16string>(storage_);
}

const DispatchPtr& Value::object() const {
  if (kind_ != VarKind::Dispatch) WrongKind(VarKind::Dispatch, kind_);
  return std::get<DispatchPtr>(storage_);
}

double Value::ToNumber() const {
  switch (kind_) {
    case VarKind::I2:
    case VarKind::Bool:
      return std::get<std::int16_t>(storage_);
    case VarKind::I4:
      return std::get<std::int32_t>(storage_);
    case VarKind::R4:
    case VarKind::R4Ref:
      return std::get<float>(storage_);
    case VarKind::R8:
      return std::get<double>(storage_);
    default:
      throw AutomationError(std::string(failure_text::kTypeMismatch) + ": expected a number, got " +
                            std::string(KindName(kind_)));
  }
}

std::int32_t Value::ToInt32() const {
  const double n = std::nearbyint(ToNumber());  // the default rounding mode is half to even
  if (!(n >= std::numeric_limits<std::int32_t>::min() &&
        n <= std::numeric_limits<std::int32_t>::max())) {
    throw AutomationError(std::string(failure_text::kOverflow) +
                          ": the value does not fit a 32-bit integer");
  }
  return static_cast<std::int32_t>(n);
}

bool Value::ToBool() const {
  return ToNumber() != 0;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

Object::Object(const Value& value) {
  if (value.kind() != VarKind::Dispatch || value.object() == nullptr) {
    throw AutomationError(std::string(failure_text::kObjectRequired));
  }
  dispatch_ = value.object();
}

Dispatch& Object::Checked() const {
  if (!dispatch_) throw AutomationError(std::string(failure_text::kObjectNotSet));
  return *dispatch_;
}

}  // namespace quorvane::word
