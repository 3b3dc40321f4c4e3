#include "app/win32/skin/skin_style.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "app/beside_program.h"
#include "base/utf.h"

namespace quorvane::app::win32 {
namespace {

[[noreturn]] void Refuse(std::string_view origin, std::string_view why) {
  throw std::runtime_error("Skin file " + std::string(origin) + " " + std::string(why));
}

// The index of the quote that closes the string opened at s[open], or
// s.size() when none does; a backslash escapes the character after it.
std::size_t StringEnd(std::string_view s, std::size_t open) {
  std::size_t end = open + 1;
  while (end < s.size() && s[end] != s[open]) end += s[end] == '\\' ? 2 : 1;
  return std::min(end, s.size());
}

// The sheet with each comment replaced by a space; strings are kept.
std::string WithoutComments(std::string_view s, std::string_view origin) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
      const std::size_t end = s.find("*/", i + 2);
      if (end == std::string_view::npos) Refuse(origin, "has an unterminated comment");
      out += ' ';
      i = end + 1;
    } else if (c == '"' || c == '\'') {
      const std::size_t end = StringEnd(s, i);
      if (end == s.size()) Refuse(origin, "has an unterminated string");
      out.append(s.substr(i, end - i + 1));
      i = end;
    } else {
      out += c;
    }
  }
  return out;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// Splits at `separator` outside strings and parentheses; nullopt when the
// parentheses do not pair up.
std::optional<std::vector<std::string_view>> Split(std::string_view s, char separator) {
  std::vector<std::string_view> parts;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"' || c == '\'') {
      i = StringEnd(s, i);
    } else if (c == '(') {
      ++depth;
    } else if (c == ')') {
      if (--depth < 0) return std::nullopt;
    } else if (depth == 0 && (c == separator || (separator == ' ' && IsSpace(c)))) {
      parts.push_back(s.substr(start, i - start));
      start = i + 1;
    }
  }
  if (depth != 0) return std::nullopt;
  parts.push_back(s.substr(start));
  if (separator == ' ') std::erase_if(parts, [](std::string_view p) { return p.empty(); });
  return parts;
}

std::optional<double> Number(std::string_view s) {
  s = Trim(s);
  double value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

// "8px" or "8"; other units are not drawn.
std::optional<int> Length(std::string_view s) {
  s = Trim(s);
  if (s.size() > 2 && Lower(s.substr(s.size() - 2)) == "px") s.remove_suffix(2);
  const std::optional<double> value = Number(s);
  if (!value || *value < 0 || *value > 10000) return std::nullopt;
  return static_cast<int>(std::lround(*value));
}

std::optional<Rgba> Colour(std::string_view s) {
  s = Trim(s);
  const std::string name = Lower(s);
  if (name == "transparent") return Rgba{0, 0, 0, 0};
  if (name == "white") return Rgba{255, 255, 255, 255};
  if (name == "black") return Rgba{0, 0, 0, 255};
  if (s.size() < 2 || s[0] != '#') return std::nullopt;
  std::string_view hex = s.substr(1);
  std::uint32_t v = 0;
  const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), v, 16);
  if (error != std::errc() || end != hex.data() + hex.size()) return std::nullopt;
  const auto byte = [&](int shift) { return static_cast<std::uint8_t>((v >> shift) & 0xFF); };
  switch (hex.size()) {
    case 3: {
      const auto nibble = [&](int shift) {
        return static_cast<std::uint8_t>(((v >> shift) & 0xF) * 17);
      };
      return Rgba{nibble(8), nibble(4), nibble(0), 255};
    }
    case 6:
      return Rgba{byte(16), byte(8), byte(0), 255};
    case 8:  // Qt's #AARRGGBB
      return Rgba{byte(16), byte(8), byte(0), byte(24)};
    default:
      return std::nullopt;
  }
}

// qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #3a8fd4, stop: 1 #1f6aab)
// and qradialgradient(cx:, cy:, radius:, fx:, fy:, stop: ...).
std::optional<Fill> Gradient(std::string_view s) {
  const std::size_t open = s.find('(');
  if (open == std::string_view::npos || s.back() != ')') return std::nullopt;
  const std::string kind = Lower(Trim(s.substr(0, open)));
  Fill fill;
  std::array<std::string_view, 5> keys;
  if (kind == "qlineargradient") {
    fill.kind = Fill::Kind::Linear;
    keys = {"x1", "y1", "x2", "y2", ""};
  } else if (kind == "qradialgradient") {
    fill.kind = Fill::Kind::Radial;
    keys = {"cx", "cy", "radius", "fx", "fy"};
  } else {
    return std::nullopt;
  }
  const auto args = Split(s.substr(open + 1, s.size() - open - 2), ',');
  if (!args) return std::nullopt;
  for (std::string_view arg : *args) {
    const std::size_t colon = arg.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const std::string key = Lower(Trim(arg.substr(0, colon)));
    const std::string_view value = Trim(arg.substr(colon + 1));
    if (key == "stop") {
      const auto words = Split(value, ' ');
      if (!words || words->size() != 2) return std::nullopt;
      const auto position = Number((*words)[0]);
      const auto colour = Colour((*words)[1]);
      if (!position || !colour) return std::nullopt;
      fill.stops.push_back({std::clamp(*position, 0.0, 1.0), *colour});
      continue;
    }
    const auto slot = std::find(keys.begin(), keys.end(), key);
    if (slot == keys.end() || key.empty()) continue;  // spread and the like
    const auto number = Number(value);
    if (!number) return std::nullopt;
    fill.geometry[static_cast<std::size_t>(slot - keys.begin())] = *number;
  }
  if (fill.stops.empty()) return std::nullopt;
  std::stable_sort(
      fill.stops.begin(), fill.stops.end(),
      [](const GradientStop& a, const GradientStop& b) { return a.position < b.position; });
  return fill;
}

std::optional<Fill> Background(std::string_view s) {
  if (s.find('(') != std::string_view::npos) return Gradient(s);
  const auto colour = Colour(s);
  if (!colour) return std::nullopt;
  return Fill{Fill::Kind::Solid, {{0, *colour}}, {}};
}

// "1px solid #b7c6d8", in any order; "none" is no border.
void Border(std::string_view value, Declarations& d) {
  const auto words = Split(value, ' ');
  if (!words) return;
  std::optional<int> width;
  std::optional<Rgba> colour;
  bool none = false;
  for (std::string_view w : *words) {
    const std::string word = Lower(w);
    if (word == "none") {
      none = true;
    } else if (auto length = Length(w)) {
      width = length;
    } else if (auto c = Colour(w)) {
      colour = c;
    } else if (word != "solid") {
      return;  // a style Windows does not draw: the whole declaration is ignored
    }
  }
  d.borderWidth = none ? 0 : width.value_or(1);
  if (colour) d.borderColor = colour;
}

std::optional<Edges> Padding(std::string_view value) {
  const auto words = Split(value, ' ');
  if (!words || words->empty() || words->size() > 4) return std::nullopt;
  std::vector<int> v;
  for (std::string_view w : *words) {
    const auto length = Length(w);
    if (!length) return std::nullopt;
    v.push_back(*length);
  }
  // CSS order: top, right, bottom, left, the missing ones mirrored.
  const int top = v[0];
  const int right = v.size() > 1 ? v[1] : top;
  const int bottom = v.size() > 2 ? v[2] : top;
  const int left = v.size() > 3 ? v[3] : right;
  return Edges{top, right, bottom, left};
}

void Declare(std::string_view name, std::string_view value, Declarations& d) {
  const std::string key = Lower(name);
  const auto set = [](auto& field, auto parsed) {
    if (parsed) field = parsed;
  };
  if (key == "background-color" || key == "background") {
    set(d.background, Background(value));
  } else if (key == "color") {
    set(d.color, Colour(value));
  } else if (key == "border") {
    Border(value, d);
  } else if (key == "border-color") {
    set(d.borderColor, Colour(value));
  } else if (key == "border-width") {
    set(d.borderWidth, Length(value));
  } else if (key == "border-radius") {
    set(d.borderRadius, Length(value));
  } else if (key == "margin-top") {
    set(d.marginTop, Length(value));
  } else if (key == "padding") {
    set(d.padding, Padding(value));
  } else if (key == "spacing") {
    set(d.spacing, Length(value));
  } else if (key == "width") {
    set(d.width, Length(value));
  } else if (key == "height") {
    set(d.height, Length(value));
  } else if (key == "left") {
    set(d.left, Length(value));
  }
}

Declarations ParseBody(std::string_view body, std::string_view origin) {
  const auto parts = Split(body, ';');
  if (!parts) Refuse(origin, "has unbalanced parentheses");
  Declarations d;
  for (std::string_view part : *parts) {
    part = Trim(part);
    if (part.empty()) continue;
    const std::size_t colon = part.find(':');
    if (colon == std::string_view::npos || Trim(part.substr(0, colon)).empty()) {
      Refuse(origin, "has a declaration without a property and a colon");
    }
    Declare(Trim(part.substr(0, colon)), Trim(part.substr(colon + 1)), d);
  }
  return d;
}

