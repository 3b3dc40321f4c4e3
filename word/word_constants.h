#ifndef QUORVANE_WORD_WORD_CONSTANTS_H_
#define QUORVANE_WORD_WORD_CONSTANTS_H_

// Word's own enumeration values, numbered as Word numbers them: the document
// procedures pass them and the embedded word processor understands them, so
// both read them from here.

#include <cstdint>

namespace quorvane::word {

// WdUnits
inline constexpr std::int32_t wdLine = 5;
inline constexpr std::int32_t wdStory = 6;

// WdMovementType
inline constexpr std::int32_t wdMove = 0;
inline constexpr std::int32_t wdExtend = 1;

// WdConstants
inline constexpr std::int32_t wdToggle = 9999998;
inline constexpr std::int32_t wdUndefined = 9999999;  // what a mixed selection reads as

// WdParagraphAlignment
inline constexpr std::int32_t wdAlignParagraphLeft = 0;
inline constexpr std::int32_t wdAlignParagraphCenter = 1;
inline constexpr std::int32_t wdAlignParagraphRight = 2;
inline constexpr std::int32_t wdAlignParagraphJustify = 3;

// WdBorderType
inline constexpr std::int32_t wdBorderTop = -1;

// WdLineStyle
inline constexpr std::int32_t wdLineStyleNone = 0;
inline constexpr std::int32_t wdLineStyleSingle = 1;

// WdLineWidth, in eighths of a point
inline constexpr std::int32_t wdLineWidth050pt = 4;

// WdColor
inline constexpr std::int32_t wdColorAutomatic = -16777216;

// WdSpecialPane
inline constexpr std::int32_t wdPaneNone = 0;

// WdViewType
inline constexpr std::int32_t wdPrintView = 3;

// WdSeekView
inline constexpr std::int32_t wdSeekMainDocument = 0;
inline constexpr std::int32_t wdSeekPrimaryHeader = 1;
inline constexpr std::int32_t wdSeekPrimaryFooter = 4;
inline constexpr std::int32_t wdSeekCurrentPageHeader = 9;
inline constexpr std::int32_t wdSeekCurrentPageFooter = 10;

// WdOrientation
inline constexpr std::int32_t wdOrientPortrait = 0;
inline constexpr std::int32_t wdOrientLandscape = 1;

// WdPaperTray
inline constexpr std::int32_t wdPrinterDefaultBin = 0;

// WdSectionStart
inline constexpr std::int32_t wdSectionContinuous = 0;
inline constexpr std::int32_t wdSectionNewColumn = 1;
inline constexpr std::int32_t wdSectionNewPage = 2;
inline constexpr std::int32_t wdSectionEvenPage = 3;
inline constexpr std::int32_t wdSectionOddPage = 4;

// WdVerticalAlignment
inline constexpr std::int32_t wdAlignVerticalTop = 0;
inline constexpr std::int32_t wdAlignVerticalCenter = 1;
inline constexpr std::int32_t wdAlignVerticalJustify = 2;
inline constexpr std::int32_t wdAlignVerticalBottom = 3;

// WdGutterStyle
inline constexpr std::int32_t wdGutterPosLeft = 0;
inline constexpr std::int32_t wdGutterPosTop = 1;
inline constexpr std::int32_t wdGutterPosRight = 2;

}  // namespace quorvane::word

#endif  // QUORVANE_WORD_WORD_CONSTANTS_H_
