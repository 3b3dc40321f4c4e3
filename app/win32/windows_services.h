#ifndef QUORVANE_APP_WIN32_WINDOWS_SERVICES_H_
#define QUORVANE_APP_WIN32_WINDOWS_SERVICES_H_

// The real services of the Windows window program, as wWinMain wires them.

#include <windows.h>

#include <string>

#include "app/form1_services.h"

namespace quorvane::app::win32 {

// MessageBoxW, owned by the main window once it is known.
class WindowMessageBoxes final : public MessageBoxes {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void Show(std::u16string_view text, std::u16string_view title, int style) override;

 private:
  HWND owner_ = nullptr;
};

class ImmediateExit final : public ProgramExit {
 public:
  [[noreturn]] void EndNow() override;
};

// `explorer "ADDRESS"`, minimized with the focus, not waited for.
class ExplorerOpener final : public Opener {
 public:
  void Open(std::u16string_view url) override;
};

// The command line ExplorerOpener starts.
std::u16string ExplorerCommandLine(std::u16string_view url);

class LocalClock final : public Clock {
 public:
  std::uint32_t SecondsSinceMidnight() override;
};

// The folder of the running program, without a trailing separator.
std::u16string ProgramFolder();

// Windows' own text for an error code, without its line break.
std::string SystemErrorText(unsigned long code);

}  // namespace quorvane::app::win32

#endif  // QUORVANE_APP_WIN32_WINDOWS_SERVICES_H_
