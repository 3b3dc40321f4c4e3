#ifndef QUORVANE_APP_APP_TITLE_H_
#define QUORVANE_APP_APP_TITLE_H_

#include <QString>

namespace quorvane::app {

inline constexpr const char* kProductName = "Quorvane Software";

// The title of message boxes that name none of their own: the product name cut
// before its last blank, again and again while it is longer than 40
// characters. The first cut always happens. A text without a blank left to cut
// at throws std::invalid_argument.
QString AppTitleFrom(const QString& productName);

}  // namespace quorvane::app

#endif  // QUORVANE_APP_APP_TITLE_H_
