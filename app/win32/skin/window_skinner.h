#ifndef QUORVANE_APP_WIN32_SKIN_WINDOW_SKINNER_H_
#define QUORVANE_APP_WIN32_SKIN_WINDOW_SKINNER_H_

// Draws windows of this thread in a skin: the window's background and the
// texts on it, and in full the frames (group boxes), option buttons and push
// buttons, each through a subclass of the window or control. The windows
// keep working as before; only how they look changes.

#include <windows.h>

#include <map>
#include <memory>

#include "app/win32/skin/skin_style.h"

namespace quorvane::app::win32 {

class WindowSkinner {
 public:
  explicit WindowSkinner(std::shared_ptr<const SkinStyle> style);
  ~WindowSkinner();
  WindowSkinner(const WindowSkinner&) = delete;
  WindowSkinner& operator=(const WindowSkinner&) = delete;

  // Skins `window` and the controls in it, and draws it again.
  void Attach(HWND window);
  // Also skins each dialog this thread opens from now on, message boxes
  // included, until the skinner goes.
  void SkinNewDialogs();
  const std::shared_ptr<const SkinStyle>& style() const { return style_; }

 private:
  enum class Role : std::uint8_t { Window, Frame, Option, Button };
  struct Skinned {
    Role role;
    bool hover = false;
  };

  static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);
  static LRESULT CALLBACK DialogHook(int code, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Add(HWND window, Role role);
  void Remove(HWND window);

  void Paint(HWND control, HDC target, Role role);
  void PaintFrame(HWND control, HDC target);
  void PaintOption(HWND control, HDC target, bool hover);
  void PaintButton(HWND control, HDC target, bool hover);
  // What shows through a control's transparent parts: a frame's background
  // when the control lies on one, else the window's.
  Rgba Behind(HWND control) const;
  Rgba WindowColour() const;
  int Scaled(HWND window, int pixels) const;

  std::shared_ptr<const SkinStyle> style_;
  std::map<HWND, Skinned> skinned_;
  HBRUSH windowBrush_ = nullptr;
  HHOOK hook_ = nullptr;
};

}  // namespace quorvane::app::win32

#endif  // QUORVANE_APP_WIN32_SKIN_WINDOW_SKINNER_H_
