#include "chart/chart_text.h"

#include "chart/landscape_text.h"
#include "chart/portrait_text.h"

namespace quorvane::chart {

std::u16string MakeChartText(const CharTable& rows, bool portrait) {
  if (portrait) return MakePortraitText(rows);
  return MakeLandscapeText(rows, 0, true) + MakeLandscapeText(rows, 128, false);
}

}  // namespace quorvane::chart
