#ifndef QUORVANE_APP_QT_USER_FOLDERS_H_
#define QUORVANE_APP_QT_USER_FOLDERS_H_

// The user's folders as the system names them: bytes, never decoded. A home
// folder whose name is not UTF-8 would otherwise come back as another name,
// and the files would land in a sibling folder. The rules are those of the
// XDG base and user directories, as Qt follows them.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quorvane::app::qt {

// Where the folders come from; tests give their own.
struct UserEnvironment {
  // An environment variable's bytes; nothing when it is not set.
  std::function<std::optional<std::string>(const char* name)> variable;
  // The home folder that the user database gives the user; nothing when it
  // has no entry or none.
  std::function<std::optional<std::string>()> databaseHome;
};

const UserEnvironment& RealUserEnvironment();

// $HOME, or the user database's home folder when HOME is unset or empty
// (never "/" in its stead). Throws std::runtime_error when there is none.
std::filesystem::path HomeFolder(const UserEnvironment& environment = RealUserEnvironment());

// $XDG_CONFIG_HOME when it is an absolute path, else HOME/.config.
std::filesystem::path ConfigFolder(const UserEnvironment& environment = RealUserEnvironment());

// XDG_DOCUMENTS_DIR of CONFIG/user-dirs.dirs when it is there and names an
// absolute path or one below $HOME, else HOME/Documents.
std::filesystem::path DocumentsFolder(const UserEnvironment& environment = RealUserEnvironment());

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_USER_FOLDERS_H_
