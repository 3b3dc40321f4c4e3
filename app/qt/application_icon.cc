#include "app/qt/application_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <array>
#include <map>

namespace quorvane::app::qt {
namespace {

constexpr std::array<int, 4> kSizes = {32, 48, 128, 256};

QString ImageFile(int size) {
  return QStringLiteral(":/icons/quorvane-%1.png").arg(size);
}

// Serves the image whose size is the smallest that covers the request (or the
// largest there is), scaled down when it does not match.
class LazyIconEngine final : public QIconEngine {
 public:
  QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = FileSizeFor(size);
    auto found = decoded_.find(side);
    if (found == decoded_.end()) found = decoded_.emplace(side, QPixmap(ImageFile(side))).first;
    const QPixmap& image = found->second;
    if (image.isNull() || image.size() == size) return image;
    return image.scaled(size.boundedTo(image.size()), Qt::KeepAspectRatio,
                        Qt::SmoothTransformation);
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = FileSizeFor(size);
    return QSize(side, side).boundedTo(size);
  }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (const int side : kSizes) sizes.append(QSize(side, side));
    return sizes;
  }

  QString key() const override { return QStringLiteral("quorvane-lazy"); }

  // QIcon owns the engines it is given and deletes them.
  QIconEngine* clone() const override { return new LazyIconEngine(*this); }

 private:
  static int FileSizeFor(const QSize& size) {
    const int wanted = std::max(size.width(), size.height());
    for (const int side : kSizes) {
      if (side >= wanted) return side;
    }
    return kSizes.back();
  }

  std::map<int, QPixmap> decoded_;
};

}  // namespace

QIcon ApplicationIcon() {
  return QIcon(new LazyIconEngine);
}

}  // namespace quorvane::app::qt
