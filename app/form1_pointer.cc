// Form1's pointer: the shape over the window and the mouse-move procedures
// that switch it.

#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <stdexcept>

#include "app/form1.h"

namespace quorvane::app {

void Form1::SetMousePointer(int shape) {
  switch (shape) {
    case kPointerDefault:
      unsetCursor();
      break;
    case kPointerWait:
      setCursor(Qt::WaitCursor);
      break;
    case kPointerCustom:
      // Without a loaded hand cursor the custom shape is the arrow.
      setCursor(mouseIcon_.value_or(QCursor(Qt::ArrowCursor)));
      break;
    default:
      throw std::invalid_argument("Invalid property value");
  }
  mousePointer_ = shape;
}

void Form1::WatchMouseMoves(QWidget& control) {
  control.setMouseTracking(true);
  // A move over a control is that control's alone; passed on to the frame or
  // the window, it would raise their procedures too.
  control.setAttribute(Qt::WA_NoMousePropagation);
  control.installEventFilter(this);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    if (watched == PushButton1) PushButton1_MouseMove();
    if (watched == Frame1) Frame1_MouseMove();
    if (watched == Option1) Option1_MouseMove();
    if (watched == Option2) Option2_MouseMove();
    if (watched == Text1) Text1_MouseMove();
  }
  return QWidget::eventFilter(watched, event);
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
  Form_MouseMove();
  QWidget::mouseMoveEvent(event);
}

// Each procedure leaves the hourglass of a running creation alone.
void Form1::PushButton1_MouseMove() {
  if (MousePointer() != kPointerWait) SetMousePointer(kPointerCustom);
}

void Form1::Form_MouseMove() {
  if (MousePointer() != kPointerWait) SetMousePointer(kPointerDefault);
}

void Form1::Frame1_MouseMove() {
  if (MousePointer() != kPointerWait) SetMousePointer(kPointerDefault);
}

void Form1::Option1_MouseMove() {
  if (MousePointer() != kPointerWait) SetMousePointer(kPointerDefault);
}

void Form1::Option2_MouseMove() {
  if (MousePointer() != kPointerWait) SetMousePointer(kPointerDefault);
}

void Form1::Text1_MouseMove() {
  if (MousePointer() != kPointerWait) SetMousePointer(kPointerDefault);
}

}  // namespace quorvane::app
