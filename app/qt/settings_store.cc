#include "app/qt/settings_store.h"

#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

#include "app/qt/cleanup_signals.h"
#include "app/qt/settings_lock.h"
#include "app/qt/user_folders.h"
#include "app/settings_ini.h"
#include "base/files.h"
#include "base/utf.h"

namespace quorvane::app::qt {
namespace {

constexpr const char* kKeptInMemory =
    ": it is left alone, and this run's choices are kept in memory only";

// Why the store keeps its values in memory, after where a damaged file went
// if it was moved on the way.
std::runtime_error InMemory(const std::optional<std::string>& notice, const std::string& why) {
  return std::runtime_error(notice ? *notice + ". " + why : why);
}

std::filesystem::path LockPath(const std::filesystem::path& file) {
  return std::filesystem::path(file) += ".lock";
}

}  // namespace

std::filesystem::path QSettingsStore::DefaultFilePath() {
  return ConfigFolder() / (std::string(kApplication) + ".conf");
}

QSettingsStore::QSettingsStore() {
  try {
    path_ = DefaultFilePath();
  } catch (const std::runtime_error& noHome) {
    unusable_ = noHome.what() + std::string("; this run's choices are kept in memory only");
  }
}

QSettingsStore::QSettingsStore(std::filesystem::path filePath) : path_(std::move(filePath)) {}

void QSettingsStore::CheckPaths() const {
  if (const std::string why = base::NotARegularFile(path_); !why.empty()) {
    throw std::runtime_error("The settings file " + path_.string() + " " + why);
  }
  const std::filesystem::path lock = LockPath(path_);
  if (const std::string why = base::NotARegularFile(lock); !why.empty()) {
    throw std::runtime_error("The settings lock file " + lock.string() + " " + why);
  }
}

std::string QSettingsStore::SetAside(const std::string& damage) {
  const std::string damaged =
      "The settings file " + path_.string() + " is damaged (" + damage + ")";
  std::error_code failed;
  for (int copy = 1; copy <= 99; ++copy) {
    std::filesystem::path to = path_;
    to += ".damaged" + (copy == 1 ? std::string() : "-" + std::to_string(copy));
    failed = base::MoveWithoutReplacing(path_, to);
    if (!failed)
      return damaged + ": it was moved to " + to.string() + ", and a fresh one is started";
    if (failed != std::errc::file_exists) break;
  }
  throw std::runtime_error(damaged + " and cannot be moved aside (" + failed.message() + ")");
}

std::string QSettingsStore::LoadText(std::optional<std::string>& notice) {
  CheckPaths();
  std::error_code unknown;
  if (!std::filesystem::exists(path_, unknown) && !unknown) return {};
  std::string text;
  try {
    text = base::ReadRegularFile(path_, kMaxFileBytes);
  } catch (const std::runtime_error& unreadable) {
    throw std::runtime_error(std::string("The settings file ") + unreadable.what());
  }
  if (const std::string damage = IniDamage(text); !damage.empty()) {
    notice = SetAside(damage);
    return {};
  }
  return text;
}

std::optional<std::string> QSettingsStore::Text(std::optional<std::string>& notice) {
  if (unusable_) return std::nullopt;
  try {
    return LoadText(notice);
  } catch (const std::runtime_error& unusable) {
    unusable_ = unusable.what() + std::string(kKeptInMemory);
    return std::nullopt;
  }
}

void QSettingsStore::Change(std::string_view key, std::string_view text,
                            std::optional<std::string>& notice) {
  CheckPaths();
  // As QSettings does, the folder is made when missing.
  const std::filesystem::path folder = path_.parent_path();
  std::error_code failed;
  std::filesystem::create_directories(folder, failed);
  if (failed) {
    throw std::runtime_error("Cannot create the folder " + folder.string() +
                             " for the settings file: " + failed.message());
  }
  // A kill waits until the lock is gone again.
  const CleanupSignalsHeld held;
  const SettingsLock lock(path_, kLockWait);
  // Read again under the lock: another program may have changed it.
  const std::string updated = WithIniValue(LoadText(notice), kSection, key, text);
  base::WriteFileAtomically(path_, updated, /*replace=*/true);
}

std::u16string QSettingsStore::Read(std::u16string_view key, int defaultValue) {
  std::optional<std::string> notice;
  if (const auto text = Text(notice)) {
    if (notice) throw std::runtime_error(*notice);
    const auto value = IniValue(*text, kSection, base::ToUtf8(key));
    return value ? base::FromUtf8(*value) : base::FromUtf8(std::to_string(defaultValue));
  }
  if (const auto kept = memory_.find(key); kept != memory_.end()) return kept->second;
  throw InMemory(notice, *unusable_);
}

void QSettingsStore::Write(std::u16string_view key, std::u16string_view text) {
  const bool wasUsable = !unusable_;
  std::optional<std::string> notice;
  if (!unusable_) {
    try {
      Change(base::ToUtf8(key), base::ToUtf8(text), notice);
    } catch (const std::runtime_error& failed) {
      unusable_ = failed.what() + std::string(kKeptInMemory);
    }
  }
  if (unusable_) {
    memory_[std::u16string(key)] = text;
    // Told once; the failure of this run was reported already.
    if (wasUsable) throw InMemory(notice, *unusable_);
    return;
  }
  if (notice) throw std::runtime_error(*notice);
}

}  // namespace quorvane::app::qt
