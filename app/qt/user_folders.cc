#include "app/qt/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "base/files.h"

namespace quorvane::app::qt {
namespace {

// user-dirs.dirs holds a few lines; anything larger is not it.
constexpr std::size_t kMaxUserDirsBytes = 64 * 1024;

std::optional<std::string> Variable(const UserEnvironment& environment, const char* name) {
  auto value = environment.variable(name);
  if (value && value->empty()) return std::nullopt;
  return value;
}

// The value of `NAME="..."` in the shell syntax that xdg-user-dirs writes.
std::optional<std::string> UserDirsValue(std::string_view text, std::string_view name) {
  const std::string prefix = std::string(name) + "=\"";
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    while (line.starts_with(' ') || line.starts_with('\t')) line.remove_prefix(1);
    if (!line.starts_with(prefix)) continue;
    line.remove_prefix(prefix.size());
    std::string value;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '"') return value;
      if (line[i] == '\\' && i + 1 < line.size()) ++i;
      value += line[i];
    }
  }
  return std::nullopt;
}

}  // namespace

const UserEnvironment& RealUserEnvironment() {
  static const UserEnvironment environment = {
      .variable = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (value == nullptr) return std::nullopt;
        return std::string(value);
      },
      .databaseHome = []() -> std::optional<std::string> {
        std::vector<char> buffer(16384);
        struct passwd entry {};
        struct passwd* found = nullptr;
        if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
            found == nullptr || found->pw_dir == nullptr || *found->pw_dir == '\0') {
          return std::nullopt;
        }
        return std::string(found->pw_dir);
      },
  };
  return environment;
}

std::filesystem::path HomeFolder(const UserEnvironment& environment) {
  if (auto home = Variable(environment, "HOME")) return *home;
  if (auto home = environment.databaseHome()) return *home;
  throw std::runtime_error(
      "There is no home folder: HOME is empty or not set, and the user database has "
      "none for user " +
      std::to_string(getuid()));
}

std::filesystem::path ConfigFolder(const UserEnvironment& environment) {
  if (auto config = Variable(environment, "XDG_CONFIG_HOME"); config && config->starts_with('/')) {
    return *config;
  }
  return HomeFolder(environment) / ".config";
}

std::filesystem::path DocumentsFolder(const UserEnvironment& environment) {
  const std::filesystem::path home = HomeFolder(environment);
  std::string text;
  try {
    text = base::ReadRegularFile(ConfigFolder(environment) / "user-dirs.dirs", kMaxUserDirsBytes);
  } catch (const std::runtime_error&) {
    // No such file, or none to read: the default.
  }
  if (auto value = UserDirsValue(text, "XDG_DOCUMENTS_DIR")) {
    if (*value == "$HOME" || value->starts_with("$HOME/")) {
      return home / std::string_view(*value).substr(std::min<std::size_t>(6, value->size()));
    }
    if (value->starts_with('/')) return *value;
  }
  return home / "Documents";
}

}  // namespace quorvane::app::qt
