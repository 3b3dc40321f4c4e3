#include "app/win32/busy_dialog.h"

#include <commctrl.h>

#include <iterator>

namespace quorvane::app::win32 {
namespace {

constexpr int kSwitchTo = 100;

struct WordWindows {
  DWORD process = 0;
  HWND shown = nullptr;
};

// The first visible top-level window of Word's process: Word itself, or a
// dialog that a hidden Word shows.
BOOL CALLBACK FindShown(HWND window, LPARAM argument) {
  auto& search = *reinterpret_cast<WordWindows*>(argument);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search.process || !IsWindowVisible(window)) return TRUE;
  search.shown = window;
  return FALSE;
}

}  // namespace

bool BringWordForward() {
  const HWND word = FindWindowW(L"OpusApp", nullptr);
  if (word == nullptr) return false;
  WordWindows search;
  GetWindowThreadProcessId(word, &search.process);
  EnumWindows(&FindShown, reinterpret_cast<LPARAM>(&search));
  if (search.shown == nullptr) return false;
  if (IsIconic(search.shown)) ShowWindow(search.shown, SW_RESTORE);
  SetForegroundWindow(search.shown);
  return true;
}

bool BusyDialog::KeepWaiting() {
  const TASKDIALOG_BUTTON buttons[] = {{kSwitchTo, L"Switch To"}, {IDRETRY, L"Retry"}};
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof(config);
  config.hwndParent = owner_;
  config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
  config.dwCommonButtons = TDCBF_CANCEL_BUTTON;
  config.pszWindowTitle = kBusyTitle;
  config.pszMainIcon = TD_WARNING_ICON;
  config.pszContent = kBusyText;
  config.cButtons = static_cast<UINT>(std::size(buttons));
  config.pButtons = buttons;
  config.nDefaultButton = IDRETRY;
  int chosen = IDCANCEL;
  if (FAILED(TaskDialogIndirect(&config, &chosen, nullptr, nullptr))) return false;
  // Switched to Word, the user can answer it there; the call waits on.
  if (chosen == kSwitchTo) BringWordForward();
  return chosen != IDCANCEL;
}

}  // namespace quorvane::app::win32
