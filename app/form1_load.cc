// Form1's start-up and the option buttons that it restores.

#include <QRadioButton>
#include <utility>

#include "app/app_title.h"
#include "app/apply_skin.h"
#include "app/file_exists.h"
#include "app/form1.h"
#include "app/qt/application_icon.h"
#include "app/qt/cursor_file.h"
#include "app/setting_text.h"
#include "app/web_site_chance.h"

namespace quorvane::app {

void Form1::Form_Load() {
  chart::NumberedSteps steps(reporter_, kFormLoadLocation, services_.faultHook);
  const QString cursorFile = services_.programFolder + QStringLiteral("/HAND-M.CUR");

  steps.Run(100, [&] { ApplySkin(); });
  steps.Run(104, [&] { setWindowTitle(QString::fromLatin1(kProductName)); });
  steps.Run(104, [&] { setWindowIcon(qt::ApplicationIcon()); });
  steps.Run(104, [&] { SetAppTitle(); });
  if (steps.Test(106, [&] { return FileExists(cursorFile); })) {
    steps.Run(108, [&] { mouseIcon_ = qt::LoadCursorFile(cursorFile); });
  }
  steps.Run(110, [&] { OpenWebSiteByChance(); });
  steps.Run(128, [&] {
    RestoreOption(*Option1, ToBoolean(services_.settings.Read(QStringLiteral("Option1"), 1)));
  });
  steps.Run(130, [&] {
    RestoreOption(*Option2, ToBoolean(services_.settings.Read(QStringLiteral("Option2"), 0)));
  });
  // The click procedures that the restores raised, each writing both keys,
  // run once both options are restored: each restore reads its choice as it
  // was stored, so both stored "True" ends with Option2 selected.
  steps.Run(130, [&] { RunRaisedClicks(); });
  steps.Run(136, [&] { word::CheckWordInstalled(services_.word, *this); });
}

void Form1::ApplySkin() {
  app::ApplySkin(*this, services_.skin, services_.programFolder);
}

void Form1::SetAppTitle() {
  appTitle_ = AppTitleFrom(QString::fromLatin1(kProductName));
}

void Form1::OpenWebSiteByChance() {
  app::OpenWebSiteByChance(services_.clock, services_.random, services_.opener);
}

void Form1::RestoreOption(QRadioButton& option, bool selected) {
  restoring_ = true;
  if (!selected && option.isChecked()) {
    // Selected buttons of an exclusive group refuse to be unselected directly.
    option.setAutoExclusive(false);
    option.setChecked(false);
    option.setAutoExclusive(true);
  } else {
    option.setChecked(selected);
  }
  restoring_ = false;
}

void Form1::RaiseOptionClick(void (Form1::*click)()) {
  if (restoring_) {
    raisedClicks_.push_back(click);
    return;
  }
  // A click by the user has no report of its own, and an exception must not
  // cross Qt's signal delivery: the choice stays on screen, unsaved.
  try {
    (this->*click)();
  } catch (const std::exception& failure) {
    qWarning("Cannot save the page option: %s", failure.what());
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
  services_.settings.Write(QStringLiteral("Option1"), BooleanText(Option1->isChecked()));
  services_.settings.Write(QStringLiteral("Option2"), BooleanText(Option2->isChecked()));
}

}  // namespace quorvane::app
