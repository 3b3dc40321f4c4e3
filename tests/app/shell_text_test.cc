// The small rules of the desktop shell: the application title, the setting
// texts, dialog line breaks, the files beside the program and the web site
// draw.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/beside_program.h"
#include "app/error_report.h"
#include "app/shell_text.h"
#include "app/web_site_chance.h"
#include "base/utf.h"
#include "tests/app/window_fakes.h"

namespace quorvane::app {
namespace {

TEST(AppTitleTest, CutsBeforeTheLastBlankAtLeastOnceThenWhileLongerThanForty) {
  const std::pair<std::u16string_view, std::u16string_view> kCases[] = {
      {u"Quorvane Software", u"Quorvane"},
      {u"One Two Three", u"One Two"},
      // 41 characters after the first cut, then 40.
      {u"Aaaaaaaaaa Bbbbbbbbbb Cccccccccc Dddddddd Eeee", u"Aaaaaaaaaa Bbbbbbbbbb Cccccccccc"},
      {u"Aaaaaaaaaa Bbbbbbbbbb Cccccccccc Ddddddd Eeee",
       u"Aaaaaaaaaa Bbbbbbbbbb Cccccccccc Ddddddd"},
  };
  for (const auto& [product, title] : kCases) {
    EXPECT_EQ(AppTitleFrom(product), title) << base::ToUtf8(product);
  }
  EXPECT_THROW(AppTitleFrom(u"Quorvane"), std::invalid_argument);
}

TEST(SettingTextTest, AcceptsTrueFalseAndFiniteNumbersOnly) {
  for (const char16_t* text :
       {u"True", u"TRUE", u" true ", u"\u2003True\u00a0", u"1", u"-1", u"2.5", u"+3", u"1,000.5"}) {
    EXPECT_TRUE(ToBoolean(text)) << base::ToUtf8(text);
  }
  for (const char16_t* text : {u"False", u"false", u"0", u"0.0", u"\tFalse\n"}) {
    EXPECT_FALSE(ToBoolean(text)) << base::ToUtf8(text);
  }
  for (const char16_t* text : {u"yes", u"", u"Tru", u"1x", u"+-1", u"\u00e91", u"1,00", u"1000,000",
                               u"1e999", u"nan", u"NaN", u"-nan", u"inf", u"-inf", u"+Infinity"}) {
    EXPECT_THROW(ToBoolean(text), std::invalid_argument) << base::ToUtf8(text);
  }
  EXPECT_EQ(BooleanText(true), u"True");
  EXPECT_EQ(BooleanText(false), u"False");
}

TEST(DialogTextTest, EachCarriageReturnWithOrWithoutLineFeedIsOneBreak) {
  const std::pair<std::u16string_view, std::u16string_view> kCases[] = {{u"a\r\nb", u"a\nb"},
                                                                        {u"a\r\rb", u"a\n\nb"},
                                                                        {u"a\nb", u"a\nb"},
                                                                        {u"a\r\n\r\nb", u"a\n\nb"},
                                                                        {u"a\n\rb", u"a\n\nb"}};
  for (const auto& [text, shown] : kCases) {
    EXPECT_EQ(DialogText(text), shown) << base::ToUtf8(text);
  }
}

TEST(BesideProgramTest, OnlyOrdinaryFilesCount) {
  const test_support::ScratchFolder dir;
  const std::u16string folder = dir.path().u16string();
  ASSERT_TRUE(test_support::WriteFile(CursorFilePath(folder), "x"));
  ASSERT_TRUE(test_support::WriteFile(dir.path() / ".hidden", "x"));
  ASSERT_TRUE(std::filesystem::create_directories(std::filesystem::path(SkinFilePath(folder))));
#ifdef _WIN32
  EXPECT_EQ(CursorFilePath(u"C:\\p"), u"C:\\p\\HAND-M.CUR");
  EXPECT_EQ(SkinFilePath(u"C:\\p"), u"C:\\p\\x\\o.cjs");
#else
  EXPECT_EQ(CursorFilePath(u"/p"), u"/p/HAND-M.CUR");
  EXPECT_EQ(SkinFilePath(u"/p"), u"/p/x/o.cjs");
#endif
  std::vector<std::pair<std::u16string, bool>> cases = {{CursorFilePath(folder), true},
                                                        {folder + u"/.hidden", true},
                                                        {SkinFilePath(folder), false},
                                                        {folder + u"/missing", false},
                                                        {u"", false},
                                                        {u"\xd800", false}};
#ifndef _WIN32
  // FIFOs, device nodes and links are POSIX entries.
  ASSERT_TRUE(test_support::MakeFifo(dir.path() / "fifo"));
  ASSERT_TRUE(test_support::MakeLink(dir.path() / "link", CursorFilePath(folder)));
  ASSERT_TRUE(test_support::MakeLink(dir.path() / "link-to-fifo", dir.path() / "fifo"));
  cases.insert(
      cases.end(),
      {{folder + u"/link", true}, {folder + u"/fifo", false}, {folder + u"/link-to-fifo", false}});
  if (test_support::MakeNullDevice(dir.path() / "null"))
    cases.push_back({folder + u"/null", false});
#endif
  for (const auto& [path, exists] : cases)
    EXPECT_EQ(FileExists(path), exists) << base::ToUtf8(path);
}

TEST(WebSiteChanceTest, DrawsOneToHundredSeededByTheClockAndOpensTheSiteOnSeven) {
  const std::pair<double, int> kDraws[] = {
      {0.0, 1}, {0.06, 7}, {0.0699, 7}, {0.07, 8}, {0.99999, 100}};
  for (const auto& [fraction, number] : kDraws) {
    test_support::FixedClock clock;
    clock.seconds = 45296;
    test_support::ScriptedRandom random;
    random.fraction = fraction;
    test_support::RecordingOpener opener;
    EXPECT_EQ(DrawOneToHundred(random), number);
    OpenWebSiteByChance(clock, random, opener);
    EXPECT_THAT(random.seeds, ::testing::ElementsAre(45296u));
    std::vector<std::u16string> expected;
    if (number == 7) expected.push_back(base::FromUtf8(kWebSiteAddress));
    EXPECT_EQ(opener.opened, expected) << fraction;
  }
}

TEST(WebSiteChanceTest, StandardGeneratorDrawsSevenAboutOnceInAHundredSecondsOfADay) {
  StandardRandom random;
  int sevens = 0;
  for (std::uint32_t second = 0; second < 86400; ++second) {
    random.Seed(second);
    const int number = DrawOneToHundred(random);
    ASSERT_TRUE(number >= 1 && number <= 100) << number;
    sevens += number == 7 ? 1 : 0;
  }
  EXPECT_NEAR(sevens, 864, 150);
}

}  // namespace
}  // namespace quorvane::app
