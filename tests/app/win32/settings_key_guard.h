#ifndef QUORVANE_TESTS_APP_WIN32_SETTINGS_KEY_GUARD_H_
#define QUORVANE_TESTS_APP_WIN32_SETTINGS_KEY_GUARD_H_

// The program's settings key to a test alone: the test processes of a run
// share one prefix's registry. Starts with no option stored and puts back
// what was there before, removing the keys the test made.

#include <windows.h>

#include <optional>
#include <string>

namespace quorvane::test_support {

class SettingsKeyGuard {
 public:
  SettingsKeyGuard();
  SettingsKeyGuard(const SettingsKeyGuard&) = delete;
  SettingsKeyGuard& operator=(const SettingsKeyGuard&) = delete;
  ~SettingsKeyGuard();

  // The stored text, or nothing when the value is absent or no REG_SZ.
  static std::optional<std::wstring> Stored(const wchar_t* name);
  static void Store(const wchar_t* name, const std::wstring& text);

 private:
  HANDLE mutex_;
  std::optional<std::wstring> option1_, option2_;
  bool keysExisted_[3] = {};
};

}  // namespace quorvane::test_support

#endif  // QUORVANE_TESTS_APP_WIN32_SETTINGS_KEY_GUARD_H_
