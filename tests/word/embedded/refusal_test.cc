// What the engine refuses, and the description it gives.

#include <gtest/gtest.h>

#include <functional>

#include "tests/word/embedded/engine_test_support.h"

namespace quorvane::word::embedded::test_support {
namespace {

struct Refusal {
  const char* name;
  std::function<void(const EngineWithDocument&)> operation;
  const char* description;  // a part of the expected description
};

class RefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusalTest, FailsWithADescription) {
  const EngineWithDocument e;
  try {
    GetParam().operation(e);
    FAIL() << "accepted";
  } catch (const AutomationError& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().description), std::string::npos)
        << error.what();
  }
}

Object Font(const EngineWithDocument& e) {
  return e.selection.Get("Font");
}
Object View(const EngineWithDocument& e) {
  return e.app.Get("ActiveWindow").Get("View");
}

INSTANTIATE_TEST_SUITE_P(
    Members, RefusalTest,
    ::testing::Values(
        Refusal{"UnknownOnSelection", [](const auto& e) { e.selection.GetValue("Foo"); },
                "Unknown member 'Foo' of Selection"},
        Refusal{"UnknownCall", [](const auto& e) { e.app.Call("Close"); },
                "Unknown member 'Close' of Application"},
        Refusal{"PutReadOnly", [](const auto& e) { e.app.Put("Documents", I4(0)); },
                "Application.Documents is read-only"},
        Refusal{"PutMethod", [](const auto& e) { e.selection.Put("WholeStory", I4(0)); },
                "Selection.WholeStory is a method"},
        Refusal{"GetMethod", [](const auto& e) { e.app.GetValue("quit"); },
                "Application.Quit is a method, not a property"},
        Refusal{"CallProperty", [](const auto& e) { e.app.Call("Visible"); },
                "Application.Visible is a property, not a method"},
        Refusal{"ArgumentsOnPlainGet", [](const auto& e) { e.selection.GetValue("Font", I4(1)); },
                "Selection.Font takes no arguments"},
        Refusal{"SplitSpecialIsReadOnly", [](const auto& e) { View(e).Put("SplitSpecial", I4(1)); },
                "View.SplitSpecial is read-only"}),
    [](const auto& test) { return std::string(test.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Arguments, RefusalTest,
    ::testing::Values(
        Refusal{"InchesMissing", [](const auto& e) { e.app.Call("InchesToPoints"); },
                "InchesToPoints takes 1"},
        Refusal{"InchesTwice", [](const auto& e) { e.app.Call("InchesToPoints", I2(1), I2(2)); },
                "takes at most 1"},
        Refusal{"InchesText", [](const auto& e) { e.app.Call("InchesToPoints", Bstr(u"1")); },
                "Type mismatch: Application.InchesToPoints wants a number, got BSTR"},
        Refusal{"InchesBool", [](const auto& e) { e.app.Call("InchesToPoints", Bool(true)); },
                "got BOOL"},
        Refusal{"WholeStoryArgument", [](const auto& e) { e.selection.Call("WholeStory", I4(1)); },
                "Selection.WholeStory takes at most 0"},
        Refusal{"UnknownNamed",
                [](const auto& e) { e.selection.Call("HomeKey", Named("Count", I4(1))); },
                "Selection.HomeKey has no argument named 'Count'"},
        Refusal{"NamedTwice",
                [](const auto& e) { e.selection.Call("EndKey", I4(5), Named("unit", I4(6))); },
                "argument 'Unit' is given twice"},
        Refusal{"BordersWithoutIndex", [](const auto& e) { e.selection.GetValue("Borders"); },
                "needs the index"},
        Refusal{"TextNotText", [](const auto& e) { e.selection.Put("Text", I4(1)); },
                "Type mismatch: Selection.Text wants a string (BSTR), got I4"},
        Refusal{"FontNameNumber", [](const auto& e) { Font(e).Put("Name", R4(1)); },
                "Type mismatch: Font.Name"},
        Refusal{"FontSizeText", [](const auto& e) { Font(e).Put("Size", Bstr(u"8")); },
                "Type mismatch: Font.Size wants a number, got BSTR"},
        Refusal{"VisibleObject",
                [](const auto& e) { e.app.Put("Visible", Value::Object(e.app.dispatch())); },
                "Type mismatch: Application.Visible"}),
    [](const auto& test) { return std::string(test.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Ranges, RefusalTest,
    ::testing::Values(
        Refusal{"FontSizeZero", [](const auto& e) { Font(e).Put("Size", R4(0.5f)); },
                "Font.Size = 0.5; it must lie between 1 and 1638 points"},
        Refusal{"FontSizeHuge", [](const auto& e) { Font(e).Put("Size", I4(1639)); }, "Font.Size"},
        Refusal{"FontNameEmpty", [](const auto& e) { Font(e).Put("Name", Bstr(u"")); },
                "Font.Name must not be empty"},
        Refusal{"BoldTwo", [](const auto& e) { Font(e).Put("Bold", I4(2)); }, "Font.Bold = 2"},
        Refusal{"Alignment",
                [](const auto& e) { e.selection.Get("ParagraphFormat").Put("Alignment", I4(4)); },
                "ParagraphFormat.Alignment = 4"},
        Refusal{"LineStyle",
                [](const auto& e) { e.selection.Get("Borders", I4(-1)).Put("LineStyle", I4(25)); },
                "Border.LineStyle = 25"},
        Refusal{"LineWidth",
                [](const auto& e) { e.selection.Get("Borders", I4(-1)).Put("LineWidth", I4(5)); },
                "Border.LineWidth = 5"},
        Refusal{"Color",
                [](const auto& e) { e.selection.Get("Borders", I4(-1)).Put("Color", I4(1 << 24)); },
                "Border.Color = 16777216"},
        Refusal{"OtherBorder", [](const auto& e) { e.selection.GetValue("Borders", I4(-3)); },
                "only the top border"},
        Refusal{"DefaultBorderWidth",
                [](const auto& e) { e.app.Get("Options").Put("DefaultBorderLineWidth", I4(3)); },
                "Options.DefaultBorderLineWidth = 3"},
        Refusal{"HomeKeyUnit", [](const auto& e) { e.selection.Call("HomeKey", I4(4)); },
                "Unit = 4"},
        Refusal{"EndKeyExtend",
                [](const auto& e) { e.selection.Call("EndKey", Named("Extend", I4(2))); },
                "Selection.EndKey Extend = 2"},
        Refusal{"CollapseDirection", [](const auto& e) { e.selection.Call("Collapse", I4(2)); },
                "Direction = 2"},
        Refusal{"ViewType", [](const auto& e) { View(e).Put("Type", I4(8)); }, "View.Type = 8"},
        Refusal{"SeekViewRange", [](const auto& e) { View(e).Put("SeekView", I4(11)); },
                "View.SeekView = 11"},
        Refusal{"SeekFirstPageHeader", [](const auto& e) { View(e).Put("SeekView", I4(2)); },
                "only its main text, primary header and primary footer"},
        Refusal{"HeaderFooterInMainText",
                [](const auto& e) { e.selection.GetValue("HeaderFooter"); },
                "only available while the selection is in a header or footer"}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace quorvane::word::embedded::test_support
