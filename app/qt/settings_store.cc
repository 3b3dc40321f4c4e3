#include "app/qt/settings_store.h"

#include <QSettings>
#include <QStandardPaths>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

#include "base/files.h"

namespace quorvane::app::qt {
namespace {

constexpr const char* kKeptInMemory =
    ": it is left alone, and this run's choices are kept in memory only";

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::filesystem::path Native(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

// Why the store keeps its values in memory, after where a damaged file went
// if it was moved on the way.
std::runtime_error InMemory(const std::optional<std::string>& notice, const std::string& why) {
  return std::runtime_error(notice ? *notice + ". " + why : why);
}

}  // namespace

QString QSettingsStore::DefaultFilePath() {
  // QSettings' user path on XDG platforms, and its ".conf" extension.
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/") + QString::fromLatin1(kApplication) + QStringLiteral(".conf");
}

QSettingsStore::QSettingsStore() : QSettingsStore(DefaultFilePath()) {}
QSettingsStore::QSettingsStore(QString filePath) : path_(std::move(filePath)) {}
QSettingsStore::~QSettingsStore() = default;

bool QSettingsStore::PathIsUsable() {
  if (unusable_) return false;
  // QSettings' lock file, which a write opens, is checked as the file is.
  for (const QString& path : {path_, path_ + QStringLiteral(".lock")}) {
    const std::string why = base::NotARegularFile(Native(path));
    if (why.empty()) continue;
    unusable_ = (path == path_ ? "The settings file " : "The settings lock file ") +
                path.toStdString() + " " + why + kKeptInMemory;
    return false;
  }
  return true;
}

std::optional<std::string> QSettingsStore::SetAside() {
  std::error_code failed;
  for (int copy = 1; copy <= 99; ++copy) {
    const QString to = path_ + QStringLiteral(".damaged") +
                       (copy == 1 ? QString() : QStringLiteral("-") + QString::number(copy));
    failed = base::MoveWithoutReplacing(Native(path_), Native(to));
    if (!failed) {
      return "The settings file " + path_.toStdString() + " is damaged: it was moved to " +
             to.toStdString() + ", and a fresh one is started";
    }
    if (failed != std::errc::file_exists) break;
  }
  unusable_ = "The settings file " + path_.toStdString() +
              " is damaged and cannot be moved aside (" + failed.message() + ")" + kKeptInMemory;
  return std::nullopt;
}

std::unique_ptr<QSettings> QSettingsStore::Open(std::optional<std::string>& notice) {
  if (!PathIsUsable()) return nullptr;
  // The constructor reads the file.
  auto settings = std::make_unique<QSettings>(path_, QSettings::IniFormat);
  if (settings->status() == QSettings::FormatError) {
    // QSettings never writes a file it could not read.
    settings.reset();
    notice = SetAside();
    if (!notice || !PathIsUsable()) return nullptr;
    settings = std::make_unique<QSettings>(path_, QSettings::IniFormat);
  }
  if (settings->status() != QSettings::NoError) {
    unusable_ =
        "Cannot read the settings file " + path_.toStdString() +
        (settings->status() == QSettings::AccessError ? " (access denied)" : " (it is damaged)") +
        kKeptInMemory;
    return nullptr;
  }
  settings->beginGroup(QString::fromLatin1(kSection));
  return settings;
}

std::u16string QSettingsStore::Read(std::u16string_view key, int defaultValue) {
  std::optional<std::string> notice;
  if (const auto settings = Open(notice)) {
    if (notice) throw std::runtime_error(*notice);
    return settings->value(ToQString(key), QString::number(defaultValue))
        .toString()
        .toStdU16String();
  }
  if (const auto kept = memory_.find(key); kept != memory_.end()) return kept->second;
  throw InMemory(notice, *unusable_);
}

void QSettingsStore::Write(std::u16string_view key, std::u16string_view text) {
  const bool wasUsable = !unusable_;
  std::optional<std::string> notice;
  const auto settings = Open(notice);
  // Checked again right before the change, which the sync after it writes:
  // a QSettings with an unwritten change would write it when destroyed.
  if (!settings || !PathIsUsable()) {
    memory_[std::u16string(key)] = text;
    // Told once; the failure of this run was reported already.
    if (wasUsable) throw InMemory(notice, *unusable_);
    return;
  }
  settings->setValue(ToQString(key), ToQString(text));
  // Takes effect at once, not when the program ends.
  settings->sync();
  switch (settings->status()) {
    case QSettings::NoError:
      break;
    case QSettings::AccessError:
      throw std::runtime_error("Cannot write the settings file " + path_.toStdString() +
                               ": access denied");
    case QSettings::FormatError:
      throw std::runtime_error("Cannot write the settings file " + path_.toStdString() +
                               ": it was damaged meanwhile");
  }
  if (notice) throw std::runtime_error(*notice);
}

}  // namespace quorvane::app::qt
