#include "app/qt/skin_sheet.h"

#include <QtGui/private/qcssparser_p.h>
#include <QStringDecoder>
#include <stdexcept>
#include <string>

namespace quorvane::app::qt {
namespace {

[[noreturn]] void Refuse(const QString& origin, const std::string& why) {
  throw std::runtime_error("Skin file " + origin.toStdString() + " " + why);
}

}  // namespace

QString ParseSkinSheet(const QByteArray& bytes, const QString& origin) {
  QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString sheet = decode(bytes);
  if (decode.hasError()) Refuse(origin, "is not UTF-8 text");

  // What QStyleSheetStyle runs on an application's style sheet, with no
  // second try as the body of "* { }" (which it gives a widget's sheet only).
  QCss::Parser parser(sheet);
  QCss::StyleSheet parsed;
  if (!parser.parse(&parsed)) {
    // Not errorSymbol(), which indexes past the end for an error there.
    std::string where;
    if (parser.errorIndex >= 0 && parser.errorIndex < parser.symbols.size()) {
      const QCss::Symbol& symbol = parser.symbols.at(parser.errorIndex);
      where = " (line " +
              std::to_string(symbol.text.left(symbol.start).count(QLatin1Char('\n')) + 1) + ")";
    }
    Refuse(origin, "is no style sheet that Qt can parse" + where);
  }
  if (parsed.styleRules.isEmpty() && parsed.nameIndex.isEmpty() && parsed.idIndex.isEmpty()) {
    Refuse(origin, "holds no style rule");
  }
  return sheet;
}

}  // namespace quorvane::app::qt
