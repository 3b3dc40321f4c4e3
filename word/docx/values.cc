#include "word/docx/values.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "base/utf.h"
#include "word/word_constants.h"

namespace quorvane::word::docx {
namespace {

// Far beyond any page Word allows, small enough that rounding cannot overflow.
constexpr double kLimit = 1e12;

std::int64_t Round(double value) {
  if (!std::isfinite(value)) return 0;
  return std::llround(std::clamp(value, -kLimit, kLimit));
}

template <std::size_t N>
std::string_view Lookup(const std::array<std::string_view, N>& names, std::int32_t index,
                        std::string_view fallback) {
  if (index < 0 || static_cast<std::size_t>(index) >= N || names[index].empty()) return fallback;
  return names[index];
}

bool IsXmlChar(char16_t c) {
  return c >= 0x20 ? c != 0xFFFE && c != 0xFFFF : c == u'\t' || c == u'\n' || c == u'\r';
}

}  // namespace

std::int64_t Twips(float points) {
  return Round(static_cast<double>(points) * 20.0);
}

std::int64_t HalfPoints(float points) {
  return std::max<std::int64_t>(1, Round(static_cast<double>(points) * 2.0));
}

std::string_view BorderStyleName(std::int32_t lineStyle) {
  if (lineStyle == wdLineStyleNone) return {};
  static constexpr std::array<std::string_view, 25> kNames = {
      "",  // none, handled above
      "single",
      "dotted",
      "dashSmallGap",
      "dashed",
      "dotDash",
      "dotDotDash",
      "double",
      "triple",
      "thinThickSmallGap",
      "thickThinSmallGap",
      "thinThickThinSmallGap",
      "thinThickMediumGap",
      "thickThinMediumGap",
      "thinThickThinMediumGap",
      "thinThickLargeGap",
      "thickThinLargeGap",
      "thinThickThinLargeGap",
      "wave",
      "doubleWave",
      "dashDotStroked",
      "threeDEmboss",
      "threeDEngrave",
      "outset",
      "inset",
  };
  return Lookup(kNames, lineStyle, "single");
}

std::string ColorHex(std::int32_t color) {
  const auto bits = static_cast<std::uint32_t>(color);
  if ((bits & 0xFF000000u) != 0) return "auto";
  static constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(6);
  for (const unsigned shift : {0u, 8u, 16u}) {  // red, green, blue
    const unsigned channel = (bits >> shift) & 0xFFu;
    hex.push_back(kDigits[channel >> 4]);
    hex.push_back(kDigits[channel & 0xFu]);
  }
  return hex;
}

std::string_view JustificationName(std::int32_t alignment) {
  // Word has no alignment 6.
  static constexpr std::array<std::string_view, 10> kNames = {
      "left",          "center", "right",       "both",       "distribute",
      "mediumKashida", "",       "highKashida", "lowKashida", "thaiDistribute"};
  return Lookup(kNames, alignment, "left");
}

std::string_view SectionStartName(std::int32_t sectionStart) {
  static constexpr std::array<std::string_view, 5> kNames = {"continuous", "nextColumn", "nextPage",
                                                             "evenPage", "oddPage"};
  return Lookup(kNames, sectionStart, "nextPage");
}

std::string_view VerticalAlignmentName(std::int32_t verticalAlignment) {
  static constexpr std::array<std::string_view, 4> kNames = {"top", "center", "both", "bottom"};
  return Lookup(kNames, verticalAlignment, "top");
}

std::string XmlSafeUtf8(std::u16string_view text) {
  // Chart text is nearly always clean: convert it without a filtered copy.
  const bool clean = std::all_of(text.begin(), text.end(), [](char16_t c) {
    return !base::IsHighSurrogate(c) && !base::IsLowSurrogate(c) && IsXmlChar(c);
  });
  if (clean) return base::ToUtf8(text);
  std::u16string kept;
  kept.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (base::IsHighSurrogate(c)) {
      if (i + 1 < text.size() && base::IsLowSurrogate(text[i + 1])) {
        kept.push_back(c);
        kept.push_back(text[++i]);
      }
    } else if (!base::IsLowSurrogate(c) && IsXmlChar(c)) {
      kept.push_back(c);
    }
  }
  return base::ToUtf8(kept);
}

}  // namespace quorvane::word::docx
