#include "app/win32/skin/box_painter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace quorvane::app::win32 {
namespace {

// Signed distance from (x, y) to the rounded box: negative inside.
double Distance(double x, double y, const RECT& box, double radius) {
  const double halfW = (box.right - box.left) / 2.0, halfH = (box.bottom - box.top) / 2.0;
  radius = std::min({radius, halfW, halfH});
  const double qx = std::abs(x - (box.left + halfW)) - (halfW - radius);
  const double qy = std::abs(y - (box.top + halfH)) - (halfH - radius);
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

double Coverage(double distance) {
  return std::clamp(0.5 - distance, 0.0, 1.0);
}

std::uint32_t Blend(std::uint32_t under, Rgba over, double amount) {
  amount *= over.a / 255.0;
  if (amount <= 0) return under;
  const auto mix = [&](int shift, std::uint8_t top) {
    const double bottom = (under >> shift) & 0xFF;
    return static_cast<std::uint32_t>(std::lround(bottom + (top - bottom) * amount)) << shift;
  };
  return mix(16, over.r) | mix(8, over.g) | mix(0, over.b);
}

}  // namespace

COLORREF ToColorRef(Rgba colour) {
  return RGB(colour.r, colour.g, colour.b);
}

BoxPainter::BoxPainter(HDC target, int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(target);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dc_ == nullptr || bitmap_ == nullptr) {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
    throw std::runtime_error("Cannot make a bitmap to draw the skin into");
  }
  bits_ = static_cast<std::uint32_t*>(bits);
  oldBitmap_ = SelectObject(dc_, bitmap_);
}

BoxPainter::~BoxPainter() {
  SelectObject(dc_, oldBitmap_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

void BoxPainter::FillAll(Rgba colour) {
  GdiFlush();
  std::fill(bits_, bits_ + static_cast<std::size_t>(width_) * height_, Blend(0, colour, 1));
}

void BoxPainter::Box(const RECT& box, const Fill* fill, int borderWidth, Rgba borderColour,
                     int radius) {
  const double w = box.right - box.left, h = box.bottom - box.top;
  if (w <= 0 || h <= 0) return;
  const RECT inner{box.left + borderWidth, box.top + borderWidth, box.right - borderWidth,
                   box.bottom - borderWidth};
  const double innerRadius = std::max(radius - borderWidth, 0);
  GdiFlush();
  for (int y = std::max<int>(box.top, 0); y < std::min<int>(box.bottom, height_); ++y) {
    for (int x = std::max<int>(box.left, 0); x < std::min<int>(box.right, width_); ++x) {
      const double px = x + 0.5, py = y + 0.5;
      const double outer = Coverage(Distance(px, py, box, radius));
      const double in = inner.right > inner.left && inner.bottom > inner.top
                            ? Coverage(Distance(px, py, inner, innerRadius))
                            : 0.0;
      std::uint32_t& pixel = bits_[static_cast<std::size_t>(y) * width_ + x];
      // Qt paints the background below the border too; the border goes on top.
      if (fill != nullptr)
        pixel = Blend(pixel, fill->At((px - box.left) / w, (py - box.top) / h), outer);
      if (borderWidth > 0) pixel = Blend(pixel, borderColour, outer - in);
    }
  }
}

void BoxPainter::Text(std::wstring_view text, RECT box, Rgba colour, HFONT font, UINT format) {
  const HGDIOBJ oldFont = SelectObject(dc_, font);
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, ToColorRef(colour));
  const std::wstring copy(text);
  DrawTextW(dc_, copy.c_str(), static_cast<int>(copy.size()), &box, format);
  SelectObject(dc_, oldFont);
}

SIZE BoxPainter::Measure(std::wstring_view text, HFONT font) {
  const HGDIOBJ oldFont = SelectObject(dc_, font);
  RECT box{0, 0, 0, 0};
  const std::wstring copy(text);
  DrawTextW(dc_, copy.c_str(), static_cast<int>(copy.size()), &box, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc_, oldFont);
  return SIZE{box.right - box.left, box.bottom - box.top};
}

void BoxPainter::CopyTo(HDC target, int x, int y) {
  GdiFlush();
  BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

}  // namespace quorvane::app::win32
