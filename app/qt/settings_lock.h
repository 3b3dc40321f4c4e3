#ifndef QUORVANE_APP_QT_SETTINGS_LOCK_H_
#define QUORVANE_APP_QT_SETTINGS_LOCK_H_

// The lock that QSettings (through QLockFile) takes beside a settings file
// while it writes: "FILE.lock", made with O_EXCL, holding the process id,
// the program's name and the host's name. Taken the same way here, so that
// the program and any QSettings never write the file at once; but waited
// for a short while only, where QSettings waits for ever on a lock it can
// neither use nor remove.

#include <chrono>
#include <filesystem>

namespace quorvane::app::qt {

class SettingsLock {
 public:
  // Takes the lock of the settings file `file`, waiting at most `wait` for
  // another holder. A lock left by a process of this host that has ended is
  // removed. Throws std::runtime_error: "The settings file X is locked: its
  // lock file X.lock is held by another program, or was left by one", "...:
  // its lock file X.lock cannot be made: Permission denied".
  SettingsLock(const std::filesystem::path& file, std::chrono::milliseconds wait);
  // Removes the lock.
  ~SettingsLock();
  SettingsLock(const SettingsLock&) = delete;
  SettingsLock& operator=(const SettingsLock&) = delete;

 private:
  std::filesystem::path path_;
};

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_SETTINGS_LOCK_H_
