#ifndef QUORVANE_APP_WIN32_REGISTRY_SETTINGS_H_
#define QUORVANE_APP_WIN32_REGISTRY_SETTINGS_H_

// The settings where Visual Basic's settings functions keep them, so that a
// choice stored by an earlier version of the program carries over.

#include "app/form1_services.h"

namespace quorvane::app::win32 {

// Under HKEY_CURRENT_USER.
inline constexpr wchar_t kSettingsKey[] =
    L"Software\\VB and VBA Program Settings\\Brelmor\\Quorvane Software";

// REG_SZ values. A registry that cannot be read or written throws
// std::runtime_error; an absent value, or one of another type, reads as the
// default.
class RegistrySettings final : public SettingsStore {
 public:
  std::u16string Read(std::u16string_view key, int defaultValue) override;
  void Write(std::u16string_view key, std::u16string_view text) override;
};

}  // namespace quorvane::app::win32

#endif  // QUORVANE_APP_WIN32_REGISTRY_SETTINGS_H_
