// The skin's style sheet reader: what it takes from the shipped sheet, what
// it ignores as Qt does, and the sheets it refuses.

#include "app/win32/skin/skin_style.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "app/beside_program.h"

namespace quorvane::app::win32 {
namespace {

std::string ShippedSheet() {
  std::ifstream in(QUORVANE_SKIN_FILE, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

Fill Solid(Rgba c) {
  return Fill{Fill::Kind::Solid, {{0, c}}, {}};
}

TEST(SkinStyleTest, ReadsWhatTheShippedSheetDraws) {
  const std::string sheet = ShippedSheet();
  ASSERT_FALSE(sheet.empty());
  const SkinStyle style = ParseSkinStyle(sheet, "o.cjs");
  const Declarations& window = style.Rule("QWidget");
  EXPECT_EQ(window.background, Solid({0xee, 0xf2, 0xf7}));
  EXPECT_EQ(window.color, (Rgba{0x1d, 0x2b, 0x3a}));

  const Declarations& frame = style.Rule("QGroupBox");
  EXPECT_EQ(frame.borderWidth, 1);
  EXPECT_EQ(frame.borderColor, (Rgba{0xb7, 0xc6, 0xd8}));
  EXPECT_EQ(frame.borderRadius, 5);
  EXPECT_EQ(frame.marginTop, 8);
  EXPECT_EQ(style.Rule("QGroupBox::title").padding, (Edges{0, 4, 0, 4}));
  EXPECT_EQ(style.Rule("QGroupBox::title").left, 8);
  EXPECT_EQ(style.Rule("QRadioButton").background, Solid({0, 0, 0, 0}));

  const Fill button = *style.Rule("QPushButton").background;
  EXPECT_EQ(button.kind, Fill::Kind::Linear);
  EXPECT_EQ(button.At(0.5, 0), (Rgba{0x3a, 0x8f, 0xd4}));
  EXPECT_EQ(button.At(0.5, 1), (Rgba{0x1f, 0x6a, 0xab}));
  EXPECT_EQ(button.At(0.5, 0.5), (Rgba{0x2d, 0x7d, 0xc0}));  // halfway, rounded
  EXPECT_EQ(style.Rule("QPushButton").padding, (Edges{2, 12, 2, 12}));
  // A state adds to the plain rule: the pressed button keeps its border.
  const Declarations pressed = style.Resolve({"QWidget", "QPushButton", "QPushButton:pressed"});
  EXPECT_EQ(pressed.background, Solid({0x15, 0x4c, 0x80}));
  EXPECT_EQ(pressed.borderColor, (Rgba{0x15, 0x4c, 0x80}));
  EXPECT_EQ(pressed.color, (Rgba{0xff, 0xff, 0xff}));
  EXPECT_EQ(style.Rule("QPushButton:focus").borderColor, (Rgba{0xe8, 0x8a, 0x1a}));

  const Fill dot = *style.Rule("QRadioButton::indicator:checked").background;
  EXPECT_EQ(dot.kind, Fill::Kind::Radial);
  EXPECT_EQ(dot.At(0.5, 0.5), (Rgba{0x2a, 0x7f, 0xc4}));
  EXPECT_EQ(dot.At(0.5, 0.9), (Rgba{0xff, 0xff, 0xff}));
  EXPECT_EQ(style.Rule("QRadioButton::indicator").width, 12);
  EXPECT_EQ(style.Rule("QRadioButton::indicator:hover").borderColor, (Rgba{0x2a, 0x7f, 0xc4}));
}

TEST(SkinStyleTest, IgnoresWhatItDoesNotDrawAndLetsLaterRulesWin) {
  const SkinStyle style = ParseSkinStyle(
      "QWidget, QFrame { font: bold; color: #123; border: 2px dotted #fff; margin-top: 1em }\n"
      "QWidget { color: #abcdef; background-color: qconicalgradient(cx: 0, stop: 0 #fff); }\n"
      "QLabel { color: \"}\" }",
      "o.cjs");
  const Declarations& w = style.Rule("QWidget");
  EXPECT_EQ(w.color, (Rgba{0xab, 0xcd, 0xef}));
  EXPECT_EQ(style.Rule("QFrame").color, (Rgba{0x11, 0x22, 0x33}));
  EXPECT_FALSE(w.borderWidth || w.borderColor || w.marginTop || w.background);
  EXPECT_EQ(style.Rule("QPushButton"), Declarations{});
}

TEST(SkinStyleTest, RefusesBrokenSheetsWithADescription) {
  const struct {
    std::string sheet;
    const char* why;
  } kBroken[] = {
      {"", "holds no style rule"},
      {" /* only */ ", "holds no style rule"},
      {"QWidget { color: red;", "leaves a rule open"},
      {"QWidget } {", "closes a rule that was never opened"},
      {"/* open", "unterminated comment"},
      {"QWidget { font: \"Arial; }", "unterminated string"},
      {"QWidget { \xff }", "not UTF-8"},
      {"QWidget { color: \xed\xa0\x80 }", "not UTF-8"},  // a surrogate
      {"QWidget { QLabel { } }", "nests a rule"},
      {"{ color: red }", "without a selector"},
      {"QWidget { color red }", "without a property and a colon"},
      {"QWidget { background: qlineargradient(x1: 0; }", "unbalanced parentheses"},
      {"QWidget { } QLabel", "ends inside a selector"},
      {"QWidget {}" + std::string(kMaxSkinFileBytes, ' '), "larger than 1 MiB"},
  };
  for (const auto& c : kBroken) {
    try {
      ParseSkinStyle(c.sheet, "x/o.cjs");
      ADD_FAILURE() << "accepted: " << c.sheet.substr(0, 60);
    } catch (const std::runtime_error& refused) {
      EXPECT_NE(std::string(refused.what()).find(c.why), std::string::npos) << refused.what();
      EXPECT_NE(std::string(refused.what()).find("x/o.cjs"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace quorvane::app::win32
