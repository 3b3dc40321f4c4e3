// The chart's parts in process: the text, the engine's edits, the .docx bytes.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "bench/alloc_counter.h"
#include "chart/build_chart.h"
#include "chart/chart_text.h"
#include "chart/filled_table.h"
#include "chart/portrait_text.h"
#include "word/docx/parts.h"
#include "word/docx/writer.h"
#include "word/docx/zip_archive.h"
#include "word/embedded/document.h"
#include "word/embedded/word_application.h"
#include "word/object_factory.h"

namespace quorvane::bench {
namespace {

namespace chart = quorvane::chart;
namespace word = quorvane::word;
namespace embedded = quorvane::word::embedded;
namespace docx = quorvane::word::docx;

constexpr std::u16string_view kFooter = u"Quorvane benchmark";

// Allocations per iteration of the loop that follows construction.
class AllocationsPerIteration {
 public:
  AllocationsPerIteration() : start_(Allocations()) {}
  void Report(benchmark::State& state) const {
    const AllocationTotals end = Allocations();
    state.counters["allocs"] = benchmark::Counter(static_cast<double>(end.count - start_.count),
                                                  benchmark::Counter::kAvgIterations);
    state.counters["alloc_bytes"] = benchmark::Counter(
        static_cast<double>(end.bytes - start_.bytes), benchmark::Counter::kAvgIterations);
  }

 private:
  AllocationTotals start_;
};

void ReportOutput(benchmark::State& state, std::size_t bytesPerIteration) {
  state.SetBytesProcessed(static_cast<std::int64_t>(bytesPerIteration) * state.iterations());
  state.counters["out_bytes"] = static_cast<double>(bytesPerIteration);
}

class CountingReporter final : public base::FailureReporter {
 public:
  void ReportFailure(std::string_view description, std::string_view, int line) override {
    if (failures++ == 0)
      firstFailure = std::string(description) + " (line " + std::to_string(line) + ")";
  }
  int failures = 0;
  std::string firstFailure;
};

// Keeps what the engine presents: the .docx bytes, or the document itself.
class MemoryPresenter final : public embedded::DocumentPresenter {
 public:
  explicit MemoryPresenter(bool serialise) : serialise_(serialise) {}
  void Present(const embedded::Document& document) override {
    ++presented;
    if (serialise_) {
      bytes = docx::WriteDocx(document);
    } else {
      captured = document;
    }
  }
  int presented = 0;
  std::string bytes;
  embedded::Document captured;

