// quorvane-chart.exe as a user runs it, a child process of this test: the
// installed Word driven with --word (the stand-in Word, registered in this
// prefix only) and the command line in UTF-16.

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "chart/build_chart.h"
#include "tests/support/expected_output.h"
#include "tests/support/recorders.h"
#include "tests/word/com/stand_in_word.h"
#include "word/docx/writer.h"

namespace quorvane::test_support {
namespace {

namespace fs = std::filesystem;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

constexpr wchar_t kDocumentsVariable[] = L"QUORVANE_STANDIN_DOCUMENTS";
// kTraceFooter as UTF-16: Latin, a symbol and CJK, never all in one ANSI
// code page.
constexpr wchar_t kFooter[] = L"Gr\u00f6\u00dfe \u2713 \u65e5\u672c";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The C runtime ends text lines in CR LF on a file; compared without the CRs.
std::string WithoutCr(std::string text) {
  std::erase(text, '\r');
  return text;
}

// quorvane-chart.exe, where the build puts it beside this test's folder.
std::wstring ChartTool() {
  std::array<wchar_t, MAX_PATH> buffer{};
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), buffer.size());
  return (fs::path(std::wstring(buffer.data(), length)).parent_path() / QUORVANE_CHART_EXE)
      .lexically_normal()
      .wstring();
}

