#include "word/embedded/word_values.h"

#include "word/failure_texts.h"
#include "word/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quorvane::word::embedded {
namespace {

[[noreturn]] void WrongKind(std::string_view what, std::string_view wanted, const Value& value) {
  throw AutomationError(std::string(failure_text::kTypeMismatch) + ": " + std::string(what) +
                        " wants " + std::string(wanted) + ", got " +
                        std::string(KindName(value.kind())));
}

[[noreturn]] void OutOfRange(std::string_view what, double value, std::string_view allowed) {
  throw AutomationError("Value out of range: " + std::string(what) + " = " + ShortestText(value) +
                        "; " + std::string(allowed));
}

bool IsNumeric(VarKind kind) {
  switch (kind) {
    case VarKind::I2:
    case VarKind::I4:
    case VarKind::R4:
    case VarKind::R8:
    case VarKind::Bool:
    case VarKind::R4Ref:
      return true;
    default:
      return false;
  }
}

}  // namespace

double NumberOf(const Value& value, std::string_view what) {
  if (!IsNumeric(value.kind())) WrongKind(what, "a number", value);
  return value.ToNumber();
}

std::int32_t Int32Of(const Value& value, std::string_view what) {
  if (!IsNumeric(value.kind())) WrongKind(what, "a number", value);
  try {
    return value.ToInt32();
  } catch (const AutomationError&) {
    OutOfRange(what, value.ToNumber(), "it does not fit a 32-bit integer");
  }
}

bool BoolOf(const Value& value, std::string_view what) {
  if (!IsNumeric(value.kind())) WrongKind(what, "a Boolean or a number", value);
  return value.ToBool();
}

const std::u16string& TextOf(const Value& value, std::string_view what) {
  if (value.kind() != VarKind::Bstr) WrongKind(what, "a string (BSTR)", value);
  return value.bstr();
}

double NumberIn(const Value& value, std::string_view what, double low, double high,
                std::string_view unit) {
  const double n = NumberOf(value, what);
  if (!(n >= low && n <= high)) {
    OutOfRange(what, n,
               "it must lie between " + ShortestText(low) + " and " + ShortestText(high) +
                   std::string(unit.empty() ? "" : " ") + std::string(unit));
  }
  return n;
}

std::int32_t EnumIn(const Value& value, std::string_view what, std::int32_t low,
                    std::int32_t high) {
  const std::int32_t n = Int32Of(value, what);
  if (n < low || n > high) {
    OutOfRange(what, n,
               "the allowed values are " + std::to_string(low) + " to " + std::to_string(high));
  }
  return n;
}

float FontSizeOf(const Value& value) {
  const double size = NumberIn(value, "Font.Size", 1, 1638, "points");
  return static_cast<float>(std::round(size * 2) / 2);  // Word keeps half points
}

std::int32_t AlignmentOf(const Value& value) {
  return EnumIn(value, "ParagraphFormat.Alignment", wdAlignParagraphLeft, wdAlignParagraphJustify);
}

std::int32_t LineStyleOf(const Value& value, std::string_view what) {
  return EnumIn(value, what, 0, 24);
}

std::int32_t LineWidthOf(const Value& value, std::string_view what) {
  static constexpr std::array<std::int32_t, 9> kWidths{2, 4, 6, 8, 12, 18, 24, 36, 48};
  const std::int32_t n = Int32Of(value, what);
  if (std::find(kWidths.begin(), kWidths.end(), n) == kWidths.end()) {
    OutOfRange(what, n,
               "the allowed widths are 2, 4, 6, 8, 12, 18, 24, 36 and 48 eighths of a point");
  }
  return n;
}

std::int32_t ColorOf(const Value& value, std::string_view what) {
  const std::int32_t n = Int32Of(value, what);
  if (n != wdColorAutomatic && (n < 0 || n > 0xFFFFFF)) {
    OutOfRange(what, n,
               "a colour is " + std::to_string(wdColorAutomatic) +
                   " (automatic) or 0 to 16777215 (0x00BBGGRR)");
  }
  return n;
}

}  // namespace quorvane::word::embedded
