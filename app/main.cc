// quorvane: the desktop program. Its start-up object is the main window.

#include <QApplication>
#include <memory>

#include "app/desktop_services.h"
#include "app/documents_presenter.h"
#include "app/form1.h"
#include "app/settings_store.h"
#include "app/style_sheet_skin.h"
#include "app/web_site_chance.h"
#include "word/embedded/word_application.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);

  quorvane::app::QtMessageBoxes boxes;
  quorvane::app::ImmediateExit exit;
  quorvane::app::DesktopOpener opener;
  quorvane::app::SystemClock clock;
  quorvane::app::StandardRandom random;
  quorvane::app::QSettingsStore settings;
  quorvane::app::StyleSheetSkin skin;

  // "Word" here is the embedded word processor; what it makes visible lands
  // in the user's Documents folder.
  quorvane::word::ClassRegistry registry;
  quorvane::word::embedded::RegisterWordApplication(
      registry, std::make_shared<quorvane::app::DocumentsPresenter>(
                    quorvane::app::DocumentsFolder(), opener));

  quorvane::app::Form1 form(quorvane::app::Form1Services{
      .boxes = boxes,
      .exit = exit,
      .opener = opener,
      .clock = clock,
      .random = random,
      .word = registry,
      .settings = settings,
      .skin = skin,
      .programFolder = quorvane::app::ProgramFolder(),
  });
  form.Start();
  return QApplication::exec();
}
