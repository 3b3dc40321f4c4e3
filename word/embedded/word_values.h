#ifndef QUORVANE_WORD_EMBEDDED_WORD_VALUES_H_
#define QUORVANE_WORD_EMBEDDED_WORD_VALUES_H_

// Put values and arguments read as the properties want them, and Word's value
// domains. Every refusal names the property (`what`, e.g. "Font.Size").

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "word/automation.h"
#include "word/word_constants.h"

namespace quorvane::word::embedded {

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
std::int32_t AlignmentOf(const Value& value);  // WdParagraphAlignment
std::int32_t LineStyleOf(const Value& value, std::string_view what);  // WdLineStyle 0 to 24
std::int32_t LineWidthOf(const Value& value, std::string_view what);  // WdLineWidth
std::int32_t ColorOf(const Value& value, std::string_view what);      // automatic or 0x00BBGGRR

}  // namespace quorvane::word::embedded

#endif  // QUORVANE_WORD_EMBEDDED_WORD_VALUES_H_
