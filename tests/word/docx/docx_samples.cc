#include "tests/word/docx/docx_samples.h"

#include <array>
#include <cstdio>

namespace quorvane::word::docx::samples {
namespace {

using embedded::Alignment;
using embedded::CharFormat;
using embedded::Document;
using embedded::GutterPos;
using embedded::LineStyle;
using embedded::Orientation;
using embedded::PageSetup;
using embedded::Paragraph;
using embedded::SectionStart;
using embedded::VerticalAlignment;

constexpr std::array<char16_t, 32> kWindows1252From80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::u16string_view kPlain =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789 "
    u"!#$%&()*+,-./:;<=>?@[]^_{|}~ "
    u"\u00C0\u00C9\u00D1\u00D6\u00DF\u00E0\u00E9\u00F1\u00F6\u00FF\u00A3\u00A7\u00B0 ";

std::u16string Label(int line) {
  char label[8];
  std::snprintf(label, sizeof label, "L%02d ", line);
  return std::u16string(label, label + 4);
}

// Line `number`, `width` characters: a label, then `fill` from `offset` on.
std::u16string Line(int number, std::size_t width, std::u16string_view fill, std::size_t offset) {
  std::u16string line = Label(number);
  while (line.size() < width) line.push_back(fill[offset++ % fill.size()]);
  return line;
}

Paragraph TextParagraph(std::u16string text, const CharFormat& format, Alignment alignment) {
  Paragraph paragraph;
  if (!text.empty()) paragraph.runs.push_back({std::move(text), format});
  paragraph.format.alignment = alignment;
  paragraph.markFormat = format;
  return paragraph;
}

PageSetup ChartPageSetup(bool landscape) {
  PageSetup setup;
  setup.orientation = landscape ? Orientation::Landscape : Orientation::Portrait;
  setup.topMargin = 21.6f;
  setup.bottomMargin = 43.2f;
  setup.leftMargin = 36.0f;
  setup.rightMargin = 36.0f;
  setup.gutter = 0.0f;
  setup.headerDistance = 21.6f;
  setup.footerDistance = 43.2f;
  setup.pageWidth = landscape ? 792.0f : 612.0f;
  setup.pageHeight = landscape ? 612.0f : 792.0f;
  setup.verticalAlignment = VerticalAlignment::Center;
  return setup;
}

// The header title and the empty footer with its top border in Word's
// default border, as the chart documents have them.
void AddHeaderAndFooter(Document& document) {
  document.header = {TextParagraph(u"ASCII Conversion Chart", {u"Times New Roman", 20.0f, true},
                                   Alignment::Center)};
  Paragraph footer = TextParagraph(u"", {u"Times New Roman", 10.0f, true}, Alignment::Center);
  footer.format.topBorder = {LineStyle::Single, 4, -16777216};
  document.footer = {footer};
}

// One paragraph per line; a line starting with a form feed starts a page.
// The text's final line end leaves an empty last paragraph, as in the chart.
Sample MakeSample(std::vector<SampleLine> lines, float size, bool landscape) {
  const CharFormat body{u"Courier New", size, true};
  Sample sample;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::u16string text = lines[i].text;
    if (i > 0 && lines[i].page != lines[i - 1].page) text.insert(0, 1, u'\f');
    sample.document.main.push_back(TextParagraph(std::move(text), body, Alignment::Left));
  }
  sample.document.main.push_back(TextParagraph(u"", body, Alignment::Left));
  AddHeaderAndFooter(sample.document);
  sample.document.pageSetup = ChartPageSetup(landscape);
  sample.lines = std::move(lines);
  return sample;
}

}  // namespace

std::u16string ChartCharacters() {
  std::u16string characters;
  for (char16_t code = 0x20; code <= 0xFF; ++code) {
    characters.push_back(code >= 0x80 && code < 0xA0 ? kWindows1252From80[code - 0x80] : code);
  }
  return characters;
}

Sample PortraitSample() {
  constexpr std::size_t kWidth = 110;
  const std::u16string all = ChartCharacters();
  std::vector<SampleLine> lines;
  std::size_t taken = 0;
  for (int number = 1; number <= 73; ++number) {
    if (taken < all.size()) {
      std::u16string line = Label(number) + all.substr(taken, kWidth - 4);
      taken += line.size() - 4;
      line.resize(kWidth, u'.');
      lines.push_back({std::move(line), 1});
    } else {
      lines.push_back({Line(number, kWidth, kPlain, static_cast<std::size_t>(number) * 7), 1});
    }
  }
  return MakeSample(std::move(lines), 8.0f, false);
}

Sample LandscapeSample() {
  std::vector<SampleLine> lines;
  for (int number = 1; number <= 84; ++number) {
    lines.push_back(
        {Line(number, 117, kPlain, static_cast<std::size_t>(number) * 5), number <= 42 ? 1 : 2});
  }
  return MakeSample(std::move(lines), 10.0f, true);
}

PageSetup UnusualPageSetup() {
  PageSetup setup;
  setup.orientation = Orientation::Landscape;
  setup.pageWidth = 841.9f;
  setup.pageHeight = 595.3f;
  setup.gutter = 18.0f;
  setup.firstPageTray = 1;
  setup.otherPagesTray = 4;
  setup.sectionStart = SectionStart::OddPage;
  setup.oddAndEvenPagesHeaderFooter = true;
  setup.differentFirstPageHeaderFooter = true;
  setup.verticalAlignment = VerticalAlignment::Bottom;
  setup.suppressEndnotes = true;
  setup.mirrorMargins = true;
  setup.twoPagesOnOne = true;
  setup.gutterPos = GutterPos::Right;
  setup.lineNumbering = true;
  return setup;
}

}  // namespace quorvane::word::docx::samples
