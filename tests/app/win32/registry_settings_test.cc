// The settings where Visual Basic's settings functions keep them, in the test
// prefix's registry.

#include <gtest/gtest.h>

#include "app/win32/registry_settings.h"
#include "tests/app/win32/settings_key_guard.h"

namespace quorvane::app::win32 {
namespace {

using test_support::SettingsKeyGuard;

TEST(RegistrySettingsTest, AbsentValuesReadAsTheirDefault) {
  const SettingsKeyGuard guard;
  RegistrySettings settings;
  EXPECT_EQ(settings.Read(u"Option1", 1), u"1");
  EXPECT_EQ(settings.Read(u"Option2", 0), u"0");
}

TEST(RegistrySettingsTest, WritesAreTextValuesUnderTheSettingsKey) {
  const SettingsKeyGuard guard;
  RegistrySettings settings;
  settings.Write(u"Option1", u"False");
  settings.Write(u"Option2", u"True");
  // Read back past the store: the same place and type the settings functions use.
  EXPECT_EQ(SettingsKeyGuard::Stored(L"Option1"), L"False");
  EXPECT_EQ(SettingsKeyGuard::Stored(L"Option2"), L"True");
  settings.Write(u"Option2", u"False");
  EXPECT_EQ(settings.Read(u"Option2", 0), u"False");
}

TEST(RegistrySettingsTest, AChoiceStoredBeforeCarriesOver) {
  const SettingsKeyGuard guard;
  SettingsKeyGuard::Store(L"Option1", L"0");
  SettingsKeyGuard::Store(L"Option2", std::wstring(300, L'x'));
  RegistrySettings settings;
  EXPECT_EQ(settings.Read(u"Option1", 1), u"0");
  EXPECT_EQ(settings.Read(u"Option2", 0), std::u16string(300, u'x'));
}

}  // namespace
}  // namespace quorvane::app::win32
