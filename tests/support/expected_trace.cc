#include "tests/support/expected_trace.h"

namespace quorvane::test_support {
namespace {

void Append(std::vector<std::string>& out, std::initializer_list<const char*> lines) {
  out.insert(out.end(), lines.begin(), lines.end());
}

void ReturnToMainText(std::vector<std::string>& out) {
  Append(out, {
                  "get ActiveWindow",
                  "get View",
                  "get SplitSpecial",
                  "get ActivePane",
                  "get View",
                  "put Type = I4 3",
                  "get ActivePane",
                  "get View",
                  "put SeekView = I4 0",
              });
}

}  // namespace

std::vector<std::string> ExpectedTrace(const ExpectedCreation& c) {
  std::vector<std::string> t;
  t.push_back(c.portrait ? "create class {000209FF-0000-0000-C000-000000000046} "
                           "{00020970-0000-0000-C000-000000000046}"
                         : "create progid \"Word.Application\"");
  // The body.
  Append(t, {
                "get Application",
                "put Visible = BOOL 0",
                "get Documents",
                "call add",
                "get Selection",
                "call WholeStory",
                "get Font",
                "put name = BSTR \"Courier New\"",
            });
  t.push_back(c.portrait ? "put Size = R4 8" : "put Size = R4 10");
  Append(t, {
                "put Bold = BOOL -1",
                "get ActiveDocument",
                "get PageSetup",
                "get LineNumbering",
                "put Active = BOOL 0",
            });
  t.push_back(c.portrait ? "put Orientation = I4 0" : "put Orientation = I4 1");
  Append(t, {
                "call InchesToPoints(R8 0.3)",
                "put TopMargin = R4 21.6",
                "call InchesToPoints(R8 0.6)",
                "put BottomMargin = R4 43.2",
                "call InchesToPoints(R8 0.5)",
                "put LeftMargin = R4 36",
                "call InchesToPoints(R8 0.5)",
                "put RightMargin = R4 36",
                "call InchesToPoints(I2 0)",
                "put Gutter = R4 0",
                "call InchesToPoints(R8 0.3)",
                "put HeaderDistance = R4 21.6",
                "call InchesToPoints(R8 0.6)",
                "put FooterDistance = R4 43.2",
            });
  if (c.portrait) {
    Append(t, {
                  "call InchesToPoints(R4& 8.5)",
                  "put PageWidth = R4 612",
                  "call InchesToPoints(R4& 11)",
                  "put PageHeight = R4 792",
              });
  } else {
    Append(t, {
                  "call InchesToPoints(R4& 11)",
                  "put PageWidth = R4 792",
                  "call InchesToPoints(R4& 8.5)",
                  "put PageHeight = R4 612",
              });
  }
  Append(t, {
                "put FirstPageTray = I4 0",
                "put OtherPagesTray = I4 0",
                "put SectionStart = I4 2",
                "put OddAndEvenPagesHeaderFooter = BOOL 0",
                "put DifferentFirstPageHeaderFooter = BOOL 0",
                "put VerticalAlignment = I4 1",
                "put SuppressEndnotes = BOOL 0",
                "put MirrorMargins = BOOL 0",
                "put TwoPagesOnOne = BOOL 0",
                "put GutterPos = I4 0",
            });
  ReturnToMainText(t);
  Append(t, {
                "get Selection",
                "call Collapse",
                "get ParagraphFormat",
                "put Alignment = I4 0",
            });
  t.push_back("put Text = BSTR \"" + c.chartText + "\"");
  t.push_back("call HomeKey(Unit:=I4 6)");

  // The header: the title line is selected before its font is set.
  Append(t, {
                "get ActiveWindow",
                "get ActivePane",
                "get View",
                "put SeekView = I4 9",
                "get Selection",
                "get HeaderFooter",
                "get Range",
                "put Text = BSTR \"ASCII Conversion Chart\"",
                "call HomeKey(Unit:=I4 5)",
                "call EndKey(Extend:=I4 1, Unit:=I4 5)",
                "get Font",
                "put name = BSTR \"Times New Roman\"",
                "get Font",
                "put Size = R4 20",
                "get Font",
                "put Bold = I4 9999998",
                "get ParagraphFormat",
                "put Alignment = I4 1",
            });
  ReturnToMainText(t);

  // The footer: the font is set before the line is selected.
  Append(t, {
                "get ActiveWindow",
                "get ActivePane",
                "get View",
                "put SeekView = I4 10",
                "get Selection",
                "get HeaderFooter",
                "get Range",
            });
  t.push_back("put Text = BSTR \"" + c.footerText + "\"");
  Append(t, {
                "get Font",
                "put name = BSTR \"Times New Roman\"",
                "get Font",
                "put Size = R4 10",
                "get Font",
                "put Bold = I4 9999998",
                "call HomeKey(Unit:=I4 5)",
                "call EndKey(Extend:=I4 1, Unit:=I4 5)",
                "get ParagraphFormat",
                "put Alignment = I4 1",
                "get Options",
                "get DefaultBorderLineStyle",
                "get Borders(I4 -1)",
                "put LineStyle = I4 1",
                "get Options",
                "get DefaultBorderLineWidth",
                "get Borders(I4 -1)",
                "put LineWidth = I4 4",
                "get Options",
                "get DefaultBorderColor",
                "get Borders(I4 -1)",
                "put Color = I4 -16777216",
            });
  ReturnToMainText(t);

  t.push_back("put Visible = BOOL -1");
  return t;
}

}  // namespace quorvane::test_support
