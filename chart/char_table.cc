#include "chart/char_table.h"

#include <stdexcept>

namespace quorvane::chart {

const std::array<std::u16string_view, 32> ControlNames = {
    u"NUL", u"SOH", u"STX", u"ETX", u"EOT", u"ENQ", u"ACK", u"BEL",  //
    u"BS",  u"TAB", u"LF",  u"VT",  u"FF",  u"CR",  u"SO",  u"SI",   //
    u"DLE", u"DC1", u"DC2", u"DC3", u"DC4", u"NAK", u"SYN", u"ETB",  //
    u"CAN", u"EM",  u"SUB", u"ESC", u"FS",  u"GS",  u"RS",  u"US",
};

namespace {

// The 16 four-digit binary texts, indexed by their value.
constexpr std::array<std::u16string_view, 16> NibbleTable = {
    u"0000", u"0001", u"0010", u"0011", u"0100", u"0101", u"0110", u"0111",
    u"1000", u"1001", u"1010", u"1011", u"1100", u"1101", u"1110", u"1111",
};

// Windows-1252 for the bytes 0x80 to 0x9F; above them it agrees with Latin-1.
// The five bytes it leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep
// their own number.
constexpr std::array<char16_t, 32> kWindows1252From80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr int kFirstPrintable = 32;

std::u16string Ascii(std::string_view text) {
  return {text.begin(), text.end()};
}

}  // namespace

BinaryTable MakeBinaryTable() {
  BinaryTable table;
  for (int code = 0; code < kCodeCount; ++code) {
    std::u16string& entry = table[static_cast<std::size_t>(code)];
    entry = NibbleTable[static_cast<std::size_t>(code / 16)];
    entry += u' ';
    entry += NibbleTable[static_cast<std::size_t>(code % 16)];
  }
  return table;
}

std::u16string RightAlign(std::u16string_view text, std::size_t width) {
  std::u16string aligned;
  if (text.size() < width) aligned.assign(width - text.size(), u' ');
  aligned += text;
  return aligned;
}

char16_t CodeCharacter(int code) {
  if (code < 0 || code >= kCodeCount) throw std::out_of_range("character code out of range");
  if (code >= 0x80 && code < 0xA0) return kWindows1252From80[static_cast<std::size_t>(code - 0x80)];
  return static_cast<char16_t>(code);
}

std::u16string DecText(int code) {
  return Ascii(std::to_string(code));
}

std::u16string HexText(int code) {
  static constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string hex;
  for (unsigned rest = static_cast<unsigned>(code); hex.empty() || rest != 0; rest /= 16) {
    hex.insert(hex.begin(), kDigits[rest % 16]);
  }
  const std::string padded = "00" + hex;
  return Ascii(std::string_view(padded).substr(padded.size() - 2));
}

std::u16string SymText(int code, const CodePage& page,
                       std::span<const std::u16string_view> controlNames) {
  if (code >= 0 && code < kFirstPrintable) {
    if (controlNames.size() <= std::size_t(code)) throw std::out_of_range("no control name");
    return RightAlign(controlNames[static_cast<std::size_t>(code)], 3);
  }
  if (code >= 128 && !page.upperCells.empty()) {
    return std::u16string(page.upperCells[static_cast<std::size_t>(code - 128)]);
  }
  const char16_t character = CodeCharacter(code);
  return RightAlign(std::u16string_view(&character, 1), 3);
}

}  // namespace quorvane::chart
