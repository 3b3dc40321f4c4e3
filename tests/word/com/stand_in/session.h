#ifndef QUORVANE_TESTS_WORD_COM_STAND_IN_SESSION_H_
#define QUORVANE_TESTS_WORD_COM_STAND_IN_SESSION_H_

// What the objects of one stand-in Word instance share: the DISPIDs it gave
// out, its operation count with the one it is told to fail, and where the
// document made visible goes.

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

  const std::shared_ptr<word::embedded::DocumentPresenter>& presenter() const { return presenter_; }

 private:
  std::vector<std::string> names_;  // DISPID n is names_[n - 1]
  int operations_ = 0;
  int failAt_ = 0;  // 0: none
  std::shared_ptr<word::embedded::DocumentPresenter> presenter_;
};

}  // namespace quorvane::test_support::stand_in

#endif  // QUORVANE_TESTS_WORD_COM_STAND_IN_SESSION_H_
