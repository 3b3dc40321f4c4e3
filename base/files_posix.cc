// files.h on POSIX systems (Linux); see files_posix.h. lstat and stat look
// at an entry, a non-blocking open and fstat check a file that is read.

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <stdio.h>  // renameat2
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <string>
#include <utility>

#include "base/files.h"
#include "base/files_common.h"
#include "base/files_posix.h"

namespace quorvane::base {
namespace {

namespace fs = std::filesystem;
using Call = PosixCalls::Call;

// --- removal by the catchable signals -------------------------------------

// The signals whose default action ends the process and that a write can
// meet: a kill, a closed terminal, Ctrl-C, a file size limit, a closed pipe.
constexpr std::array kCleanupSignals = {SIGTERM, SIGHUP, SIGINT, SIGXFSZ, SIGPIPE};

// A name in a folder held open, or in the working folder (AT_FDCWD). The
// hidden names beside a target go through its folder: the whole path of one
// can be longer than a path may be, when the target's is not.
struct Name {
  int folder = AT_FDCWD;
  std::string entry;
  fs::path whole;  // for messages only

  Name Beside(const std::string& other) const {
    return {folder, other, fs::path(whole).replace_filename(other)};
  }
};

Name WholePath(const fs::path& path) {
  return {AT_FDCWD, path.native(), path};
}

// Names that the signal handler removes: the temporary file and the claim.
struct CleanupName {
  std::atomic<bool> armed{false};
  int folder = AT_FDCWD;
  char entry[PATH_MAX];
};
CleanupName cleanup_names[2];
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void RemoveNamesAndDie(int signal) {
  const int saved = errno;
  for (CleanupName& name : cleanup_names) {
    if (name.armed.load()) ::unlinkat(name.folder, name.entry, 0);
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
  static void Arm(Slot slot, const Name& armed) {
    CleanupName& name = cleanup_names[slot];
    if (armed.entry.size() >= sizeof name.entry) return;
    name.folder = armed.folder;
    std::memcpy(name.entry, armed.entry.c_str(), armed.entry.size() + 1);
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

// Makes a call unless `calls` fails it first, as the system would: -1 and
// errno.
template <typename F>
auto Made(const PosixCalls& calls, Call call, F&& system) -> decltype(system()) {
  if (const int error = calls.Before(call)) {
    errno = error;
    return -1;
  }
  return system();
}

[[noreturn]] void Fail(const fs::path& path, int error) {
  if (error == EEXIST) throw AlreadyExists(path);
  throw CannotWrite(path, ErrnoText(error));
}

// The calls that tell that a file system lacks a feature.
bool Unsupported(int error) {
  return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EPERM;
}

Entry EntryOf(mode_t mode) {
  switch (mode & S_IFMT) {
    case S_IFDIR:
      return Entry::kFolder;
    case S_IFCHR:
      return Entry::kCharacterDevice;
    case S_IFBLK:
      return Entry::kBlockDevice;
    case S_IFIFO:
      return Entry::kFifo;
    case S_IFSOCK:
      return Entry::kSocket;
    case S_IFLNK:
      return Entry::kLink;
    default:
      return Entry::kOther;
  }
}

// KindAt, with the status of what stands there: of the link's end when
// `link`.
struct PosixEntry {
  PathKind kind;
  bool link = false;
  struct stat status = {};
};

PosixEntry LookAt(const fs::path& path) {
  PosixEntry entry;
  if (::lstat(path.c_str(), &entry.status) != 0) {
    if (errno == ENOENT) return {{PathKind::Is::kNothing, {}}};
    return {{PathKind::Is::kUnknown, ErrnoText(errno)}};
  }
  entry.link = S_ISLNK(entry.status.st_mode);
  if (entry.link && ::stat(path.c_str(), &entry.status) != 0) {
    entry.kind =
        errno == ENOENT || errno == ENOTDIR ? DanglingLink() : UnfollowableLink(ErrnoText(errno));
  } else if (S_ISREG(entry.status.st_mode)) {
    entry.kind = {PathKind::Is::kRegularFile, {}};
  } else {
    const Entry what = EntryOf(entry.status.st_mode);
    entry.kind = entry.link ? LinkTo(what) : NotRegular(what);
  }
  return entry;
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

// Gives a new file the owner and permission bits of the one it replaces,
// as far as the file system and the process's rights allow.
void TakeOver(int fd, const struct stat* replaced, const PosixCalls& calls) {
  if (replaced == nullptr) return;
  mode_t mode = replaced->st_mode & 07777;
  if (Made(calls, Call::kFchown,
           [&] { return ::fchown(fd, replaced->st_uid, replaced->st_gid); }) != 0) {
    // Not the same owner: no set-user or set-group ID for someone else.
    Made(calls, Call::kFchown,
         [&] { return ::fchown(fd, static_cast<uid_t>(-1), replaced->st_gid); });
    mode &= ~static_cast<mode_t>(S_ISUID | S_ISGID);
  }
  Made(calls, Call::kFchmod, [&] { return ::fchmod(fd, mode); });
}

// Returns 0 or the errno of the first failure.
int WriteAll(int fd, std::string_view bytes, const PosixCalls& calls) {
  while (!bytes.empty()) {
    const ssize_t n =
        Made(calls, Call::kWrite, [&] { return ::write(fd, bytes.data(), bytes.size()); });
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return Made(calls, Call::kFsync, [&] { return ::fsync(fd); }) == 0 ? 0 : errno;
}

// A hidden name beside `file` with a random part, short enough for any file
// system: ".chart.docx.1a2b3c4d.tmp".
Name HiddenName(const Name& file, std::random_device& random) {
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%08x.tmp", random());
  return file.Beside("." + file.entry.substr(0, 64) + suffix);
}

constexpr int kAttempts = 100;

// Moves `from` to `to` unless something is at `to`, so that a file that
// appears meanwhile is not replaced. A temporary name armed for the signals
// is disarmed as `from` goes. Returns 0 or an errno.
int Move(const Name& from, const Name& to, const PosixCalls& calls) {
  const int from_at = from.folder, to_at = to.folder;
  const char *from_entry = from.entry.c_str(), *to_entry = to.entry.c_str();
  int error = 0;
  {
    const HeldSignals held;
    if (Made(calls, Call::kRenameNoReplace, [&] {
          return ::renameat2(from_at, from_entry, to_at, to_entry, RENAME_NOREPLACE);
        }) == 0) {
      SignalCleanup::Disarm(SignalCleanup::kTemporary);
      return 0;
    }
    error = errno;
  }
  // EPERM here is a sticky folder, not a missing feature.
  if (!Unsupported(error) || error == EPERM) return error;
  // The file system cannot rename that way; a hard link cannot replace either.
  if (Made(calls, Call::kLink, [&] { return ::linkat(from_at, from_entry, to_at, to_entry, 0); }) ==
      0) {
    const HeldSignals held;
    if (::unlinkat(from_at, from_entry, 0) == 0) {
      SignalCleanup::Disarm(SignalCleanup::kTemporary);
      return 0;
    }
    error = errno;
    ::unlinkat(to_at, to_entry, 0);
    return error;
  }
  if (!Unsupported(errno)) return errno;
  // Nor link (vfat, exFAT): claim the name, then rename over the claim, ours.
  const HeldSignals held;
  const int claim = Made(calls, Call::kOpen, [&] {
    return ::openat(to_at, to_entry, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  });
  if (claim < 0) return errno;
  SignalCleanup::Arm(SignalCleanup::kClaim, to);
  const bool closed = ::close(claim) == 0;
  error = closed && Made(calls, Call::kRename,
                         [&] { return ::renameat(from_at, from_entry, to_at, to_entry); }) == 0
              ? 0
              : errno;
  if (error == 0) {
    SignalCleanup::Disarm(SignalCleanup::kTemporary);
  } else {
    ::unlinkat(to_at, to_entry, 0);
  }
  SignalCleanup::Disarm(SignalCleanup::kClaim);
  return error;
}

// Puts `from` in place of `to`, which must stay a regular file: the two
// names are swapped in one step, and what came out is swapped back unless
// it is a regular file, else removed. Where names cannot be swapped (vfat,
// exFAT), a plain rename: what takes the file's place between the first
// look and this rename is replaced. Call with the signals held and `from`
// armed. Returns 0 or an errno; throws the refusal, naming `path`.
int Replace(Name& from, const Name& to, const fs::path& path, const PosixCalls& calls) {
  const auto swap = [&] {
    return Made(calls, Call::kRenameExchange, [&] {
      return ::renameat2(from.folder, from.entry.c_str(), to.folder, to.entry.c_str(),
                         RENAME_EXCHANGE);
    });
  };
  if (swap() != 0) {
    // Gone meanwhile: the name is free, and stays so until ours is in.
    if (errno == ENOENT) return Move(from, to, calls);
    if (!Unsupported(errno) || errno == EPERM) return errno;
    if (Made(calls, Call::kRename, [&] {
          return ::renameat(from.folder, from.entry.c_str(), to.folder, to.entry.c_str());
        }) != 0) {
      return errno;
    }
  } else if (struct stat out = {};
             ::fstatat(from.folder, from.entry.c_str(), &out, AT_SYMLINK_NOFOLLOW) != 0 ||
             !S_ISREG(out.st_mode)) {
    std::string why = "it is " + NotRegular(EntryOf(out.st_mode)).what;
    if (swap() == 0) {
      ::unlinkat(from.folder, from.entry.c_str(), 0);
    } else {
      // What came out keeps the hidden name: it is never removed.
      why += "; it is now at " + Quoted(from.whole);
    }
    SignalCleanup::Disarm(SignalCleanup::kTemporary);
    from.entry.clear();
    throw CannotWrite(path, why);
  } else {
    ::unlinkat(from.folder, from.entry.c_str(), 0);  // the file replaced
  }
  SignalCleanup::Disarm(SignalCleanup::kTemporary);
  return 0;
}

// --- with an unnamed temporary file ---------------------------------------

// Links the complete unnamed file `fd` in as `to`; never replaces.
int LinkUnnamed(int fd, const Name& to, const PosixCalls& calls) {
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  return Made(calls, Call::kLinkUnnamed,
              [&] {
                return ::linkat(AT_FDCWD, proc.c_str(), to.folder, to.entry.c_str(),
                                AT_SYMLINK_FOLLOW);
              }) == 0
             ? 0
             : errno;
}

// Links `fd` under a hidden name and renames that over `to`. Only a kill
// that cannot be caught, between the two calls, leaves the hidden name.
int LinkUnnamedOver(int fd, const Name& to, const fs::path& path, const PosixCalls& calls) {
  const SignalCleanup cleanup;
  std::random_device random;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    Name hidden = HiddenName(to, random);
    const HeldSignals held;
    if (const int error = LinkUnnamed(fd, hidden, calls)) {
      if (error == EEXIST) continue;
      return error;
    }
    SignalCleanup::Arm(SignalCleanup::kTemporary, hidden);
    const int error = Replace(hidden, to, path, calls);
    if (error != 0) ::unlinkat(hidden.folder, hidden.entry.c_str(), 0);
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
  TemporaryFile(const Name& target, const PosixCalls& calls) {
    std::random_device random;
    int error = EAGAIN;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      Name path = HiddenName(target, random);
      const HeldSignals held;
      // 0666 less the umask, as for any new file of the user.
      const int fd = Made(calls, Call::kOpen, [&] {
        return ::openat(path.folder, path.entry.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                        0666);
      });
      if (fd >= 0) {
        SignalCleanup::Arm(SignalCleanup::kTemporary, path);
        path_ = std::move(path);
        fd_ = fd;
        return;
      }
      if (errno != EEXIST) {
        error = errno;
        break;
      }
    }
    Fail(target.whole, error);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (path_.entry.empty()) return;
    const HeldSignals held;
    ::unlinkat(path_.folder, path_.entry.c_str(), 0);
    SignalCleanup::Disarm(SignalCleanup::kTemporary);
  }

  int fd() const { return fd_; }
  int Close() { return ::close(std::exchange(fd_, -1)); }

  // Moves the file to `to`; returns 0 or an errno, throws a refusal for
  // `path`.
  int MoveTo(const Name& to, bool replace, const fs::path& path, const PosixCalls& calls) {
    const HeldSignals held;
    const int error = replace ? Replace(path_, to, path, calls) : Move(path_, to, calls);
    if (error == 0) path_.entry.clear();
    return error;
  }

 private:
  Name path_;
  int fd_ = -1;
};

void WriteNamed(const Name& file, const struct stat* replaced, const fs::path& path,
                std::string_view bytes, bool replace, const PosixCalls& calls) {
  const SignalCleanup cleanup;
  TemporaryFile temporary(file, calls);
  TakeOver(temporary.fd(), replaced, calls);
  if (int error = WriteAll(temporary.fd(), bytes, calls)) Fail(path, error);
  if (temporary.Close() != 0) Fail(path, errno);
  if (const int error = temporary.MoveTo(file, replace, path, calls)) Fail(path, error);
}

}  // namespace

PathKind KindAt(const fs::path& path) {
  return LookAt(path).kind;
}

std::string ReadRegularFile(const fs::path& path, std::size_t limit) {
  if (const std::string why = NotARegularFile(path); !why.empty()) {
    throw std::runtime_error(Utf8(path) + " " + why);
  }
  // Non-blocking, so that a FIFO put there since the look above cannot hold
  // the open; no controlling terminal from a device.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.get() < 0) throw CannotRead(path, ErrnoText(errno));
  struct stat opened {};
  if (::fstat(file.get(), &opened) != 0) throw CannotRead(path, ErrnoText(errno));
  if (!S_ISREG(opened.st_mode)) {
    throw std::runtime_error(Utf8(path) + " is " + NotRegular(EntryOf(opened.st_mode)).what);
  }
  return ReadBounded(path, opened.st_size, limit, [&](std::span<char> into) {
    for (;;) {
      const ssize_t got = ::read(file.get(), into.data(), into.size());
      if (got >= 0) return static_cast<std::size_t>(got);
      if (errno != EINTR) throw CannotRead(path, ErrnoText(errno));
    }
  });
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes, bool replace) {
  WriteFileAtomically(path, bytes, replace, PosixCalls());
}

std::error_code MoveWithoutReplacing(const fs::path& from, const fs::path& to) {
  return MoveWithoutReplacing(from, to, PosixCalls());
}

std::error_code MoveWithoutReplacing(const fs::path& from, const fs::path& to,
                                     const PosixCalls& calls) {
  const SignalCleanup cleanup;
  return {Move(WholePath(from), WholePath(to), calls), std::generic_category()};
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes, bool replace,
                         const PosixCalls& calls) {
  if (path.filename().empty()) Fail(path, EISDIR);
  const PosixEntry entry = LookAt(path);
  switch (entry.kind.is) {
    case PathKind::Is::kOther:
    case PathKind::Is::kUnknown:
      throw std::runtime_error(WriteRefusal(path, entry.kind));
    case PathKind::Is::kRegularFile:
      if (!replace) Fail(path, EEXIST);
      break;
    case PathKind::Is::kNothing:
      break;
  }
  const bool exists = entry.kind.is == PathKind::Is::kRegularFile;
  const struct stat* replaced = exists ? &entry.status : nullptr;
  // The file written: the link's end for a link.
  fs::path file = path;
  if (entry.link) {
    char* end = ::realpath(path.c_str(), nullptr);
    if (end == nullptr) Fail(path, errno);
    file = end;
    std::free(end);
  }
  const fs::path folder_path = file.has_parent_path() ? file.parent_path() : ".";
  const FileDescriptor folder(::open(folder_path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() < 0) Fail(path, errno);
  const Name target{folder.get(), file.filename().native(), file};
  FileDescriptor unnamed(Made(calls, Call::kOpenUnnamed, [&] {
    return ::openat(folder.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  }));
  if (unnamed.get() < 0) {
    // EISDIR: a kernel that does not know O_TMPFILE.
    if (!Unsupported(errno) && errno != EISDIR) Fail(path, errno);
    return WriteNamed(target, replaced, path, bytes, replace, calls);
  }
  TakeOver(unnamed.get(), replaced, calls);
  if (const int error = WriteAll(unnamed.get(), bytes, calls)) Fail(path, error);
  const int error = replace ? LinkUnnamedOver(unnamed.get(), target, path, calls)
                            : LinkUnnamed(unnamed.get(), target, calls);
  // No /proc to link through, or no linking of unnamed files here.
  if (error == ENOENT || (error != EEXIST && Unsupported(error))) {
    return WriteNamed(target, replaced, path, bytes, replace, calls);
  }
  if (error != 0) Fail(path, error);
  // The folder is not synced: after a power cut the new name may be missing,
  // but whatever name there is holds a complete file, and that sync would
  // cost as much as writing the whole chart.
}

}  // namespace quorvane::base
