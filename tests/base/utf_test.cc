#include "base/utf.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane::base {
namespace {

struct Pair {
  std::u16string utf16;
  std::string utf8;
};

TEST(Utf, WellFormedTextsConvertBothWays) {
  const Pair pairs[] = {
      {u"", ""},
      {u"Chart 0-255", "Chart 0-255"},
      {std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
      {u"\u007F\u0080\u00FF", "\x7F\xC2\x80\xC3\xBF"},
      {u"\u07FF\u0800", "\xDF\xBF\xE0\xA0\x80"},
      {u"\u2013\u20AC\u2122", "\xE2\x80\x93\xE2\x82\xAC\xE2\x84\xA2"},
      {u"\uFFFF", "\xEF\xBF\xBF"},
      // Surrogate pairs: the first and last supplementary characters, and one between.
      {u"\U00010000", "\xF0\x90\x80\x80"},
      {u"x\U0001F600y", "x\xF0\x9F\x98\x80y"},
      {u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
  };
  for (const auto& [utf16, utf8] : pairs) {
    EXPECT_EQ(ToUtf8(utf16), utf8) << utf8;
    EXPECT_EQ(FromUtf8(utf8), utf16) << utf8;
    EXPECT_TRUE(IsUtf8(utf8)) << utf8;
  }
}

TEST(Utf, UnpairedSurrogatesBecomeReplacementCharacters) {
  const Pair cases[] = {
      {u"a\xD800", "a\xEF\xBF\xBD"},  // high at the end
      {u"\xDC00z", "\xEF\xBF\xBDz"},  // low alone
      {u"\xD83D"
       u"A",
       "\xEF\xBF\xBD"
       "A"},                                                    // high before a non-surrogate
      {u"\xDE00\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD"},            // reversed pair
      {u"\xD83D\xD83D\xDE00", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},  // the second high pairs
  };
  for (const auto& [utf16, utf8] : cases) EXPECT_EQ(ToUtf8(utf16), utf8) << utf8;
}

TEST(Utf, MalformedSequencesBecomeReplacementCharacters) {
  const Pair cases[] = {
      {u"\uFFFD", "\x80"},    // stray continuation byte
      {u"\uFFFD", "\xFF"},    // never a lead byte
      {u"a\uFFFD", "a\xC3"},  // cut off at the end
      {u"\uFFFD"
       u"A",
       "\xE2\x82"
       "A"},                                      // cut off before ASCII
      {u"\uFFFD\u20AC", "\xE2\x82\xE2\x82\xAC"},  // cut off before a valid one
      {u"\uFFFD", "\xF0\x9F\x98"},                // four-byte form cut off
      {u"a\uFFFDb",
       "a\xC0\xAF"
       "b"},                            // overlong '/' is not a slash
      {u"\uFFFD", "\xE0\x80\x80"},      // overlong NUL
      {u"\uFFFD", "\xED\xA0\x80"},      // encoded surrogate
      {u"\uFFFD", "\xF4\x90\x80\x80"},  // beyond U+10FFFF
  };
  for (const auto& [utf16, utf8] : cases) {
    EXPECT_EQ(FromUtf8(utf8), utf16) << testing::PrintToString(utf8);
    EXPECT_FALSE(IsUtf8(utf8)) << testing::PrintToString(utf8);
  }
}

}  // namespace
}  // namespace quorvane::base
