#ifndef QUORVANE_WORD_EMBEDDED_WORD_VALUES_H_
#define QUORVANE_WORD_EMBEDDED_WORD_VALUES_H_

// Put values and arguments read as the properties want them, and Word's value
// domains. Every refusal names the property (`what`, e.g. "Font.Size").

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "word/automation.h"

namespace quorvane::word::embedded {

inline constexpr std::int32_t kWdUndefined = 9999999;  // a mixed selection
inline constexpr std::int32_t kWdToggle = 9999998;

// Any numeric kind (I2, I4, R4, R8, BOOL, R4&); a text or object is refused.
double NumberOf(const Value& value, std::string_view what);
std::int32_t Int32Of(const Value& value, std::string_view what);
bool BoolOf(const Value& value, std::string_view what);
// Only a BSTR.
const std::u16string& TextOf(const Value& value, std::string_view what);

// Range-checked numbers; `unit` follows the number in the description.
double NumberIn(const Value& value, std::string_view what, double low, double high,
                std::string_view unit);
std::int32_t EnumIn(const Value& value, std::string_view what, std::int32_t low, std::int32_t high);

float FontSizeOf(const Value& value);          // 1 to 1638 points, to the half point
std::int32_t AlignmentOf(const Value& value);  // WdParagraphAlignment 0 to 3
std::int32_t LineStyleOf(const Value& value, std::string_view what);  // WdLineStyle 0 to 24
std::int32_t LineWidthOf(const Value& value, std::string_view what);  // WdLineWidth
std::int32_t ColorOf(const Value& value, std::string_view what);      // automatic or 0x00BBGGRR

// The shortest text that reads back as `value`: "21.6", "8".
std::string NumberText(double value);

}  // namespace quorvane::word::embedded

#endif  // QUORVANE_WORD_EMBEDDED_WORD_VALUES_H_
