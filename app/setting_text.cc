#include "app/setting_text.h"

#include <QLocale>
#include <stdexcept>

namespace quorvane::app {

QString BooleanText(bool value) {
  return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool ToBoolean(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
  if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
  // Settings are stored the same on every machine, so numbers never follow
  // the user's locale.
  bool isNumber = false;
  const double number = QLocale::c().toDouble(trimmed, &isNumber);
  if (!isNumber) throw std::invalid_argument("Type mismatch");
  return number != 0.0;
}

}  // namespace quorvane::app
