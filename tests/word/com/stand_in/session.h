#ifndef QUORVANE_TESTS_WORD_COM_STAND_IN_SESSION_H_
#define QUORVANE_TESTS_WORD_COM_STAND_IN_SESSION_H_

// What the objects of one stand-in Word instance share: the DISPIDs it gave
// out, its operation count with the one it is told to fail, where the
// document made visible goes, and the test knobs of a busy or dying Word.

#include <windows.h>

#include <oleauto.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "word/embedded/word_application.h"

namespace quorvane::test_support::stand_in {

// Environment variables read when an instance is created.
inline constexpr wchar_t kFailAtVariable[] = L"QUORVANE_STANDIN_FAIL_AT";
inline constexpr wchar_t kDocumentsVariable[] = L"QUORVANE_STANDIN_DOCUMENTS";
// Each Invoke that reaches the engine, one line "FLAGS Member", appended.
inline constexpr wchar_t kLogVariable[] = L"QUORVANE_STANDIN_LOG";
// N: the first N calls (GetIDsOfNames, Invoke) come back RPC_E_CALL_REJECTED.
inline constexpr wchar_t kRejectVariable[] = L"QUORVANE_STANDIN_REJECT";
// "K:M": the K-th accepted call is held M milliseconds.
inline constexpr wchar_t kDelayVariable[] = L"QUORVANE_STANDIN_DELAY";
// K: the server ends at once in its K-th accepted call.
inline constexpr wchar_t kExitAtVariable[] = L"QUORVANE_STANDIN_EXIT_AT";
// Any value: a failure's description is filled in late (pfnDeferredFillIn).
inline constexpr wchar_t kDeferVariable[] = L"QUORVANE_STANDIN_DEFER";
// M: a local server whose last instance is gone stays registered M
// milliseconds more without serving, as a Word that was told to quit.
inline constexpr wchar_t kLingerVariable[] = L"QUORVANE_STANDIN_LINGER";

// Appends one line to the log the test named, if it named one.
void AppendToLog(const std::string& line);

class Session {
 public:
  // Reads the environment variables above.
  Session();

  // The same DISPID for a name however it is cased; never DISPID_VALUE.
  DISPID IdOf(std::u16string_view name);
  // Throws ComError(DISP_E_MEMBERNOTFOUND) for an id this session never gave.
  const std::string& NameOf(DISPID id) const;

  // Counts one operation (the creation is the first) and throws an
  // AutomationError naming it when it is the one to fail.
  void CountOperation();

  // Every call first: RPC_E_CALL_REJECTED while the server plays busy, else
  // S_OK once the delay or the end it is told of has come.
  HRESULT Admit();
  bool deferException() const { return deferException_; }

  const std::shared_ptr<word::embedded::DocumentPresenter>& presenter() const { return presenter_; }

 private:
  std::vector<std::string> names_;  // DISPID n is names_[n - 1]
  int operations_ = 0;
  int failAt_ = 0;  // 0: none
  int calls_ = 0;
  int admitted_ = 0;
  int rejectFirst_ = 0;
  int delayAt_ = 0;
  int delayMilliseconds_ = 0;
  int exitAt_ = 0;
  bool deferException_ = false;
  std::shared_ptr<word::embedded::DocumentPresenter> presenter_;
};

}  // namespace quorvane::test_support::stand_in

#endif  // QUORVANE_TESTS_WORD_COM_STAND_IN_SESSION_H_
