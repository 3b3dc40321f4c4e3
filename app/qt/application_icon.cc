#include "app/qt/application_icon.h"

#include <QString>

namespace quorvane::app::qt {

QIcon ApplicationIcon() {
  // QIcon decodes each file only when a size is first asked for; on X11 the
  // window asks for all four as soon as it gets the icon.
  QIcon icon;
  for (const int size : {32, 48, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/quorvane-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace quorvane::app::qt
