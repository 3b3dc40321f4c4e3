#ifndef QUORVANE_APP_QT_CURSOR_FILE_H_
#define QUORVANE_APP_QT_CURSOR_FILE_H_

// Windows cursor files (.cur): an icon directory whose entries carry the hot
// spot, each followed by a bottom-up 32-bit DIB with its AND mask, or a PNG.

#include <QByteArray>
#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <cstddef>

namespace quorvane::app::qt {

struct CursorPicture {
  QImage image;
  QPoint hotSpot;
};

// One 32-bit image with its hot spot, as a .cur file with a single entry.
// Images up to 256 x 256.
QByteArray EncodeCursorFile(const QImage& image, QPoint hotSpot);

// The largest cursor picture, in pixels each way: what Windows allows, and
// more than X11 servers take.
inline constexpr int kMaxCursorSide = 256;

// The first image of the file and its hot spot. Throws std::runtime_error
// ("Invalid picture ...") when the bytes are no cursor file or the picture is
// larger than kMaxCursorSide either way.
CursorPicture DecodeCursorFile(const QByteArray& bytes);

// The largest cursor file that is read: 1 MiB. A 256 x 256 32-bit cursor,
// the largest a .cur file holds, is about 270 KB.
inline constexpr std::size_t kMaxCursorFileBytes = std::size_t{1} << 20;

// Reads and decodes the file at `path`, which must be an ordinary file (or a
// link to one) of at most kMaxCursorFileBytes; nothing else is opened for
// reading. Throws std::runtime_error when it cannot be read or decoded.
QCursor LoadCursorFile(const QString& path);

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_CURSOR_FILE_H_
