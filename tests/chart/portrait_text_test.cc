#include "chart/portrait_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "chart/filled_table.h"
#include "tests/support/expected_output.h"
#include "base/utf.h"

namespace quorvane::chart {
namespace {

TEST(PortraitTextTest, IsTheExpectedText) {
  EXPECT_EQ(test_support::ExpectedChartText(true),
            base::ToUtf8(MakePortraitText(MakeFilledTable())));
}

// A field the chart build failed to fill is empty; the layout pads it all the same.
TEST(PortraitTextTest, LaysOutTheTableItIsGiven) {
  CharTable rows = MakeFilledTable();
  rows[65].Sym.clear();
  rows[66].Hex = u"zz";
  std::string expected = test_support::ExpectedChartText(true);
  for (const auto& [from, to] :
       {std::pair{" 65   41  0100 0001   A      ", " 65   41  0100 0001          "},
        std::pair{" 66   42  0100 0010   B      ", " 66   zz  0100 0010   B      "}}) {
    const std::size_t at = expected.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    expected.replace(at, std::string_view(from).size(), to);
  }
  EXPECT_EQ(expected, base::ToUtf8(MakePortraitText(rows)));
}

}  // namespace
}  // namespace quorvane::chart
