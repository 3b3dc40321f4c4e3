// WriteFileAtomically on POSIX systems (Linux); see atomic_file_posix.h.

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

#include "word/docx/atomic_file.h"
#include "word/docx/atomic_file_posix.h"

namespace quorvane::word::docx {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) {
  return "\"" + path.string() + "\"";
}

std::string Message(int error) {
  return std::generic_category().message(error);
}

[[noreturn]] void Fail(const fs::path& path, int error) {
  if (error == EEXIST) throw std::runtime_error(Quoted(path) + " already exists");
  throw std::runtime_error("Cannot write " + Quoted(path) + ": " + Message(error));
}

// --- what is at the target ------------------------------------------------

const char* KindOf(mode_t mode) {
  switch (mode & S_IFMT) {
    case S_IFDIR:
      return "a folder";
    case S_IFCHR:
      return "a character device";
    case S_IFBLK:
      return "a block device";
    case S_IFIFO:
      return "a FIFO";
    case S_IFSOCK:
      return "a socket";
    case S_IFLNK:
      return "a symbolic link";
    default:
      return "an unknown kind of file";
  }
}

struct Target {
  WriteTarget::Kind kind = WriteTarget::Kind::kUnknown;
  std::string refusal;  // kRefused
  int error = 0;        // kUnknown
  fs::path file;        // the file written: the link's end for a link
  struct stat status = {};
};

Target Refused(const fs::path& path, const std::string& why) {
  Target target;
  target.kind = WriteTarget::Kind::kRefused;
  target.refusal = "Cannot write " + Quoted(path) + ": " + why;
  return target;
}

Target Resolve(const fs::path& path) {
  Target target;
  if (path.filename().empty()) {
    target.error = EISDIR;
    return target;
  }
  if (::lstat(path.c_str(), &target.status) != 0) {
    target.error = errno;
    if (errno == ENOENT) {
      target.kind = WriteTarget::Kind::kNothing;
      target.file = path;
    }
    return target;
  }
  if (S_ISREG(target.status.st_mode)) {
    target.kind = WriteTarget::Kind::kRegularFile;
    target.file = path;
    return target;
  }
  if (!S_ISLNK(target.status.st_mode)) {
    return Refused(path,
                   std::string("it is ") + KindOf(target.status.st_mode) + ", not a regular file");
  }
  if (::stat(path.c_str(), &target.status) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return Refused(path, "it is a dangling symbolic link");
    return Refused(path, "it is a symbolic link that cannot be followed: " + Message(errno));
  }
  if (!S_ISREG(target.status.st_mode)) {
    return Refused(path, std::string("it is a symbolic link to ") + KindOf(target.status.st_mode) +
                             ", not to a regular file");
  }
  char* end = ::realpath(path.c_str(), nullptr);
  if (end == nullptr) {
    target.error = errno;
    return target;
  }
  target.kind = WriteTarget::Kind::kRegularFile;
  target.file = end;
  std::free(end);
  return target;
}

// --- removal by the catchable signals -------------------------------------

// The signals whose default action ends the process and that a write can
// meet: a kill, a closed terminal, Ctrl-C, a file size limit, a closed pipe.
constexpr std::array kCleanupSignals = {SIGTERM, SIGHUP, SIGINT, SIGXFSZ, SIGPIPE};

// Names that the signal handler removes: the temporary file and the claim.
struct CleanupName {
  std::atomic<bool> armed{false};
  char path[PATH_MAX];
};
CleanupName cleanup_names[2];
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void RemoveNamesAndDie(int signal) {
  const int saved = errno;
  for (CleanupName& name : cleanup_names) {
    if (name.armed.load()) ::unlink(name.path);
  }
  // The signal stays blocked until the handler returns, then ends the
  // process with its default action.
  ::signal(signal, SIG_DFL);
  ::raise(signal);
  errno = saved;
}

// Holds the signals back, so that a name and its arming come together.
class HeldSignals {
 public:
  HeldSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kCleanupSignals) sigaddset(&set, signal);
    pthread_sigmask(SIG_BLOCK, &set, &old_);
  }
  HeldSignals(const HeldSignals&) = delete;
  HeldSignals& operator=(const HeldSignals&) = delete;
  ~HeldSignals() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }

 private:
  sigset_t old_;
};

// While it lives, the catchable signals whose action is the default remove
// the armed names before they end the process. One at a time per process:
// the names are process-wide.
class SignalCleanup {
 public:
  enum Slot { kTemporary = 0, kClaim = 1 };

