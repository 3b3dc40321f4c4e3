#include "tests/app/window_fakes.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>

#include "app/beside_program.h"
#include "word/recording.h"

namespace quorvane::test_support {

std::vector<std::u16string> RecordingBoxes::Texts() const {
  std::vector<std::u16string> texts;
  for (const auto& box : shown) texts.push_back(box.text);
  return texts;
}

std::vector<ShownBox> RecordingBoxes::Reports() const {
  std::vector<ShownBox> reports;
  for (const auto& box : shown) {
    if (box.title == u"Application Error") reports.push_back(box);
  }
  return reports;
}

std::vector<int> RecordingBoxes::ReportedLines() const {
  // "... at line N\r\r ..."; -1 for a report without one.
  std::vector<int> lines;
  for (const auto& report : Reports()) {
    const std::u16string_view text = report.text;
    const std::size_t at = text.find(u"at line ");
    int line = -1;
    if (at != std::u16string_view::npos) {
      std::size_t end = at + 8;
      int number = 0;
      while (end < text.size() && text[end] >= u'0' && text[end] <= u'9') {
        number = number * 10 + (text[end++] - u'0');
      }
      if (end > at + 8 && text.substr(end, 2) == u"\r\r") line = number;
    }
    lines.push_back(line);
  }
  return lines;
}

std::u16string MemorySettings::Read(std::u16string_view key, int defaultValue) {
  if (failReads) throw std::runtime_error("Cannot read the settings file: it is damaged");
  const auto found = values.find(key);
  if (found != values.end()) return found->second;
  const std::string number = std::to_string(defaultValue);
  return std::u16string(number.begin(), number.end());
}

void MemorySettings::Write(std::u16string_view key, std::u16string_view text) {
  if (failWrites) throw std::runtime_error("Cannot write the settings file: access denied");
  writes.emplace_back(key, text);
  values[std::u16string(key)] = text;
}

word::Value RecordingSkin::Invoke(int dispId, app::InvokeKind kind,
                                  std::span<const word::Value> args) {
  const std::string id = std::to_string(dispId);
  if (kind == app::InvokeKind::Method) {
    std::string list;
    for (const auto& arg : args) list += (list.empty() ? "" : ", ") + word::FormatValue(arg);
    calls.push_back("method " + id + "(" + list + ")");
  } else {
    calls.push_back(kind == app::InvokeKind::Get
                        ? "get " + id
                        : "put " + id + " = " + word::FormatValue(args[0]));
  }
  if (inner != nullptr) return inner->Invoke(dispId, kind, args);
  return kind == app::InvokeKind::Get ? word::I4(0) : word::Value();
}

ScratchFolder::ScratchFolder() {
  // A fresh name of our own; create_directory is false for one that exists.
  std::random_device random;
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const auto candidate =
        std::filesystem::temp_directory_path() / ("quorvane-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(candidate)) path_ = candidate;
  }
  if (path_.empty()) throw std::runtime_error("cannot make a scratch folder");
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

bool WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::error_code failed;
  std::filesystem::create_directories(path.parent_path(), failed);
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return !failed && file.good();
}

#ifndef _WIN32
bool MakeFifo(const std::filesystem::path& path) {
  return mkfifo(path.c_str(), 0600) == 0;
}

bool MakeNullDevice(const std::filesystem::path& path) {
  return mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
}
#else
// Windows has no FIFO or device node that a folder can hold.
bool MakeFifo(const std::filesystem::path&) {
  return false;
}

bool MakeNullDevice(const std::filesystem::path&) {
  return false;
}
#endif

bool MakeLink(const std::filesystem::path& path, const std::filesystem::path& target) {
  std::error_code failed;
  std::filesystem::create_symlink(target, path, failed);
  return !failed;
}

bool MakeSparseFile(const std::filesystem::path& path, std::uintmax_t size) {
  std::error_code failed;
  { std::ofstream created(path, std::ios::binary); }
  std::filesystem::resize_file(path, size, failed);
  return !failed;
}

#ifndef _WIN32
HangGuard::HangGuard(unsigned seconds) {
  alarm(seconds);
}

HangGuard::~HangGuard() {
  alarm(0);
}
#else
// Nothing a test opens on Windows can block.
HangGuard::HangGuard(unsigned) {}
HangGuard::~HangGuard() = default;
#endif

void FakeView::SetOptionSelected(app::Option option, bool select) {
  const std::size_t index = Index(option);
  const bool was = selected[index];
  if (select) selected[1 - index] = false;
  selected[index] = select;
  if (select && !was && form != nullptr) form->OptionSelected(option);
}

std::unique_ptr<app::Picture> FakeView::LoadPicture(const std::u16string& path) {
  if (!app::FileExists(path)) throw std::runtime_error("Cannot read the picture");
  return std::make_unique<FakePicture>(path);
}

std::vector<app::ControlKind> FakeView::Controls() const {
  using app::ControlKind;
  return {ControlKind::TextBox, ControlKind::Frame, ControlKind::OptionButton,
          ControlKind::OptionButton, ControlKind::PushButton};
}

app::Form1Services Form1Fakes::Services() {
  return {.boxes = boxes,
          .exit = exit,
          .opener = opener,
          .clock = clock,
          .random = random,
          .word = *factory,
          .settings = *store,
          .skin = skin,
          .faultHook = faultHook};
}

std::unique_ptr<app::Form1> Form1Harness::MakeForm() {
  view.programFolder = ProgramFolder();
  auto form = std::make_unique<app::Form1>(view, Services());
  view.form = form.get();
  return form;
}

}  // namespace quorvane::test_support
