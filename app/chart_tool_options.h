#ifndef QUORVANE_APP_CHART_TOOL_OPTIONS_H_
#define QUORVANE_APP_CHART_TOOL_OPTIONS_H_

#include <span>
#include <stdexcept>
#include <string_view>

namespace quorvane::app {

struct ChartToolOptions {
  bool help = false;
  bool version = false;
  bool text = false;  // write the chart text instead of a document
  bool landscape = false;
};

// A command line the tool does not understand; what() is the one-line reason.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `args` are the arguments after the program name. Throws UsageError.
ChartToolOptions ParseChartToolOptions(std::span<const std::string_view> args);

// The usage text, ending with a line feed.
std::string_view ChartToolUsage();

}  // namespace quorvane::app

#endif  // QUORVANE_APP_CHART_TOOL_OPTIONS_H_
