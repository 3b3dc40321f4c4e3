#ifndef QUORVANE_CHART_CHAR_TABLE_H_
#define QUORVANE_CHART_CHAR_TABLE_H_

// The data behind every chart: one row of four texts for each code 0 to 255.
// Texts are UTF-16; every symbol lies in the Basic Multilingual Plane, so a
// length in code units is a length in characters.

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "chart/code_page.h"

namespace quorvane::chart {

inline constexpr int kCodeCount = 256;

struct ChartRow {
  std::u16string Dec;
  std::u16string Hex;
  std::u16string Binary;
  std::u16string Sym;
};

using CharTable = std::array<ChartRow, kCodeCount>;
using BinaryTable = std::array<std::u16string, kCodeCount>;

// Names of the control codes 0 to 31.
extern const std::array<std::u16string_view, 32> ControlNames;

// The 256 BINARY texts: high nibble, one space, low nibble.
BinaryTable MakeBinaryTable();

// Puts spaces in front of `text` until it is `width` characters long.
std::u16string RightAlign(std::u16string_view text, std::size_t width);

// The character a code stands for: ASCII below 128, Windows-1252 above, the
// five bytes Windows-1252 leaves unassigned mapped to the same code point.
char16_t CodeCharacter(int code);

// The four row texts of one code, by the row-filling rules.
std::u16string DecText(int code);
std::u16string HexText(int code);
// Codes below 32 are named from `controlNames`, codes from 128 up by `page`.
std::u16string SymText(int code, const CodePage& page = DefaultCodePage(),
                       std::span<const std::u16string_view> controlNames = ControlNames);

}  // namespace quorvane::chart

#endif  // QUORVANE_CHART_CHAR_TABLE_H_
