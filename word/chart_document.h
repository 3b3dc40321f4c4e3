#ifndef QUORVANE_WORD_CHART_DOCUMENT_H_
#define QUORVANE_WORD_CHART_DOCUMENT_H_

// The Word document procedures: one new Word instance, the chart text as the
// body, the title header and the bordered footer, then Word made visible.

#include <string_view>

#include "word/object_factory.h"

namespace quorvane::word {

enum class Paper { kLetter, kA4 };

// The page the chart lies on, and what its title names beside "ASCII
// Conversion Chart": the code page, or nothing.
struct ChartPage {
  Paper paper = Paper::kLetter;
  std::u16string_view codePage;
};

// Spaces only (U+0020): the empty footer. Any other text is kept as given.
bool IsBlankFooter(std::u16string_view footerText);

// Each entry point releases its Word references whatever happens. When the
// creation fails after Word was started, that hidden instance is told to quit
// and the failure is thrown on to the caller.
void MakePortraitDocument(ObjectFactory& factory, std::u16string_view chartText,
                          std::u16string_view footerText, const ChartPage& page = {});
void MakeLandscapeDocument(ObjectFactory& factory, std::u16string_view chartText,
                           std::u16string_view footerText, const ChartPage& page = {});

}  // namespace quorvane::word

#endif  // QUORVANE_WORD_CHART_DOCUMENT_H_
