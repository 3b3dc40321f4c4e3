#include "chart/build_chart.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/char_table.h"
#include "chart/landscape_text.h"
#include "chart/portrait_text.h"
#include "word/chart_document.h"
#include "word/failure_texts.h"

namespace quorvane::chart {
namespace {

// The working tables of one run. A table that a failed step never created
// fails every later use, and each use is reported on its own line.
template <typename Table>
Table& Use(std::optional<Table>& table) {
  if (!table) throw std::logic_error(std::string(word::failure_text::kSubscriptOutOfRange));
  return *table;
}

}  // namespace

void BuildChart(std::u16string_view footerTextArg, bool portrait, const ChartEnvironment& env,
                const ChartOptions& options) {
  base::NumberedSteps steps(env.reporter, base::ProcedureLocation("modAsciiConv.BuildChart"),
                            env.faultHook);

  std::u16string footerText(footerTextArg);
  std::vector<std::u16string_view> controlNames;
  std::optional<CharTable> rows;
  std::optional<BinaryTable> binary;
  std::u16string chartText;
  const word::ChartPage page{options.paper, options.codePage.title};

  steps.Run(100, [&] { controlNames.clear(); });
  steps.Run(102, [&] { rows.reset(); });
  steps.Run(104, [&] { binary.reset(); });
  steps.Run(106, [&] { rows.emplace(); });
  steps.Run(108, [&] { chartText.clear(); });
  if (steps.Test(110, [&] { return word::IsBlankFooter(footerText); })) {
    steps.Run(112, [&] { footerText.clear(); });
  }
  steps.Run(114, [&] { binary = MakeBinaryTable(); });
  steps.Run(116, [&] { controlNames.assign(ControlNames.begin(), ControlNames.end()); });

  steps.Run(118, [] {});
  for (std::int32_t code = 0; code < kCodeCount; ++code) {
    ChartRow* row = nullptr;
    const auto current = [&]() -> ChartRow& {
      if (row == nullptr) throw std::logic_error(std::string(word::failure_text::kObjectNotSet));
      return *row;
    };
    steps.Run(120, [&] { row = &Use(rows).at(static_cast<std::size_t>(code)); });
    steps.Run(122, [&] { current().Dec = DecText(code); });
    steps.Run(124, [&] { current().Hex = HexText(code); });
    steps.Run(126, [&] { current().Binary = Use(binary).at(static_cast<std::size_t>(code)); });
    if (code <= 31) {
      steps.Run(128, [&] { current().Sym = SymText(code, options.codePage, controlNames); });
    } else {
      steps.Run(130, [&] { current().Sym = SymText(code, options.codePage); });
    }
    steps.Run(132, [] {});
  }
  steps.Run(134, [&] { controlNames.clear(); });
  steps.Run(136, [&] { binary.reset(); });

  if (steps.Test(138, [&] { return portrait; })) {
    steps.Run(140, [&] { chartText = MakePortraitText(Use(rows)); });
    steps.Run(142, [&] { word::MakePortraitDocument(env.word, chartText, footerText, page); });
  } else {
    steps.Run(144, [&] { chartText = MakeLandscapeText(Use(rows), 0, true); });
    steps.Run(146, [&] { chartText += MakeLandscapeText(Use(rows), 128, false); });
    steps.Run(148, [&] { word::MakeLandscapeDocument(env.word, chartText, footerText, page); });
  }

  steps.Run(150, [&] { rows.reset(); });
  steps.Run(152, [&] { chartText.clear(); });
}

}  // namespace quorvane::chart
