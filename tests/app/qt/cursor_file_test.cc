// Cursor files: the hot spot from the directory entry, the image from the
// payload, refusals of what is no cursor file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

#include "app/qt/cursor_file.h"
#include "tests/app/qt/window_harness.h"

namespace quorvane::app::qt {
namespace {

using test_support::ToPath;

QImage HalfRed(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int y = 0; y < size / 2; ++y) {
    for (int x = 0; x < size; ++x) image.setPixel(x, y, qRgba(200, 30, 10, 255));
  }
  return image;
}

TEST(CursorFileTest, HotSpotComesFromTheDirectoryEntry) {
  // Type 2, one 32 x 32 entry with hot spot (5, 9), 4264 image bytes at 22.
  QByteArray bytes("\0\0\2\0\1\0\x20\x20\0\0\5\0\x09\0\xa8\x10\0\0\x16\0\0\0", 22);
  bytes += EncodeCursorFile(HalfRed(32), {0, 0}).mid(22);
  const CursorPicture picture = DecodeCursorFile(bytes);
  EXPECT_EQ(picture.hotSpot, QPoint(5, 9));
  EXPECT_EQ(picture.image.convertToFormat(QImage::Format_ARGB32), HalfRed(32));
}

TEST(CursorFileTest, RefusesWhatIsNoCursorFile) {
  QByteArray icon = EncodeCursorFile(HalfRed(32), {1, 1});
  icon[2] = 1;
  QByteArray beyondEnd = EncodeCursorFile(HalfRed(32), {1, 1});
  beyondEnd[18] = 0x70;  // image offset
  for (const QByteArray& bytes : {QByteArray(), QByteArray(40, 'x'), icon, beyondEnd}) {
    EXPECT_THROW(DecodeCursorFile(bytes), std::runtime_error);
  }
}

// A cursor file whose one entry holds a blank picture as PNG.
QByteArray PngCursor(int width, int height) {
  QImage image(width, height, QImage::Format_Mono);
  image.fill(0);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  QByteArray bytes = EncodeCursorFile(HalfRed(1), {0, 0}).left(22);
  const auto size = static_cast<quint32>(png.size());
  for (int i = 0; i < 4; ++i) bytes[14 + i] = char((size >> (8 * i)) & 0xFF);
  return bytes + png;
}

// No window system takes a cursor beyond 256 x 256; a larger one ended the
// program at the first hover.
TEST(CursorFileTest, RefusesAPictureLargerThanACursorCanBe) {
  const struct {
    QByteArray bytes;
    bool refused;
  } kCases[] = {
      {PngCursor(256, 256), false},
      {PngCursor(257, 1), true},
      {PngCursor(1, 257), true},
      {PngCursor(2100, 2100), true},
  };
  for (const auto& c : kCases) {
    try {
      EXPECT_LE(DecodeCursorFile(c.bytes).image.width(), 256);
      EXPECT_FALSE(c.refused) << c.bytes.size();
    } catch (const std::runtime_error& refused) {
      EXPECT_TRUE(c.refused) << refused.what();
      EXPECT_THAT(refused.what(), ::testing::HasSubstr("a cursor is at most 256 x 256"));
    }
  }
}

TEST(CursorFileTest, LoadsFromAFile) {
  const QTemporaryDir dir;
  const QString path = dir.filePath("HAND-M.CUR");
  EXPECT_THROW(LoadCursorFile(path), std::runtime_error);
  ASSERT_TRUE(test_support::WriteFile(path, EncodeCursorFile(HalfRed(48), {40, 4})));
  EXPECT_EQ(LoadCursorFile(path).hotSpot(), QPoint(40, 4));
  ASSERT_TRUE(test_support::MakeLink(ToPath(dir.filePath("link.cur")), ToPath(path)));
  EXPECT_EQ(LoadCursorFile(dir.filePath("link.cur")).hotSpot(), QPoint(40, 4));
}

// Only an ordinary file of at most 1 MiB is read: no FIFO or device is
// opened for reading, none blocks the load.
TEST(CursorFileTest, ReadsOnlyAnOrdinaryFileOfASaneSize) {
  const QTemporaryDir dir;
  const QString fifo = dir.filePath("fifo.cur"), device = dir.filePath("null.cur");
  ASSERT_TRUE(test_support::MakeFifo(ToPath(fifo)));
  const bool devices = test_support::MakeNullDevice(ToPath(device));
  ASSERT_TRUE(
      test_support::MakeSparseFile(ToPath(dir.filePath("huge.cur")), kMaxCursorFileBytes + 1));
  ASSERT_TRUE(test_support::MakeLink(ToPath(dir.filePath("link.cur")), ToPath(fifo)));
  const std::pair<QString, const char*> kRefused[] = {
      {fifo, "is a FIFO, not a regular file"},
      {dir.filePath("huge.cur"), "is larger than 1 MiB"},
      {dir.filePath("link.cur"), "is a symbolic link to a FIFO, not to a regular file"},
      {device, "is a character device, not a regular file"},
  };
  const test_support::HangGuard guard(20);
  for (const auto& [path, why] : kRefused) {
    if (path == device && !devices) continue;  // device nodes need root
    try {
      LoadCursorFile(path);
      ADD_FAILURE() << "loaded " << path.toStdString();
    } catch (const std::runtime_error& refused) {
      EXPECT_EQ(refused.what(), "Cannot read the cursor file: " + path.toStdString() + " " + why);
    }
  }
}

}  // namespace
}  // namespace quorvane::app::qt
