// Form1's pointer: the shape over the window and the mouse-move procedures
// that switch it.

#include <stdexcept>

#include "app/form1.h"

namespace quorvane::app {

void Form1::SetMousePointer(int shape) {
  if (shape != kPointerDefault && shape != kPointerWait && shape != kPointerCustom) {
    throw std::invalid_argument("Invalid property value");
  }
  view_.SetPointer(shape, mouseIcon_.get());
  mousePointer_ = shape;
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