// One argument as the C runtime's command-line parser reads it back.
std::wstring Quoted(const std::wstring& arg) {
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  return out + L'"';
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

struct ToolRun {
  DWORD exitCode = 0;
  std::string out;  // standard output, bytes as written
  std::string err;
};

// A new file in `folder` for one run's output. Never one of an earlier run:
// a Wine service that the tool started may still hold that one open.
fs::path NewCaptureFile(const fs::path& folder, const wchar_t* prefix) {
  std::array<wchar_t, MAX_PATH> name{};
  if (GetTempFileNameW(folder.c_str(), prefix, 0, name.data()) == 0) {
    throw std::runtime_error("cannot name a capture file");
  }
  return name.data();
}

// Runs the tool in `folder` with standard output and error to files in
// `captures`; the environment is this process's own.
ToolRun RunTool(const std::vector<std::wstring>& args, const fs::path& folder,
                const fs::path& captures) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const fs::path outPath = NewCaptureFile(captures, L"out"),
                 errPath = NewCaptureFile(captures, L"err");
  const auto capture = [&](const fs::path& path) {
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherited,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  ToolRun run;
  {
    const Handle out(capture(outPath)), err(capture(errPath));
    if (out.get() == INVALID_HANDLE_VALUE || err.get() == INVALID_HANDLE_VALUE) {
      throw std::runtime_error("cannot make the capture files");
    }
    std::wstring commandLine = Quoted(ChartTool());
    for (const std::wstring& arg : args) commandLine += L' ' + Quoted(arg);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out.get();
    startup.hStdError = err.get();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
      throw std::runtime_error("cannot start quorvane-chart.exe");
    }
    const Handle thread(process.hThread), child(process.hProcess);
    // Not a timing check: a hung child must not keep the stand-in registered.
    if (WaitForSingleObject(child.get(), 120'000) != WAIT_OBJECT_0) {
      TerminateProcess(child.get(), 99);
      throw std::runtime_error("quorvane-chart.exe did not end");
    }
    GetExitCodeProcess(child.get(), &run.exitCode);
  }
  run.out = ReadFile(outPath);
  run.err = ReadFile(errPath);
  return run;
}

std::vector<std::wstring> Plus(std::vector<std::wstring> args, bool landscape) {
  if (landscape) args.emplace_back(L"--landscape");
  return args;
}

TEST(ChartExeTest, WordShowsTheDocumentThatTheFileHolds) {
  for (const bool landscape : {false, true}) {
    SCOPED_TRACE(landscape ? "landscape" : "portrait");
    const ScratchFolder documents(L"quorvane-exe-documents"), folder(L"quorvane-exe-folder"),
        captures(L"quorvane-exe-captures");
    {
      const StandInWord standIn;
      const ScopedVariable shown(kDocumentsVariable, documents.path().wstring());
      const ToolRun run = RunTool(Plus({L"--word", L"--trace", L"--footer", kFooter}, landscape),
                                  folder.path(), captures.path());
      EXPECT_EQ(run.exitCode, 0u) << run.err;
      EXPECT_EQ(ExpectedTrace(!landscape), WithoutCr(run.err));
      EXPECT_THAT(run.out, IsEmpty());
      EXPECT_TRUE(fs::is_empty(folder.path())) << "the tool wrote a file itself";
    }
    const ToolRun written = RunTool(Plus({L"--footer", kFooter, L"-o", L"chart.docx"}, landscape),
                                    folder.path(), captures.path());
    ASSERT_EQ(written.exitCode, 0u) << written.err;
    const std::string file = ReadFile(folder.path() / L"chart.docx");
    EXPECT_THAT(file, StartsWith("PK"));
    EXPECT_TRUE(ReadFile(documents.path() / L"document1.docx") == file) << "not the same bytes";
    EXPECT_FALSE(fs::exists(documents.path() / L"document2.docx"));
  }
}

TEST(ChartExeTest, WithoutWordTheToolSaysWordCouldNotBeDriven) {
  const RegistryLock lock;
  if (WordRegistered()) GTEST_SKIP() << "a Word is registered here";
  const ScratchFolder folder(L"quorvane-exe-folder"), captures(L"quorvane-exe-captures");
  for (const bool landscape : {false, true}) {
    const ToolRun run = RunTool(Plus({L"--word"}, landscape), folder.path(), captures.path());
    EXPECT_EQ(run.exitCode, 1u);
    const std::string err = WithoutCr(run.err);
    EXPECT_THAT(err, StartsWith("quorvane-chart: ActiveX component can't create object\n"));
    EXPECT_THAT(err, HasSubstr(landscape ? " at line 148)\n" : " at line 142)\n"));
    EXPECT_THAT(err, EndsWith("\nquorvane-chart: Microsoft Word could not be driven: it is not "
                              "installed here or cannot be started. Without --word the chart is "
                              "written as a .docx file, no Word needed\n"));
    EXPECT_THAT(run.out, IsEmpty());
  }
  EXPECT_TRUE(fs::is_empty(folder.path()));
}

// The stand-in in a process of its own, as Word is, with its knobs: busy at
// first or for ever, a description deferred, an end mid-run, one long call.
// Each run is bounded by RunTool's limit; one Word at most is started.
TEST(ChartExeTest, WordInAProcessOfItsOwnIsWaitedForAndItsEndReported) {
  struct Knob {
    const wchar_t* name;
    const wchar_t* value;
  };
  struct Case {
    const char* name;
    std::vector<Knob> knobs;
    DWORD exitCode;
    std::vector<std::string> errParts;
    bool completes;  // the same operations and document as in-process
  };
  const std::string waiting =
      "quorvane-chart: Microsoft Word is busy; waiting up to 10 seconds "
      "for it\n";
  const Case cases[] = {
      {"rejected at first", {{L"QUORVANE_STANDIN_REJECT", L"3"}}, 0, {waiting}, true},
      {"one call held past the pending patience",
       {{L"QUORVANE_STANDIN_DELAY", L"20:6000"}},
       0,
       {},
       true},
      {"busy for ever",
       {{L"QUORVANE_STANDIN_REJECT", L"1000000"}},
       1,
       {waiting, "Call was rejected by callee\n", "stayed busy; gave up waiting for it"},
       false},
      // Wine's stub passes the fill-in pointer on instead of calling it; it
      // must not be called in this process, and the failure still counts.
      {"a description deferred to a fill-in",
       {{L"QUORVANE_STANDIN_FAIL_AT", L"30"}, {L"QUORVANE_STANDIN_DEFER", L"1"}},
       1,
       {"quorvane-chart: Automation error 0x80004005", " at line 142)\n"},
       false},
      {"ended mid-run",
       {{L"QUORVANE_STANDIN_EXIT_AT", L"30"}},
       1,
       {" at line 142)\n", "Microsoft Word failed while making the chart"},
       false},
  };
  // The reference: the same tool against the stand-in in its own process.
  const ScratchFolder reference(L"quorvane-exe-reference"), folder(L"quorvane-exe-folder"),
      captures(L"quorvane-exe-captures");
  {
    const StandInWord inProcess;
    const ScopedVariable shown(kDocumentsVariable, reference.path().wstring());
    const ScopedVariable log(L"QUORVANE_STANDIN_LOG", (reference.path() / L"log.txt").wstring());
    ASSERT_EQ(RunTool({L"--word"}, folder.path(), captures.path()).exitCode, 0u);
  }
  const std::string operations = ReadFile(reference.path() / L"log.txt");
  ASSERT_THAT(operations, HasSubstr("\n4 Visible\n"));

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ScratchFolder documents(L"quorvane-exe-documents");
    const StandInWord standIn(StandInHost::kLocalServer);
    const ScopedVariable shown(kDocumentsVariable, documents.path().wstring());
    const ScopedVariable log(L"QUORVANE_STANDIN_LOG", (documents.path() / L"log.txt").wstring());
    std::vector<std::unique_ptr<ScopedVariable>> knobs;
    for (const Knob& knob : c.knobs) {
      knobs.push_back(std::make_unique<ScopedVariable>(knob.name, knob.value));
    }
    const ToolRun run = RunTool({L"--word"}, folder.path(), captures.path());
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    const std::string err = WithoutCr(run.err);
    for (const std::string& part : c.errParts) EXPECT_THAT(err, HasSubstr(part));
    EXPECT_EQ(err.find(waiting), err.rfind(waiting)) << "more than one line on waiting";
    if (c.errParts.empty()) {
      EXPECT_THAT(err, IsEmpty());
    }
    const std::string served = ReadFile(documents.path() / L"log.txt");
    EXPECT_THAT(served, StartsWith("server started\n"));
    EXPECT_EQ(served.find("server started", 1), std::string::npos) << "a second Word started";
    if (c.completes) {
      EXPECT_EQ(served.substr(served.find('\n') + 1), operations);
      EXPECT_TRUE(ReadFile(documents.path() / L"document1.docx") ==
                  ReadFile(reference.path() / L"document1.docx"))
          << "not the same bytes";
    } else {
      EXPECT_FALSE(fs::exists(documents.path() / L"document1.docx"));
    }
  }
}

// The footer and the file name both leave every ANSI code page.
TEST(ChartExeTest, TheCommandLineArrivesInUnicode) {
  const ScratchFolder folder(L"quorvane-exe-folder"), captures(L"quorvane-exe-captures");
  const std::wstring name = std::wstring(kFooter) + L".docx";
  const ToolRun run = RunTool({L"--footer", kFooter, L"-o", name}, folder.path(), captures.path());
  ASSERT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_EQ(WithoutCr(run.out), "Wrote " + std::string(kTraceFooter) + ".docx\n");

  RecordedWord inProcess;
  RecordingReporter reporter;
  chart::BuildChart(u"Gr\u00f6\u00dfe \u2713 \u65e5\u672c", true, {inProcess.factory, reporter});
  ASSERT_EQ(inProcess.presenter->documents.size(), 1u);
  ASSERT_TRUE(fs::exists(folder.path() / name));
  EXPECT_TRUE(ReadFile(folder.path() / name) ==
              word::docx::WriteDocx(inProcess.presenter->documents.front()))
      << "not the same bytes";
}

}  // namespace
}  // namespace quorvane::test_support
