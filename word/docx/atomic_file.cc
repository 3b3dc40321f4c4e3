#include "word/docx/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

namespace quorvane::word::docx {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) {
  return "\"" + path.string() + "\"";
}

[[noreturn]] void Fail(const fs::path& path, int error) {
  if (error == EEXIST) throw std::runtime_error(Quoted(path) + " already exists");
  throw std::runtime_error("Cannot write " + Quoted(path) + ": " +
                           std::generic_category().message(error));
}

// A file descriptor that is closed when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Some file systems report write errors only when the file is closed.
  int Close() { return ::close(std::exchange(fd_, -1)); }

 private:
  int fd_;
};

// A fresh file beside the target, removed when it goes out of scope unless
// it was moved into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& target) : fd_(Create(target, path_)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }

  const fs::path& path() const { return path_; }

  // Returns 0 or the errno of the first failure.
  int WriteAndSync(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd_.get(), bytes.data(), bytes.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (::fsync(fd_.get()) != 0 || fd_.Close() != 0) return errno;
    return 0;
  }

  void Keep() { path_.clear(); }

 private:
  // A hidden name with a random part, short enough for any file system;
  // 0666 less the umask, as for any new file of the user.
  static int Create(const fs::path& target, fs::path& path) {
    const std::string stem = "." + target.filename().string().substr(0, 64);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      char suffix[32];
      std::snprintf(suffix, sizeof suffix, ".%08x.tmp", random());
      path = target;
      path.replace_filename(stem + suffix);
      const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd >= 0) return fd;
      if (errno != EEXIST) break;
    }
    const int error = errno == EEXIST ? EAGAIN : errno;
    path.clear();
    Fail(target, error);
  }

  fs::path path_;  // declared before fd_: Create fills it in
  FileDescriptor fd_;
};

// Moves `from` to `to` unless `to` exists, in one step, so a file that
// appears meanwhile is not replaced. Returns 0 or an errno.
int MoveWithoutReplacing(const fs::path& from, const fs::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // The file system cannot rename that way; a hard link cannot replace either.
  if (::link(from.c_str(), to.c_str()) != 0) return errno;
  ::unlink(from.c_str());
  return 0;
}

}  // namespace

void WriteFileAtomically(const fs::path& path, std::string_view bytes, bool replace) {
  if (path.filename().empty()) Fail(path, EISDIR);
  TemporaryFile temporary(path);
  if (const int error = temporary.WriteAndSync(bytes)) Fail(path, error);
  const int error = replace ? (::rename(temporary.path().c_str(), path.c_str()) == 0 ? 0 : errno)
                            : MoveWithoutReplacing(temporary.path(), path);
  if (error != 0) Fail(path, error);
  // The folder is not synced: after a power cut the new name may be missing,
  // but whatever name there is holds a complete file, and that sync would
  // cost as much as writing the whole chart.
  temporary.Keep();
}

}  // namespace quorvane::word::docx
