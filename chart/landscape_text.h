#ifndef QUORVANE_CHART_LANDSCAPE_TEXT_H_
#define QUORVANE_CHART_LANDSCAPE_TEXT_H_

#include <cstdint>
#include <string>

#include "chart/char_table.h"

namespace quorvane::chart {

// One half of the landscape chart: codes startCode to startCode + 127. The
// first half carries heading line 1 and ends with a form feed (the page break).
std::u16string MakeLandscapeText(const CharTable& rows, std::int32_t startCode, bool firstHalf);

}  // namespace quorvane::chart

#endif  // QUORVANE_CHART_LANDSCAPE_TEXT_H_
