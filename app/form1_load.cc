// Form1's start-up and the option buttons that it restores.

#include <cstdio>
#include <string>
#include <utility>

#include "app/apply_skin.h"
#include "app/beside_program.h"
#include "app/form1.h"
#include "app/shell_text.h"
#include "app/web_site_chance.h"
#include "base/utf.h"

namespace quorvane::app {

void Form1::Form_Load() {
  base::NumberedSteps steps(reporter_, base::ProcedureLocation("Form1.Form_Load"),
                            services_.faultHook);
  const std::u16string cursorFile = CursorFilePath(view_.ProgramFolder());

  steps.Run(100, [&] { ApplySkin(); });
  steps.Run(104, [&] { view_.SetCaption(kProductName); });
  steps.Run(104, [&] { view_.SetIcon(); });
  steps.Run(104, [&] { SetAppTitle(); });
  if (steps.Test(106, [&] { return FileExists(cursorFile); })) {
    steps.Run(108, [&] { mouseIcon_ = view_.LoadPicture(cursorFile); });
  }
  steps.Run(110, [&] { OpenWebSiteByChance(); });
  const std::u16string option1 = ReadOption(steps, 128, u"Option1", 1);
  steps.Run(128, [&] { RestoreOption(Option::Option1, ToBoolean(option1)); });
  const std::u16string option2 = ReadOption(steps, 130, u"Option2", 0);
  steps.Run(130, [&] { RestoreOption(Option::Option2, ToBoolean(option2)); });
  // The click procedures that the restores raised, each writing both keys,
  // run once both options are restored: each restore reads its choice as it
  // was stored, so both stored "True" ends with Option2 selected.
  steps.Run(130, [&] { RunRaisedClicks(); });
  steps.Run(136, [&] { word::CheckWordInstalled(services_.word, *this); });
}

void Form1::ApplySkin() {
  app::ApplySkin(view_, services_.skin);
}

void Form1::SetAppTitle() {
  appTitle_ = AppTitleFrom(kProductName);
}

void Form1::OpenWebSiteByChance() {
  app::OpenWebSiteByChance(services_.clock, services_.random, services_.opener);
}

void Form1::OptionSelected(Option option) {
  RaiseOptionClick(option == Option::Option1 ? &Form1::Option1_Click : &Form1::Option2_Click);
}

std::u16string Form1::ReadOption(base::NumberedSteps& steps, int line, std::u16string_view key,
                                 int defaultValue) {
  // A store that cannot be read is reported, and the load goes on with the
  // default, as on a first start.
  std::u16string text = base::FromUtf8(std::to_string(defaultValue));
  steps.Run(line, [&] { text = services_.settings.Read(key, defaultValue); });
  return text;
}

void Form1::RestoreOption(Option option, bool selected) {
  restoring_ = true;
  view_.SetOptionSelected(option, selected);
  restoring_ = false;
}

void Form1::RaiseOptionClick(void (Form1::*click)()) {
  if (restoring_) {
    raisedClicks_.push_back(click);
    return;
  }
  // A click by the user has no report of its own, and an exception must not
  // cross the window system's event delivery: the choice stays on screen,
  // unsaved. The user is told of the first such failure of the run; later
  // ones are logged.
  try {
    (this->*click)();
  } catch (const std::exception& failure) {
    if (saveFailureShown_) {
      std::fprintf(stderr, "Cannot save the page option: %s\n", failure.what());
    } else {
      saveFailureShown_ = true;
      services_.boxes.Show(base::FromUtf8(failure.what()), appTitle_, kStyleWarning);
    }
  }
}

void Form1::RunRaisedClicks() {
  for (const auto click : std::exchange(raisedClicks_, {})) (this->*click)();
}

void Form1::Option1_Click() {
  WriteOptionSettings();
}

void Form1::Option2_Click() {
  WriteOptionSettings();
}

void Form1::WriteOptionSettings() {
  services_.settings.Write(u"Option1", BooleanText(view_.OptionSelected(Option::Option1)));
  services_.settings.Write(u"Option2", BooleanText(view_.OptionSelected(Option::Option2)));
}

}  // namespace quorvane::app
