#ifndef QUORVANE_BASE_UTF_H_
#define QUORVANE_BASE_UTF_H_

// Conversions between the UTF-16 texts used inside and UTF-8 at the edges
// (terminal, trace, XML).

#include <string>
#include <string_view>

namespace quorvane::base {

// The halves of a UTF-16 surrogate pair.
constexpr bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);

// Malformed sequences become U+FFFD.
std::u16string FromUtf8(std::string_view text);

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view text);

}  // namespace quorvane::base

#endif  // QUORVANE_BASE_UTF_H_
