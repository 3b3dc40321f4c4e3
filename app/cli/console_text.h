#ifndef QUORVANE_APP_CLI_CONSOLE_TEXT_H_
#define QUORVANE_APP_CLI_CONSOLE_TEXT_H_

// Messages for a person on the standard streams. The text is UTF-8 inside; a
// Windows console gets it as UTF-16, since its code page would show UTF-8
// bytes as other characters. Anything else (a file, a pipe, a Linux
// terminal) gets the UTF-8 bytes.

#include <string_view>

namespace quorvane::app::cli {

enum class Stream { kOut, kErr };

// On standard output a failure leaves std::cout failed, for the caller's
// final check; on standard error there is nowhere left to report one.
void WriteText(Stream stream, std::string_view utf8);

}  // namespace quorvane::app::cli

#endif  // QUORVANE_APP_CLI_CONSOLE_TEXT_H_
