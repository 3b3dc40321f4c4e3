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
#include <array>
#include <chrono>
#include <csignal>
#include <functional>

#include <sys/stat.h>
#include <sys/wait.h>
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
  QSettingsStore store_{ToPath(FilePath())};
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
  EXPECT_EQ(QSettingsStore(ToPath(FilePath())).Read(u"Option1", 0), u"True");
  EXPECT_EQ(QSettingsStore(ToPath(FilePath())).Read(u"Option2", 0), u"True");
}

TEST_F(SettingsStoreTest, IsTheFileOfQtsNativeFormatForTheUser) {
  // Where QSettings' native format puts the organisation's file.
  EXPECT_EQ(
      QString::fromStdString(QSettingsStore::DefaultFilePath().string()),
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Brelmor.conf");
  // The same text as QSettings reads and writes.
  store_.Write(u"Option1", u"False");
  QSettings settings(FilePath(), QSettings::IniFormat);
  EXPECT_EQ(settings.value(QStringLiteral("Quorvane Software/Option1")), QStringLiteral("False"));
  settings.setValue(QStringLiteral("Quorvane Software/Option2"), QStringLiteral("a;b, \"c\"@"));
  settings.sync();
  EXPECT_EQ(store_.Read(u"Option2", 0), u"a;b, \"c\"@");
  store_.Write(u"Option2", u" x,\ty\\ ");
  EXPECT_EQ(QSettings(FilePath(), QSettings::IniFormat)
                .value(QStringLiteral("Quorvane Software/Option2")),
            QStringLiteral(" x,\ty\\ "));
}

// Anything but a regular file at the path is never opened, read, written or
// replaced: each read reports it, the run's values stay in memory. Which
// entries count as regular files, and their words, are the file module's
// and tested there; these are the ways the store meets them.
TEST_F(SettingsStoreTest, APathThatIsNoRegularFileIsLeftAlone) {
  const QString path = FilePath();
  const std::string native = ToPath(path).string();
  const QString fifo = home_.filePath("fifo");
  ASSERT_TRUE(test_support::MakeFifo(ToPath(fifo)));
  const struct {
    const char* name;
    std::function<bool()> make;
    const char* said;
  } kCases[] = {
      {"FIFO", [&] { return test_support::MakeFifo(native); }, "is a FIFO, not a regular file"},
      {"link to a FIFO", [&] { return test_support::MakeLink(native, ToPath(fifo)); },
       "is a symbolic link to a FIFO, not to a regular file"},
      {"FIFO as the lock file", [&] { return test_support::MakeFifo(native + ".lock"); },
       "lock file"},
  };
  const test_support::HangGuard guard(20);
  for (const auto& c : kCases) {
    ASSERT_TRUE(c.make()) << c.name;
    const std::string before = Entry(path) + "|" + Entry(path + ".lock") + "|" + Entry(fifo);
    QSettingsStore store(ToPath(path));
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
    EXPECT_EQ(Entry(path) + "|" + Entry(path + ".lock") + "|" + Entry(fifo), before) << c.name;
    EXPECT_EQ(
        QDir(home_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size(),
        2)
        << c.name;
    QFile::remove(path);
    QFile::remove(path + ".lock");
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
    QSettingsStore store(ToPath(FilePath()));
    try {
      if (byWrite) {
        store.Write(u"Option1", u"False");
      } else {
        store.Read(u"Option1", 1);
      }
      ADD_FAILURE() << "no report, byWrite " << byWrite;
    } catch (const std::runtime_error& failure) {
      EXPECT_EQ(failure.what(), "The settings file " + FilePath().toStdString() +
                                    " is damaged (line 1 has no \"]\"): it was moved to " +
                                    aside.toStdString() + ", and a fresh one is started");
    }
    EXPECT_EQ(FileText(earlier), "earlier copy");
    EXPECT_EQ(FileText(aside), kDamaged);
    if (!byWrite) {
      EXPECT_EQ(store.Read(u"Option2", 0), u"0");
      store.Write(u"Option1", u"False");
    }
    EXPECT_EQ(FileText(FilePath()), "[Quorvane%20Software]\nOption1=False\n") << byWrite;
    EXPECT_EQ(QSettingsStore(ToPath(FilePath())).Read(u"Option1", 1), u"False");
    for (const QString& file : {FilePath(), earlier, aside}) ASSERT_TRUE(QFile::remove(file));
  }
}

// The whole file is judged before anything is written: a line QSettings
// would not keep as it stands makes it damaged, wherever it is, and the
// file is kept whole, byte for byte, beside the fresh one.
TEST_F(SettingsStoreTest, AnyLineQSettingsWouldNotKeepMakesTheFileDamaged) {
  std::string random(4096, '\0');
  for (std::size_t i = 0; i < random.size(); ++i) random[i] = char((i * 7919 + 13) % 251 + 3);
  const std::pair<std::string, const char*> kDamagedFiles[] = {
      {"[Other]\nkept=1\nnoequals\n\n[Quorvane%20Software]\nOption1=False\nOption2=True\n",
       "line 3 has no \"=\""},
      {"[Quorvane%20Software]\nOption1=False\nbad line\n", "line 3 has no \"=\""},
      {random, "is damaged (line "},
      {"[Other]\nname=caf\xe9\n", "line 2 is not UTF-8 text"},
      {"[Other]\nname=\\q\n", "line 2 has an unknown escape \\q"},
      {"[Other]\nname=a\\\n b\n", "line 2 ends in a backslash"},
      {"[Other%2]\n", "line 1 has a malformed %-escape"},
  };
  for (const auto& [text, why] : kDamagedFiles) {
    ASSERT_TRUE(test_support::WriteFile(ToPath(FilePath()), text));
    QSettingsStore store(ToPath(FilePath()));
    try {
      store.Write(u"Option1", u"True");
      ADD_FAILURE() << "no report: " << why;
    } catch (const std::runtime_error& failure) {
      EXPECT_THAT(failure.what(), HasSubstr(why));
      EXPECT_THAT(failure.what(), HasSubstr("was moved to " + FilePath().toStdString() +
                                            ".damaged, and a fresh one is started"));
    }
    EXPECT_EQ(FileText(FilePath() + ".damaged").toStdString(), text) << why;
    EXPECT_EQ(FileText(FilePath()), "[Quorvane%20Software]\nOption1=True\n") << why;
    ASSERT_TRUE(QFile::remove(FilePath() + ".damaged"));
  }
}

// A write changes its key's line and nothing else.
TEST_F(SettingsStoreTest, AWriteKeepsEveryOtherByte) {
  const std::string kept =
      "\xEF\xBB\xBF; mine\r\n[Other]\r\nkept = \"a;b\" ; note\r\n\r\n"
      "[Quorvane Software]\nOption1=True\n\n[Last]\nx=1";
  ASSERT_TRUE(test_support::WriteFile(ToPath(FilePath()), kept));
  store_.Write(u"Option1", u"False");
  store_.Write(u"Option2", u"True");
  EXPECT_EQ(FileText(FilePath()).toStdString(),
            "\xEF\xBB\xBF; mine\r\n[Other]\r\nkept = \"a;b\" ; note\r\n\r\n"
            "[Quorvane Software]\nOption1=False\nOption2=True\n\n[Last]\nx=1");
}

// A lock that is not free soon, and a file too large to be the program's,
// are reported as unusable at once: the window starts, the choices stay in
// memory, the files stay as they are.
TEST_F(SettingsStoreTest, AStaleLockOrAHugeFileIsReportedWithinTwoSeconds) {
  const QString lock = FilePath() + ".lock";
  const struct {
    const char* name;
    std::function<bool()> make;
    std::string said;
  } kCases[] = {
      {"junk lock", [&] { return test_support::WriteFile(ToPath(lock), "junk\n"); },
       "lock file " + lock.toStdString() + " is held by another program, or was left by one"},
      {"junk lock, folder read-only",
       [&] {
         return test_support::WriteFile(ToPath(lock), "junk\n") &&
                ::chmod(ToPath(home_.path()).c_str(), 0555) == 0;
       },
       "is held by another program"},
      {"huge file",
       [&] {
         return test_support::MakeSparseFile(ToPath(FilePath()), QSettingsStore::kMaxFileBytes + 1);
       },
       "is larger than 1 MiB"},
  };
  for (const auto& c : kCases) {
    ASSERT_TRUE(c.make()) << c.name;
    const std::string before = Entry(FilePath()) + "|" + Entry(lock);
    const auto start = std::chrono::steady_clock::now();
    QSettingsStore store(ToPath(FilePath()));
    try {
      store.Write(u"Option1", u"False");
      ADD_FAILURE() << c.name;
    } catch (const std::runtime_error& failure) {
      EXPECT_THAT(failure.what(), HasSubstr(c.said)) << c.name;
      EXPECT_THAT(failure.what(), HasSubstr("kept in memory only")) << c.name;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << c.name;
    EXPECT_EQ(store.Read(u"Option1", 1), u"False") << c.name;
    EXPECT_EQ(Entry(FilePath()) + "|" + Entry(lock), before) << c.name;
    ::chmod(ToPath(home_.path()).c_str(), 0700);
    QFile::remove(FilePath());
    QFile::remove(lock);
  }
}

// The lock of a program of this host that has ended is taken over.
TEST_F(SettingsStoreTest, TheLockOfAnEndedProgramIsTakenOver) {
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
  char host[256] = {};
  ::gethostname(host, sizeof host - 1);
  ASSERT_TRUE(test_support::WriteFile(ToPath(FilePath() + ".lock"),
                                      std::to_string(ended) + "\nquorvane\n" + host + "\n"));
  store_.Write(u"Option1", u"False");
  EXPECT_EQ(FileText(FilePath()), "[Quorvane%20Software]\nOption1=False\n");
  EXPECT_FALSE(QFile::exists(FilePath() + ".lock"));
}

// Killed by any catchable signal while it saves, the program leaves the
// settings file, old or new, and nothing else.
TEST_F(SettingsStoreTest, ASignalDuringTheSaveLeavesNothingBehind) {
  const test_support::HangGuard guard(60);
  int written = 0;
  for (int run = 0; run < 20; ++run) {
    const int signal = std::array{SIGTERM, SIGHUP, SIGINT, SIGPIPE}[run % 4];
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      QSettingsStore store(ToPath(FilePath()));
      for (int i = 0;; ++i) store.Write(u"Option1", i % 2 == 0 ? u"True" : u"False");
    }
    ::usleep(static_cast<useconds_t>(5000 + run * 1500));
    ::kill(child, signal);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    // Under load the first write may not have come yet.
    const QStringList left =
        QDir(home_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    EXPECT_TRUE(left.isEmpty() || left == QStringList{"Brelmor.conf"})
        << "run " << run << ": " << left.join(' ').toStdString();
    if (left.isEmpty()) continue;
    ++written;
    EXPECT_THAT(FileText(FilePath()).toStdString(),
                ::testing::MatchesRegex("\\[Quorvane%20Software\\]\nOption1=(True|False)\n"));
  }
  EXPECT_GT(written, 10);  // the kills came while it wrote
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
