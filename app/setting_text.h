#ifndef QUORVANE_APP_SETTING_TEXT_H_
#define QUORVANE_APP_SETTING_TEXT_H_

// The option settings as text: "True" and "False" when written, and what a
// read accepts back.

#include <QString>

namespace quorvane::app {

// "True" or "False".
QString BooleanText(bool value);

// "True" and "False" in any letter case, or a number (zero is false, any other
// number true), each with optional surrounding blanks. Anything else throws
// std::invalid_argument("Type mismatch").
bool ToBoolean(const QString& text);

}  // namespace quorvane::app

#endif  // QUORVANE_APP_SETTING_TEXT_H_
