// The real settings store, in a temporary folder that stands in for the
// user's configuration folder.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "app/qt/settings_store.h"
#include "base/utf.h"
#include "tests/app/qt/window_harness.h"

namespace quorvane::app::qt {
namespace {

using test_support::ToPath;
using ::testing::HasSubstr;

constexpr char kDamaged[] = "[Quorvane%20Software\nOption1=\"True\n\x01\xff=\n";

// What stands at `path`, not following a link: its type, its device number,
// and a link's target.
std::string Entry(const QString& path) {
  struct stat entry {};
  if (lstat(ToPath(path).c_str(), &entry) != 0) return "nothing";
  std::string text = std::to_string(entry.st_mode & S_IFMT) + " " + std::to_string(entry.st_rdev);
  if (S_ISLNK(entry.st_mode)) text += " -> " + QFile::symLinkTarget(path).toStdString();
  return text;
}

QByteArray FileText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(home_.isValid()); }
  QString FilePath() const { return home_.filePath(QStringLiteral("Brelmor.conf")); }

  QTemporaryDir home_;
  QSettingsStore store_{FilePath()};
};

TEST_F(SettingsStoreTest, AbsentKeysGiveTheDefaultAsDecimalText) {
  EXPECT_EQ(store_.Read(u"Option1", 1), u"1");
  EXPECT_EQ(store_.Read(u"Option2", 0), u"0");
  EXPECT_FALSE(QFile::exists(FilePath()));
}

TEST_F(SettingsStoreTest, WritesReachTheFileAtOnceAndReadBack) {
  store_.Write(u"Option1", u"False");
  store_.Write(u"Option2", u"True");
  EXPECT_EQ(FileText(FilePath()), "[Quorvane%20Software]\nOption1=False\nOption2=True\n");
  store_.Write(u"Option1", u"True");
  EXPECT_EQ(QSettingsStore(FilePath()).Read(u"Option1", 0), u"True");
  EXPECT_EQ(QSettingsStore(FilePath()).Read(u"Option2", 0), u"True");
}

TEST_F(SettingsStoreTest, IsTheFileOfQtsNativeFormatForTheUser) {
  // Where QSettings' native format puts the organisation's file, with
  // QStandardPaths' test folders so that the real one is not read.
  QStandardPaths::setTestModeEnabled(true);
  const QString native =
      QSettings(QSettings::NativeFormat, QSettings::UserScope, QSettingsStore::kApplication)
          .fileName();
  EXPECT_EQ(QSettingsStore::DefaultFilePath(), native);
  QStandardPaths::setTestModeEnabled(false);
  // The same text as the native format reads and writes.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home_.path());
  store_.Write(u"Option1", u"False");
  QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QSettingsStore::kApplication);
  EXPECT_EQ(settings.fileName(), FilePath());
  EXPECT_EQ(settings.value(QStringLiteral("Quorvane Software/Option1")), QStringLiteral("False"));
  settings.setValue(QStringLiteral("Quorvane Software/Option2"), QStringLiteral("True"));
  settings.sync();
  EXPECT_EQ(store_.Read(u"Option2", 0), u"True");
}

