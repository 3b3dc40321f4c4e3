#ifndef QUORVANE_APP_QT_SKIN_SHEET_H_
#define QUORVANE_APP_QT_SKIN_SHEET_H_

// Skin files are Qt style sheets in UTF-8.

#include <QByteArray>
#include <QString>
#include <cstddef>

namespace quorvane::app::qt {

// The style sheet in `bytes`, parsed with Qt's own style sheet parser as Qt
// parses an application's style sheet, so that every sheet Qt would ignore
// ("Could not parse application stylesheet") is refused: malformed UTF-8, a
// sheet Qt cannot parse, and one that holds no style rule (an empty sheet,
// only comments, only at-rules such as "@@@ { ### }"). So is a sheet that
// names a file (url(...)) which is there but is no regular file of at most
// 1 MiB: Qt would open it at the first paint, and block on a FIFO. Throws
// std::runtime_error naming `origin`.
QString ParseSkinSheet(const QByteArray& bytes, const QString& origin);

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_SKIN_SHEET_H_
