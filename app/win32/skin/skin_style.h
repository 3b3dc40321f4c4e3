#ifndef QUORVANE_APP_WIN32_SKIN_SKIN_STYLE_H_
#define QUORVANE_APP_WIN32_SKIN_SKIN_STYLE_H_

// The part of a Qt style sheet that the Windows skin draws: rules by their
// selector and the declarations it knows. Unknown selectors and declarations
// are kept out, as Qt ignores them; what breaks the sheet's syntax refuses it.
// No window system in here, so that it is tested wherever the project builds.
// Sheets above kMaxSkinFileBytes (app/beside_program.h) are refused.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::app::win32 {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct GradientStop {
  double position = 0;
  Rgba color;
  friend bool operator==(const GradientStop&, const GradientStop&) = default;
};

// A background: one colour (alpha 0 for "transparent"), or a gradient whose
// coordinates are fractions of the painted box, as in Qt's bounding mode.
struct Fill {
  enum class Kind : std::uint8_t { Solid, Linear, Radial };
  Kind kind = Kind::Solid;
  std::vector<GradientStop> stops;  // Solid: exactly one
  // Linear: x1, y1, x2, y2. Radial: cx, cy, radius, fx, fy (the focus is
  // read but not drawn apart from the centre).
  std::array<double, 5> geometry{};

  // The colour at (u, v), both in 0..1 of the box; stops pad at the ends.
  Rgba At(double u, double v) const;
  friend bool operator==(const Fill&, const Fill&) = default;
};

struct Edges {
  int top = 0, right = 0, bottom = 0, left = 0;
  friend bool operator==(const Edges&, const Edges&) = default;
};

// Lengths are pixels at 96 DPI.
struct Declarations {
  std::optional<Fill> background;
  std::optional<Rgba> color;
  std::optional<int> borderWidth;
  std::optional<Rgba> borderColor;
  std::optional<int> borderRadius;
  std::optional<int> marginTop;
  std::optional<Edges> padding;
  std::optional<int> spacing;
  std::optional<int> width;
  std::optional<int> height;
  std::optional<int> left;

  // What `later` sets replaces this one's.
  void Merge(const Declarations& later);
  friend bool operator==(const Declarations&, const Declarations&) = default;
};

class SkinStyle {
 public:
  // The declarations of every rule naming `selector` ("QPushButton:hover"),
  // merged in sheet order; none when no rule names it.
  const Declarations& Rule(std::string_view selector) const;
  // The rules of `selectors` merged in the order given, the last the most
  // specific: {"QWidget", "QPushButton", "QPushButton:hover"}.
  Declarations Resolve(std::initializer_list<std::string_view> selectors) const;

 private:
  friend SkinStyle ParseSkinStyle(std::string_view bytes, std::string_view origin);
  std::map<std::string, Declarations, std::less<>> rules_;
};

// The sheet in `bytes`. Throws std::runtime_error naming `origin` for text
// that is not UTF-8, an unterminated comment or string, unbalanced braces or
// parentheses, a nested rule, a rule without selector, a declaration without
// a colon, and a sheet without any rule.
SkinStyle ParseSkinStyle(std::string_view bytes, std::string_view origin);

}  // namespace quorvane::app::win32

#endif  // QUORVANE_APP_WIN32_SKIN_SKIN_STYLE_H_
