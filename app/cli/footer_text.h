#ifndef QUORVANE_APP_CLI_FOOTER_TEXT_H_
#define QUORVANE_APP_CLI_FOOTER_TEXT_H_

#include <string>
#include <string_view>

namespace quorvane::app::cli {

// The footer that --footer gives, as the document holds it: each line break
// (CR LF, CR or LF) becomes one space, since the footer is one line. Throws
// UsageError when `given` is no UTF-8 text, or holds a character that no
// document can hold: a control character other than tab and the line
// breaks, U+FFFE or U+FFFF.
std::string FooterText(std::string_view given);

}  // namespace quorvane::app::cli

#endif  // QUORVANE_APP_CLI_FOOTER_TEXT_H_
