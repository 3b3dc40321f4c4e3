// Values as QSettings reads them from its INI text, and the text a write
// leaves.

#include "app/settings_ini.h"

#include <gtest/gtest.h>

namespace quorvane::app {
namespace {

TEST(SettingsIniTest, ValuesAreReadAsQSettingsReadsThem) {
  const std::pair<const char*, std::optional<std::string>> kCases[] = {
      {"[S]\nk=True", "True"},
      {"[S]\n  k  =  a b  ; note", "a b"},
      {"[S]\nk=\" a;b \"", " a;b "},
      {"[S]\nk=\\\"x\\\\y\\t\\x41\\101", "\"x\\y\tAA"},
      {"[S]\nk=a, b", ""},  // a list
      {"[S]\nk=@@at", "@at"},
      {"[S]\nk=@String(s)", "s"},
      {"[S]\nk=@Variant(\\0)", ""},
      {"[S]\nk=1\n[T]\nk=2\n[S]\nk=3", "3"},
      {"[%53]\r\nk=crlf\r\n", "crlf"},
      {"[T]\nk=1", std::nullopt},
      {"k=1", std::nullopt},
  };
  for (const auto& [text, value] : kCases) {
    EXPECT_EQ(IniDamage(text), "") << text;
    EXPECT_EQ(IniValue(text, "S", "k"), value) << text;
  }
}

TEST(SettingsIniTest, AWriteAddsTheKeyOrTheSectionAndReadsBack) {
  const std::pair<const char*, const char*> kCases[] = {
      {"", "[S]\nk=v\n"},
      {"[T]\nx=1", "[T]\nx=1\n\n[S]\nk=v\n"},
      {"[S]\nx=1\n\n[T]\n", "[S]\nx=1\nk=v\n\n[T]\n"},
      {"[S]\nk=old\n[S]\nk=older\r\n", "[S]\nk=v\n[S]\nk=v\r\n"},
  };
  for (const auto& [text, written] : kCases) {
    EXPECT_EQ(WithIniValue(text, "S", "k", "v"), written) << text;
  }
  for (const char* value : {"", " padded ", "a,b;c", "@x", "\"q\"\\\n\r\t\x01"}) {
    const std::string text = WithIniValue("", "Quorvane Software", "Option1", value);
    EXPECT_EQ(IniDamage(text), "") << text;
    EXPECT_EQ(IniValue(text, "Quorvane Software", "Option1"), value) << text;
  }
}

}  // namespace
}  // namespace quorvane::app
