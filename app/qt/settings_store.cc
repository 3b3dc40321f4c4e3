#include "app/qt/settings_store.h"

#include <QSettings>
#include <stdexcept>
#include <string>

namespace quorvane::app::qt {
namespace {

void ThrowUnlessOk(const QSettings& settings, const char* action) {
  const auto failure = [&](const char* why) {
    return std::runtime_error(std::string("Cannot ") + action + " the settings file " +
                              settings.fileName().toStdString() + ": " + why);
  };
  switch (settings.status()) {
    case QSettings::NoError:
      return;
    case QSettings::AccessError:
      throw failure("access denied");
    case QSettings::FormatError:
      throw failure("it is damaged");
  }
  throw failure("unknown failure");
}

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QSettingsStore::QSettingsStore() = default;
QSettingsStore::~QSettingsStore() = default;

QSettings& QSettingsStore::Section() {
  if (!settings_) {
    settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QString::fromLatin1(kApplication));
    settings_->beginGroup(QString::fromLatin1(kSection));
  }
  return *settings_;
}

std::u16string QSettingsStore::Read(std::u16string_view key, int defaultValue) {
  QSettings& settings = Section();
  // Picks up changes made outside this program since the last access.
  settings.sync();
  ThrowUnlessOk(settings, "read");
  return settings.value(ToQString(key), QString::number(defaultValue)).toString().toStdU16String();
}

void QSettingsStore::Write(std::u16string_view key, std::u16string_view text) {
  QSettings& settings = Section();
  ThrowUnlessOk(settings, "read");
  settings.setValue(ToQString(key), ToQString(text));
  // Takes effect at once, not when the program ends.
  settings.sync();
  ThrowUnlessOk(settings, "write");
}

}  // namespace quorvane::app::qt