  SignalCleanup() : lock_(Mutex()) {
    for (std::size_t i = 0; i < kCleanupSignals.size(); ++i) {
      struct sigaction old = {};
      if (::sigaction(kCleanupSignals[i], nullptr, &old) != 0) continue;
      // An ignored signal does no harm; a handler of the program's own is
      // the program's business.
      if ((old.sa_flags & SA_SIGINFO) != 0 || old.sa_handler != SIG_DFL) continue;
      struct sigaction ours = {};
      ours.sa_handler = RemoveNamesAndDie;
      sigfillset(&ours.sa_mask);
      if (::sigaction(kCleanupSignals[i], &ours, &old_[i]) == 0) installed_[i] = true;
    }
  }
  SignalCleanup(const SignalCleanup&) = delete;
  SignalCleanup& operator=(const SignalCleanup&) = delete;
  ~SignalCleanup() {
    for (CleanupName& name : cleanup_names) name.armed.store(false);
    for (std::size_t i = 0; i < kCleanupSignals.size(); ++i) {
      if (installed_[i]) ::sigaction(kCleanupSignals[i], &old_[i], nullptr);
    }
  }

  // Call with the signals held, right after the name was made.
  static void Arm(Slot slot, const fs::path& path) {
    CleanupName& name = cleanup_names[slot];
    const std::string& text = path.native();
    if (text.size() >= sizeof name.path) return;
    std::memcpy(name.path, text.c_str(), text.size() + 1);
    name.armed.store(true);
  }
  // Call with the signals held, right after the name was moved or removed.
  static void Disarm(Slot slot) { cleanup_names[slot].armed.store(false); }

 private:
  static std::mutex& Mutex() {
    static std::mutex mutex;
    return mutex;
  }

  std::lock_guard<std::mutex> lock_;
  std::array<struct sigaction, kCleanupSignals.size()> old_ = {};
  std::array<bool, kCleanupSignals.size()> installed_ = {};
};

// --- files ----------------------------------------------------------------

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

// Gives a new file the owner and permission bits of the one it replaces,
// as far as the file system and the process's rights allow.
void TakeOver(int fd, const struct stat* replaced, const PosixFileCalls& calls) {
  if (replaced == nullptr) return;
  mode_t mode = replaced->st_mode & 07777;
  if (calls.fchown(fd, replaced->st_uid, replaced->st_gid) != 0) {
    // Not the same owner: no set-user or set-group ID for someone else.
    calls.fchown(fd, static_cast<uid_t>(-1), replaced->st_gid);
    mode &= ~static_cast<mode_t>(S_ISUID | S_ISGID);
  }
  calls.fchmod(fd, mode);
}

// Returns 0 or the errno of the first failure.
int WriteAll(int fd, std::string_view bytes, const PosixFileCalls& calls) {
  while (!bytes.empty()) {
    const ssize_t n = calls.write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return calls.fsync(fd) == 0 ? 0 : errno;
}

// A hidden name beside `file` with a random part, short enough for any file
// system: ".chart.docx.1a2b3c4d.tmp".
fs::path HiddenName(const fs::path& file, std::random_device& random) {
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%08x.tmp", random());
  fs::path name = file;
  name.replace_filename("." + file.filename().string().substr(0, 64) + suffix);
  return name;
}

constexpr int kAttempts = 100;

// The calls that tell that a file system lacks a feature.
bool Unsupported(int error) {
  return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EPERM;
}

// --- with an unnamed temporary file ---------------------------------------

// Links the complete unnamed file `fd` in as `to`; never replaces.
int LinkUnnamed(int fd, const fs::path& to, const PosixFileCalls& calls) {
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  return calls.linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0
                                                                                            : errno;
}

// Links `fd` under a hidden name and renames that over `to`. Only a kill
// that cannot be caught, between the two calls, leaves the hidden name.
int LinkUnnamedOver(int fd, const fs::path& to, const PosixFileCalls& calls) {
  const SignalCleanup cleanup;
  std::random_device random;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const fs::path hidden = HiddenName(to, random);
    const HeldSignals held;
    if (const int error = LinkUnnamed(fd, hidden, calls)) {
      if (error == EEXIST) continue;
      return error;
    }
    SignalCleanup::Arm(SignalCleanup::kTemporary, hidden);
    const int error = calls.rename(hidden.c_str(), to.c_str()) == 0 ? 0 : errno;
    if (error != 0) ::unlink(hidden.c_str());
    SignalCleanup::Disarm(SignalCleanup::kTemporary);
    return error;
  }
  return EAGAIN;
}

// --- with a named temporary file ------------------------------------------

// A fresh hidden file beside the target, removed when it goes out of scope
// unless it was moved into place, and by the catchable signals meanwhile.
class TemporaryFile {
 public:
  TemporaryFile(const fs::path& target, const PosixFileCalls& calls) {
    std::random_device random;
    int error = EAGAIN;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      const fs::path path = HiddenName(target, random);
      const HeldSignals held;
      // 0666 less the umask, as for any new file of the user.
      const int fd = calls.open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd >= 0) {
        SignalCleanup::Arm(SignalCleanup::kTemporary, path);
        path_ = path;
        fd_ = fd;
        return;
      }
      if (errno != EEXIST) {
        error = errno;
        break;
      }
    }
    Fail(target, error);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (path_.empty()) return;
    const HeldSignals held;
    ::unlink(path_.c_str());
    SignalCleanup::Disarm(SignalCleanup::kTemporary);
  }

  const fs::path& path() const { return path_; }
  int fd() const { return fd_; }
  int Close() { return ::close(std::exchange(fd_, -1)); }

  // After the file was moved away, with the signals held.
  void Moved() {
    path_.clear();
    SignalCleanup::Disarm(SignalCleanup::kTemporary);
  }

 private:
  fs::path path_;
  int fd_ = -1;
};

