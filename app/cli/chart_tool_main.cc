// quorvane-chart: the chart from the command line.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "app/cli/chart_tool_options.h"
#include "app/cli/console_text.h"
#include "app/error_report.h"
#include "base/files.h"
#include "base/utf.h"
#include "chart/build_chart.h"
#include "chart/chart_text.h"
#include "chart/filled_table.h"
#include "word/docx/writer.h"
#include "word/embedded/word_application.h"
#include "word/recording.h"
#ifdef _WIN32
#include <cwchar>

#include "word/com/apartment.h"
#include "word/com/busy_policy.h"
#include "word/com/com_factory.h"
#include "word/com/message_filter.h"
#endif

namespace {

using quorvane::app::cli::ChartToolOptions;
using quorvane::app::cli::Stream;
using quorvane::app::cli::WriteText;
namespace base = quorvane::base;
namespace chart = quorvane::chart;
namespace word = quorvane::word;
namespace embedded = quorvane::word::embedded;
namespace docx = quorvane::word::docx;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr std::string_view kStdout = "-";

constexpr std::string_view kCannotWriteStdout = "cannot write to standard output";

void WriteError(std::string_view message) {
  WriteText(Stream::kErr, "quorvane-chart: " + std::string(message));
}

// Out of memory where even the exception could not be made (libstdc++ then
// terminates with no exception), or where one met a noexcept boundary.
[[noreturn]] void Terminated() {
  bool outOfMemory = true;
  if (const std::exception_ptr failure = std::current_exception()) {
    try {
      std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
    } catch (...) {
      outOfMemory = false;
    }
  }
  std::fputs(outOfMemory ? "quorvane-chart: Out of memory\n"
                         : "quorvane-chart: internal error: unhandled exception\n",
             stderr);
  std::_Exit(kExitFailure);
}

// Installed before the other static objects are made, since their
// allocations can fail too (at "ulimit -v" of a few MiB).
struct TerminateHandlerFirst {
  TerminateHandlerFirst() { std::set_terminate(Terminated); }
};
[[gnu::init_priority(101)]] const TerminateHandlerFirst terminateHandlerFirst;

// As UTF-8 in both builds: from a narrow string, Windows' std::filesystem
// would take the ANSI code page, which cannot hold every name.
std::filesystem::path PathOf(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

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
class TerminalReporter final : public base::FailureReporter {
 public:
  void ReportFailure(std::string_view description, std::string_view location, int line) override {
    ++failures;
    WriteError(quorvane::app::TerminalReportText(description, location, line));
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
      docx::SaveDocx(document, PathOf(path_), replace_);
    }
    presented = true;
  }

  bool presented = false;

 private:
  std::string path_;
  bool replace_;
};

// The chart through `wordProcessor`, every operation on standard error with
// --trace. Returns the number of failed steps, each reported already.
int RunChart(const ChartToolOptions& options, word::ObjectFactory& wordProcessor) {
  std::unique_ptr<word::RecordingFactory> recording;
  word::ObjectFactory* factory = &wordProcessor;
  if (options.trace) {
    auto recorder = std::make_shared<word::Recorder>(
        [](std::string_view line) { WriteText(Stream::kErr, std::string(line) + '\n'); });
    recording = std::make_unique<word::RecordingFactory>(wordProcessor, std::move(recorder));
    factory = recording.get();
  }
  TerminalReporter reporter;
  chart::BuildChart(base::FromUtf8(options.footer), !options.landscape, {*factory, reporter},
                    {*options.codePage, options.paper.value_or(word::Paper::kLetter)});
  return reporter.failures;
}

#ifdef _WIN32
// Notes whether the word processor started at all, for the closing message.
class CreationWatch final : public word::ObjectFactory {
 public:
  explicit CreationWatch(word::ObjectFactory& inner) : inner_(inner) {}
  word::DispatchPtr CreateByClass(std::string_view classId, std::string_view interfaceId) override {
    return Created(inner_.CreateByClass(classId, interfaceId));
  }
  word::DispatchPtr CreateByProgId(std::string_view progId) override {
    return Created(inner_.CreateByProgId(progId));
  }
  bool created = false;

 private:
  word::DispatchPtr Created(word::DispatchPtr object) {
    created = true;
    return object;
  }
  word::ObjectFactory& inner_;
};

// A busy Word is waited for as the desktop program waits, but with nobody to
// ask past the bound: the tool says that it waits, and then gives up.
class TerminalBusyPrompt final : public quorvane::word::com::BusyPrompt {
 public:
  explicit TerminalBusyPrompt(long seconds) : seconds_(seconds) {}
  // Once a run: the Quit after giving up may wait as well.
  void WaitStarted() override {
    if (std::exchange(announced_, true)) return;
    WriteError("Microsoft Word is busy; waiting up to " + std::to_string(seconds_) +
               " seconds for it\n");
  }
  bool KeepWaiting() override {
    gaveUp = true;
    return false;
  }
  bool gaveUp = false;

