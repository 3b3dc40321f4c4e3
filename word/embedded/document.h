#ifndef QUORVANE_WORD_EMBEDDED_DOCUMENT_H_
#define QUORVANE_WORD_EMBEDDED_DOCUMENT_H_

// The document model of the embedded word processor, as handed to a presenter
// and to the .docx writer. Numbers follow Word's own enumerations and units
// (points; border widths in eighths of a point), so that what was put through
// automation reaches the file unchanged.

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane::word::embedded {

struct CharFormat {
  std::u16string font = u"Times New Roman";
  float size = 12.0f;  // points
  bool bold = false;
  friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

struct BorderFormat {
  std::int32_t lineStyle = 0;  // WdLineStyle: 0 none, 1 single, ...
  std::int32_t lineWidth = 4;  // WdLineWidth: eighths of a point (2, 4, 6, 8, 12, 18, 24, 36, 48)
  std::int32_t color = -16777216;  // WdColor: -16777216 automatic, else 0x00BBGGRR
  friend bool operator==(const BorderFormat&, const BorderFormat&) = default;
};

struct ParagraphFormat {
  std::int32_t alignment = 0;  // WdParagraphAlignment: 0 left, 1 centre, 2 right, 3 justify
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
  std::int32_t orientation = 0;  // WdOrientation: 0 portrait, 1 landscape
  float topMargin = 72.0f;
  float bottomMargin = 72.0f;
  float leftMargin = 90.0f;
  float rightMargin = 90.0f;
  float gutter = 0.0f;
  float headerDistance = 36.0f;
  float footerDistance = 36.0f;
  float pageWidth = 612.0f;
  float pageHeight = 792.0f;
  std::int32_t firstPageTray = 0;  // WdPaperTray: 0 printer default
  std::int32_t otherPagesTray = 0;
  std::int32_t sectionStart =
      2;  // WdSectionStart: 0 continuous, 1 new column, 2 new page, 3 even, 4 odd
  bool oddAndEvenPagesHeaderFooter = false;
  bool differentFirstPageHeaderFooter = false;
  std::int32_t verticalAlignment = 0;  // WdVerticalAlignment: 0 top, 1 centre, 2 justify, 3 bottom
  bool suppressEndnotes = false;
  bool mirrorMargins = false;
  bool twoPagesOnOne = false;
  std::int32_t gutterPos = 0;  // WdGutterStyle: 0 left, 1 right, 2 top
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