// Moves `from` to `to` unless `to` exists, so that a file that appears
// meanwhile is not replaced. Returns 0 or an errno.
int MoveWithoutReplacing(TemporaryFile& from, const fs::path& to, const PosixFileCalls& calls) {
  int error = 0;
  {
    const HeldSignals held;
    if (calls.renameat2(AT_FDCWD, from.path().c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) ==
        0) {
      from.Moved();
      return 0;
    }
    error = errno;
  }
  // EPERM here is a sticky folder, not a missing feature.
  if (!Unsupported(error) || error == EPERM) return error;
  // The file system cannot rename that way; a hard link cannot replace either.
  if (calls.link(from.path().c_str(), to.c_str()) == 0) return 0;  // `from` goes when it ends
  if (!Unsupported(errno)) return errno;
  // Nor link (vfat, exFAT): claim the name, then rename over the claim, ours.
  const HeldSignals held;
  const int claim = calls.open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (claim < 0) return errno;
  SignalCleanup::Arm(SignalCleanup::kClaim, to);
  const int closed = ::close(claim);
  error = closed == 0 && calls.rename(from.path().c_str(), to.c_str()) == 0 ? 0 : errno;
  if (error == 0) {
    from.Moved();
  } else {
    ::unlink(to.c_str());
  }
  SignalCleanup::Disarm(SignalCleanup::kClaim);
  return error;
}

void WriteNamed(const Target& target, const fs::path& path, std::string_view bytes, bool replace,
                const PosixFileCalls& calls) {
  const SignalCleanup cleanup;
  TemporaryFile temporary(target.file, calls);
  const bool exists = target.kind == WriteTarget::Kind::kRegularFile;
  TakeOver(temporary.fd(), exists ? &target.status : nullptr, calls);
  if (int error = WriteAll(temporary.fd(), bytes, calls)) Fail(path, error);
  if (temporary.Close() != 0) Fail(path, errno);
  int error = 0;
  if (replace) {
    const HeldSignals held;
    error = calls.rename(temporary.path().c_str(), target.file.c_str()) == 0 ? 0 : errno;
    if (error == 0) temporary.Moved();
  } else {
    error = MoveWithoutReplacing(temporary, target.file, calls);
  }
  if (error != 0) Fail(path, error);
}

}  // namespace

const PosixFileCalls& RealPosixFileCalls() {
  static const PosixFileCalls calls = {
      .open = [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
      .write = ::write,
      .fsync = ::fsync,
      .fchown = ::fchown,
      .fchmod = ::fchmod,
      .linkat = ::linkat,
      .link = ::link,
      .renameat2 = ::renameat2,
      .rename = ::rename,
  };
  return calls;
}

WriteTarget InspectWriteTarget(const fs::path& path) {
  Target target = Resolve(path);
  return {target.kind, std::move(target.refusal)};
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes, bool replace) {
  WriteFileAtomically(path, bytes, replace, RealPosixFileCalls());
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes, bool replace,
                         const PosixFileCalls& calls) {
  const Target target = Resolve(path);
  switch (target.kind) {
    case WriteTarget::Kind::kRefused:
      throw std::runtime_error(target.refusal);
    case WriteTarget::Kind::kUnknown:
      Fail(path, target.error);
    case WriteTarget::Kind::kRegularFile:
      if (!replace) Fail(path, EEXIST);
      break;
    case WriteTarget::Kind::kNothing:
      break;
  }
  const bool exists = target.kind == WriteTarget::Kind::kRegularFile;
  const fs::path folder = target.file.has_parent_path() ? target.file.parent_path() : ".";
  FileDescriptor unnamed(calls.open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  if (unnamed.get() < 0) {
    // EISDIR: a kernel that does not know O_TMPFILE.
    if (!Unsupported(errno) && errno != EISDIR) Fail(path, errno);
    return WriteNamed(target, path, bytes, replace, calls);
  }
  TakeOver(unnamed.get(), exists ? &target.status : nullptr, calls);
  if (const int error = WriteAll(unnamed.get(), bytes, calls)) Fail(path, error);
  const int error = replace ? LinkUnnamedOver(unnamed.get(), target.file, calls)
                            : LinkUnnamed(unnamed.get(), target.file, calls);
  // No /proc to link through, or no linking of unnamed files here.
  if (error == ENOENT || (error != EEXIST && Unsupported(error))) {
    return WriteNamed(target, path, bytes, replace, calls);
  }
  if (error != 0) Fail(path, error);
  // The folder is not synced: after a power cut the new name may be missing,
  // but whatever name there is holds a complete file, and that sync would
  // cost as much as writing the whole chart.
}

}  // namespace quorvane::word::docx
