#ifndef QUORVANE_APP_APPLY_SKIN_H_
#define QUORVANE_APP_APPLY_SKIN_H_

#include "app/form1_view.h"
#include "app/skin_control.h"

namespace quorvane::app {

// When the skin file beside the program exists: the button face colour for
// the window and for its option buttons, check boxes, frames and labels, then
// the skin loaded and applied through `skin`. Without the file nothing
// happens. A failing step throws; the steps before it keep their effect.
void ApplySkin(Form1View& window, SkinControl& skin);

}  // namespace quorvane::app

#endif  // QUORVANE_APP_APPLY_SKIN_H_
