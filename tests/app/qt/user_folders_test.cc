// The user's folders from the environment and the user database, as bytes.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <map>
#include <stdexcept>

#include "app/qt/user_folders.h"
#include "tests/app/qt/window_harness.h"

namespace quorvane::app::qt {
namespace {

UserEnvironment Environment(std::map<std::string, std::string> variables,
                            std::optional<std::string> databaseHome) {
  return {
      .variable = [variables](const char* name) -> std::optional<std::string> {
        const auto found = variables.find(name);
        if (found == variables.end()) return std::nullopt;
        return found->second;
      },
      .databaseHome = [databaseHome] { return databaseHome; },
  };
}

TEST(UserFoldersTest, ComeFromTheEnvironmentOrTheUserDatabaseAsBytes) {
  const QTemporaryDir config;
  const std::string dirs = test_support::ToPath(config.path()).string();
  ASSERT_TRUE(test_support::WriteFile(test_support::ToPath(config.path()) / "user-dirs.dirs",
                                      "# xdg-user-dirs\nXDG_DESKTOP_DIR=\"$HOME/Desk\"\n  "
                                      "XDG_DOCUMENTS_DIR=\"$HOME/D\\\"oc\xe9\"\n"));
  const struct {
    std::map<std::string, std::string> variables;
    std::optional<std::string> database;
    const char* config;
    std::string documents;
  } kCases[] = {
      {{{"HOME", "/h/caf\xe9"}}, "/db", "/h/caf\xe9/.config", "/h/caf\xe9/Documents"},
      {{{"HOME", ""}}, "/db", "/db/.config", "/db/Documents"},
      {{}, "/db", "/db/.config", "/db/Documents"},
      {{{"HOME", "/h"}, {"XDG_CONFIG_HOME", "relative"}}, "/db", "/h/.config", "/h/Documents"},
      {{{"HOME", "/h"}, {"XDG_CONFIG_HOME", dirs}}, "/db", dirs.c_str(), "/h/D\"oc\xe9"},
  };
  for (const auto& c : kCases) {
    const UserEnvironment environment = Environment(c.variables, c.database);
    EXPECT_EQ(ConfigFolder(environment).native(), c.config);
    EXPECT_EQ(DocumentsFolder(environment).native(), c.documents);
  }
  // Never "/" in the home folder's stead: no folder, and nothing written.
  for (const auto& variables :
       {std::map<std::string, std::string>{}, std::map<std::string, std::string>{{"HOME", ""}}}) {
    EXPECT_THROW(HomeFolder(Environment(variables, std::nullopt)), std::runtime_error);
    EXPECT_THROW(DocumentsFolder(Environment(variables, std::nullopt)), std::runtime_error);
  }
}

}  // namespace
}  // namespace quorvane::app::qt
