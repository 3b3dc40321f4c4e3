#ifndef QUORVANE_APP_QT_APPLICATION_ICON_H_
#define QUORVANE_APP_QT_APPLICATION_ICON_H_

#include <QIcon>

namespace quorvane::app::qt {

// The program's icon at 32, 48, 128 and 256 pixels.
QIcon ApplicationIcon();

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_APPLICATION_ICON_H_
