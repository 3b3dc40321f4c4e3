#ifndef QUORVANE_APP_SKIN_MEMBERS_H_
#define QUORVANE_APP_SKIN_MEMBERS_H_

// The skin control's members as automation reaches them, for every window
// system: the argument counts and kinds are checked and the option bits and
// switches kept here; loading a skin and drawing a window with it are the
// window system's.
//
//   2  method (path, section)  loads the skin; the section is unused
//   1  property, I4            option bits (kSkinEveryWindow)
//   5  property, BOOL          switches a skin engine may use for its
//  10  property, BOOL          drawing; kept, the drawing is the same
//   3  method (handle)         skins the window with that handle

#include <cstdint>
#include <string>

#include "app/skin_control.h"

namespace quorvane::app {

class SkinMembers : public SkinControl {
 public:
  // Option bit 1: every window of the program, message boxes included, not
  // only the window given to member 3.
  static constexpr std::int32_t kSkinEveryWindow = 1;

  word::Value Invoke(int dispId, InvokeKind kind, std::span<const word::Value> args) final;

 protected:
  std::int32_t options() const { return options_; }

 private:
  // Each throws word::AutomationError with a description when it refuses.
  virtual void LoadSkin(const std::u16string& path) = 0;
  virtual void ApplyWindow(std::int32_t handle) = 0;

  std::int32_t options_ = 0;
  bool switchFive_ = false;
  bool switchTen_ = false;
};

}  // namespace quorvane::app

#endif  // QUORVANE_APP_SKIN_MEMBERS_H_
