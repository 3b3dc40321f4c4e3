// The main window's start on Qt's offscreen platform: from creating Form1 to
// its first paint, beside a bare window with the same controls.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPixmapCache>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/qt/form1_window.h"
#include "app/qt/settings_store.h"
#include "app/qt/style_sheet_skin.h"
#include "word/embedded/word_application.h"
#include "word/object_factory.h"

namespace quorvane::bench {
namespace {

// Stand-ins for what the window reaches outside the process: no dialog, no
// web site, no settings file, no document written.
struct SilentBoxes final : app::MessageBoxes {
  void Show(std::u16string_view, std::u16string_view, int) override { ++shown; }
  int shown = 0;
};
struct NoExit final : app::ProgramExit {
  void EndNow() override {}
};
struct NoOpener final : app::Opener {
  void Open(std::u16string_view) override {}
};
struct MidnightClock final : app::Clock {
  std::uint32_t SecondsSinceMidnight() override { return 0; }
};
struct FixedRandom final : app::RandomSource {
  void Seed(std::uint32_t) override {}
  double NextFraction() override { return 0.5; }
};
struct MemorySettings final : app::SettingsStore {
  std::u16string Read(std::u16string_view key, int defaultValue) override {
    const auto found = values.find(key);
    return found != values.end() ? found->second : QString::number(defaultValue).toStdU16String();
  }
  void Write(std::u16string_view key, std::u16string_view text) override {
    values[std::u16string(key)] = text;
  }
  std::map<std::u16string, std::u16string, std::less<>> values;
};
struct DiscardingPresenter final : word::embedded::DocumentPresenter {
  void Present(const word::embedded::Document&) override {}
};

// Notes the first paint of the widget it watches.
class PaintWatch final : public QObject {
 public:
  bool painted = false;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

// Shown: visible, exposed and painted once. False after five seconds without.
bool WaitUntilShown(QWidget& window, const PaintWatch& watch) {
  QElapsedTimer waited;
  waited.start();
  for (;;) {
    const QWindow* handle = window.windowHandle();
    if (window.isVisible() && handle != nullptr && handle->isExposed() && watch.painted) {
      return true;
    }
    if (waited.elapsed() > 5000) return false;
    QCoreApplication::processEvents();
  }
}

// Deletes the window and lets Qt finish with it, outside the timed part. The
// style's pixmap cache goes too: a started program has drawn nothing before
// its first window, and Form1's palettes would miss the entries that a
// repeated bare window hits.
void Dispose(std::unique_ptr<QWidget> window) {
  window.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
  QPixmapCache::clear();
}

// What main() makes before the window; Form1 starts over these stand-ins and
// reads the skin and the hand cursor from `programFolder` when they are there.
struct FormParts {
  SilentBoxes boxes;
  NoExit exit;
  NoOpener opener;
  MidnightClock clock;
  FixedRandom random;
  MemorySettings settings;
  app::qt::StyleSheetSkin skin;
  word::ClassRegistry registry;

  // When each numbered statement of the load began, to show where the time goes.
  std::vector<std::pair<int, std::chrono::steady_clock::time_point>> steps;

