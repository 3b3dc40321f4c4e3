#ifndef QUORVANE_APP_SETTINGS_STORE_H_
#define QUORVANE_APP_SETTINGS_STORE_H_

// The per-user settings store: text values under one application name and
// section, addressed by key.

#include <QString>
#include <memory>

class QSettings;

namespace quorvane::app {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or `defaultValue` as decimal text when the key is absent.
  virtual QString Read(const QString& key, int defaultValue) = 0;
  // Takes effect at once.
  virtual void Write(const QString& key, const QString& text) = 0;
};

// QSettings in the platform's native format for the current user: an INI file
// under the user's configuration folder on Linux, the registry on Windows.
// A store that cannot be read or written throws std::runtime_error.
class QSettingsStore final : public SettingsStore {
 public:
  static constexpr const char* kApplication = "Brelmor";
  static constexpr const char* kSection = "Quorvane Software";

  QSettingsStore();
  ~QSettingsStore() override;

  QString Read(const QString& key, int defaultValue) override;
  void Write(const QString& key, const QString& text) override;

 private:
  QSettings& Section();

  // Opened at first use. One object for the whole run: QSettings notices a
  // damaged file only when it first parses it.
  std::unique_ptr<QSettings> settings_;
};

}  // namespace quorvane::app

#endif  // QUORVANE_APP_SETTINGS_STORE_H_
