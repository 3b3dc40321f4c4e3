#include "tests/app/win32/settings_key_guard.h"

#include <array>
#include <stdexcept>

#include "app/win32/registry_settings.h"

namespace quorvane::test_support {
namespace {

// From the outermost key the settings functions make to the section.
constexpr std::array<const wchar_t*, 3> kKeys{L"Software\\VB and VBA Program Settings",
                                              L"Software\\VB and VBA Program Settings\\Brelmor",
                                              app::win32::kSettingsKey};

bool KeyExists(const wchar_t* key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

void Forget(const wchar_t* name) {
  RegDeleteKeyValueW(HKEY_CURRENT_USER, app::win32::kSettingsKey, name);
}

}  // namespace

SettingsKeyGuard::SettingsKeyGuard()
    : mutex_(CreateMutexW(nullptr, FALSE, L"QuorvaneSettingsKeyForTests")) {
  if (mutex_ == nullptr) throw std::runtime_error("cannot create the settings lock");
  WaitForSingleObject(mutex_, INFINITE);  // abandoned by a dead test: ours all the same
  for (std::size_t i = 0; i < kKeys.size(); ++i) keysExisted_[i] = KeyExists(kKeys[i]);
  option1_ = Stored(L"Option1");
  option2_ = Stored(L"Option2");
  Forget(L"Option1");
  Forget(L"Option2");
}

SettingsKeyGuard::~SettingsKeyGuard() {
  Forget(L"Option1");
  Forget(L"Option2");
  if (option1_) Store(L"Option1", *option1_);
  if (option2_) Store(L"Option2", *option2_);
  // Innermost first; RegDeleteKeyW leaves a key that still holds anything.
  for (std::size_t i = kKeys.size(); i-- > 0;) {
    if (!keysExisted_[i]) RegDeleteKeyW(HKEY_CURRENT_USER, kKeys[i]);
  }
  ReleaseMutex(mutex_);
  CloseHandle(mutex_);
}

std::optional<std::wstring> SettingsKeyGuard::Stored(const wchar_t* name) {
  std::array<wchar_t, 256> text{};
  DWORD size = sizeof(text);
  if (RegGetValueW(HKEY_CURRENT_USER, app::win32::kSettingsKey, name, RRF_RT_REG_SZ, nullptr,
                   text.data(), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(text.data());
}

void SettingsKeyGuard::Store(const wchar_t* name, const std::wstring& text) {
  const LSTATUS status =
      RegSetKeyValueW(HKEY_CURRENT_USER, app::win32::kSettingsKey, name, REG_SZ, text.c_str(),
                      static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  if (status != ERROR_SUCCESS) throw std::runtime_error("cannot store a setting for the test");
}

}  // namespace quorvane::test_support
