#ifndef QUORVANE_CHART_PORTRAIT_TEXT_H_
#define QUORVANE_CHART_PORTRAIT_TEXT_H_

#include <string>

#include "chart/char_table.h"

namespace quorvane::chart {

// The portrait chart: 73 CR LF lines, four blocks of 16 data lines under one heading.
std::u16string MakePortraitText(const CharTable& rows);

}  // namespace quorvane::chart

#endif  // QUORVANE_CHART_PORTRAIT_TEXT_H_