// Anything but a regular file at the path is never opened, read, written or
// replaced: each read reports it, the run's values stay in memory.
TEST_F(SettingsStoreTest, APathThatIsNoRegularFileIsLeftAlone) {
  const QString path = FilePath();
  const std::string native = ToPath(path).string();
  const QString fifo = home_.filePath("fifo"), device = home_.filePath("null");
  ASSERT_TRUE(test_support::MakeFifo(ToPath(fifo)));
  const bool canMakeDevices = test_support::MakeNullDevice(ToPath(device));
  const auto link = [&](const QString& target) {
    return test_support::MakeLink(native, ToPath(target));
  };
  const struct {
    const char* name;
    std::function<bool()> make;
    const char* said;
  } kCases[] = {
      {"FIFO", [&] { return test_support::MakeFifo(native); }, "is a FIFO, not a regular file"},
      {"directory", [&] { return QDir().mkdir(path); }, "is a folder, not a regular file"},
      {"device", [&] { return canMakeDevices && test_support::MakeNullDevice(native); },
       "is a character device, not a regular file"},
      {"socket",
       [&] {
         sockaddr_un address{};
         address.sun_family = AF_UNIX;
         native.copy(address.sun_path, sizeof address.sun_path - 1);
         const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
         const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
         close(fd);
         return bound;
       },
       "is a socket, not a regular file"},
      {"link to a FIFO", [&] { return link(fifo); },
       "is a symbolic link to a FIFO, not to a regular file"},
      {"link to a device", [&] { return canMakeDevices && link(device); },
       "is a symbolic link to a character device, not to a regular file"},
      {"dangling link", [&] { return link(home_.filePath("none")); },
       "is a dangling symbolic link"},
      {"FIFO as the lock file", [&] { return test_support::MakeFifo(native + ".lock"); },
       "lock file"},
  };
  const test_support::HangGuard guard(20);
  for (const auto& c : kCases) {
    if (!c.make()) {
      // Only device nodes need privileges; every other case must be made.
      EXPECT_TRUE(c.name == std::string("device") || c.name == std::string("link to a device"))
          << c.name;
      continue;
    }
    const std::string before =
        Entry(path) + "|" + Entry(path + ".lock") + "|" + Entry(fifo) + "|" + Entry(device);
    QSettingsStore store(path);
    for (const char16_t* key : {u"Option1", u"Option2"}) {
      try {
        store.Read(key, 1);
        ADD_FAILURE() << c.name << ": read " << base::ToUtf8(key);
      } catch (const std::runtime_error& failure) {
        EXPECT_THAT(failure.what(), HasSubstr(c.said)) << c.name;
        EXPECT_THAT(failure.what(), HasSubstr("kept in memory only")) << c.name;
      }
    }
    store.Write(u"Option1", u"False");  // told already
    EXPECT_EQ(store.Read(u"Option1", 1), u"False") << c.name;
    EXPECT_EQ(Entry(path) + "|" + Entry(path + ".lock") + "|" + Entry(fifo) + "|" + Entry(device),
              before)
        << c.name;
    EXPECT_EQ(
        QDir(home_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size(),
        2 + (canMakeDevices ? 1 : 0))
        << c.name;
    QFile::remove(path);
    QFile::remove(path + ".lock");
    QDir().rmdir(path);
  }
}

TEST_F(SettingsStoreTest, APathThatTurnsIntoAFifoIsToldOnceAndNotOpened) {
  store_.Write(u"Option1", u"True");
  ASSERT_TRUE(QFile::remove(FilePath()));
  ASSERT_TRUE(test_support::MakeFifo(ToPath(FilePath())));
  const test_support::HangGuard guard(20);
  EXPECT_THROW(store_.Write(u"Option1", u"False"), std::runtime_error);
  store_.Write(u"Option2", u"True");
  EXPECT_EQ(store_.Read(u"Option1", 1), u"False");
}

// A damaged file is moved aside, never over an earlier damaged copy, and a
// fresh one holds this run's choices; found by a read or by a write.
TEST_F(SettingsStoreTest, ADamagedFileIsMovedAsideAndAFreshOneStarted) {
  for (const bool byWrite : {false, true}) {
    ASSERT_TRUE(test_support::WriteFile(FilePath(), kDamaged));
    const QString earlier = FilePath() + ".damaged", aside = FilePath() + ".damaged-2";
    ASSERT_TRUE(test_support::WriteFile(earlier, "earlier copy"));
    QSettingsStore store(FilePath());
    try {
      if (byWrite) {
        store.Write(u"Option1", u"False");
      } else {
        store.Read(u"Option1", 1);
      }
      ADD_FAILURE() << "no report, byWrite " << byWrite;
    } catch (const std::runtime_error& failure) {
      EXPECT_EQ(failure.what(), "The settings file " + FilePath().toStdString() +
                                    " is damaged: it was moved to " + aside.toStdString() +
                                    ", and a fresh one is started");
    }
    EXPECT_EQ(FileText(earlier), "earlier copy");
    EXPECT_EQ(FileText(aside), kDamaged);
    if (!byWrite) {
      EXPECT_EQ(store.Read(u"Option2", 0), u"0");
      store.Write(u"Option1", u"False");
    }
    EXPECT_EQ(FileText(FilePath()), "[Quorvane%20Software]\nOption1=False\n") << byWrite;
    EXPECT_EQ(QSettingsStore(FilePath()).Read(u"Option1", 1), u"False");
    for (const QString& file : {FilePath(), earlier, aside}) ASSERT_TRUE(QFile::remove(file));
  }
}

// A FIFO at the settings path neither hangs the window's load nor is
// touched: both reads are reported, the defaults apply and stay in memory.
TEST_F(SettingsStoreTest, TheWindowOverAFifoStartsWithTheDefaults) {
  ASSERT_TRUE(test_support::MakeFifo(ToPath(FilePath())));
  const test_support::HangGuard guard(20);
  test_support::WindowHarness harness;
  harness.store = &store_;
  auto form = harness.MakeWindow();
  form->Start();
  ASSERT_THAT(harness.boxes.ReportedLines(), ::testing::ElementsAre(128, 130));
  EXPECT_THAT(base::ToUtf8(harness.boxes.Reports()[1].text),
              ::testing::StartsWith("The settings file " + FilePath().toStdString() +
                                    " is a FIFO, not a regular file"));
  EXPECT_TRUE(form->findChild<QRadioButton*>("Option1")->isChecked());
  EXPECT_FALSE(form->findChild<QRadioButton*>("Option2")->isChecked());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(store_.Read(u"Option1", 0), u"True");  // kept in memory
  struct stat entry {};
  ASSERT_EQ(lstat(ToPath(FilePath()).c_str(), &entry), 0);
  EXPECT_TRUE(S_ISFIFO(entry.st_mode));
}

}  // namespace
}  // namespace quorvane::app::qt
