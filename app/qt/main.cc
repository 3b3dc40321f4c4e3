// quorvane: the desktop program. Its start-up object is the main window.

#include <QApplication>
#include <memory>
#include <optional>

#include "app/qt/cleanup_signals.h"
#include "app/qt/desktop_services.h"
#include "app/qt/documents_presenter.h"
#include "app/qt/form1_window.h"
#include "app/qt/settings_store.h"
#include "app/qt/style_sheet_skin.h"
#include "app/qt/user_folders.h"
#include "app/web_site_chance.h"
#include "word/embedded/word_application.h"

int main(int argc, char** argv) {
  // Qt's threads, started here, never take the signals of the file writer.
  std::optional<quorvane::app::qt::CleanupSignalsHeld> held(std::in_place);
  QApplication application(argc, argv);
  // Ties the window to its menu entry and icon on desktops that ask.
  QGuiApplication::setDesktopFileName(QStringLiteral("example.quorvane.Quorvane"));

  quorvane::app::qt::QtMessageBoxes boxes;
  quorvane::app::qt::ImmediateExit exit;
  quorvane::app::qt::DesktopOpener opener;
  quorvane::app::qt::DocumentOpener documentOpener;
  quorvane::app::qt::SystemClock clock;
  quorvane::app::StandardRandom random;
  quorvane::app::qt::QSettingsStore settings;
  quorvane::app::qt::StyleSheetSkin skin;

  // "Word" here is the embedded word processor; what it makes visible lands
  // in the user's Documents folder.
  quorvane::word::ClassRegistry registry;
  quorvane::word::embedded::RegisterWordApplication(
      registry, std::make_shared<quorvane::app::qt::DocumentsPresenter>(
                    [] { return quorvane::app::qt::DocumentsFolder(); }, documentOpener, boxes));

  quorvane::app::qt::Form1Window form(
      quorvane::app::Form1Services{
          .boxes = boxes,
          .exit = exit,
          .opener = opener,
          .clock = clock,
          .random = random,
          .word = registry,
          .settings = settings,
          .skin = skin,
      },
      quorvane::app::qt::ProgramFolder().toStdU16String());
  // Not over the load, whose message boxes must not hold a kill back. Threads
  // that the main thread starts from here on take the signals again.
  held.reset();
  form.Start();
  return QApplication::exec();
}
