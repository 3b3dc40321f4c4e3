#include "chart/char_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "chart/filled_table.h"

namespace quorvane::chart {
namespace {

struct RowCase {
  int code;
  std::u16string_view dec;
  std::u16string_view hex;
  std::u16string_view binary;
  std::u16string_view sym;
};

// Symbols written as the characters they are, so a wrong code point shows.
const RowCase kTellingRows[] = {
    {0, u"0", u"00", u"0000 0000", u"NUL"},          {8, u"8", u"08", u"0000 1000", u" BS"},
    {9, u"9", u"09", u"0000 1001", u"TAB"},          {10, u"10", u"0A", u"0000 1010", u" LF"},
    {15, u"15", u"0F", u"0000 1111", u" SI"},        {25, u"25", u"19", u"0001 1001", u" EM"},
    {27, u"27", u"1B", u"0001 1011", u"ESC"},        {31, u"31", u"1F", u"0001 1111", u" US"},
    {32, u"32", u"20", u"0010 0000", u"   "},        {65, u"65", u"41", u"0100 0001", u"  A"},
    {126, u"126", u"7E", u"0111 1110", u"  ~"},      {127, u"127", u"7F", u"0111 1111", u"  \x7f"},
    {128, u"128", u"80", u"1000 0000", u"  €"},      {129, u"129", u"81", u"1000 0001", u"  \x81"},
    {141, u"141", u"8D", u"1000 1101", u"  \x8d"},   {143, u"143", u"8F", u"1000 1111", u"  \x8f"},
    {144, u"144", u"90", u"1001 0000", u"  \x90"},   {153, u"153", u"99", u"1001 1001", u"  ™"},
    {157, u"157", u"9D", u"1001 1101", u"  \x9d"},   {159, u"159", u"9F", u"1001 1111", u"  Ÿ"},
    {160, u"160", u"A0", u"1010 0000", u"  \u00a0"}, {163, u"163", u"A3", u"1010 0011", u"  £"},
    {171, u"171", u"AB", u"1010 1011", u"  «"},      {255, u"255", u"FF", u"1111 1111", u"  ÿ"},
};

// The helpers are what the chart build fills its rows with, step by step;
// the filled table must agree with them.
TEST(CharTableTest, TellingRows) {
  const BinaryTable binary = MakeBinaryTable();
  const CharTable rows = MakeFilledTable();
  for (const RowCase& c : kTellingRows) {
    SCOPED_TRACE(c.code);
    const auto index = static_cast<std::size_t>(c.code);
    EXPECT_EQ(DecText(c.code), c.dec);
    EXPECT_EQ(HexText(c.code), c.hex);
    EXPECT_EQ(binary[index], c.binary);
    EXPECT_EQ(SymText(c.code), c.sym);
    const ChartRow& row = rows[index];
    EXPECT_EQ(row.Dec, c.dec);
    EXPECT_EQ(row.Hex, c.hex);
    EXPECT_EQ(row.Binary, c.binary);
    EXPECT_EQ(row.Sym, c.sym);
  }
}

TEST(CharTableTest, Windows1252MapsCodes128To159) {
  // The 32 characters in byte order, the five unassigned bytes as escapes.
  const std::u16string_view expected =
      u"€\x81‚ƒ„…†‡ˆ‰Š‹Œ\x8dŽ\x8f"
      u"\x90‘’“”•–—˜™š›œ\x9džŸ";
  ASSERT_EQ(expected.size(), 32u);
  for (int code = 128; code < 160; ++code) {
    SCOPED_TRACE(code);
    EXPECT_EQ(CodeCharacter(code), expected[static_cast<std::size_t>(code - 128)]);
  }
  for (int code : {0, 31, 127, 160, 255}) EXPECT_EQ(CodeCharacter(code), code);
  EXPECT_THROW(CodeCharacter(256), std::out_of_range);
  EXPECT_THROW(CodeCharacter(-1), std::out_of_range);
}

TEST(CharTableTest, EveryRowHasFixedWidthsAndBinaryReadsBackAsTheCode) {
  const CharTable rows = MakeFilledTable();
  for (int code = 0; code < kCodeCount; ++code) {
    SCOPED_TRACE(code);
    const ChartRow& row = rows[static_cast<std::size_t>(code)];
    ASSERT_EQ(row.Hex.size(), 2u);
    ASSERT_EQ(row.Binary.size(), 9u);
    ASSERT_EQ(row.Sym.size(), 3u);
    EXPECT_EQ(row.Binary[4], u' ');
    // Read the digits back rather than rebuild the text.
    int fromBinary = 0;
    for (char16_t digit : row.Binary) {
      if (digit != u' ') fromBinary = fromBinary * 2 + (digit == u'1' ? 1 : 0);
    }
    EXPECT_EQ(fromBinary, code);
    EXPECT_EQ(std::stoi(std::string(row.Hex.begin(), row.Hex.end()), nullptr, 16), code);
    EXPECT_EQ(std::stoi(std::string(row.Dec.begin(), row.Dec.end())), code);
    EXPECT_EQ(row.Dec.size(), code < 10 ? 1u : code < 100 ? 2u : 3u);
  }
}

struct AlignCase {
  std::u16string_view text;
  std::size_t width;
  std::u16string_view expected;
};

TEST(CharTableTest, RightAlignCountsCharacters) {
  const AlignCase cases[] = {
      {u"€", 3, u"  €"},     {u"ÿ", 3, u"  ÿ"},
      {u"BS", 3, u" BS"},    {u"NUL", 3, u"NUL"},
      {u"NUL", 5, u"  NUL"}, {u"0", 3, u"  0"},
      {u"", 3, u"   "},      {u"", 0, u""},
      {u"ABCD", 3, u"ABCD"}, {u"0000 0000", 12, u"   0000 0000"},
  };
  for (const AlignCase& c : cases) {
    EXPECT_EQ(RightAlign(c.text, c.width), c.expected)
        << "width " << c.width << ", length " << c.text.size();
  }
}

}  // namespace
}  // namespace quorvane::chart
