#include "app/cli/console_text.h"

#include <iostream>

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <string>

#include "base/utf.h"
#endif

namespace quorvane::app::cli {
namespace {

std::ostream& StreamOf(Stream stream) {
  return stream == Stream::kOut ? std::cout : std::cerr;
}

#ifdef _WIN32
// Returns false when the stream is no console.
bool WriteToConsole(Stream stream, std::string_view utf8) {
  const HANDLE console =
      GetStdHandle(stream == Stream::kOut ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (console == nullptr || console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &mode)) {
    return false;
  }
  StreamOf(stream).flush();  // what went before goes first
  const std::u16string text = base::FromUtf8(utf8);
  std::u16string_view rest = text;
  while (!rest.empty()) {
    // WriteConsoleW takes a DWORD count, and a console takes no huge writes.
    std::size_t chunk = std::min<std::size_t>(rest.size(), 16384);
    // A surrogate pair goes in one piece.
    if (chunk < rest.size() && base::IsHighSurrogate(rest[chunk - 1])) --chunk;
    DWORD written = 0;
    if (!WriteConsoleW(console, rest.data(), static_cast<DWORD>(chunk), &written, nullptr) ||
        written == 0) {
      StreamOf(stream).setstate(std::ios::badbit);
      return true;
    }
    rest.remove_prefix(written);
  }
  return true;
}
#endif

}  // namespace

void WriteText(Stream stream, std::string_view utf8) {
#ifdef _WIN32
  if (WriteToConsole(stream, utf8)) return;
#endif
  StreamOf(stream) << utf8;
}

}  // namespace quorvane::app::cli
