// The small rules of the window program: the application title, the setting
// texts, dialog line breaks, the file test and the web site draw.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QDir>

#include "app/app_title.h"
#include "app/dialog_text.h"
#include "app/error_report.h"
#include "app/file_exists.h"
#include "app/setting_text.h"
#include "app/web_site_chance.h"
#include "tests/app/window_fakes.h"

namespace quorvane::app {
namespace {

TEST(AppTitleTest, CutsBeforeTheLastBlankAtLeastOnceThenWhileLongerThanForty) {
  const std::pair<const char*, const char*> kCases[] = {
      {"Quorvane Software", "Quorvane"},
      {"One Two Three", "One Two"},
      // 41 characters after the first cut, then 40.
      {"Aaaaaaaaaa Bbbbbbbbbb Cccccccccc Dddddddd Eeee", "Aaaaaaaaaa Bbbbbbbbbb Cccccccccc"},
      {"Aaaaaaaaaa Bbbbbbbbbb Cccccccccc Ddddddd Eeee", "Aaaaaaaaaa Bbbbbbbbbb Cccccccccc Ddddddd"},
  };
  for (const auto& [product, title] : kCases) {
    EXPECT_EQ(AppTitleFrom(QString::fromLatin1(product)), QString::fromLatin1(title)) << product;
  }
  EXPECT_THROW(AppTitleFrom(QStringLiteral("Quorvane")), std::invalid_argument);
}

TEST(SettingTextTest, AcceptsTrueFalseAndNumbersOnly) {
  for (const char* text : {"True", "TRUE", " true ", "1", "-1", "2.5"}) {
    EXPECT_TRUE(ToBoolean(QString::fromLatin1(text))) << text;
  }
  for (const char* text : {"False", "false", "0", "0.0"}) {
    EXPECT_FALSE(ToBoolean(QString::fromLatin1(text))) << text;
  }
  for (const char* text : {"yes", "", "Tru", "1x"}) {
    EXPECT_THROW(ToBoolean(QString::fromLatin1(text)), std::invalid_argument) << text;
  }
  EXPECT_EQ(BooleanText(true), QStringLiteral("True"));
  EXPECT_EQ(BooleanText(false), QStringLiteral("False"));
}

TEST(DialogTextTest, EachCarriageReturnWithOrWithoutLineFeedIsOneBreak) {
  const std::pair<const char*, const char*> kCases[] = {{"a\r\nb", "a\nb"},
                                                        {"a\r\rb", "a\n\nb"},
                                                        {"a\nb", "a\nb"},
                                                        {"a\r\n\r\nb", "a\n\nb"},
                                                        {"a\n\rb", "a\n\nb"}};
  for (const auto& [text, shown] : kCases) {
    EXPECT_EQ(DialogText(QString::fromLatin1(text)), QString::fromLatin1(shown)) << text;
  }
}

TEST(FileExistsTest, OnlyOrdinaryFilesCount) {
  const QTemporaryDir dir;
  ASSERT_TRUE(test_support::WriteFile(dir.filePath("HAND-M.CUR"), "x"));
  ASSERT_TRUE(test_support::WriteFile(dir.filePath(".hidden"), "x"));
  ASSERT_TRUE(QDir(dir.path()).mkdir("o.cjs"));
  const std::pair<QString, bool> kCases[] = {{dir.filePath("HAND-M.CUR"), true},
                                             {dir.filePath(".hidden"), true},
                                             {dir.filePath("o.cjs"), false},
                                             {dir.filePath("missing"), false},
                                             {QString(), false}};
  for (const auto& [path, exists] : kCases)
    EXPECT_EQ(FileExists(path), exists) << path.toStdString();
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
    std::vector<QUrl> expected;
    if (number == 7) expected.emplace_back(QString::fromLatin1(kWebSiteAddress.data()));
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
