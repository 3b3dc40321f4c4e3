#ifndef QUORVANE_APP_QT_SETTINGS_STORE_H_
#define QUORVANE_APP_QT_SETTINGS_STORE_H_

#include <memory>

#include "app/form1_services.h"

class QSettings;

namespace quorvane::app::qt {

// QSettings in the platform's native format for the current user: an INI file
// under the user's configuration folder on Linux, the registry on Windows.
// A store that cannot be read or written throws std::runtime_error.
class QSettingsStore final : public SettingsStore {
 public:
  static constexpr const char* kApplication = "Brelmor";
  static constexpr const char* kSection = "Quorvane Software";

  QSettingsStore();
  ~QSettingsStore() override;

  std::u16string Read(std::u16string_view key, int defaultValue) override;
  void Write(std::u16string_view key, std::u16string_view text) override;

 private:
  QSettings& Section();

  // Opened at first use. One object for the whole run: QSettings notices a
  // damaged file only when it first parses it.
  std::unique_ptr<QSettings> settings_;
};

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_SETTINGS_STORE_H_
