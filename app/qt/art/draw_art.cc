// Draws the program's artwork: the application icon at its four sizes and the
// hand cursor. Run once by hand when the artwork changes:
//   QT_QPA_PLATFORM=offscreen quorvane-draw-art <app source folder>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

#include "app/qt/cursor_file.h"

namespace {

// The bits of 'A' (0x41), most significant first: the chart in one glyph.
constexpr bool kBitsOfA[8] = {false, true, false, false, false, false, false, true};

QImage DrawIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 256.0, size / 256.0);

  // Tile: the smallest size fills its square, the others are rounded.
  QLinearGradient tileShade(0, 0, 0, 256);
  tileShade.setColorAt(0, QColor(0x2a, 0x7f, 0xc4));
  tileShade.setColorAt(1, QColor(0x15, 0x4c, 0x80));
  p.setPen(Qt::NoPen);
  p.setBrush(tileShade);
  const qreal radius = size <= 32 ? 0 : 44;
  p.drawRoundedRect(QRectF(0, 0, 256, 256), radius, radius);

  // A page with its top right corner folded over.
  constexpr qreal kLeft = 52, kTop = 26, kRight = 204, kBottom = 230, kFold = 42;
  QPainterPath page;
  page.moveTo(kLeft, kTop);
  page.lineTo(kRight - kFold, kTop);
  page.lineTo(kRight, kTop + kFold);
  page.lineTo(kRight, kBottom);
  page.lineTo(kLeft, kBottom);
  page.closeSubpath();
  p.setBrush(QColor(0xfb, 0xfc, 0xfe));
  p.drawPath(page);
  QPainterPath fold;
  fold.moveTo(kRight - kFold, kTop);
  fold.lineTo(kRight - kFold, kTop + kFold);
  fold.lineTo(kRight, kTop + kFold);
  fold.closeSubpath();
  p.setBrush(QColor(0xc9, 0xd8, 0xea));
  p.drawPath(fold);

  // The letter, large, in the upper part of the page.
  QFont font(QStringLiteral("Liberation Sans"));
  font.setBold(true);
  font.setPixelSize(120);
  QPainterPath letter;
  letter.addText(0, 0, font, QStringLiteral("A"));
  const QRectF bounds = letter.boundingRect();
  letter.translate(128 - bounds.center().x(), 112 - bounds.center().y());
  p.setBrush(QColor(0x15, 0x4c, 0x80));
  p.drawPath(letter);

  // Its eight bits below: filled cells are ones.
  constexpr qreal kCell = 15, kGap = 3.5, kBitsTop = 182;
  const qreal rowWidth = 8 * kCell + 7 * kGap;
  for (int bit = 0; bit < 8; ++bit) {
    const QRectF cell(128 - rowWidth / 2 + bit * (kCell + kGap), kBitsTop, kCell, kCell + 8);
    if (kBitsOfA[bit]) {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0xe8, 0x8a, 0x1a));
    } else {
      p.setPen(QPen(QColor(0x6b, 0x8c, 0xb0), 3.5));
      p.setBrush(Qt::NoBrush);
    }
    p.drawRect(cell.adjusted(1.75, 1.75, -1.75, -1.75));
  }
  p.end();
  // The smallest image carries no alpha channel, 24 bits per pixel.
  return size <= 32 ? image.convertToFormat(QImage::Format_RGB888)
                    : image.convertToFormat(QImage::Format_ARGB32);
}

// A hand pointing up with its index finger; the hot spot is the fingertip.
constexpr QPoint kHandHotSpot(11, 2);

QImage DrawHand() {
  QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  const auto rounded = [](QRectF box, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    return path;
  };
  QPainterPath thumb;
  thumb.moveTo(9, 21);
  thumb.lineTo(4.5, 15.5);
  thumb.cubicTo(3, 13.5, 5.5, 11.5, 7.5, 13.5);
  thumb.lineTo(10, 16);
  thumb.closeSubpath();
  const QPainterPath hand = rounded({8.5, 1.5, 5, 17}, 2.5)                // index finger
                                .united(rounded({13, 9.5, 4.5, 10}, 2.2))  // middle finger
                                .united(rounded({17, 10.5, 4.5, 9}, 2.2))  // ring finger
                                .united(rounded({21, 12, 4.5, 8}, 2.2))    // little finger
                                .united(rounded({8.5, 15, 17, 14.5}, 4))   // palm
                                .united(thumb);

  p.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::white);
  p.drawPath(hand);
  // The creases between the folded fingers.
  p.setPen(QPen(Qt::black, 0.9, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(17, 12), QPointF(17, 17.5));
  p.drawLine(QPointF(21.2, 13), QPointF(21.2, 17.5));
  p.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: quorvane-draw-art APP-SOURCE-FOLDER\n");
    return 2;
  }
  const QDir app(QString::fromLocal8Bit(argv[1]));
  for (const int size : {32, 48, 128, 256}) {
    const QString path = app.filePath(QStringLiteral("icons/quorvane-%1.png").arg(size));
    if (!DrawIcon(size).save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  const QString cursor = app.filePath(QStringLiteral("cursor/HAND-M.CUR"));
  if (!WriteFile(cursor, quorvane::app::qt::EncodeCursorFile(DrawHand(), kHandHotSpot))) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(cursor));
    return 1;
  }
  return 0;
}
