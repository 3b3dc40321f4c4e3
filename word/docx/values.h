#ifndef QUORVANE_WORD_DOCX_VALUES_H_
#define QUORVANE_WORD_DOCX_VALUES_H_

// Word's units, enumeration numbers and text as WordprocessingML spells them.

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane::word::docx {

// Points to twentieths of a point, rounded to the nearest (21.6 pt is 432).
std::int64_t Twips(float points);

// Points to half-points, rounded to the nearest and at least 1, because a
// zero size is not a size.
std::int64_t HalfPoints(float points);

// WdLineStyle to ST_Border. Empty for 0 (no border); a style we cannot name
// is drawn as a single line rather than dropped.
std::string_view BorderStyleName(std::int32_t lineStyle);

// WdColor (0x00BBGGRR) to ST_HexColor "RRGGBB"; automatic and the values with
// high bits set (theme and system colours) are "auto".
std::string ColorHex(std::int32_t color);

// WdParagraphAlignment to ST_Jc; unknown values are left aligned.
std::string_view JustificationName(std::int32_t alignment);

// WdSectionStart to ST_SectionMark; unknown values start a new page.
std::string_view SectionStartName(std::int32_t sectionStart);

// UTF-8 without the characters that XML 1.0 cannot carry: controls other
// than tab, LF and CR, U+FFFE, U+FFFF and unpaired surrogates. One of them
// would make the whole part unreadable.
std::string XmlSafeUtf8(std::u16string_view text);

// WdVerticalAlignment to ST_VerticalJc; unknown values align to the top.
std::string_view VerticalAlignmentName(std::int32_t verticalAlignment);

}  // namespace quorvane::word::docx

#endif  // QUORVANE_WORD_DOCX_VALUES_H_
