#include "app/dialog_text.h"

namespace quorvane::app {

QString DialogText(const QString& text) {
  QString shown;
  shown.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != QLatin1Char('\r')) {
      shown += text[i];
      continue;
    }
    shown += QLatin1Char('\n');
    if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
  }
  return shown;
}

}  // namespace quorvane::app
