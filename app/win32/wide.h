#ifndef QUORVANE_APP_WIN32_WIDE_H_
#define QUORVANE_APP_WIN32_WIDE_H_

// The procedures' UTF-16 text as Windows' wide strings: the same code units.

#include <string>
#include <string_view>

namespace quorvane::app::win32 {

inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

}  // namespace quorvane::app::win32

#endif  // QUORVANE_APP_WIN32_WIDE_H_
