#include "app/win32/registry_settings.h"

#include <windows.h>

#include <stdexcept>
#include <string>

#include "app/win32/wide.h"
#include "app/win32/windows_services.h"
#include "base/utf.h"

namespace quorvane::app::win32 {
namespace {

[[noreturn]] void Fail(std::string_view what, std::u16string_view key, LSTATUS status) {
  throw std::runtime_error("Cannot " + std::string(what) + " the setting " + base::ToUtf8(key) +
                           ": " + SystemErrorText(static_cast<unsigned long>(status)));
}

}  // namespace

std::u16string RegistrySettings::Read(std::u16string_view key, int defaultValue) {
  const std::wstring name = Wide(key);
  DWORD size = 0;
  LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), RRF_RT_REG_SZ,
                                nullptr, nullptr, &size);
  // The value may grow between the two calls.
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    status = RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), RRF_RT_REG_SZ, nullptr,
                          text.data(), &size);
    if (status == ERROR_SUCCESS) {
      text.resize(wcsnlen(text.c_str(), text.size()));
      return FromWide(text);
    }
  }
  if (status == ERROR_FILE_NOT_FOUND || status == ERROR_UNSUPPORTED_TYPE) {
    return base::FromUtf8(std::to_string(defaultValue));
  }
  Fail("read", key, status);
}

void RegistrySettings::Write(std::u16string_view key, std::u16string_view text) {
  const std::wstring value = Wide(text);
  HKEY section = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE,
                                   nullptr, &section, nullptr);
  if (status == ERROR_SUCCESS) {
    status = RegSetValueExW(section, Wide(key).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(section);
  }
  if (status != ERROR_SUCCESS) Fail("write", key, status);
}

}  // namespace quorvane::app::win32
