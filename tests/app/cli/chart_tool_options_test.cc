#include "app/cli/chart_tool_options.h"

#include <gtest/gtest.h>

#include <string>
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
  // The empty value, in the GNU form too; a later option wins.
  EXPECT_EQ(Parse({"--footer", "x", "--footer="}).footer, "");
  EXPECT_EQ(Parse({"--footer="}).footer, "");
  EXPECT_EQ(Parse({"--footer", ""}).footer, "");
  EXPECT_EQ(Parse({"--output=-"}).output, "-");
}

// The footer is one line of text a document can hold; nothing is dropped or
// replaced silently.
TEST(ChartToolOptionsTest, FooterText) {
  const std::pair<std::string_view, const char*> kCases[] = {
      {"a\rb\nc\r\nd\n\re", "a b c d  e"},
      {"tab\there caf\xc3\xa9 \xef\xbf\xbd", "tab\there caf\xc3\xa9 \xef\xbf\xbd"},
      {"caf\xe9", "not valid UTF-8"},
      {"\xed\xa0\x80", "not valid UTF-8"},  // a surrogate
      {"a\x01", "holds U+0001"},
      {"\xef\xbf\xbe", "holds U+FFFE"},
      {"x\xef\xbf\xbf", "holds U+FFFF"},
  };
  for (const auto& [given, expected] : kCases) {
    try {
      EXPECT_EQ(Parse({"--footer", given}).footer, expected);
    } catch (const UsageError& refused) {
      EXPECT_NE(std::string(refused.what()).find(expected), std::string::npos) << refused.what();
    }
  }
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

#ifdef _WIN32
constexpr std::string_view kWordWritesNoFile =
    "--word leaves the chart open in Word and writes no file; it takes no -o or --force";
#endif

TEST(ChartToolOptionsTest, RefusalsSayWhy) {
  struct Case {
    std::vector<std::string_view> args;
    std::string_view message;
  };
  const Case cases[] = {
      {{"--landscpe"}, "unknown option '--landscpe'"},
      {{"--output="}, "the output file name is empty"},
      {{"--output", ""}, "the output file name is empty"},
      {{"-o", ""}, "the output file name is empty"},
      {{"--output"}, "option '--output' needs a value"},
#ifdef _WIN32
      // Word shows the chart; there is no file to name or replace.
      {{"--word", "-o", "x.docx"}, kWordWritesNoFile},
      {{"-o", "-", "--word"}, kWordWritesNoFile},
      {{"--word", "--force"}, kWordWritesNoFile},
      {{"--word", "--text"},
       "--text writes the chart text only; it cannot be combined with --word"},
#else
      // Only the Windows build has a Word to drive.
      {{"--word"}, "unknown option '--word'"},
#endif
  };
  for (const Case& c : cases) {
    try {
      Parse(c.args);
      ADD_FAILURE() << c.args.front() << " was accepted";
    } catch (const UsageError& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.args.front();
    }
  }
}

}  // namespace
}  // namespace quorvane::app::cli
