// quorvane-chart: the chart from the command line.

#include <unistd.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/chart_tool_options.h"
#include "app/error_report.h"
#include "chart/build_chart.h"
#include "chart/filled_table.h"
#include "chart/landscape_text.h"
#include "chart/portrait_text.h"
#include "word/docx/writer.h"
#include "word/embedded/word_application.h"
#include "word/recording.h"
#include "word/utf.h"

namespace {

using quorvane::app::cli::ChartToolOptions;
namespace chart = quorvane::chart;
namespace word = quorvane::word;
namespace embedded = quorvane::word::embedded;
namespace docx = quorvane::word::docx;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr std::string_view kStdout = "-";

std::u16string ChartText(bool landscape) {
  const chart::CharTable rows = chart::MakeFilledTable();
  if (!landscape) return chart::MakePortraitText(rows);
  return chart::MakeLandscapeText(rows, 0, true) + chart::MakeLandscapeText(rows, 128, false);
}

// Byte for byte: the CR LF line ends, the form feed and the zip bytes must
// pass untouched.
void WriteStdout(std::string_view bytes) {
#ifdef _WIN32
  // Windows' C runtime would write each LF as CR LF.
  std::cout.flush();
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  std::cout.flush();
  if (!std::cout) throw std::runtime_error("cannot write to standard output");
}

// Failures reach a person at a terminal, one per step that failed.
class TerminalReporter final : public chart::FailureReporter {
 public:
  void ReportFailure(std::string_view description, std::string_view location, int line) override {
    ++failures;
    std::cerr << "quorvane-chart: "
              << quorvane::app::TerminalReportText(description, location, line);
  }
  int failures = 0;
};

// Where the document made visible goes: the file the user named.
class FilePresenter final : public embedded::DocumentPresenter {
 public:
  FilePresenter(std::string path, bool replace) : path_(std::move(path)), replace_(replace) {}

  void Present(const embedded::Document& document) override {
    if (path_ == kStdout) {
      WriteStdout(docx::WriteDocx(document));
    } else {
      docx::SaveDocx(document, std::filesystem::path(path_), replace_);
    }
    presented = true;
  }

  bool presented = false;

 private:
  std::string path_;
  bool replace_;
};

int WriteDocument(const ChartToolOptions& options) {
  const std::string path =
      options.output.value_or(quorvane::app::cli::DefaultOutputName(options.landscape));
  if (path == kStdout && isatty(STDOUT_FILENO)) {
    std::cerr << "quorvane-chart: refusing to write a .docx document to a terminal; "
                 "redirect standard output or name a file with -o\n";
    return kExitFailure;
  }
  // Checked before anything is built, so a refused run costs nothing.
  std::error_code error;
  if (path != kStdout && !options.force &&
      std::filesystem::symlink_status(std::filesystem::path(path), error).type() !=
          std::filesystem::file_type::not_found &&
      !error) {
    std::cerr << "quorvane-chart: \"" << path << "\" already exists; use --force to replace it\n";
    return kExitFailure;
  }

  auto presenter = std::make_shared<FilePresenter>(path, options.force);
  word::ClassRegistry registry;
  embedded::RegisterWordApplication(registry, presenter);

  std::unique_ptr<word::RecordingFactory> recording;
  word::ObjectFactory* factory = &registry;
  if (options.trace) {
    auto recorder =
        std::make_shared<word::Recorder>([](std::string_view line) { std::cerr << line << '\n'; });
    recording = std::make_unique<word::RecordingFactory>(registry, std::move(recorder));
    factory = recording.get();
  }

  TerminalReporter reporter;
  chart::BuildChart(word::FromUtf8(options.footer), !options.landscape, {*factory, reporter});

  if (reporter.failures > 0) return kExitFailure;
  if (!presenter->presented) {
    std::cerr << "quorvane-chart: no document was made\n";
    return kExitFailure;
  }
  if (path != kStdout) std::cout << "Wrote " << path << '\n';
  return 0;
}

int Run(const ChartToolOptions& options) {
  if (options.help) {
    std::cout << quorvane::app::cli::ChartToolUsage();
    return 0;
  }
  if (options.version) {
    std::cout << "quorvane-chart " << QUORVANE_VERSION << '\n';
    return 0;
  }
  if (options.text) {
    WriteStdout(word::ToUtf8(ChartText(options.landscape)));
    return 0;
  }
  return WriteDocument(options);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  ChartToolOptions options;
  try {
    options = quorvane::app::cli::ParseChartToolOptions(args);
  } catch (const quorvane::app::cli::UsageError& error) {
    std::cerr << "quorvane-chart: " << error.what() << '\n' << quorvane::app::cli::ChartToolUsage();
    return kExitUsage;
  }
  try {
    return Run(options);
  } catch (const std::exception& error) {
    std::cerr << "quorvane-chart: " << error.what() << '\n';
    return kExitFailure;
  }
}
