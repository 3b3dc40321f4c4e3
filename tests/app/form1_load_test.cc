// The main window's load: its order, what it restores and writes, the hand
// cursor, the Word check, and the window it then shows.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "app/beside_program.h"
#include "base/utf.h"
#include "tests/app/window_fakes.h"
#include "word/word_check.h"

namespace quorvane::app {
namespace {

using ::testing::ElementsAre;
using Writes = std::vector<std::pair<std::u16string, std::u16string>>;

const std::pair<std::u16string, std::u16string> kO1True{u"Option1", u"True"},
    kO1False{u"Option1", u"False"}, kO2True{u"Option2", u"True"}, kO2False{u"Option2", u"False"};

TEST(Form1LoadTest, RestoresTheOptionsAndWritesThemBack) {
  const struct {
    std::optional<std::u16string> option1, option2;
    bool selected1, selected2;
    Writes writes;
    std::vector<int> reported;
  } kCases[] = {
      {{}, {}, true, false, {kO1True, kO2False}, {}},  // first start
      {u"False", u"True", false, true, {kO1False, kO2True}, {}},
      {u"True", u"True", false, true, {kO1False, kO2True, kO1False, kO2True}, {}},
      {u"False", u"False", false, false, {}, {}},
      {u"1", u"0", true, false, {kO1True, kO2False}, {}},
      {u"yes", {}, false, false, {}, {128}},
  };
  for (const auto& c : kCases) {
    test_support::Form1Harness harness;
    if (c.option1) harness.settings.values[u"Option1"] = *c.option1;
    if (c.option2) harness.settings.values[u"Option2"] = *c.option2;
    auto form = harness.MakeForm();
    form->Start();
    const std::string name = base::ToUtf8(c.option1.value_or(u"-"));
    EXPECT_EQ(harness.view.selected[0], c.selected1) << name;
    EXPECT_EQ(harness.view.selected[1], c.selected2) << name;
    EXPECT_EQ(harness.settings.writes, c.writes) << name;
    EXPECT_EQ(harness.boxes.ReportedLines(), c.reported) << name;
    EXPECT_TRUE(harness.view.visible) << name;
  }
}

TEST(Form1LoadTest, RunsInOrderAndLoadsTheCursorOnlyWhenItsFileExists) {
  for (const bool withCursor : {false, true}) {
    test_support::Form1Harness harness;
    std::vector<int> lines;
    harness.faultHook = [&](int line) { lines.push_back(line); };
    const std::u16string cursorFile = CursorFilePath(harness.ProgramFolder());
    if (withCursor) {
      ASSERT_TRUE(test_support::WriteFile(cursorFile, "a cursor"));
    }
    auto form = harness.MakeForm();
    form->Form_Load();
    // Lines 128 and 130 each read, then restore; 130 then runs the clicks.
    std::vector<int> expected = {100, 104, 104, 104, 106, 110, 128, 128, 130, 130, 130, 136};
    if (withCursor) expected.insert(expected.begin() + 5, 108);
    EXPECT_EQ(lines, expected);
    const auto* icon = dynamic_cast<const test_support::FakePicture*>(form->MouseIcon());
    EXPECT_EQ(icon != nullptr ? icon->path : u"none", withCursor ? cursorFile : u"none");
    EXPECT_EQ(harness.view.caption, u"Quorvane Software");
    EXPECT_EQ(harness.view.iconsSet, 1);
    EXPECT_EQ(form->AppTitle(), u"Quorvane");
    EXPECT_TRUE(harness.boxes.shown.empty());
    EXPECT_THAT(harness.word.recorder->Lines(),
                ElementsAre("create progid \"Word.Application\"", "call quit"));
  }
}

TEST(Form1LoadTest, FailuresAreReportedAndTheLoadGoesOn) {
  // A failing file test counts as held: the cursor load is still tried.
  test_support::Form1Harness harness;
  harness.faultHook = [](int line) {
    if (line == 106) throw std::runtime_error("Bad file name or number");
  };
  auto form = harness.MakeForm();
  form->Start();
  EXPECT_THAT(harness.boxes.ReportedLines(), ElementsAre(106, 108));
  EXPECT_THAT(base::ToUtf8(harness.boxes.shown[0].text),
              ::testing::StartsWith("Bad file name or number\r\n"
                                    "in Vellomir2021/08/31.Form1.Form_Load at line 106\r\r"));
  EXPECT_EQ(harness.boxes.shown[0].style, kStyleWarning);
  EXPECT_EQ(form->MouseIcon(), nullptr);
  EXPECT_TRUE(harness.view.visible);
}

TEST(Form1LoadTest, AStoreThatCannotBeReadIsReportedAndTheDefaultsApply) {
  // Each read is reported; the defaults are restored and written back.
  test_support::Form1Harness harness;
  harness.settings.failReads = true;
  auto form = harness.MakeForm();
  form->Start();
  EXPECT_THAT(harness.boxes.ReportedLines(), ElementsAre(128, 130));
  EXPECT_TRUE(harness.view.selected[0] && !harness.view.selected[1]);
  EXPECT_EQ(harness.settings.writes, (Writes{kO1True, kO2False}));
  EXPECT_TRUE(harness.view.visible);
}

TEST(Form1LoadTest, WithoutWordTheMessageIsShownAndTheProgramEndsUnseen) {
  test_support::Form1Harness harness;
  word::ClassRegistry noWord;
  harness.factory = &noWord;
  auto form = harness.MakeForm();
  form->Start();
  ASSERT_EQ(harness.boxes.shown.size(), 1u);
  EXPECT_EQ(harness.boxes.shown[0].text, word::WordUnavailableMessage());
  EXPECT_EQ(harness.boxes.shown[0].title, u"Quorvane");
  EXPECT_EQ(harness.boxes.shown[0].style, kStyleOkOnly);
  EXPECT_EQ(harness.exit.ends, 1);
  EXPECT_FALSE(harness.view.visible);
  EXPECT_EQ(harness.settings.writes, (Writes{kO1True, kO2False}));
}

TEST(Form1LoadTest, TheFirstFailureToSaveAClickIsShownAndLaterOnesAreNot) {
  test_support::Form1Harness harness;
  auto form = harness.MakeForm();
  form->Start();
  harness.settings.failWrites = true;
  harness.view.Click(Option::Option2);
  harness.view.Click(Option::Option1);
  harness.view.Click(Option::Option2);
  ASSERT_EQ(harness.boxes.shown.size(), 1u);
  EXPECT_EQ(harness.boxes.shown[0].text, u"Cannot write the settings file: access denied");
  EXPECT_EQ(harness.boxes.shown[0].title, u"Quorvane");
  EXPECT_EQ(harness.boxes.shown[0].style, kStyleWarning);
  EXPECT_TRUE(harness.view.selected[1]);
}

TEST(Form1LoadTest, SelectingAnOptionWritesBothKeysOption1First) {
  test_support::Form1Harness harness;
  auto form = harness.MakeForm();
  form->Start();
  harness.settings.writes.clear();
  harness.view.Click(Option::Option2);
  harness.view.Click(Option::Option1);
  EXPECT_EQ(harness.settings.writes, (Writes{kO1False, kO2True, kO1True, kO2False}));
}

}  // namespace
}  // namespace quorvane::app
