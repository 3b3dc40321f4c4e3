#ifndef QUORVANE_TESTS_WORD_DOCX_DOCX_SAMPLES_H_
#define QUORVANE_TESTS_WORD_DOCX_DOCX_SAMPLES_H_

// Documents shaped like the chart documents, built directly in the model, so
// the writer is tested without the engine or the chart.

#include <string>
#include <vector>

#include "word/embedded/document.h"

namespace quorvane::word::docx::samples {

// The characters the chart prints: codes 0x20 to 0xFF read as Windows-1252,
// the five codes it leaves unassigned as themselves.
std::u16string ChartCharacters();

struct SampleLine {
  std::u16string text;
  int page;  // 1-based
};

struct Sample {
  embedded::Document document;
  std::vector<SampleLine> lines;
};

// 73 lines of 110 characters, 8 pt Courier New bold, US Letter upright with
// the chart's margins, the header title and an empty bordered footer. The
// first three lines carry every chart character.
Sample PortraitSample();

// 10 pt on US Letter sideways: 42 lines of 117 characters, a page break,
// 42 more.
Sample LandscapeSample();

// Page setup options the chart never uses, each away from its default.
embedded::PageSetup UnusualPageSetup();

}  // namespace quorvane::word::docx::samples

#endif  // QUORVANE_TESTS_WORD_DOCX_DOCX_SAMPLES_H_
