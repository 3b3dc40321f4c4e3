#include "chart/landscape_text.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "chart/filled_table.h"
#include "tests/support/expected_output.h"
#include "base/utf.h"

namespace quorvane::chart {
namespace {

// The two halves, each a page, joined are the chart text; the page break
// closes the first one.
TEST(LandscapeTextTest, HalvesAreTheExpectedTextSplitAfterThePageBreak) {
  const CharTable rows = MakeFilledTable();
  const std::string expected = test_support::ExpectedChartText(false);
  const std::size_t pageBreak = expected.find('\f');
  ASSERT_NE(pageBreak, std::string::npos);
  EXPECT_EQ(expected.substr(0, pageBreak + 1), base::ToUtf8(MakeLandscapeText(rows, 0, true)));
  EXPECT_EQ(expected.substr(pageBreak + 1), base::ToUtf8(MakeLandscapeText(rows, 128, false)));
}

TEST(LandscapeTextTest, CodesBeyondTheTableFailTheCall) {
  const CharTable rows = MakeFilledTable();
  EXPECT_THROW(MakeLandscapeText(rows, 129, false), std::out_of_range);
  EXPECT_THROW(MakeLandscapeText(rows, -1, true), std::out_of_range);
}

}  // namespace
}  // namespace quorvane::chart
