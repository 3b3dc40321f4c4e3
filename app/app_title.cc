#include "app/app_title.h"

#include <stdexcept>

namespace quorvane::app {

QString AppTitleFrom(const QString& productName) {
  constexpr qsizetype kLongest = 40;
  QString title = productName;
  do {
    const qsizetype blank = title.lastIndexOf(QLatin1Char(' '));
    if (blank < 0) throw std::invalid_argument("Invalid procedure call or argument");
    title.truncate(blank);
  } while (title.size() > kLongest);
  return title;
}

}  // namespace quorvane::app
