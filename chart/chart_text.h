#ifndef QUORVANE_CHART_CHART_TEXT_H_
#define QUORVANE_CHART_CHART_TEXT_H_

#include <string>

#include "chart/char_table.h"

namespace quorvane::chart {

// The whole chart text of one orientation, as the chart build lays it out:
// the portrait text, or both landscape halves joined by their page break.
std::u16string MakeChartText(const CharTable& rows, bool portrait);

}  // namespace quorvane::chart

#endif  // QUORVANE_CHART_CHART_TEXT_H_
