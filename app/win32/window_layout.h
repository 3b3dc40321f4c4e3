#ifndef QUORVANE_APP_WIN32_WINDOW_LAYOUT_H_
#define QUORVANE_APP_WIN32_WINDOW_LAYOUT_H_

// Form1's design in twips, and its conversion to pixels at a DPI. The design
// places the option buttons inside the frame; Win32 makes them children of
// the window beside it, so their places here are the window's.

#include <array>
#include <cstdint>
#include <string_view>

#include "app/form1_view.h"

namespace quorvane::app::win32 {

struct TwipRect {
  int left, top, width, height;
};

struct PixelRect {
  int left, top, width, height;
  bool operator==(const PixelRect&) const = default;
};

// The controls in tab order, which is also the window's own control order.
enum class ControlId : std::uint8_t { Text1, Option1, Option2, PushButton1, Frame1 };
inline constexpr std::size_t kControlCount = 5;

struct ControlDesign {
  ControlId id;
  ControlKind kind;
  std::u16string_view caption;
  TwipRect twips;  // within the client area
  bool buttonFont;
};

inline constexpr TwipRect kClientTwips{0, 0, 8040, 1830};
inline constexpr int kFontPoints100 = 900;         // Arial 9 pt bold
inline constexpr int kButtonFontPoints100 = 1125;  // Arial 11.25 pt bold

// Frame1 is at 120, 120; the option buttons' design places are within it.
inline constexpr std::array<ControlDesign, kControlCount> kControls{{
    {ControlId::Text1, ControlKind::TextBox, u"Text1", {840, 2190, 1575, 495}, false},
    {ControlId::Option1,
     ControlKind::OptionButton,
     u"Create Portrait Chart",
     {120 + 240, 120 + 300, 3015, 255},
     false},
    {ControlId::Option2,
     ControlKind::OptionButton,
     u"Create Landscape Chart",
     {120 + 240, 120 + 650, 3015, 255},
     false},
    {ControlId::PushButton1,
     ControlKind::PushButton,
     u"Start Creating",
     {120, 1320, 7800, 405},
     true},
    {ControlId::Frame1, ControlKind::Frame, u"Page Option", {120, 120, 7800, 1065}, false},
}};

// 1440 twips an inch; at 96 DPI 15 twips a pixel. Fractions are dropped, as
// the design's own conversion does.
constexpr int TwipsToPixels(int twips, unsigned dpi) {
  return static_cast<int>(static_cast<long long>(twips) * dpi / 1440);
}

constexpr PixelRect ToPixels(const TwipRect& twips, unsigned dpi) {
  return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
          TwipsToPixels(twips.width, dpi), TwipsToPixels(twips.height, dpi)};
}

// A font's height in pixels for LOGFONT (negative: the character height),
// from hundredths of a point, rounded.
constexpr int FontHeight(int points100, unsigned dpi) {
  return -static_cast<int>((static_cast<long long>(points100) * dpi + 3600) / 7200);
}

}  // namespace quorvane::app::win32

#endif  // QUORVANE_APP_WIN32_WINDOW_LAYOUT_H_