// A selector with its spaces as one, or empty.
std::string Canonical(std::string_view selector) {
  const auto words = Split(Trim(selector), ' ');
  std::string out;
  for (std::string_view w : words.value_or(std::vector<std::string_view>{})) {
    if (!out.empty()) out += ' ';
    out.append(w);
  }
  return out;
}

// The next `c` at or after `from` that stands outside a string.
std::size_t FindOutsideStrings(std::string_view s, char c, std::size_t from) {
  for (std::size_t i = from; i < s.size(); ++i) {
    if (s[i] == c) return i;
    if (s[i] == '"' || s[i] == '\'') i = StringEnd(s, i);
  }
  return std::string_view::npos;
}

double Channel(std::uint8_t a, std::uint8_t b, double t) {
  return a + (b - a) * t;
}

}  // namespace

Rgba Fill::At(double u, double v) const {
  double t = 0;
  if (kind == Kind::Linear) {
    const double dx = geometry[2] - geometry[0], dy = geometry[3] - geometry[1];
    const double length2 = dx * dx + dy * dy;
    if (length2 > 0) t = ((u - geometry[0]) * dx + (v - geometry[1]) * dy) / length2;
  } else if (kind == Kind::Radial && geometry[2] > 0) {
    t = std::hypot(u - geometry[0], v - geometry[1]) / geometry[2];
  }
  if (stops.empty()) return Rgba{0, 0, 0, 0};
  if (t <= stops.front().position) return stops.front().color;
  for (std::size_t i = 1; i < stops.size(); ++i) {
    const GradientStop &a = stops[i - 1], &b = stops[i];
    if (t <= b.position) {
      const double f = b.position > a.position ? (t - a.position) / (b.position - a.position) : 1;
      const auto mix = [&](std::uint8_t x, std::uint8_t y) {
        return static_cast<std::uint8_t>(std::lround(Channel(x, y, f)));
      };
      return Rgba{mix(a.color.r, b.color.r), mix(a.color.g, b.color.g), mix(a.color.b, b.color.b),
                  mix(a.color.a, b.color.a)};
    }
  }
  return stops.back().color;
}

void Declarations::Merge(const Declarations& later) {
  const auto take = [](auto& mine, const auto& theirs) {
    if (theirs) mine = theirs;
  };
  take(background, later.background);
  take(color, later.color);
  take(borderWidth, later.borderWidth);
  take(borderColor, later.borderColor);
  take(borderRadius, later.borderRadius);
  take(marginTop, later.marginTop);
  take(padding, later.padding);
  take(spacing, later.spacing);
  take(width, later.width);
  take(height, later.height);
  take(left, later.left);
}

const Declarations& SkinStyle::Rule(std::string_view selector) const {
  static const Declarations kNone;
  const auto found = rules_.find(selector);
  return found == rules_.end() ? kNone : found->second;
}

Declarations SkinStyle::Resolve(std::initializer_list<std::string_view> selectors) const {
  Declarations d;
  for (std::string_view s : selectors) d.Merge(Rule(s));
  return d;
}

SkinStyle ParseSkinStyle(std::string_view bytes, std::string_view origin) {
  if (bytes.size() > kMaxSkinFileBytes) Refuse(origin, "is larger than 1 MiB");
  if (!base::IsUtf8(bytes)) Refuse(origin, "is not UTF-8 text");
  const std::string text = WithoutComments(bytes, origin);
  SkinStyle style;
  int rules = 0;
  std::size_t at = 0;
  while (true) {
    const std::size_t open = FindOutsideStrings(text, '{', at);
    const std::size_t close = FindOutsideStrings(text, '}', at);
    if (close < open) Refuse(origin, "closes a rule that was never opened");
    if (open == std::string::npos) {
      if (!Trim(std::string_view(text).substr(at)).empty())
        Refuse(origin, "ends inside a selector");
      break;
    }
    if (close == std::string::npos) Refuse(origin, "leaves a rule open");
    const std::size_t nested = FindOutsideStrings(text, '{', open + 1);
    if (nested < close) Refuse(origin, "nests a rule inside another");
    const auto selectors = Split(std::string_view(text).substr(at, open - at), ',');
    if (!selectors) Refuse(origin, "has unbalanced parentheses");
    const Declarations body =
        ParseBody(std::string_view(text).substr(open + 1, close - open - 1), origin);
    for (std::string_view selector : *selectors) {
      const std::string name = Canonical(selector);
      if (name.empty()) Refuse(origin, "has a rule without a selector");
      style.rules_[name].Merge(body);
    }
    ++rules;
    at = close + 1;
  }
  if (rules == 0) Refuse(origin, "holds no style rule");
  return style;
}

}  // namespace quorvane::app::win32
