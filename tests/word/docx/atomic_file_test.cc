#include "word/docx/atomic_file.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "word/docx/atomic_file_posix.h"
#include "word/docx/writer.h"

namespace quorvane::word::docx {
namespace {

using embedded::Document;

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// open() as on a file system without unnamed temporary files.
std::function<int(const char*, int, mode_t)> DenyTmpfile(
    std::function<int(const char*, int, mode_t)> open) {
  return [open](const char* path, int flags, mode_t mode) {
    if ((flags & O_TMPFILE) == O_TMPFILE) {
      errno = EOPNOTSUPP;
      return -1;
    }
    return open(path, flags, mode);
  };
}

class AtomicFile : public ::testing::Test {
 public:
  void SetUp() override {
    folder_ = fs::path(::testing::TempDir()) /
              ("atomic-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(folder_);
  }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  // What the folder holds besides `keep`: temporary files left behind.
  std::vector<std::string> Leftovers(const fs::path& keep) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      if (entry.path() != keep) names.push_back(entry.path().filename().string());
    }
    return names;
  }

  // Runs `write`, expects it to throw, returns the description.
  template <typename Write>
  static std::string Failure(Write write) {
    try {
      write();
    } catch (const std::runtime_error& e) {
      return e.what();
    }
    ADD_FAILURE() << "no exception";
    return {};
  }

