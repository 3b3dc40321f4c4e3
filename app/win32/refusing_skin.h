#ifndef QUORVANE_APP_WIN32_REFUSING_SKIN_H_
#define QUORVANE_APP_WIN32_REFUSING_SKIN_H_

// The skin control until Windows draws skins: it refuses to load any sheet,
// so that the window goes without a skin and the load says why.

#include "app/skin_control.h"

namespace quorvane::app::win32 {

class RefusingSkin final : public SkinControl {
 public:
  // Throws word::AutomationError for every member; loading names the file.
  word::Value Invoke(int dispId, InvokeKind kind, std::span<const word::Value> args) override;
};

}  // namespace quorvane::app::win32

#endif  // QUORVANE_APP_WIN32_REFUSING_SKIN_H_
