#ifndef QUORVANE_CHART_BUILD_CHART_H_
#define QUORVANE_CHART_BUILD_CHART_H_

#include <string_view>

#include "base/numbered_steps.h"
#include "word/object_factory.h"

namespace quorvane::chart {

struct ChartEnvironment {
  word::ObjectFactory& word;        // creates the word processor
  base::FailureReporter& reporter;  // shows each failed step
  base::NumberedSteps::FaultHook faultHook = {};
};

// One complete chart run: the table, the chart text in the chosen orientation,
// and the document. Every failed step is reported and the run goes on.
void BuildChart(std::u16string_view footerText, bool portrait, const ChartEnvironment& env);

}  // namespace quorvane::chart

#endif  // QUORVANE_CHART_BUILD_CHART_H_