  fs::path folder_;
};

TEST_F(AtomicFile, FailuresAreNamedAndLeaveNothing) {
  // EACCES: what open() answers in a folder that the user may not write,
  // also to root, who may write into any folder of a local file system.
  PosixFileCalls unwritable = RealPosixFileCalls();
  unwritable.open = [](const char*, int, mode_t) {
    errno = EACCES;
    return -1;
  };
  const fs::path target = folder_ / "chart.docx";
  const fs::path missing = folder_ / "missing" / "chart.docx";
  const struct {
    fs::path path;
    PosixFileCalls calls;
    std::string failure;
  } cases[] = {
      {missing, RealPosixFileCalls(),
       "Cannot write \"" + missing.string() + "\": No such file or directory"},
      {target, unwritable, "Cannot write \"" + target.string() + "\": Permission denied"},
  };
  for (const auto& c : cases) {
    for (const bool replace : {false, true}) {
      EXPECT_EQ(Failure([&] { WriteFileAtomically(c.path, "x", replace, c.calls); }), c.failure);
    }
  }
  EXPECT_THAT(Leftovers({}), ::testing::IsEmpty());
}

// What a directory entry is, without following a link: "file", "folder",
// "fifo", "socket", "char", "link -> TARGET" or "nothing".
std::string EntryOf(const fs::path& path) {
  struct stat status = {};
  if (::lstat(path.c_str(), &status) != 0) return "nothing";
  switch (status.st_mode & S_IFMT) {
    case S_IFREG:
      return "file";
    case S_IFDIR:
      return "folder";
    case S_IFIFO:
      return "fifo";
    case S_IFSOCK:
      return "socket";
    case S_IFCHR:
      return "char";
    case S_IFLNK:
      return "link -> " + fs::read_symlink(path).string();
    default:
      return "other";
  }
}

bool MakeSocket(const fs::path& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  const bool made = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return made;
}

TEST_F(AtomicFile, OnlyRegularFilesAreEverReplaced) {
  // A device node of our own (the null device's numbers), never a real one.
  const bool devices = ::mknod((folder_ / "device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  fs::create_directory(folder_ / "folder");
  ASSERT_EQ(::mkfifo((folder_ / "fifo").c_str(), 0666), 0);
  ASSERT_TRUE(MakeSocket(folder_ / "socket"));
  const struct {
    const char* name;
    const char* link_to;  // or nullptr
    const char* why;
  } kCases[] = {
      {"folder", nullptr, "it is a folder, not a regular file"},
      {"fifo", nullptr, "it is a FIFO, not a regular file"},
      {"socket", nullptr, "it is a socket, not a regular file"},
      {"device", nullptr, "it is a character device, not a regular file"},
      {"link-to-folder", "folder", "it is a symbolic link to a folder, not to a regular file"},
      {"link-to-fifo", "fifo", "it is a symbolic link to a FIFO, not to a regular file"},
      {"link-to-socket", "socket", "it is a symbolic link to a socket, not to a regular file"},
      {"link-to-device", "device",
       "it is a symbolic link to a character device, not to a regular file"},
      {"link-to-link", "link-to-fifo", "it is a symbolic link to a FIFO, not to a regular file"},
      {"dangling", "missing", "it is a dangling symbolic link"},
      {"loop", "loop",
       "it is a symbolic link that cannot be followed: Too many levels of symbolic "
       "links"},
  };
  for (const auto& c : kCases) {
    const fs::path target = folder_ / c.name;
    if (c.link_to != nullptr) fs::create_symlink(c.link_to, target);
    if (!fs::exists(fs::symlink_status(target))) {
      ASSERT_FALSE(devices) << c.name;
      continue;  // no device nodes without the right to make them
    }
    const std::string before = EntryOf(target);
    for (const bool replace : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (replace ? " replaced" : ""));
      const std::string refusal = "Cannot write \"" + target.string() + "\": " + c.why;
      EXPECT_EQ(Failure([&] { WriteFileAtomically(target, "x", replace); }), refusal);
      EXPECT_EQ(EntryOf(target), before);
      const WriteTarget inspected = InspectWriteTarget(target);
      EXPECT_EQ(inspected.kind, WriteTarget::Kind::kRefused);
      EXPECT_EQ(inspected.refusal, refusal);
    }
  }
  EXPECT_EQ(EntryOf(folder_ / "fifo"), "fifo");
  EXPECT_TRUE(fs::is_empty(folder_ / "folder"));
  EXPECT_EQ(Leftovers({}).size(), devices ? std::size(kCases) : std::size(kCases) - 2);
}

TEST_F(AtomicFile, LinkIsFollowedAndStaysALink) {
  fs::create_directories(folder_ / "real");
  fs::create_directories(folder_ / "links");
  const fs::path file = folder_ / "real" / "chart.docx";
  std::ofstream(file) << "mine";
  const fs::path link = folder_ / "links" / "chart.docx";
  fs::create_symlink("../real/chart.docx", link);
  EXPECT_EQ(InspectWriteTarget(link).kind, WriteTarget::Kind::kRegularFile);
  EXPECT_EQ(Failure([&] { WriteFileAtomically(link, "new", false); }),
            "\"" + link.string() + "\" already exists");
  EXPECT_EQ(Read(file), "mine");

  WriteFileAtomically(link, "new", true);
  EXPECT_EQ(EntryOf(link), "link -> ../real/chart.docx");
  EXPECT_EQ(Read(file), "new");
  EXPECT_EQ(fs::directory_iterator(folder_ / "real")->path(), file);  // nothing else there
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "real"), {}), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "links"), {}), 1);
}

// Without O_TMPFILE the named temporary file takes them over too.
TEST_F(AtomicFile, ReplacedFileKeepsItsPermissionBitsAndOwner) {
  const bool root = ::geteuid() == 0;
  for (const bool unnamed : {true, false}) {
    SCOPED_TRACE(unnamed ? "unnamed temporary file" : "named temporary file");
    PosixFileCalls calls = RealPosixFileCalls();
    if (!unnamed) calls.open = DenyTmpfile(calls.open);
    const fs::path target = folder_ / "chart.docx";
    std::ofstream(target) << "mine";
    ASSERT_EQ(::chmod(target.c_str(), 0604), 0);
    if (root) {
      ASSERT_EQ(::chown(target.c_str(), 4321, 4322), 0);
    }
    WriteFileAtomically(target, "new", true, calls);
    struct stat status = {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0604u);
    EXPECT_EQ(status.st_uid, root ? 4321u : ::geteuid());
    EXPECT_EQ(status.st_gid, root ? 4322u : ::getegid());
    EXPECT_EQ(Read(target), "new");
    fs::remove(target);
  }
}

