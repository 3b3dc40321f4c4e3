#ifndef QUORVANE_APP_APPLY_SKIN_H_
#define QUORVANE_APP_APPLY_SKIN_H_

#include <QColor>
#include <QString>
#include <QWidget>

#include "app/skin_control.h"

namespace quorvane::app {

// "x/o.cjs" below the program folder.
QString SkinFilePath(const QString& programFolder);

// The system's button face colour, the background of a skinned window.
QColor ButtonFaceColor();

// A widget's background colour, as the property BackColor sets it: the
// colour of the role the widget fills its background with.
void SetBackColor(QWidget& widget, const QColor& color);

// When the skin file exists: the button face colour for `window` and for its
// option buttons, check boxes, frames and labels, then the skin loaded and
// applied through `skin`. Without the file nothing happens. A failing step
// throws; the steps before it keep their effect.
void ApplySkin(QWidget& window, SkinControl& skin, const QString& programFolder);

}  // namespace quorvane::app

#endif  // QUORVANE_APP_APPLY_SKIN_H_