 private:
  long seconds_;
  bool announced_ = false;
};

// The chart in the installed Word, left open, visible and unsaved there.
int ShowInWord(const ChartToolOptions& options) {
  namespace com = quorvane::word::com;
  const com::Apartment apartment;  // outlives every COM reference below
  const com::BusyTiming timing;
  const auto busy = std::make_shared<TerminalBusyPrompt>(
      std::chrono::duration_cast<std::chrono::seconds>(timing.bound).count());
  const auto policy = std::make_shared<const com::BusyPolicy>(busy, timing);
  const com::MessageFilterRegistration filter(policy);  // before Word is created
  word::ClassRegistry registry;
  com::RegisterWord(registry, policy);
  CreationWatch watch(registry);
  if (RunChart(options, watch) == 0) return 0;
  if (busy->gaveUp) {
    WriteError(
        "Microsoft Word stayed busy; gave up waiting for it. The chart is not open in "
        "Word\n");
  } else {
    WriteError(watch.created
                   ? "Microsoft Word failed while making the chart (see above); "
                     "the chart is not open in Word\n"
                   : "Microsoft Word could not be driven: it is not installed here or cannot be "
                     "started. Without --word the chart is written as a .docx file, no Word "
                     "needed\n");
  }
  return kExitFailure;
}
#endif

// The document is there whatever becomes of this message; if it cannot be
// shown, the failure says so.
int SayWritten(const std::string& path) {
  WriteText(Stream::kOut, "Wrote " + path + '\n');
  std::cout.flush();
  if (std::cout) return 0;
  WriteError(std::string(kCannotWriteStdout) + ", but " + path + " was written\n");
  return kExitFailure;
}

int WriteDocument(const ChartToolOptions& options) {
  const std::string path =
      options.output.value_or(quorvane::app::cli::DefaultOutputName(options.landscape));
  // "new/", "x/." and "x/.." name folders: refused before any work, not by
  // the write at the end.
  if (const auto name = PathOf(path).filename(); name.empty() || name == "." || name == "..") {
    WriteError("Cannot write \"" + path + "\": it names a folder, not a file\n");
    return kExitFailure;
  }
  if (path == kStdout && isatty(STDOUT_FILENO)) {
    WriteError(
        "refusing to write a .docx document to a terminal; "
        "redirect standard output or name a file with -o\n");
    return kExitFailure;
  }
  // Checked before anything is built, so a refused run costs nothing. Only
  // a regular file (or a link to one) is ever replaced, and only with --force.
  if (path != kStdout) {
    const base::PathKind target = base::KindAt(PathOf(path));
    if (target.is == base::PathKind::Is::kOther) {
      WriteError(base::WriteRefusal(PathOf(path), target) + '\n');
      return kExitFailure;
    }
    if (target.is == base::PathKind::Is::kRegularFile && !options.force) {
      WriteError('"' + path + "\" already exists; use --force to replace it\n");
      return kExitFailure;
    }
  }

  auto presenter = std::make_shared<FilePresenter>(path, options.force);
  word::ClassRegistry registry;
  embedded::RegisterWordApplication(registry, presenter);
  if (RunChart(options, registry) > 0) return kExitFailure;
  if (!presenter->presented) {
    WriteError("no document was made\n");
    return kExitFailure;
  }
  return path == kStdout ? 0 : SayWritten(path);
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
  if (options.listCodePages) {
    WriteStdout(quorvane::app::cli::CodePageList());
    return 0;
  }
  if (options.text) {
    const chart::CharTable rows = chart::MakeFilledTable(*options.codePage);
    WriteStdout(base::ToUtf8(chart::MakeChartText(rows, !options.landscape)));
    return 0;
  }
#ifdef _WIN32
  if (options.word) return ShowInWord(options);
#endif
  return WriteDocument(options);
}

// `args` in UTF-8, after the program name.
int Main(std::span<const std::string_view> args) {
  ChartToolOptions options;
  try {
    options = quorvane::app::cli::ParseChartToolOptions(args);
  } catch (const quorvane::app::cli::UsageError& error) {
    WriteError(error.what() + std::string("\n") +
               std::string(quorvane::app::cli::ChartToolUsage()));
    return kExitUsage;
  }
  int status = kExitFailure;
  try {
    status = Run(options);
  } catch (const std::bad_alloc&) {
    WriteError("Out of memory\n");
    return kExitFailure;
  } catch (const std::exception& error) {
    WriteError(error.what() + std::string("\n"));
    return kExitFailure;
  }
  // Whatever went to standard output must have arrived. After a failure,
  // told already, there is nothing more to tell.
  std::cout.flush();
  if (status == 0 && !std::cout) {
    WriteError(std::string(kCannotWriteStdout) + '\n');
    return kExitFailure;
  }
  return status;
}

}  // namespace

#ifdef _WIN32
// Windows gives the command line in UTF-16 (-municode); the ANSI form would
// lose what its code page cannot hold.
extern "C" int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> utf8;
  for (int i = 1; i < argc; ++i) {
    utf8.push_back(base::ToUtf8(std::u16string(argv[i], argv[i] + std::wcslen(argv[i]))));
  }
  const std::vector<std::string_view> args(utf8.begin(), utf8.end());
  return Main(args);
}
#else
int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  return Main(args);
}
#endif
