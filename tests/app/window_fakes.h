#ifndef QUORVANE_TESTS_APP_WINDOW_FAKES_H_
#define QUORVANE_TESTS_APP_WINDOW_FAKES_H_

// Stand-ins for everything the main window reaches outside the process, and a
// harness that wires them into a window.

#include <QString>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/qt/settings_store.h"
#include "app/skin_control.h"
#include "tests/support/recorders.h"

namespace quorvane::test_support {

struct ShownBox {
  QString text, title;
  int style = 0;
};

class RecordingBoxes final : public app::MessageBoxes {
 public:
  void Show(const QString& text, const QString& title, int style) override {
    shown.push_back({text, title, style});
    if (onShow) onShow();
  }
  std::vector<QString> Texts() const;
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
  void Open(const QUrl& url) override { opened.push_back(url); }
  std::vector<QUrl> opened;
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
  QString Read(const QString& key, int defaultValue) override;
  void Write(const QString& key, const QString& text) override;
  std::map<QString, QString> values;
  std::vector<std::pair<QString, QString>> writes;
  bool failReads = false;
};

// Records each call as "method 2(BSTR \"p\", BSTR \"\")", "get 1" or
// "put 1 = I4 1", then passes it on to `inner` if set.
struct RecordingSkin final : app::SkinControl {
  word::Value Invoke(int dispId, app::InvokeKind kind, std::span<const word::Value> args) override;
  std::vector<std::string> calls;
  app::SkinControl* inner = nullptr;
};

// A window over stand-ins; `word` is the embedded word processor under Word's
// names with every operation recorded; the program folder is empty.
struct WindowHarness {
  app::Form1Services Services();
  std::unique_ptr<app::Form1> MakeForm() { return std::make_unique<app::Form1>(Services()); }
  QString ProgramFolder() const { return folder.path(); }

  RecordingBoxes boxes;
  RecordingExit exit;
  RecordingOpener opener;
  FixedClock clock;
  ScriptedRandom random;
  MemorySettings settings;
  RecordingSkin skin;
  RecordedWord word;
  word::ObjectFactory* factory = &word.factory;
  QTemporaryDir folder;
  chart::NumberedSteps::FaultHook faultHook;
};

// Writes `bytes` to `path`, creating its folder.
bool WriteFile(const QString& path, const QByteArray& bytes);

}  // namespace quorvane::test_support

#endif  // QUORVANE_TESTS_APP_WINDOW_FAKES_H_
