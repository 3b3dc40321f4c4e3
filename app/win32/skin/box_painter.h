#ifndef QUORVANE_APP_WIN32_SKIN_BOX_PAINTER_H_
#define QUORVANE_APP_WIN32_SKIN_BOX_PAINTER_H_

// A control's picture, drawn off screen and put on it in one piece, so that
// a state change never shows half drawn: rounded boxes with their border and
// gradient, computed per pixel with smoothed edges, and the control's text.

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "app/win32/skin/skin_style.h"

namespace quorvane::app::win32 {

class BoxPainter {
 public:
  // A picture of `width` x `height` pixels, compatible with `target`.
  BoxPainter(HDC target, int width, int height);
  ~BoxPainter();
  BoxPainter(const BoxPainter&) = delete;
  BoxPainter& operator=(const BoxPainter&) = delete;

  void FillAll(Rgba colour);
  // `fill` (may be null) inside a border of `borderWidth` and `borderColour`,
  // the corners rounded by `radius`. Colours with alpha blend onto what is
  // there.
  void Box(const RECT& box, const Fill* fill, int borderWidth, Rgba borderColour, int radius);
  void Text(std::wstring_view text, RECT box, Rgba colour, HFONT font, UINT format);
  // The text's extent in `font`.
  SIZE Measure(std::wstring_view text, HFONT font);
  void CopyTo(HDC target, int x, int y);

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;  // top-down 0x00RRGGBB rows
  int width_ = 0;
  int height_ = 0;
};

COLORREF ToColorRef(Rgba colour);

}  // namespace quorvane::app::win32

#endif  // QUORVANE_APP_WIN32_SKIN_BOX_PAINTER_H_
