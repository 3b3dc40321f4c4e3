#include "app/qt/cursor_file.h"

#include <QBuffer>
#include <QDataStream>
#include <QImageReader>
#include <QPixmap>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "base/files.h"

namespace quorvane::app::qt {
namespace {

constexpr quint16 kCursorType = 2;
constexpr qint64 kDirectorySize = 6;
constexpr qint64 kEntrySize = 16;
constexpr quint32 kInfoHeaderSize = 40;

[[noreturn]] void Invalid(const std::string& why) {
  throw std::runtime_error("Invalid picture (" + why + ")");
}

// AND-mask rows are padded to whole 32-bit words.
int MaskStride(int width) {
  return ((width + 31) / 32) * 4;
}

bool TooLarge(QSize size) {
  return size.width() > kMaxCursorSide || size.height() > kMaxCursorSide;
}

[[noreturn]] void RefuseSize(QSize size) {
  Invalid("the picture is " + std::to_string(size.width()) + " x " + std::to_string(size.height()) +
          " pixels; a cursor is at most " + std::to_string(kMaxCursorSide) + " x " +
          std::to_string(kMaxCursorSide));
}

// The size is judged from the header before any pixel is decoded: a window
// system cannot take a larger cursor, and a huge PNG costs memory first.
QImage DecodeEntry(QByteArray bytes, const QByteArray& payload) {
  const bool png = payload.startsWith("\x89PNG");
  if (png) bytes = payload;
  QBuffer buffer(&bytes);
  // Qt's icon reader understands the cursor variant of the format.
  QImageReader reader(&buffer, png ? "PNG" : "CUR");
  if (const QSize size = reader.size(); size.isValid() && TooLarge(size)) RefuseSize(size);
  QImage image = reader.read();
  if (TooLarge(image.size())) RefuseSize(image.size());
  return image;
}

}  // namespace

QByteArray EncodeCursorFile(const QImage& source, QPoint hotSpot) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int width = image.width();
  const int height = image.height();
  const int maskStride = MaskStride(width);
  const auto pixelBytes = static_cast<quint32>(width * height * 4);
  const auto maskBytes = static_cast<quint32>(maskStride * height);
  const quint32 imageBytes = kInfoHeaderSize + pixelBytes + maskBytes;

  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out.setByteOrder(QDataStream::LittleEndian);
  // Directory with one entry; 256 is written as 0.
  out << quint16(0) << kCursorType << quint16(1);
  out << quint8(width & 0xFF) << quint8(height & 0xFF) << quint8(0) << quint8(0);
  out << quint16(hotSpot.x()) << quint16(hotSpot.y()) << imageBytes
      << quint32(kDirectorySize + kEntrySize);
  // BITMAPINFOHEADER: the height counts the colour image and the mask.
  out << kInfoHeaderSize << qint32(width) << qint32(height * 2) << quint16(1) << quint16(32)
      << quint32(0) << pixelBytes + maskBytes << qint32(0) << qint32(0) << quint32(0) << quint32(0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const QRgb pixel = image.pixel(x, y);
      out << quint8(qBlue(pixel)) << quint8(qGreen(pixel)) << quint8(qRed(pixel))
          << quint8(qAlpha(pixel));
    }
  }
  // The mask marks fully transparent pixels, for readers that ignore alpha.
  for (int y = height - 1; y >= 0; --y) {
    QByteArray row(maskStride, '\0');
    for (int x = 0; x < width; ++x) {
      if (qAlpha(image.pixel(x, y)) == 0) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
    }
    out.writeRawData(row.constData(), static_cast<int>(row.size()));
  }
  return bytes;
}

CursorPicture DecodeCursorFile(const QByteArray& bytes) {
  if (bytes.size() < kDirectorySize + kEntrySize) Invalid("too short for a cursor file");
  QDataStream in(bytes);
  in.setByteOrder(QDataStream::LittleEndian);
  quint16 reserved = 0, type = 0, count = 0;
  in >> reserved >> type >> count;
  if (reserved != 0 || type != kCursorType) Invalid("not a cursor file");
  if (count == 0) Invalid("the cursor file holds no image");
  quint8 width = 0, height = 0, colours = 0, zero = 0;
  quint16 hotX = 0, hotY = 0;
  quint32 size = 0, offset = 0;
  in >> width >> height >> colours >> zero >> hotX >> hotY >> size >> offset;
  if (offset > static_cast<quint64>(bytes.size()) ||
      size > static_cast<quint64>(bytes.size()) - offset) {
    Invalid("the image lies outside the file");
  }
  const QByteArray payload =
      bytes.mid(static_cast<qsizetype>(offset), static_cast<qsizetype>(size));
  CursorPicture picture{DecodeEntry(bytes, payload), QPoint(hotX, hotY)};
  if (picture.image.isNull()) Invalid("the image cannot be decoded");
  return picture;
}

QCursor LoadCursorFile(const QString& path) {
  std::string bytes;
  try {
    bytes =
        base::ReadRegularFile(std::filesystem::path(path.toStdU16String()), kMaxCursorFileBytes);
  } catch (const std::runtime_error& unreadable) {
    throw std::runtime_error(std::string("Cannot read the cursor file: ") + unreadable.what());
  }
  const CursorPicture picture =
      DecodeCursorFile(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return QCursor(QPixmap::fromImage(picture.image), picture.hotSpot.x(), picture.hotSpot.y());
}

}  // namespace quorvane::app::qt
