#ifndef QUORVANE_APP_SHELL_TEXT_H_
#define QUORVANE_APP_SHELL_TEXT_H_

// The small text rules of the desktop shell: the application title, the
// option settings as text, and the line breaks a dialog shows.

#include <string>
#include <string_view>

namespace quorvane::app {

inline constexpr std::u16string_view kProductName = u"Quorvane Software";

// The title of message boxes that name none of their own: the product name cut
// before its last blank, again and again while it is longer than 40
// characters. The first cut always happens. A text without a blank left to cut
// at throws std::invalid_argument.
std::u16string AppTitleFrom(std::u16string_view productName);

// "True" or "False".
std::u16string BooleanText(bool value);

// "True" and "False" in any letter case, or a finite number (zero is false,
// any other number true), each with optional surrounding blanks; "nan" and
// "inf" are no numbers here. Anything else throws
// std::invalid_argument("Type mismatch").
bool ToBoolean(std::u16string_view text);

// Message texts break lines with CR, with or without an LF after it; a dialog
// that breaks only at LF shows them through this. Each CR, with its LF if one
// follows, becomes one LF; a lone LF stays as it is.
std::u16string DialogText(std::u16string_view text);

}  // namespace quorvane::app

#endif  // QUORVANE_APP_SHELL_TEXT_H_
