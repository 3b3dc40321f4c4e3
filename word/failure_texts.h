#ifndef QUORVANE_WORD_FAILURE_TEXTS_H_
#define QUORVANE_WORD_FAILURE_TEXTS_H_

// The descriptions of failures in Visual Basic's own words, one text a
// condition, for failures that the system's procedures raise themselves and
// that a user of the original program would have read the same way.

#include <string_view>

namespace quorvane::word::failure_text {

inline constexpr std::string_view kCannotCreateObject = "ActiveX component can't create object";
inline constexpr std::string_view kInvalidProcedureCall = "Invalid procedure call or argument";
inline constexpr std::string_view kOverflow = "Overflow";
inline constexpr std::string_view kSubscriptOutOfRange = "Subscript out of range";
inline constexpr std::string_view kTypeMismatch = "Type mismatch";
inline constexpr std::string_view kObjectNotSet = "Object variable or With block variable not set";
inline constexpr std::string_view kObjectRequired = "Object required";

}  // namespace quorvane::word::failure_text

#endif  // QUORVANE_WORD_FAILURE_TEXTS_H_
