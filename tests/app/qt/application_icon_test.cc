#include "app/qt/application_icon.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

namespace quorvane::app::qt {
namespace {

TEST(ApplicationIconTest, OffersItsFourSizesAndDecodesEach) {
  const QIcon icon = ApplicationIcon();
  EXPECT_EQ(icon.availableSizes(),
            (QList<QSize>{QSize(32, 32), QSize(48, 48), QSize(128, 128), QSize(256, 256)}));
  for (const int side : {32, 48, 128, 256}) {
    const QPixmap pixmap = icon.pixmap(QSize(side, side));
    ASSERT_FALSE(pixmap.isNull()) << side;
    EXPECT_EQ(pixmap.size(), QSize(side, side));
    // Drawn artwork, not an empty image: the centre is opaque.
    EXPECT_EQ(qAlpha(pixmap.toImage().pixel(side / 2, side / 2)), 255) << side;
  }
}

TEST(ApplicationIconTest, OtherSizesAreScaledFromTheNextLargerImage) {
  const QIcon icon = ApplicationIcon();
  EXPECT_EQ(icon.pixmap(QSize(40, 40)).size(), QSize(40, 40));
  EXPECT_EQ(icon.pixmap(QSize(16, 16)).size(), QSize(16, 16));
  EXPECT_EQ(icon.actualSize(QSize(512, 512)), QSize(256, 256));
}

}  // namespace
}  // namespace quorvane::app::qt
