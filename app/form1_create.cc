// Form1's "Start Creating" button.

#include "app/form1.h"
#include "chart/build_chart.h"

namespace quorvane::app {

void Form1::PushButton1_Click() {
  base::NumberedSteps steps(reporter_, base::ProcedureLocation("Form1.PushButton1_Click"),
                            services_.faultHook);

  // A press while the chart is being made arrives here through the events
  // that the word processor lets through; it does nothing.
  if (steps.Test(100, [&] { return busy_; })) return;
  steps.Run(102, [&] { busy_ = true; });
  steps.Run(104, [&] { SetMousePointer(kPointerWait); });
  steps.Run(106, [&] {
    chart::BuildChart(u"", view_.OptionSelected(Option::Option1),
                      chart::ChartEnvironment{services_.word, reporter_});
  });
  steps.Run(108, [&] { SetMousePointer(kPointerDefault); });
  steps.Run(110, [&] { services_.boxes.Show(u"Done.", appTitle_, kStyleOkOnly); });
  steps.Run(112, [&] { busy_ = false; });
}

}  // namespace quorvane::app
