#ifndef QUORVANE_WORD_EMBEDDED_DOCUMENT_H_
#define QUORVANE_WORD_EMBEDDED_DOCUMENT_H_

// The document model of the embedded word processor, as handed to a presenter
// and to the .docx writer. Enumerations carry Word's own numbers and lengths
// Word's units (points; border widths in eighths of a point), so that what was
// put through automation reaches the file unchanged.

#include <cstdint>
#include <string>
#include <vector>

#include "word/word_constants.h"

namespace quorvane::word::embedded {

// WdLineStyle: the other styles, up to 24, have no name here but keep their
// numbers.
enum class LineStyle : std::int32_t { None = wdLineStyleNone, Single = wdLineStyleSingle };

enum class Alignment : std::int32_t {
  Left = wdAlignParagraphLeft,
  Center = wdAlignParagraphCenter,
  Right = wdAlignParagraphRight,
  Justify = wdAlignParagraphJustify,
};

enum class Orientation : std::int32_t {
  Portrait = wdOrientPortrait,
  Landscape = wdOrientLandscape
};

enum class SectionStart : std::int32_t {
  Continuous = wdSectionContinuous,
  NewColumn = wdSectionNewColumn,
  NewPage = wdSectionNewPage,
  EvenPage = wdSectionEvenPage,
  OddPage = wdSectionOddPage,
};

enum class VerticalAlignment : std::int32_t {
  Top = wdAlignVerticalTop,
  Center = wdAlignVerticalCenter,
  Justify = wdAlignVerticalJustify,
  Bottom = wdAlignVerticalBottom,
};

enum class GutterPos : std::int32_t {
  Left = wdGutterPosLeft,
  Top = wdGutterPosTop,
  Right = wdGutterPosRight,
};

// Word's number of an enumerated value.
template <typename E>
constexpr std::int32_t WordNumber(E value) {
  return static_cast<std::int32_t>(value);
}

struct CharFormat {
  std::u16string font = u"Times New Roman";
  float size = 12.0f;  // points
  bool bold = false;
  friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

struct BorderFormat {
  LineStyle lineStyle = LineStyle::None;
  std::int32_t lineWidth = wdLineWidth050pt;  // eighths of a point: 2, 4, 6, 8, 12, 18, 24, 36, 48
  std::int32_t color = wdColorAutomatic;      // WdColor: automatic, else 0x00BBGGRR
  friend bool operator==(const BorderFormat&, const BorderFormat&) = default;
};

struct ParagraphFormat {
  Alignment alignment = Alignment::Left;
  BorderFormat topBorder;
  friend bool operator==(const ParagraphFormat&, const ParagraphFormat&) = default;
};

// A stretch of text with one character format. Paragraph marks never appear
// in it; U+000C is a page break, U+000B a line break, U+0009 a tab.
struct Run {
  std::u16string text;
  CharFormat format;
  friend bool operator==(const Run&, const Run&) = default;
};

struct Paragraph {
  std::vector<Run> runs;  // adjacent runs have different formats; none is empty
  ParagraphFormat format;
  CharFormat markFormat;  // the formatting of the paragraph mark
  friend bool operator==(const Paragraph&, const Paragraph&) = default;
};

// A story is never empty: it has at least its final paragraph.
using Story = std::vector<Paragraph>;

struct PageSetup {
  Orientation orientation = Orientation::Portrait;
  float topMargin = 72.0f;
  float bottomMargin = 72.0f;
  float leftMargin = 90.0f;
  float rightMargin = 90.0f;
  float gutter = 0.0f;
  float headerDistance = 36.0f;
  float footerDistance = 36.0f;
  float pageWidth = 612.0f;
  float pageHeight = 792.0f;
  std::int32_t firstPageTray = wdPrinterDefaultBin;  // WdPaperTray
  std::int32_t otherPagesTray = wdPrinterDefaultBin;
  SectionStart sectionStart = SectionStart::NewPage;
  bool oddAndEvenPagesHeaderFooter = false;
  bool differentFirstPageHeaderFooter = false;
  VerticalAlignment verticalAlignment = VerticalAlignment::Top;
  bool suppressEndnotes = false;
  bool mirrorMargins = false;
  bool twoPagesOnOne = false;
  GutterPos gutterPos = GutterPos::Left;
  bool lineNumbering = false;  // LineNumbering.Active
  friend bool operator==(const PageSetup&, const PageSetup&) = default;
};

struct Document {
  Story main;
  Story header;  // the primary page header
  Story footer;  // the primary page footer
  PageSetup pageSetup;
  friend bool operator==(const Document&, const Document&) = default;
};

}  // namespace quorvane::word::embedded

#endif  // QUORVANE_WORD_EMBEDDED_DOCUMENT_H_
