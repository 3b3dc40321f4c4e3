#include "app/qt/skin_sheet.h"

#include <QtGui/private/qcssparser_p.h>
#include <QFileInfo>
#include <QStringDecoder>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include "app/beside_program.h"
#include "base/files.h"

namespace quorvane::app::qt {
namespace {

[[noreturn]] void Refuse(const QString& origin, const std::string& why) {
  throw std::runtime_error("Skin file " + origin.toStdString() + " " + why);
}

// Why the file a skin names cannot be used, or empty. Looks only: Qt opens
// it later, at the first paint, and a FIFO there would block that for ever.
std::string Unusable(const QString& file) {
  const std::filesystem::path path(file.toStdU16String());
  if (std::string why = base::NotARegularFile(path); !why.empty()) return why;
  std::error_code absent;
  const auto size = std::filesystem::file_size(path, absent);
  if (!absent && size > kMaxSkinFileBytes) return "is larger than 1 MiB";
  return {};
}

void CheckFile(const QString& file, const QString& origin) {
  // Qt's resources are in memory.
  if (file.startsWith(QLatin1Char(':')) || file.startsWith(QStringLiteral("qrc:"))) return;
  // On screens of high density Qt takes NAME@2x.EXT and the like instead.
  const QFileInfo info(file);
  const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
  QStringList candidates{file};
  for (int scale = 2; scale <= 9; ++scale) {
    candidates += info.path() + QLatin1Char('/') + info.completeBaseName() +
                  QStringLiteral("@%1x").arg(scale) + suffix;
  }
  for (const QString& candidate : candidates) {
    if (const std::string why = Unusable(candidate); !why.empty()) {
      Refuse(origin, "names " + file.toStdString() +
                         (candidate == file ? "" : " (read as " + candidate.toStdString() + ")") +
                         ", which " + why);
    }
  }
}

void CheckFiles(const QList<QCss::Declaration>& declarations, const QString& origin) {
  for (const QCss::Declaration& declaration : declarations) {
    for (const QCss::Value& value : declaration.d->values) {
      if (value.type == QCss::Value::Uri) CheckFile(value.variant.toString(), origin);
    }
  }
}

// Every file the sheet names (image, border-image, background, icon, ...),
// in whatever rule it stands.
void CheckNamedFiles(const QCss::StyleSheet& sheet, const QString& origin) {
  QList<QCss::StyleRule> rules = sheet.styleRules;
  for (const QCss::MediaRule& media : sheet.mediaRules) rules += media.styleRules;
  for (const QCss::StyleRule& rule : sheet.nameIndex) rules += rule;
  for (const QCss::StyleRule& rule : sheet.idIndex) rules += rule;
  for (const QCss::StyleRule& rule : rules) CheckFiles(rule.declarations, origin);
  for (const QCss::PageRule& page : sheet.pageRules) CheckFiles(page.declarations, origin);
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
  CheckNamedFiles(parsed, origin);
  return sheet;
}

}  // namespace quorvane::app::qt