 private:
  bool serialise_;
};

// One landscape chart through the registry, as the command-line tool makes it.
// False, with the reason given to `state`, if the run did not make a document.
bool MakeLandscapeChart(benchmark::State& state,
                        const std::shared_ptr<MemoryPresenter>& presenter) {
  word::ClassRegistry registry;
  embedded::RegisterWordApplication(registry, presenter);
  CountingReporter reporter;
  const int before = presenter->presented;
  chart::BuildChart(kFooter, /*portrait=*/false, {registry, reporter});
  if (reporter.failures > 0) {
    state.SkipWithError(("chart build failed: " + reporter.firstFailure).c_str());
    return false;
  }
  if (presenter->presented != before + 1) {
    state.SkipWithError("the chart build presented no document");
    return false;
  }
  return true;
}

bool LooksLikeZip(const std::string& bytes) {
  return bytes.size() > 4 && bytes.starts_with("PK\x03\x04");
}

void BM_FilledTable(benchmark::State& state) {
  const AllocationsPerIteration allocs;
  for (auto _ : state) {
    chart::CharTable rows = chart::MakeFilledTable();
    benchmark::DoNotOptimize(rows);
  }
  allocs.Report(state);
}
BENCHMARK(BM_FilledTable);

void BM_TableAndPortraitText(benchmark::State& state) {
  std::size_t size = 0;
  const AllocationsPerIteration allocs;
  for (auto _ : state) {
    const std::u16string text = chart::MakePortraitText(chart::MakeFilledTable());
    size = text.size() * sizeof(char16_t);
    benchmark::DoNotOptimize(text.data());
  }
  allocs.Report(state);
  ReportOutput(state, size);
}
BENCHMARK(BM_TableAndPortraitText);

void BM_LandscapeText(benchmark::State& state) {
  const chart::CharTable rows = chart::MakeFilledTable();
  std::size_t size = 0;
  const AllocationsPerIteration allocs;
  for (auto _ : state) {
    const std::u16string text = chart::MakeChartText(rows, /*portrait=*/false);
    size = text.size() * sizeof(char16_t);
    benchmark::DoNotOptimize(text.data());
  }
  allocs.Report(state);
  ReportOutput(state, size);
}
BENCHMARK(BM_LandscapeText);

// The whole creation: table, text, every Word operation, and the .docx bytes.
void BM_LandscapeDocumentToDocx(benchmark::State& state) {
  auto presenter = std::make_shared<MemoryPresenter>(/*serialise=*/true);
  const AllocationsPerIteration allocs;
  for (auto _ : state) {
    if (!MakeLandscapeChart(state, presenter)) return;
    benchmark::DoNotOptimize(presenter->bytes.data());
  }
  allocs.Report(state);
  if (!LooksLikeZip(presenter->bytes)) {
    state.SkipWithError("the presented bytes are not a zip package");
    return;
  }
  ReportOutput(state, presenter->bytes.size());
}
BENCHMARK(BM_LandscapeDocumentToDocx)->Unit(benchmark::kMicrosecond);

// The same creation without serialising: what the engine's edits cost.
void BM_LandscapeDocumentEngineOnly(benchmark::State& state) {
  auto presenter = std::make_shared<MemoryPresenter>(/*serialise=*/false);
  const AllocationsPerIteration allocs;
  for (auto _ : state) {
    if (!MakeLandscapeChart(state, presenter)) return;
    benchmark::DoNotOptimize(presenter->captured.main.data());
  }
  allocs.Report(state);
}
BENCHMARK(BM_LandscapeDocumentEngineOnly)->Unit(benchmark::kMicrosecond);

// Serialisation alone, of the document a landscape run presents.
void BM_WriteDocx(benchmark::State& state) {
  auto presenter = std::make_shared<MemoryPresenter>(/*serialise=*/false);
  if (!MakeLandscapeChart(state, presenter)) return;
  const embedded::Document document = presenter->captured;
  std::size_t size = 0;
  const AllocationsPerIteration allocs;
  for (auto _ : state) {
    const std::string bytes = docx::WriteDocx(document);
    size = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  allocs.Report(state);
  ReportOutput(state, size);
}
BENCHMARK(BM_WriteDocx)->Unit(benchmark::kMicrosecond);

// The two halves of WriteDocx, to show where its time goes: the XML of the
// parts, then the zip container. The level is the writer's own.
constexpr int kWriterCompressionLevel = 3;

void BM_DocxPartsXml(benchmark::State& state) {
  auto presenter = std::make_shared<MemoryPresenter>(/*serialise=*/false);
  if (!MakeLandscapeChart(state, presenter)) return;
  const embedded::Document document = presenter->captured;
  std::size_t size = 0;
  const AllocationsPerIteration allocs;
  for (auto _ : state) {
    const std::vector<docx::PackagePart> parts = docx::PackageParts(document);
    size = 0;
    for (const auto& part : parts) size += part.xml.size();
    benchmark::DoNotOptimize(parts.data());
  }
  allocs.Report(state);
  ReportOutput(state, size);
}
BENCHMARK(BM_DocxPartsXml)->Unit(benchmark::kMicrosecond);

void BM_ZipArchive(benchmark::State& state) {
  auto presenter = std::make_shared<MemoryPresenter>(/*serialise=*/false);
  if (!MakeLandscapeChart(state, presenter)) return;
  const std::vector<docx::PackagePart> parts = docx::PackageParts(presenter->captured);
  std::vector<docx::ZipEntry> entries;
  std::size_t inputSize = 0;
  for (const auto& part : parts) {
    entries.push_back({part.name, part.xml});
    inputSize += part.xml.size();
  }
  std::size_t size = 0;
  const AllocationsPerIteration allocs;
  for (auto _ : state) {
    const std::string bytes = docx::MakeZipArchive(entries, kWriterCompressionLevel);
    size = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  allocs.Report(state);
  ReportOutput(state, size);
  state.counters["in_bytes"] = static_cast<double>(inputSize);
}
BENCHMARK(BM_ZipArchive)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorvane::bench

BENCHMARK_MAIN();
