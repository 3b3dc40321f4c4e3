// The real settings store, in a temporary folder that stands in for the
// user's configuration folder.

#include <gtest/gtest.h>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "app/qt/settings_store.h"
#include "tests/app/qt/window_harness.h"

namespace quorvane::app::qt {
namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home_.path());
  }
  QString FilePath() const { return home_.filePath(QStringLiteral("Brelmor.conf")); }
  QByteArray FileText() const {
    QFile file(FilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir home_;
  QSettingsStore store_;
};

TEST_F(SettingsStoreTest, AbsentKeysGiveTheDefaultAsDecimalText) {
  EXPECT_EQ(store_.Read(u"Option1", 1), u"1");
  EXPECT_EQ(store_.Read(u"Option2", 0), u"0");
  EXPECT_FALSE(QFile::exists(FilePath()));
}

TEST_F(SettingsStoreTest, WritesReachTheFileAtOnceAndReadBack) {
  store_.Write(u"Option1", u"False");
  store_.Write(u"Option2", u"True");
  EXPECT_EQ(FileText(), "[Quorvane%20Software]\nOption1=False\nOption2=True\n");
  store_.Write(u"Option1", u"True");
  EXPECT_EQ(QSettingsStore().Read(u"Option1", 0), u"True");
  EXPECT_EQ(QSettingsStore().Read(u"Option2", 0), u"True");
}

TEST_F(SettingsStoreTest, DamagedOrUnreadableFileFailsEachOperation) {
  ASSERT_TRUE(
      test_support::WriteFile(FilePath(), "[Quorvane%20Software\nOption1=\"True\n\x01\xff=\n"));
  EXPECT_THROW(store_.Read(u"Option1", 1), std::runtime_error);
  EXPECT_THROW(store_.Write(u"Option1", u"True"), std::runtime_error);
  ASSERT_TRUE(QFile::remove(FilePath()));
  ASSERT_TRUE(QDir(home_.path()).mkdir(QStringLiteral("Brelmor.conf")));
  EXPECT_THROW(store_.Read(u"Option1", 1), std::runtime_error);
}

}  // namespace
}  // namespace quorvane::app::qt
