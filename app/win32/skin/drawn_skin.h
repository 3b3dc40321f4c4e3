#ifndef QUORVANE_APP_WIN32_SKIN_DRAWN_SKIN_H_
#define QUORVANE_APP_WIN32_SKIN_DRAWN_SKIN_H_

// The program's own skin control on Windows: reads the same Qt style sheet
// as on Linux and draws the window's background, frames, option buttons and
// push buttons in it.
//
//   2  method (path, section)  loads the skin; the section is unused
//   1  property, I4            option bits; bit 1 also skins each dialog of
//                              the program opened later, message boxes
//                              included, beside the window given to member 3
//   5  property, BOOL          switches a skin engine may use for its
//  10  property, BOOL          drawing; kept here, the drawing is the same
//   3  method (handle)         skins the window with that handle

#include <memory>

#include "app/skin_control.h"
#include "app/win32/skin/skin_style.h"

namespace quorvane::app::win32 {

class WindowSkinner;

class DrawnSkin final : public SkinControl {
 public:
  static constexpr std::int32_t kSkinEveryWindow = 1;

  DrawnSkin();
  ~DrawnSkin() override;

  word::Value Invoke(int dispId, InvokeKind kind, std::span<const word::Value> args) override;

 private:
  void LoadSkin(std::span<const word::Value> args);
  void ApplyWindow(std::span<const word::Value> args);

  std::shared_ptr<const SkinStyle> style_;
  // Undoes its subclasses when it goes.
  std::unique_ptr<WindowSkinner> skinner_;
  std::shared_ptr<const SkinStyle> skinnerStyle_;
  std::int32_t options_ = 0;
  bool switchFive_ = false;
  bool switchTen_ = false;
};

}  // namespace quorvane::app::win32

#endif  // QUORVANE_APP_WIN32_SKIN_DRAWN_SKIN_H_
