// quorvane-chart: the chart from the command line.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <filesystem>
#include <iostream>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/cli/chart_tool_options.h"
#include "app/error_report.h"
#include "chart/build_chart.h"
#include "chart/chart_text.h"
#include "chart/filled_table.h"
#include "word/docx/atomic_file.h"
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

constexpr std::string_view kCannotWriteStdout = "cannot write to standard output";

// Byte for byte: the CR LF line ends, the form feed and the zip bytes must
// pass untouched. Throws, with the system's reason, when not all of them
// could be written.
void WriteStdout(std::string_view bytes) {
  std::cout.flush();  // what went before goes first
  if (!std::cout) throw std::runtime_error(std::string(kCannotWriteStdout));
#ifdef _WIN32
  // Windows' C runtime would write each LF as CR LF.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  while (!bytes.empty()) {
    // Windows counts in unsigned int: at most 1 GiB a call on either.
    const std::size_t chunk = std::min<std::size_t>(bytes.size(), std::size_t{1} << 30);
#ifdef _WIN32
    const int written = ::_write(STDOUT_FILENO, bytes.data(), static_cast<unsigned>(chunk));
#else
    const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), chunk);
#endif
    if (written < 0) {
      if (errno == EINTR) continue;
      throw std::system_error(errno, std::generic_category(), std::string(kCannotWriteStdout));
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
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
  // Checked before anything is built, so a refused run costs nothing. Only
  // a regular file (or a link to one) is ever replaced, and only with --force.
  if (path != kStdout) {
    const docx::WriteTarget target = docx::InspectWriteTarget(path);
    if (target.kind == docx::WriteTarget::Kind::kRefused) {
      std::cerr << "quorvane-chart: " << target.refusal << '\n';
      return kExitFailure;
    }
    if (target.kind == docx::WriteTarget::Kind::kRegularFile && !options.force) {
      std::cerr << "quorvane-chart: \"" << path << "\" already exists; use --force to replace it\n";
      return kExitFailure;
    }
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
    WriteStdout(quorvane::app::cli::ChartToolUsage());
    return 0;
  }
  if (options.version) {
    WriteStdout(std::string("quorvane-chart ") + QUORVANE_VERSION + '\n');
    return 0;
  }
  if (options.text) {
    WriteStdout(word::ToUtf8(chart::MakeChartText(chart::MakeFilledTable(), !options.landscape)));
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
  int status = kExitFailure;
  try {
    status = Run(options);
  } catch (const std::bad_alloc&) {
    std::cerr << "quorvane-chart: Out of memory\n";
    return kExitFailure;
  } catch (const std::exception& error) {
    std::cerr << "quorvane-chart: " << error.what() << '\n';
    return kExitFailure;
  }
  // Whatever went to standard output must have arrived, as "Wrote FILE" too.
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "quorvane-chart: " << kCannotWriteStdout << '\n';
    return kExitFailure;
  }
  return status;
}
