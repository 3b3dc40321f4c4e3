#include "tests/support/expected_output.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quorvane::test_support {

std::string ExpectedOutput(std::string_view name) {
  const std::string path = std::string(QUORVANE_TEST_DATA "/") + std::string(name);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open the expected output " + path);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string ExpectedChartText(bool portrait) {
  return ExpectedOutput(portrait ? "chart/portrait.txt" : "chart/landscape.txt");
}

std::string ExpectedTrace(bool portrait) {
  return ExpectedOutput(portrait ? "trace/portrait.txt" : "trace/landscape.txt");
}

std::string TraceText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  return text;
}

}  // namespace quorvane::test_support
