#include "app/qt/skin_sheet.h"

#include <QStringDecoder>
#include <stdexcept>
#include <string>

namespace quorvane::app::qt {
namespace {

[[noreturn]] void Refuse(const QString& origin, const char* why) {
  throw std::runtime_error("Skin file " + origin.toStdString() + " " + why);
}

// Walks the sheet once, skipping comments and quoted strings, and checks that
// the braces pair up and that at least one rule was closed.
void CheckStructure(const QString& sheet, const QString& origin) {
  int depth = 0;
  int rules = 0;
  for (qsizetype i = 0; i < sheet.size(); ++i) {
    const QChar c = sheet[i];
    if (c == u'/' && i + 1 < sheet.size() && sheet[i + 1] == u'*') {
      const qsizetype end = sheet.indexOf(QLatin1String("*/"), i + 2);
      if (end < 0) Refuse(origin, "has an unterminated comment");
      i = end + 1;
    } else if (c == u'"' || c == u'\'') {
      qsizetype end = i + 1;
      while (end < sheet.size() && sheet[end] != c) end += sheet[end] == u'\\' ? 2 : 1;
      if (end >= sheet.size()) Refuse(origin, "has an unterminated string");
      i = end;
    } else if (c == u'{') {
      ++depth;
    } else if (c == u'}') {
      if (--depth < 0) Refuse(origin, "closes a rule that was never opened");
      if (depth == 0) ++rules;
    }
  }
  if (depth != 0) Refuse(origin, "leaves a rule open");
  if (rules == 0) Refuse(origin, "holds no style rule");
}

}  // namespace

QString ParseSkinSheet(const QByteArray& bytes, const QString& origin) {
  QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString sheet = decode(bytes);
  if (decode.hasError()) Refuse(origin, "is not UTF-8 text");
  CheckStructure(sheet, origin);
  return sheet;
}

}  // namespace quorvane::app::qt
