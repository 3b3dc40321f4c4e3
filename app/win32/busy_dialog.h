#ifndef QUORVANE_APP_WIN32_BUSY_DIALOG_H_
#define QUORVANE_APP_WIN32_BUSY_DIALOG_H_

// The busy dialog of a Windows program that drives Word: "Switch To" brings
// Word's window forward and "Retry" waits again, each for another bound;
// "Cancel" fails the call.
// OleUIBusy wants the busy task, which the automation layer's own retry does
// not know, so the dialog is the program's own, in the same words.

#include <windows.h>

#include "word/com/busy_policy.h"

namespace quorvane::app::win32 {

inline constexpr wchar_t kBusyTitle[] = L"Server Busy";
inline constexpr wchar_t kBusyText[] =
    L"This action cannot be completed because Microsoft Word is busy. Choose \"Switch To\" to "
    L"activate Word and correct the problem.";

class BusyDialog final : public word::com::BusyPrompt {
 public:
  // Owned by the main window once it is known.
  void SetOwner(HWND owner) { owner_ = owner; }
  bool KeepWaiting() override;

 private:
  HWND owner_ = nullptr;
};

// Word's main window ("OpusApp"), or the dialog it shows while hidden, made
// the foreground window; false when Word shows no window at all.
bool BringWordForward();

}  // namespace quorvane::app::win32

#endif  // QUORVANE_APP_WIN32_BUSY_DIALOG_H_
