// quorvane-chart: the chart from the command line.

#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/chart_tool_options.h"
#include "chart/filled_table.h"
#include "chart/landscape_text.h"
#include "chart/portrait_text.h"
#include "word/utf.h"

namespace {

using quorvane::app::ChartToolOptions;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

std::u16string ChartText(bool landscape) {
  const quorvane::chart::CharTable rows = quorvane::chart::MakeFilledTable();
  if (!landscape) return quorvane::chart::MakePortraitText(rows);
  return quorvane::chart::MakeLandscapeText(rows, 0, true) +
         quorvane::chart::MakeLandscapeText(rows, 128, false);
}

// Byte for byte: the CR LF line ends and the form feed must pass untouched.
bool WriteStdout(std::string_view bytes) {
  std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  std::cout.flush();
  return static_cast<bool>(std::cout);
}

int Run(const ChartToolOptions& options) {
  if (options.help) {
    std::cout << quorvane::app::ChartToolUsage();
    return 0;
  }
  if (options.version) {
    std::cout << "quorvane-chart " << QUORVANE_VERSION << '\n';
    return 0;
  }
  if (!options.text) {
    std::cerr << "quorvane-chart: writing documents is not available yet\n";
    return kExitFailure;
  }
  if (!WriteStdout(quorvane::word::ToUtf8(ChartText(options.landscape)))) {
    std::cerr << "quorvane-chart: cannot write to standard output\n";
    return kExitFailure;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  ChartToolOptions options;
  try {
    options = quorvane::app::ParseChartToolOptions(args);
  } catch (const quorvane::app::UsageError& error) {
    std::cerr << "quorvane-chart: " << error.what() << '\n' << quorvane::app::ChartToolUsage();
    return kExitUsage;
  }
  try {
    return Run(options);
  } catch (const std::exception& error) {
    std::cerr << "quorvane-chart: " << error.what() << '\n';
    return kExitFailure;
  }
}