  FormParts() {
    word::embedded::RegisterWordApplication(registry, std::make_shared<DiscardingPresenter>());
  }
  std::unique_ptr<QWidget> MakeForm(PaintWatch& watch, const std::u16string& programFolder) {
    auto form = std::make_unique<app::qt::Form1Window>(
        app::Form1Services{
            .boxes = boxes,
            .exit = exit,
            .opener = opener,
            .clock = clock,
            .random = random,
            .word = registry,
            .settings = settings,
            .skin = skin,
            .faultHook =
                [this](int line) { steps.emplace_back(line, std::chrono::steady_clock::now()); }},
        programFolder);
    form->installEventFilter(&watch);
    form->Start();
    return form;
  }
};

// Runs `make` once per iteration: it creates and shows a window over the
// stand-ins of `parts`, which are made beforehand, as main() makes them before
// the window. Timed from the creation to the first paint.
template <typename Make>
void TimeWindowStart(benchmark::State& state, Make&& make) {
  // Microseconds in total: before the load (the constructor), in each line of
  // the load, and after it (the word check's tail, show and first paint).
  std::map<std::string, double> spent;
  const auto micros = [](auto from, auto to) {
    return std::chrono::duration<double, std::micro>(to - from).count();
  };
  for (auto _ : state) {
    auto parts = std::make_unique<FormParts>();
    PaintWatch watch;
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<QWidget> window = make(*parts, watch);
    const bool shown = WaitUntilShown(*window, watch);
    const auto end = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    const auto& steps = parts->steps;
    if (!steps.empty()) {
      spent["us_construct"] += micros(start, steps.front().second);
      for (std::size_t i = 0; i < steps.size(); ++i) {
        const auto next = i + 1 < steps.size() ? steps[i + 1].second : end;
        const std::string name = i + 1 < steps.size()
                                     ? "us_line" + std::to_string(steps[i].first)
                                     : "us_line" + std::to_string(steps[i].first) + "_to_shown";
        spent[name] += micros(steps[i].second, next);
      }
    }
    Dispose(std::move(window));
    // The skin may style the whole application; each start begins unstyled.
    qApp->setStyleSheet(QString());
    if (!shown) {
      state.SkipWithError("the window was not shown within five seconds");
      return;
    }
    // A start that reported a failure did not do what a user's start does.
    if (parts->boxes.shown > 0) {
      state.SkipWithError("Form1 reported failures while starting");
      return;
    }
  }
  for (const auto& [name, total] : spent) {
    state.counters[name] = benchmark::Counter(total, benchmark::Counter::kAvgIterations);
  }
}

// The controls, texts, fonts and places of Form1, with none of its procedures.
std::unique_ptr<QWidget> MakeBareWindow(FormParts&, PaintWatch& watch) {
  constexpr int kTwipsPerPixel = 15;
  const auto px = [](int left, int top, int width, int height) {
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                 height / kTwipsPerPixel);
  };
  auto window = std::make_unique<QWidget>();
  window->installEventFilter(&watch);
  window->setFixedSize(px(0, 0, 8040, 1830).size());
  window->setFont(QFont(QStringLiteral("Arial"), 9, QFont::Bold));
  window->setWindowTitle(QStringLiteral("Quorvane"));
  auto* text1 = new QLineEdit(QStringLiteral("Text1"), window.get());
  text1->setGeometry(px(840, 2190, 1575, 495));
  auto* frame1 = new QGroupBox(QStringLiteral("Page Option"), window.get());
  frame1->setGeometry(px(120, 120, 7800, 1065));
  auto* option1 = new QRadioButton(QStringLiteral("Create Portrait Chart"), frame1);
  option1->setGeometry(px(240, 300, 3015, 255));
  option1->setChecked(true);
  auto* option2 = new QRadioButton(QStringLiteral("Create Landscape Chart"), frame1);
  option2->setGeometry(px(240, 650, 3015, 255));
  auto* button = new QPushButton(QStringLiteral("Start Creating"), window.get());
  button->setGeometry(px(120, 1320, 7800, 405));
  QFont buttonFont(QStringLiteral("Arial"));
  buttonFont.setPointSizeF(11.25);
  buttonFont.setBold(true);
  button->setFont(buttonFont);
  text1->setFocus();
  window->show();
  return window;
}

void BM_BareWindowStart(benchmark::State& state) {
  TimeWindowStart(state, MakeBareWindow);
}
BENCHMARK(BM_BareWindowStart)->UseManualTime()->Unit(benchmark::kMillisecond);

// With the skin and cursor files beside the program, as users start it.
void BM_Form1Start(benchmark::State& state) {
  TimeWindowStart(state, [](FormParts& parts, PaintWatch& watch) {
    return parts.MakeForm(watch, QStringLiteral(QUORVANE_PROGRAM_FOLDER).toStdU16String());
  });
}
BENCHMARK(BM_Form1Start)->UseManualTime()->Unit(benchmark::kMillisecond);

// With an empty program folder: no skin and no cursor file.
void BM_Form1StartUnskinned(benchmark::State& state) {
  TimeWindowStart(state,
                  [](FormParts& parts, PaintWatch& watch) { return parts.MakeForm(watch, {}); });
}
BENCHMARK(BM_Form1StartUnskinned)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char** argv) {
  // The measurement is on the offscreen platform, whatever the session.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