// File systems that lack a feature, played through the seam as Linux
// answers on them.
struct FileSystem {
  const char* name;
  bool tmpfile;    // O_TMPFILE (ext4, xfs, btrfs, tmpfs)
  bool proc;       // /proc/self/fd to link an unnamed file through
  bool noreplace;  // renameat2(RENAME_NOREPLACE)
  bool links;      // link()
};
constexpr FileSystem kFileSystems[] = {
    {"ext4", true, true, true, true},
    {"ext4 without /proc", true, false, true, true},
    {"no O_TMPFILE", false, true, true, true},
    {"no O_TMPFILE, no RENAME_NOREPLACE", false, true, false, true},
    {"vfat, exFAT: no O_TMPFILE, no RENAME_NOREPLACE, no hard links", false, true, false, false},
};

PosixFileCalls CallsOf(const FileSystem& system) {
  PosixFileCalls calls = RealPosixFileCalls();
  if (!system.tmpfile) calls.open = DenyTmpfile(calls.open);
  if (!system.proc) {
    calls.linkat = [](int, const char*, int, const char*, int) {
      errno = ENOENT;
      return -1;
    };
  }
  if (!system.noreplace) {
    calls.renameat2 = [](int, const char*, int, const char*, unsigned) {
      errno = EINVAL;
      return -1;
    };
  }
  if (!system.links) {
    calls.link = [](const char*, const char*) {
      errno = EPERM;
      return -1;
    };
  }
  return calls;
}

TEST_F(AtomicFile, EveryFileSystemKeepsThePromises) {
  const fs::path target = folder_ / "chart.docx";
  for (const FileSystem& system : kFileSystems) {
    SCOPED_TRACE(system.name);
    PosixFileCalls calls = CallsOf(system);
    const std::string first(100000, 'x');  // more than one write may take
    WriteFileAtomically(target, first, false, calls);
    EXPECT_EQ(Read(target), first);
    EXPECT_EQ(Failure([&] { WriteFileAtomically(target, "second", false, calls); }),
              "\"" + target.string() + "\" already exists");
    EXPECT_EQ(Read(target), first);
    WriteFileAtomically(target, "third", true, calls);
    EXPECT_EQ(Read(target), "third");
    EXPECT_THAT(Leftovers(target), ::testing::IsEmpty());
    fs::remove(target);

    // Another's file that appears while the document is written stays.
    PosixFileCalls racing = calls;
    racing.write = [&](int fd, const void* data, size_t size) {
      if (!fs::exists(target)) std::ofstream(target) << "theirs";
      return calls.write(fd, data, size);
    };
    EXPECT_EQ(Failure([&] { WriteFileAtomically(target, "mine", false, racing); }),
              "\"" + target.string() + "\" already exists");
    EXPECT_EQ(Read(target), "theirs");
    EXPECT_THAT(Leftovers(target), ::testing::IsEmpty());
    fs::remove(target);

    // A failed move leaves nothing, not even a claimed name.
    PosixFileCalls failing = calls;
    failing.rename = [](const char*, const char*) {
      errno = EIO;
      return -1;
    };
    failing.renameat2 = [&](int a, const char* from, int b, const char* to, unsigned flags) {
      if (!system.noreplace) return calls.renameat2(a, from, b, to, flags);
      errno = EIO;
      return -1;
    };
    failing.link = [&](const char* from, const char* to) {
      if (!system.links) return calls.link(from, to);
      errno = EIO;
      return -1;
    };
    failing.linkat = [&](int a, const char* from, int b, const char* to, int flags) {
      if (!system.proc) return calls.linkat(a, from, b, to, flags);
      errno = EIO;
      return -1;
    };
    for (const bool replace : {false, true}) {
      EXPECT_EQ(Failure([&] { WriteFileAtomically(target, "mine", replace, failing); }),
                "Cannot write \"" + target.string() + "\": Input/output error");
      EXPECT_THAT(Leftovers({}), ::testing::IsEmpty());
    }
  }
}

