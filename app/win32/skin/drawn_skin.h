#ifndef QUORVANE_APP_WIN32_SKIN_DRAWN_SKIN_H_
#define QUORVANE_APP_WIN32_SKIN_DRAWN_SKIN_H_

// The program's own skin control on Windows: reads the same Qt style sheet
// as on Linux and draws the window's background, frames, option buttons and
// push buttons in it; option bit 1 also skins each dialog of the program
// opened later, message boxes included. The members are those of
// skin_members.h.

#include <memory>

#include "app/skin_members.h"
#include "app/win32/skin/skin_style.h"

namespace quorvane::app::win32 {

class WindowSkinner;

class DrawnSkin final : public SkinMembers {
 public:
  DrawnSkin();
  ~DrawnSkin() override;

 private:
  void LoadSkin(const std::u16string& path) override;
  void ApplyWindow(std::int32_t handle) override;

  std::shared_ptr<const SkinStyle> style_;
  // Undoes its subclasses when it goes.
  std::unique_ptr<WindowSkinner> skinner_;
};

}  // namespace quorvane::app::win32

#endif  // QUORVANE_APP_WIN32_SKIN_DRAWN_SKIN_H_
