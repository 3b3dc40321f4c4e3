#ifndef QUORVANE_CHART_FILLED_TABLE_H_
#define QUORVANE_CHART_FILLED_TABLE_H_

#include "chart/char_table.h"

namespace quorvane::chart {

// All 256 rows filled by the row rules in one go, for callers that need no
// per-step failure reports (tests, benchmarks, the command-line tool).
CharTable MakeFilledTable(const CodePage& page = DefaultCodePage());

}  // namespace quorvane::chart

#endif  // QUORVANE_CHART_FILLED_TABLE_H_