// Ends the process with `signal` at the start of the seam's call `call`.
PosixFileCalls RaisingIn(PosixFileCalls calls, std::string_view call, int signal) {
  const auto before = [signal] { ::raise(signal); };
  if (call == "write") {
    calls.write = [=, write = calls.write](int fd, const void* data, size_t size) {
      before();
      return write(fd, data, size);
    };
  } else if (call == "fsync") {
    calls.fsync = [=, fsync = calls.fsync](int fd) {
      before();
      return fsync(fd);
    };
  } else if (call == "linkat") {
    calls.linkat = [=, linkat = calls.linkat](int a, const char* from, int b, const char* to,
                                              int flags) {
      before();
      return linkat(a, from, b, to, flags);
    };
  } else if (call == "link") {
    calls.link = [=, link = calls.link](const char* from, const char* to) {
      before();
      return link(from, to);
    };
  } else if (call == "rename") {
    calls.rename = [=, rename = calls.rename](const char* from, const char* to) {
      before();
      return rename(from, to);
    };
  } else if (call == "renameat2") {
    calls.renameat2 = [=, renameat2 = calls.renameat2](int a, const char* from, int b,
                                                       const char* to, unsigned flags) {
      before();
      return renameat2(a, from, b, to, flags);
    };
  } else {
    ADD_FAILURE() << "no call " << call;
  }
  return calls;
}

const std::string kDocument(100000, 'x');

// In a child: the write that a signal ends; exits if it survives.
[[noreturn]] void WriteUntilKilled(const fs::path& target, bool replace, int signal,
                                   const PosixFileCalls& calls) {
  ::signal(signal, SIG_DFL);
  rlimit no_core = {};
  ::setrlimit(RLIMIT_CORE, &no_core);  // SIGXFSZ would dump one
  try {
    WriteFileAtomically(target, kDocument, replace, calls);
  } catch (const std::exception&) {
    std::_Exit(3);
  }
  std::_Exit(4);
}

// Which writes make a call: a new file's, a replacement's or both.
enum Writes { kNew = 1, kReplacing = 2, kBoth = 3 };

struct Kill {
  const FileSystem& system;
  const char* call;
  int signal;
  Writes writes = kBoth;
};

// After the kill the name shows the old file or the complete new one (or
// nothing, for a new file), and nothing else is there.
void ExpectNothingLeftAfter(const Kill& kill, const fs::path& folder) {
  const fs::path target = folder / "chart.docx";
  for (const bool replace : {false, true}) {
    if ((kill.writes & (replace ? kReplacing : kNew)) == 0) continue;
    SCOPED_TRACE(std::string(kill.system.name) + ", " + strsignal(kill.signal) + " in " +
                 kill.call + (replace ? ", replacing" : ""));
    if (replace) std::ofstream(target) << "old";
    EXPECT_EXIT(WriteUntilKilled(target, replace, kill.signal,
                                 RaisingIn(CallsOf(kill.system), kill.call, kill.signal)),
                ::testing::KilledBySignal(kill.signal), "");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    if (fs::exists(target)) {
      EXPECT_THAT(names, ::testing::ElementsAre("chart.docx"));
      const std::string now = AtomicFile::Read(target);
      EXPECT_TRUE(now == kDocument || (replace && now == "old")) << now.size() << " bytes";
    } else {
      EXPECT_THAT(names, ::testing::IsEmpty());
      EXPECT_FALSE(replace);
    }
    for (const auto& entry : fs::directory_iterator(folder)) fs::remove(entry.path());
  }
}

TEST_F(AtomicFile, KilledAtAnyMomentTheUnnamedTemporaryFileLeavesNothing) {
  const int probe = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY, 0600);
  ASSERT_GE(probe, 0) << "the test folder's file system has no O_TMPFILE";
  ::close(probe);
  const FileSystem& ext4 = kFileSystems[0];
  for (const char* call : {"write", "fsync", "linkat"}) {
    ExpectNothingLeftAfter({ext4, call, SIGKILL}, folder_);
  }
  // A catchable signal while a replacement has its hidden name waits until
  // the name is gone. (SIGKILL there leaves it: see atomic_file_posix.h.)
  ExpectNothingLeftAfter({ext4, "linkat", SIGTERM, kReplacing}, folder_);
  ExpectNothingLeftAfter({ext4, "rename", SIGINT, kReplacing}, folder_);
}

