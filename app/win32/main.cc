// quorvane.exe: the desktop program. Its start-up object is the main window;
// Word is the one installed here, driven through COM.

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <exception>
#include <memory>

#include "app/web_site_chance.h"
#include "app/win32/busy_dialog.h"
#include "app/win32/form1_window.h"
#include "app/win32/registry_settings.h"
#include "app/win32/skin/drawn_skin.h"
#include "app/win32/windows_services.h"
#include "word/com/apartment.h"
#include "word/com/com_factory.h"
#include "word/com/message_filter.h"

namespace {

int Run() {
  namespace app = quorvane::app;
  namespace win32 = quorvane::app::win32;
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // Once, on the thread of the window: Word's objects are called from here.
  const quorvane::word::com::Apartment apartment(quorvane::word::com::Apartment::Kind::kOle);
  // Before Word is created: a busy Word is waited for, then asked about.
  const auto busy = std::make_shared<win32::BusyDialog>();
  const auto policy = std::make_shared<const quorvane::word::com::BusyPolicy>(busy);
  const quorvane::word::com::MessageFilterRegistration filter(policy);

  win32::WindowMessageBoxes boxes;
  win32::ImmediateExit exit;
  win32::ExplorerOpener opener;
  win32::LocalClock clock;
  app::StandardRandom random;
  win32::RegistrySettings settings;
  win32::DrawnSkin skin;
  quorvane::word::ClassRegistry registry;
  quorvane::word::com::RegisterWord(registry, policy);

  win32::Form1Window form(
      app::Form1Services{
          .boxes = boxes,
          .exit = exit,
          .opener = opener,
          .clock = clock,
          .random = random,
          .word = registry,
          .settings = settings,
          .skin = skin,
      },
      win32::ProgramFolder());
  boxes.SetOwner(form.Handle());
  busy->SetOwner(form.Handle());
  form.Start();
  return win32::Form1Window::RunMessageLoop(form.Handle());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    return Run();
  } catch (const std::exception& failure) {
    // Before the window exists there is nothing to report in.
    MessageBoxA(nullptr, failure.what(), "Quorvane", MB_OK | MB_ICONERROR);
    return 1;
  }
}
