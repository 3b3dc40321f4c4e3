#ifndef QUORVANE_CHART_BUILD_CHART_H_
#define QUORVANE_CHART_BUILD_CHART_H_

#include <string_view>

#include "base/numbered_steps.h"
#include "chart/code_page.h"
#include "word/chart_document.h"
#include "word/object_factory.h"

namespace quorvane::chart {

struct ChartEnvironment {
  word::ObjectFactory& word;        // creates the word processor
  base::FailureReporter& reporter;  // shows each failed step
  base::NumberedSteps::FaultHook faultHook = {};
};

// Which chart: the code page of codes 128 to 255 (named in the title), the paper.
struct ChartOptions {
  const CodePage& codePage = DefaultCodePage();
  word::Paper paper = word::Paper::kLetter;
};

// One complete chart run: the table, the chart text in the chosen orientation,
// and the document. Every failed step is reported and the run goes on.
void BuildChart(std::u16string_view footerText, bool portrait, const ChartEnvironment& env,
                const ChartOptions& options = {});

}  // namespace quorvane::chart

#endif  // QUORVANE_CHART_BUILD_CHART_H_