TEST_F(AtomicFile, CatchableSignalsRemoveTheNamedTemporaryFile) {
  const FileSystem& named = kFileSystems[2];
  for (const int signal : {SIGTERM, SIGHUP, SIGINT, SIGXFSZ, SIGPIPE}) {
    ExpectNothingLeftAfter({named, "write", signal}, folder_);
  }
  ExpectNothingLeftAfter({named, "fsync", SIGTERM}, folder_);
  ExpectNothingLeftAfter({named, "renameat2", SIGTERM, kNew}, folder_);
  ExpectNothingLeftAfter({named, "rename", SIGTERM, kReplacing}, folder_);
  ExpectNothingLeftAfter({kFileSystems[3], "link", SIGHUP, kNew}, folder_);
  // The claim of the name goes too.
  const FileSystem& vfat = kFileSystems[4];
  ExpectNothingLeftAfter({vfat, "write", SIGTERM}, folder_);
  ExpectNothingLeftAfter({vfat, "link", SIGTERM, kNew}, folder_);
  ExpectNothingLeftAfter({vfat, "rename", SIGTERM}, folder_);
}

// In a child: the actions are the program's again after a write.
[[noreturn]] void WriteAndCheckSignalActions(const fs::path& target) {
  ::signal(SIGTERM, SIG_DFL);
  ::signal(SIGINT, SIG_IGN);
  const auto own = +[](int) {};
  ::signal(SIGHUP, own);
  PosixFileCalls calls = RealPosixFileCalls();
  calls.open = DenyTmpfile(calls.open);
  bool during = false;
  calls.write = [&](int fd, const void* data, size_t size) {
    struct sigaction now = {};
    ::sigaction(SIGTERM, nullptr, &now);
    during = now.sa_handler != SIG_DFL;
    return ::write(fd, data, size);
  };
  WriteFileAtomically(target, "x", false, calls);
  struct sigaction term = {}, interrupt = {}, hangup = {};
  ::sigaction(SIGTERM, nullptr, &term);
  ::sigaction(SIGINT, nullptr, &interrupt);
  ::sigaction(SIGHUP, nullptr, &hangup);
  const bool restored =
      term.sa_handler == SIG_DFL && interrupt.sa_handler == SIG_IGN && hangup.sa_handler == own;
  std::_Exit(during && restored ? 0 : 1);
}

TEST_F(AtomicFile, SignalActionsAreChangedOnlyDuringTheWrite) {
  EXPECT_EXIT(WriteAndCheckSignalActions(folder_ / "chart.docx"), ::testing::ExitedWithCode(0), "");
}

// A full disk, played by a file size limit in a child process: the error
// names the path and the half-written temporary file is gone.
[[noreturn]] void WriteBeyondTheLimit(const fs::path& target) {
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  limit.rlim_cur = limit.rlim_max = 4096;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  try {
    WriteFileAtomically(target, std::string(100000, 'x'), true);
  } catch (const std::runtime_error& e) {
    const bool named =
        std::string(e.what()) == "Cannot write \"" + target.string() + "\": File too large";
    std::exit(named && fs::is_empty(target.parent_path()) ? 0 : 2);
  }
  std::exit(1);
}

TEST_F(AtomicFile, FullDiskLeavesNoTemporaryFile) {
  const fs::path target = folder_ / "chart.docx";
  EXPECT_EXIT(WriteBeyondTheLimit(target), ::testing::ExitedWithCode(0), "");
}

TEST_F(AtomicFile, SaveDocxWritesThePackage) {
  const fs::path target = folder_ / "chart.docx";
  const Document document;
  SaveDocx(document, target, false);
  EXPECT_EQ(Read(target), WriteDocx(document));
  EXPECT_THAT(Failure([&] { SaveDocx(document, target, false); }), HasSubstr("already exists"));
}

}  // namespace
}  // namespace quorvane::word::docx
