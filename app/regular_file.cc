// POSIX: lstat and stat look at the entry, a non-blocking open and fstat
// check the file itself.

#include "app/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace quorvane::app {
namespace {

std::string ErrorText(int error) {
  return std::generic_category().message(error);
}

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISLNK(mode)) return "a symbolic link";
  return "something else";
}

std::string SizeText(std::size_t bytes) {
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  if (bytes != 0 && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
  return std::to_string(bytes) + " bytes";
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { ::close(fd_); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::string NotARegularFile(const std::filesystem::path& path) {
  struct stat entry {};
  if (::lstat(path.c_str(), &entry) != 0) {
    if (errno == ENOENT) return {};
    return "cannot be examined: " + ErrorText(errno);
  }
  if (S_ISREG(entry.st_mode)) return {};
  if (!S_ISLNK(entry.st_mode))
    return std::string("is ") + KindOf(entry.st_mode) + ", not a regular file";
  struct stat target {};
  if (::stat(path.c_str(), &target) != 0) {
    if (errno == ENOENT) return "is a symbolic link to nothing";
    return "is a symbolic link that cannot be followed: " + ErrorText(errno);
  }
  if (S_ISREG(target.st_mode)) return {};
  return std::string("is a symbolic link to ") + KindOf(target.st_mode) + ", not to a regular file";
}

std::string ReadRegularFile(const std::filesystem::path& path, std::size_t limit) {
  const std::string name = path.string();
  if (const std::string why = NotARegularFile(path); !why.empty()) {
    throw std::runtime_error(name + " " + why);
  }
  // Non-blocking, so that a FIFO put there since the look above cannot hold
  // the open; no controlling terminal from a device.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error(name + ": " + ErrorText(errno));
  const Descriptor file(fd);
  struct stat opened {};
  if (::fstat(file.get(), &opened) != 0) throw std::runtime_error(name + ": " + ErrorText(errno));
  if (!S_ISREG(opened.st_mode)) {
    throw std::runtime_error(name + " is " + KindOf(opened.st_mode) + ", not a regular file");
  }
  const auto tooLarge = [&] {
    return std::runtime_error(name + " is larger than " + SizeText(limit));
  };
  if (opened.st_size < 0 || static_cast<std::size_t>(opened.st_size) > limit) throw tooLarge();

  // One byte more than the limit tells a file that grew past it.
  std::string bytes(std::min(static_cast<std::size_t>(opened.st_size), limit) + 1, '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (bytes.size() > limit) throw tooLarge();
      bytes.resize(std::min(bytes.size() * 2, limit + 1));
    }
    const ssize_t got = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error(name + ": " + ErrorText(errno));
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return bytes;
}

}  // namespace quorvane::app
