#include "app/qt/settings_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>

#include "base/files.h"

namespace quorvane::app::qt {
namespace {

constexpr std::chrono::milliseconds kPoll{50};
constexpr std::size_t kMaxLockFileBytes = 4096;

std::string HostName() {
  char name[HOST_NAME_MAX + 1] = {};
  return gethostname(name, sizeof name - 1) == 0 ? name : "";
}

// A lock whose holder, a process of this host, has ended: QLockFile's first
// three lines are the process id, the program and the host.
bool LeftByAnEndedProcess(const std::filesystem::path& path) {
  std::string text;
  try {
    text = base::ReadRegularFile(path, kMaxLockFileBytes);
  } catch (const std::runtime_error&) {
    return false;
  }
  const std::size_t first = text.find('\n');
  const std::size_t second = text.find('\n', first + 1);
  const std::size_t third = text.find('\n', second + 1);
  if (third == std::string::npos) return false;
  const std::string pid = text.substr(0, first);
  if (pid.empty() || pid.size() > 9 || pid.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  if (text.substr(second + 1, third - second - 1) != HostName()) return false;
  return ::kill(std::stoi(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

SettingsLock::SettingsLock(const std::filesystem::path& file, std::chrono::milliseconds wait)
    : path_(std::filesystem::path(file) += ".lock") {
  const std::string locked =
      "The settings file " + file.string() + " is locked: its lock file " + path_.string();
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    const int fd =
        ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0) {
      const std::string text = std::to_string(::getpid()) + "\nquorvane\n" + HostName() + '\n';
      const bool written =
          ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
      ::close(fd);
      if (written) return;
      ::unlink(path_.c_str());
      throw std::runtime_error("is locked: its lock file " + path_.string() + " cannot be written");
    }
    if (errno != EEXIST) {
      throw std::runtime_error(locked + " cannot be made: " + std::strerror(errno));
    }
    if (LeftByAnEndedProcess(path_) && ::unlink(path_.c_str()) == 0) continue;
    if (std::chrono::steady_clock::now() >= deadline) {
      throw std::runtime_error(locked + " is held by another program, or was left by one");
    }
    std::this_thread::sleep_for(kPoll);
  }
}

SettingsLock::~SettingsLock() {
  ::unlink(path_.c_str());
}

}  // namespace quorvane::app::qt
