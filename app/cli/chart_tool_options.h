#ifndef QUORVANE_APP_CLI_CHART_TOOL_OPTIONS_H_
#define QUORVANE_APP_CLI_CHART_TOOL_OPTIONS_H_

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "chart/code_page.h"
#include "word/chart_document.h"

namespace quorvane::app::cli {

struct ChartToolOptions {
  bool help = false;
  bool version = false;
  bool text = false;  // write the chart text instead of a document
  bool landscape = false;
  std::string footer;                 // UTF-8, as given
  std::optional<std::string> output;  // "-" is standard output
  bool force = false;                 // replace an existing output file
  bool trace = false;                 // every Word operation to standard error
  bool word = false;                  // the installed Word shows the chart (--word, Windows only)
  bool listCodePages = false;
  const chart::CodePage* codePage = &chart::DefaultCodePage();  // codes 128 to 255
  std::optional<word::Paper> paper;                             // letter when not given
};

// A command line the tool does not understand; what() is the one-line reason.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `args` are the arguments after the program name. Throws UsageError.
ChartToolOptions ParseChartToolOptions(std::span<const std::string_view> args);

// Where the document goes when no -o is given.
std::string DefaultOutputName(bool landscape);

// The usage text, ending with a line feed.
std::string_view ChartToolUsage();

// What --list-code-pages prints: one code page a line, its name first.
std::string CodePageList();

}  // namespace quorvane::app::cli

#endif  // QUORVANE_APP_CLI_CHART_TOOL_OPTIONS_H_
