#include "app/cli/chart_tool_options.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace quorvane::app::cli {
namespace {

ChartToolOptions Parse(std::vector<std::string_view> args) {
  return ParseChartToolOptions(args);
}

TEST(ChartToolOptionsTest, DocumentOptions) {
  const auto options =
      Parse({"--landscape", "--footer", "-page-", "-o", "-", "--force", "--trace"});
  EXPECT_TRUE(options.landscape);
  EXPECT_EQ(options.footer, "-page-");
  EXPECT_EQ(options.output, "-");
  EXPECT_TRUE(options.force);
  EXPECT_TRUE(options.trace);
  EXPECT_FALSE(options.text);
}

TEST(ChartToolOptionsTest, ValueForms) {
  EXPECT_EQ(Parse({"--footer=a b"}).footer, "a b");
  EXPECT_EQ(Parse({"-ochart.docx"}).output, "chart.docx");
  EXPECT_EQ(Parse({"--output=x.docx"}).output, "x.docx");
  EXPECT_EQ(Parse({"--output", "y.docx"}).output, "y.docx");
  EXPECT_FALSE(Parse({}).output.has_value());
}

TEST(ChartToolOptionsTest, Refusals) {
  const std::vector<std::vector<std::string_view>> bad = {
      {"--bogus"},
      {"stray"},
      {"-o"},
      {"--footer"},
      {"-o", ""},
      {"--text", "-o", "x.docx"},
      {"--text", "--trace"},
      {"--text", "--footer", "x"},
  };
  for (const auto& args : bad) {
    EXPECT_THROW(Parse(args), UsageError) << args.front();
  }
}

TEST(ChartToolOptionsTest, UnknownOptionIsNamedInTheMessage) {
  try {
    Parse({"--landscpe"});
    FAIL();
  } catch (const UsageError& e) {
    EXPECT_STREQ(e.what(), "unknown option '--landscpe'");
  }
}

}  // namespace
}  // namespace quorvane::app::cli
