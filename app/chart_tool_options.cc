#include "app/chart_tool_options.h"

#include <string>

namespace quorvane::app {

ChartToolOptions ParseChartToolOptions(std::span<const std::string_view> args) {
  ChartToolOptions options;
  for (const std::string_view arg : args) {
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--text") {
      options.text = true;
    } else if (arg == "--landscape") {
      options.landscape = true;
    } else if (arg.starts_with('-')) {
      throw UsageError("unknown option '" + std::string(arg) + "'");
    } else {
      throw UsageError("unexpected argument '" + std::string(arg) + "'");
    }
  }
  return options;
}

std::string_view ChartToolUsage() {
  return "Usage: quorvane-chart [--text] [--landscape]\n"
         "\n"
         "Makes the ASCII conversion chart of the codes 0 to 255.\n"
         "\n"
         "  --text        write the chart text (UTF-8, CR LF line ends) to standard output\n"
         "  --landscape   the landscape chart: two pages split by a form feed\n"
         "  --help        show this help and exit\n"
         "  --version     show the version and exit\n";
}

}  // namespace quorvane::app
