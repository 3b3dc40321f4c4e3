#ifndef QUORVANE_APP_QT_SETTINGS_STORE_H_
#define QUORVANE_APP_QT_SETTINGS_STORE_H_

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/form1_services.h"

class QSettings;

namespace quorvane::app::qt {

// QSettings' INI file for the current user, the file that its native format
// uses on Linux: "Brelmor.conf" in the user's configuration folder.
//
// Only a regular file (or a link to one) is ever opened, read or written. The
// path is checked before every open and every sync, and QSettings objects live
// for one operation only, so that no sync runs unchecked (QSettings syncs by
// itself from the event loop after a change and from its destructor):
// - Anything else at the path (FIFO, device, socket, directory, a link to one
//   of them or to nothing) and a file that cannot be read make the store keep
//   this run's values in memory and never touch the path again; every read of
//   a key not written since throws the reason, so that each is reported, and
//   the caller goes on with the default.
// - A damaged file, which QSettings would never write again, is moved aside
//   to "Brelmor.conf.damaged" (or "…damaged-2", "…damaged-3", …: an earlier
//   damaged copy is never replaced) and a fresh file is started; the operation
//   that found it throws a description that names where the file went.
// Failures throw std::runtime_error with a description.
class QSettingsStore final : public SettingsStore {
 public:
  static constexpr const char* kApplication = "Brelmor";
  static constexpr const char* kSection = "Quorvane Software";

  // What QSettings(NativeFormat, UserScope, "Brelmor") opens on Linux: the
  // organisation's file in QStandardPaths' generic configuration folder.
  // (QSettings::setPath, which the program never calls, is not followed.)
  static QString DefaultFilePath();

  QSettingsStore();
  explicit QSettingsStore(QString filePath);
  ~QSettingsStore() override;

  std::u16string Read(std::u16string_view key, int defaultValue) override;
  void Write(std::u16string_view key, std::u16string_view text) override;

  const QString& FilePath() const { return path_; }

 private:
  // A QSettings over the file, freshly read, in the section; null once the
  // store keeps its values in memory. A damaged file is moved aside on the
  // way and `notice` says where it went.
  std::unique_ptr<QSettings> Open(std::optional<std::string>& notice);
  // Checks the path (and QSettings' lock file beside it) before anything
  // opens it; when it is no regular file, the store keeps its values in
  // memory from then on and false is returned.
  bool PathIsUsable();
  // Moves the damaged file aside and tells where; when it cannot be moved,
  // the store keeps its values in memory.
  std::optional<std::string> SetAside();

  QString path_;
  // Set once the store keeps its values in memory: why, and the values.
  std::optional<std::string> unusable_;
  std::map<std::u16string, std::u16string, std::less<>> memory_;
};

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_SETTINGS_STORE_H_
