#ifndef QUORVANE_APP_QT_SETTINGS_STORE_H_
#define QUORVANE_APP_QT_SETTINGS_STORE_H_

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "app/form1_services.h"

namespace quorvane::app::qt {

// The settings file of QSettings' native format on Linux, "Brelmor.conf" in
// the user's configuration folder, read and written as QSettings does
// (settings_ini.h), but judged whole before anything is written and written
// whole or not at all (base/files.h): no signal leaves a
// temporary file behind.
//
// - Only a regular file (or a link to one) of at most kMaxFileBytes is read,
//   and only with a regular lock file or none beside it; anything else makes
//   the store keep this run's values in memory and never touch the path
//   again. So does a lock that is not free within kLockWait, a file that
//   cannot be read or written, and a missing home folder. Every read of a
//   key not written since then throws the reason, so that each is reported,
//   and the caller goes on with the default.
// - A damaged file, one that QSettings would not keep as it stands, is moved
//   aside whole to "Brelmor.conf.damaged" (or "…damaged-2", "…damaged-3", …:
//   an earlier damaged copy is never replaced) and a fresh file is started;
//   the operation that found it throws a description that says why and
//   where the file went.
// Failures throw std::runtime_error with a description.
class QSettingsStore final : public SettingsStore {
 public:
  static constexpr const char* kApplication = "Brelmor";
  static constexpr const char* kSection = "Quorvane Software";
  // A settings file holds a few lines; one of more is not the program's.
  static constexpr std::size_t kMaxFileBytes = std::size_t{1} << 20;
  static constexpr std::chrono::milliseconds kLockWait{1500};

  // CONFIG/Brelmor.conf, CONFIG as user_folders.h finds it: where
  // QSettings(NativeFormat, UserScope, "Brelmor") keeps it. Throws when there
  // is no home folder.
  static std::filesystem::path DefaultFilePath();

  // At DefaultFilePath(); without a home folder the values stay in memory.
  QSettingsStore();
  explicit QSettingsStore(std::filesystem::path filePath);

  std::u16string Read(std::u16string_view key, int defaultValue) override;
  void Write(std::u16string_view key, std::u16string_view text) override;

 private:
  // The file's text, "" when there is none; nothing once the store keeps its
  // values in memory. A damaged file is moved aside on the way and `notice`
  // says where it went.
  std::optional<std::string> Text(std::optional<std::string>& notice);
  // The same, throwing why the file cannot be used.
  std::string LoadText(std::optional<std::string>& notice);
  // Throws unless the file and its lock file are regular files or absent.
  void CheckPaths() const;
  // Takes the lock, reads, changes one value and writes the file whole.
  void Change(std::string_view key, std::string_view text, std::optional<std::string>& notice);
  std::string SetAside(const std::string& damage);

  std::filesystem::path path_;
  // Set once the store keeps its values in memory: why, and the values.
  std::optional<std::string> unusable_;
  std::map<std::u16string, std::u16string, std::less<>> memory_;
};

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_SETTINGS_STORE_H_
