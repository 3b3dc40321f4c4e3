#ifndef QUORVANE_TESTS_APP_WINDOW_FAKES_H_
#define QUORVANE_TESTS_APP_WINDOW_FAKES_H_

// Stand-ins for everything Form1's procedures reach outside the process and
// for the window they drive, and a harness that wires them together.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/form1.h"
#include "app/skin_control.h"
#include "tests/support/recorders.h"

namespace quorvane::test_support {

struct ShownBox {
  std::u16string text, title;
  int style = 0;
};

class RecordingBoxes final : public app::MessageBoxes {
 public:
  void Show(std::u16string_view text, std::u16string_view title, int style) override {
    shown.push_back({std::u16string(text), std::u16string(title), style});
    if (onShow) onShow();
  }
  std::vector<std::u16string> Texts() const;
  std::vector<ShownBox> Reports() const;  // the "Application Error" boxes
  std::vector<int> ReportedLines() const;

  std::vector<ShownBox> shown;
  std::function<void()> onShow;
};

struct RecordingExit final : app::ProgramExit {
  void EndNow() override { ++ends; }
  int ends = 0;
};

struct RecordingOpener final : app::Opener {
  void Open(std::u16string_view url) override { opened.emplace_back(url); }
  std::vector<std::u16string> opened;
};

struct FixedClock final : app::Clock {
  std::uint32_t SecondsSinceMidnight() override { return seconds; }
  std::uint32_t seconds = 0;
};

struct ScriptedRandom final : app::RandomSource {
  void Seed(std::uint32_t seed) override { seeds.push_back(seed); }
  double NextFraction() override { return fraction; }
  std::vector<std::uint32_t> seeds;
  double fraction = 0.5;  // draws 51
};

struct MemorySettings final : app::SettingsStore {
  std::u16string Read(std::u16string_view key, int defaultValue) override;
  void Write(std::u16string_view key, std::u16string_view text) override;
  std::map<std::u16string, std::u16string, std::less<>> values;
  std::vector<std::pair<std::u16string, std::u16string>> writes;
  bool failReads = false;
  bool failWrites = false;
};

// Records each call as "method 2(BSTR \"p\", BSTR \"\")", "get 1" or
// "put 1 = I4 1", then passes it on to `inner` if set.
struct RecordingSkin final : app::SkinControl {
  word::Value Invoke(int dispId, app::InvokeKind kind, std::span<const word::Value> args) override;
  std::vector<std::string> calls;
  app::SkinControl* inner = nullptr;
};

// A fresh empty folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Writes `bytes` to `path`, creating its folder.
bool WriteFile(const std::filesystem::path& path, std::string_view bytes);

// What is no ordinary file, made in a scratch folder, never at a real device:
// a FIFO; a character device like /dev/null (needs root: false without);
// a symbolic link to `target`. And a sparse regular file of `size` bytes.
bool MakeFifo(const std::filesystem::path& path);
bool MakeNullDevice(const std::filesystem::path& path);
bool MakeLink(const std::filesystem::path& path, const std::filesystem::path& target);
bool MakeSparseFile(const std::filesystem::path& path, std::uintmax_t size);

// Ends the test process after `seconds` unless destroyed before: a hang in
// open() or read() then fails the test instead of blocking for ever.
struct HangGuard {
  explicit HangGuard(unsigned seconds);
  ~HangGuard();
  HangGuard(const HangGuard&) = delete;
  HangGuard& operator=(const HangGuard&) = delete;
};

// What the view loads: the path it was loaded from.
struct FakePicture final : app::Picture {
  explicit FakePicture(std::u16string from) : path(std::move(from)) {}
  std::u16string path;
};

// Form1's window as state. The option buttons are an exclusive pair: the one
// that becomes selected unselects the other first, then raises its click.
struct FakeView final : app::Form1View {
  static constexpr app::OleColor kWhite = 0x00FFFFFF;

  void SetCaption(std::u16string_view text) override { caption = text; }
  void SetIcon() override { ++iconsSet; }
  bool OptionSelected(app::Option option) const override { return selected[Index(option)]; }
  void SetOptionSelected(app::Option option, bool select) override;
  // A click by the user on an option button.
  void Click(app::Option option) { SetOptionSelected(option, true); }
  // Loads any file that exists; throws for a missing one.
  std::unique_ptr<app::Picture> LoadPicture(const std::u16string& path) override;
  void SetPointer(int shape, const app::Picture* icon) override {
    pointer = shape;
    pointerIcon = icon;
  }
  std::vector<app::ControlKind> Controls() const override;
  void SetBackColor(app::OleColor color) override { backColor = color; }
  void SetControlBackColor(std::size_t control, app::OleColor color) override {
    controlBackColors.at(control) = color;
  }
  std::int32_t WindowHandle() override { return kHandle; }
  std::u16string ProgramFolder() const override { return programFolder; }
  void Show() override { visible = true; }

  static std::size_t Index(app::Option option) { return option == app::Option::Option1 ? 0 : 1; }
  static constexpr std::int32_t kHandle = 4711;

  app::Form1* form = nullptr;  // raised by the option buttons
  std::u16string programFolder;
  std::u16string caption;
  int iconsSet = 0;
  std::array<bool, 2> selected{};
  int pointer = app::kPointerDefault;
  const app::Picture* pointerIcon = nullptr;
  app::OleColor backColor = kWhite;
  // Text1, Frame1, Option1, Option2, PushButton1
  std::array<app::OleColor, 5> controlBackColors{kWhite, kWhite, kWhite, kWhite, kWhite};
  bool visible = false;
};

// The services over stand-ins; `word` is the embedded word processor under
// Word's names with every operation recorded; the program folder is empty.
struct Form1Fakes {
  app::Form1Services Services();
  std::u16string ProgramFolder() const { return folder.path().u16string(); }

  RecordingBoxes boxes;
  RecordingExit exit;
  RecordingOpener opener;
  FixedClock clock;
  ScriptedRandom random;
  MemorySettings settings;
  app::SettingsStore* store = &settings;  // what the services hand out
  RecordingSkin skin;
  RecordedWord word;
  word::ObjectFactory* factory = &word.factory;
  ScratchFolder folder;
  base::NumberedSteps::FaultHook faultHook;
};

// Form1's procedures over the fake view.
struct Form1Harness : Form1Fakes {
  std::unique_ptr<app::Form1> MakeForm();
  FakeView view;
};

}  // namespace quorvane::test_support

#endif  // QUORVANE_TESTS_APP_WINDOW_FAKES_H_
