#ifndef QUORVANE_APP_QT_SKIN_SHEET_H_
#define QUORVANE_APP_QT_SKIN_SHEET_H_

// Skin files are Qt style sheets in UTF-8.

#include <QByteArray>
#include <QString>

namespace quorvane::app::qt {

// The style sheet in `bytes`, checked far enough to refuse what is plainly no
// style sheet: malformed UTF-8, no rule at all, unbalanced braces, an
// unterminated comment or string. Throws std::runtime_error naming `origin`.
QString ParseSkinSheet(const QByteArray& bytes, const QString& origin);

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_SKIN_SHEET_H_
