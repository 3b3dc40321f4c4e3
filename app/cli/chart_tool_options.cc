#include "app/cli/chart_tool_options.h"

#include <string>

#include "app/cli/footer_text.h"

namespace quorvane::app::cli {
namespace {

// The value of an option given as "--name VALUE", "--name=VALUE" or, for a
// short option, "-o VALUE" / "-oVALUE". Returns nothing when `arg` is not it.
std::optional<std::string> OptionValue(std::span<const std::string_view> args, std::size_t& i,
                                       std::string_view name) {
  const std::string_view arg = args[i];
  if (arg == name) {
    if (i + 1 >= args.size()) throw UsageError("option '" + std::string(name) + "' needs a value");
    return std::string(args[++i]);
  }
  const bool isShort = name.size() == 2;
  const std::string prefix = std::string(name) + (isShort ? "" : "=");
  // "--footer=" is the empty footer; "--output=" an empty name, refused below.
  if (arg.starts_with(prefix) && (!isShort || arg.size() > prefix.size())) {
    return std::string(arg.substr(prefix.size()));
  }
  return std::nullopt;
}

const chart::CodePage* CodePageNamed(const std::string& name) {
  const chart::CodePage* page = chart::FindCodePage(name);
  if (page == nullptr) {
    throw UsageError("unknown code page '" + name +
                     "'; 'quorvane-chart --list-code-pages' lists them");
  }
  return page;
}

word::Paper PaperNamed(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  if (folded == "letter") return word::Paper::kLetter;
  if (folded == "a4") return word::Paper::kA4;
  throw UsageError("unknown paper '" + name + "'; --paper takes letter or a4");
}

}  // namespace

ChartToolOptions ParseChartToolOptions(std::span<const std::string_view> args) {
  ChartToolOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--text") {
      options.text = true;
    } else if (arg == "--landscape") {
      options.landscape = true;
    } else if (arg == "--force" || arg == "-f") {
      options.force = true;
    } else if (arg == "--trace") {
      options.trace = true;
#ifdef _WIN32
    } else if (arg == "--word") {
      options.word = true;
#endif
    } else if (arg == "--list-code-pages") {
      options.listCodePages = true;
    } else if (auto codePage = OptionValue(args, i, "--code-page")) {
      options.codePage = CodePageNamed(*codePage);
    } else if (auto paper = OptionValue(args, i, "--paper")) {
      options.paper = PaperNamed(*paper);
    } else if (auto footer = OptionValue(args, i, "--footer")) {
      options.footer = FooterText(*footer);
    } else if (auto output = OptionValue(args, i, "-o")) {
      options.output = std::move(*output);
    } else if (auto longOutput = OptionValue(args, i, "--output")) {
      options.output = std::move(*longOutput);
    } else if (arg.starts_with('-') && arg != "-") {
      throw UsageError("unknown option '" + std::string(arg) + "'");
    } else {
      throw UsageError("unexpected argument '" + std::string(arg) + "'");
    }
  }
  if (options.output && options.output->empty()) throw UsageError("the output file name is empty");
  if (options.word && options.text) {
    throw UsageError("--text writes the chart text only; it cannot be combined with --word");
  }
  if (options.word && (options.output || options.force)) {
    throw UsageError(
        "--word leaves the chart open in Word and writes no file; it takes no -o or --force");
  }
  if (options.text && (options.output || options.trace || !options.footer.empty())) {
    throw UsageError("--text writes the chart text only; it takes no -o, --footer or --trace");
  }
  if (options.text && options.paper) {
    throw UsageError("--text writes the chart text only; --paper is for documents");
  }
  return options;
}

std::string DefaultOutputName(bool landscape) {
  return landscape ? "ascii-chart-landscape.docx" : "ascii-chart-portrait.docx";
}

// --word only where there is a Word to drive: the Linux tool does not know it.
std::string_view ChartToolUsage() {
  return "Usage: quorvane-chart [--landscape] [--paper letter|a4] [--code-page NAME]\n"
         "                      [--footer TEXT] [-o FILE] [--force] [--trace]\n"
#ifdef _WIN32
         "       quorvane-chart --word [--landscape] [--paper letter|a4] [--code-page NAME]\n"
         "                      [--footer TEXT] [--trace]\n"
#endif
         "       quorvane-chart --text [--landscape] [--code-page NAME]\n"
         "       quorvane-chart --list-code-pages\n"
         "\n"
         "Makes the ASCII conversion chart of the codes 0 to 255 as a .docx document.\n"
         "\n"
         "  --landscape     the landscape chart: two pages sideways, 10 pt\n"
         "                  (default: portrait, one page upright, 8 pt)\n"
         "  --paper letter|a4\n"
         "                  the paper size (default: letter, US Letter)\n"
         "  --code-page NAME\n"
         "                  the code page of the codes 128 to 255, named in the title\n"
         "                  (default: 1252, Windows Western); e.g. 437, 1251, latin1\n"
         "  --list-code-pages\n"
         "                  list the code pages and the other names they take\n"
         "  --footer TEXT   text for the page footer (default: none), UTF-8, one line:\n"
         "                  each line break (CR LF, CR or LF) becomes a space; control\n"
         "                  characters other than tab, U+FFFE and U+FFFF are refused\n"
         "  -o, --output FILE\n"
         "                  where to write the document; - for standard output\n"
         "                  (default: ascii-chart-portrait.docx or ascii-chart-landscape.docx)\n"
         "  -f, --force     replace FILE if it exists (never replaced otherwise)\n"
#ifdef _WIN32
         "  --word          open the chart in Microsoft Word and leave it there, unsaved,\n"
         "                  instead of writing a file\n"
#endif
         "  --trace         write every word processor operation to standard error\n"
         "  --text          write the chart text (UTF-8, CR LF line ends) to standard output\n"
         "  -h, --help      show this help and exit\n"
         "  --version       show the version and exit\n"
         "\n"
         "Examples: quorvane-chart --code-page 437 -o cp437.docx\n"
         "          quorvane-chart --paper a4 --landscape -o chart-a4.docx\n"
         "\n"
#ifdef _WIN32
         "Exit status: 0 when the document was written (or opened in Word), 1 when\n"
         "anything failed, 2 when the command line was not understood.\n";
#else
         "Exit status: 0 when the document was written, 1 when anything failed,\n"
         "2 when the command line was not understood.\n";
#endif
}

std::string CodePageList() {
  std::string list;
  for (const chart::CodePage& page : chart::CodePages()) {
    std::string line(page.name);
    line.resize(12, ' ');
    line += page.aliases.empty() ? "-" : page.aliases;
    if (page.upperCells.empty()) line += " (the default)";
    list += line + '\n';
  }
  return list;
}

}  // namespace quorvane::app::cli
