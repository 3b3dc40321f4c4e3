#ifndef QUORVANE_TESTS_SUPPORT_EXPECTED_OUTPUT_H_
#define QUORVANE_TESTS_SUPPORT_EXPECTED_OUTPUT_H_

// Expected outputs kept as files under tests/data, made with the tool's own
// --text and --trace. Compare them as whole strings: GoogleTest then prints a
// unified diff of the lines that differ.

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::test_support {

// The footer of the expected traces, "Größe ✓ 日本": Latin, a symbol and CJK.
inline constexpr char kTraceFooter[] =
    "Gr\xc3\xb6\xc3\x9f"
    "e \xe2\x9c\x93 \xe6\x97\xa5\xe6\x9c\xac";

// The bytes of tests/data/`name`; throws when the file cannot be read.
std::string ExpectedOutput(std::string_view name);

// The chart text, UTF-8 with CR LF line ends: what `quorvane-chart --text`
// writes.
std::string ExpectedChartText(bool portrait);

// The Word operations of the chart build with the footer kTraceFooter, one
// line each, ended by LF: what `quorvane-chart --trace` writes.
std::string ExpectedTrace(bool portrait);

// Recorded operation lines as a trace file holds them.
std::string TraceText(const std::vector<std::string>& lines);

}  // namespace quorvane::test_support

#endif  // QUORVANE_TESTS_SUPPORT_EXPECTED_OUTPUT_H_
