#include "base/files.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits.h>
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
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

#include "base/files_posix.h"

namespace quorvane::base {
namespace {

namespace fs = std::filesystem;
using Call = PosixCalls::Call;
using ::testing::IsEmpty;

// A file system of the test's choosing over the real one: the calls it
// lacks or fails, with their errno, and what happens just before a call.
class FakeCalls final : public PosixCalls {
 public:
  std::map<Call, int> failing;
  std::function<void(Call)> before;

  int Before(Call call) const override {
    if (before) before(call);
    const auto found = failing.find(call);
    return found == failing.end() ? 0 : found->second;
  }
};

// File systems that lack a feature, as Linux answers on them.
struct FileSystem {
  const char* name;
  std::map<Call, int> lacking;
};
const FileSystem kFileSystems[] = {
    {"ext4", {}},
    {"ext4 without /proc", {{Call::kLinkUnnamed, ENOENT}}},
    {"no O_TMPFILE", {{Call::kOpenUnnamed, EOPNOTSUPP}}},
    {"no O_TMPFILE, no renameat2 flags",
     {{Call::kOpenUnnamed, EOPNOTSUPP},
      {Call::kRenameNoReplace, EINVAL},
      {Call::kRenameExchange, EINVAL}}},
    {"vfat, exFAT: no O_TMPFILE, no renameat2 flags, no hard links",
     {{Call::kOpenUnnamed, EOPNOTSUPP},
      {Call::kRenameNoReplace, EINVAL},
      {Call::kRenameExchange, EINVAL},
      {Call::kLink, EPERM}}},
};
const FileSystem& kExt4 = kFileSystems[0];
const FileSystem& kNamed = kFileSystems[2];
const FileSystem& kVfat = kFileSystems[4];

FakeCalls On(const FileSystem& system) {
  FakeCalls calls;
  calls.failing = system.lacking;
  return calls;
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Runs `call`, expects it to throw, returns the description.
template <typename F>
std::string Failure(F call) {
  try {
    call();
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  ADD_FAILURE() << "no exception";
  return {};
}

// What a directory entry is, without following a link: "file", "folder",
// "fifo", "socket", "char", "link -> TARGET" or "nothing".
std::string EntryOf(const fs::path& path) {
  static const std::map<fs::file_type, std::string> kNames = {
      {fs::file_type::not_found, "nothing"}, {fs::file_type::regular, "file"},
      {fs::file_type::directory, "folder"},  {fs::file_type::fifo, "fifo"},
      {fs::file_type::socket, "socket"},     {fs::file_type::character, "char"}};
  const fs::file_type type = fs::symlink_status(path).type();
  if (type == fs::file_type::symlink) return "link -> " + fs::read_symlink(path).string();
  return kNames.contains(type) ? kNames.at(type) : "other";
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

class Files : public ::testing::Test {
 public:
  void SetUp() override {
    folder_ = fs::path(::testing::TempDir()) /
              ("files-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // What the folder holds besides `keep`: temporary files left behind.
  std::vector<std::string> Leftovers(const fs::path& keep = {}) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      if (entry.path() != keep) names.push_back(entry.path().filename().string());
    }
    return names;
  }

  fs::path folder_;
};

TEST_F(Files, FailuresAreNamedAndLeaveNothing) {
  // EACCES: what open() answers in a folder that the user may not write,
  // also to root, who may write into any folder of a local file system.
  FakeCalls unwritable;
  unwritable.failing = {{Call::kOpenUnnamed, EACCES}, {Call::kOpen, EACCES}};
  const fs::path target = folder_ / "chart.docx";
  const fs::path missing = folder_ / "missing" / "chart.docx";
  const struct {
    fs::path path;
    FakeCalls calls;
    std::string failure;
  } cases[] = {
      {missing, {}, "Cannot write \"" + missing.string() + "\": No such file or directory"},
      {target, unwritable, "Cannot write \"" + target.string() + "\": Permission denied"},
      {folder_ / "", {}, "Cannot write \"" + folder_.string() + "/\": Is a directory"},
  };
  for (const auto& c : cases) {
    for (const bool replace : {false, true}) {
      EXPECT_EQ(Failure([&] { WriteFileAtomically(c.path, "x", replace, c.calls); }), c.failure);
    }
  }
  EXPECT_THAT(Leftovers(), IsEmpty());
}

// Nothing but a regular file is written, read or moved over, and the words
// for what is there are the same for each.
TEST_F(Files, OnlyRegularFilesAreEverWrittenOrRead) {
  // A device node of our own (the null device's numbers), never a real one.
  const bool devices = ::mknod((folder_ / "device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  fs::create_directory(folder_ / "folder");
  ASSERT_EQ(::mkfifo((folder_ / "fifo").c_str(), 0666), 0);
  ASSERT_TRUE(MakeSocket(folder_ / "socket"));
  std::ofstream(folder_ / "aside") << "aside";
  const struct {
    const char* name;
    const char* link_to;  // or nullptr
    const char* what;
  } kCases[] = {
      {"folder", nullptr, "a folder, not a regular file"},
      {"fifo", nullptr, "a FIFO, not a regular file"},
      {"socket", nullptr, "a socket, not a regular file"},
      {"device", nullptr, "a character device, not a regular file"},
      {"link-to-folder", "folder", "a symbolic link to a folder, not to a regular file"},
      {"link-to-fifo", "fifo", "a symbolic link to a FIFO, not to a regular file"},
      {"link-to-socket", "socket", "a symbolic link to a socket, not to a regular file"},
      {"link-to-device", "device", "a symbolic link to a character device, not to a regular file"},
      {"link-to-link", "link-to-fifo", "a symbolic link to a FIFO, not to a regular file"},
      {"dangling", "missing", "a dangling symbolic link"},
      {"loop", "loop",
       "a symbolic link that cannot be followed: Too many levels of symbolic links"},
  };
  for (const auto& c : kCases) {
    const fs::path target = folder_ / c.name;
    if (c.link_to != nullptr) fs::create_symlink(c.link_to, target);
    if (!fs::exists(fs::symlink_status(target))) {
      ASSERT_FALSE(devices) << c.name;
      continue;  // no device nodes without the right to make them
    }
    SCOPED_TRACE(c.name);
    const std::string before = EntryOf(target);
    EXPECT_EQ(KindAt(target).is, PathKind::Is::kOther);
    EXPECT_EQ(KindAt(target).what, c.what);
    for (const bool replace : {false, true}) {
      EXPECT_EQ(Failure([&] { WriteFileAtomically(target, "x", replace); }),
                "Cannot write \"" + target.string() + "\": it is " + c.what);
    }
    EXPECT_EQ(Failure([&] { ReadRegularFile(target, 100); }), target.string() + " is " + c.what);
    EXPECT_EQ(MoveWithoutReplacing(folder_ / "aside", target), std::errc::file_exists);
    EXPECT_EQ(EntryOf(target), before);
  }
  EXPECT_EQ(Read(folder_ / "aside"), "aside");
  EXPECT_TRUE(fs::is_empty(folder_ / "folder"));
  EXPECT_EQ(Leftovers().size(), (devices ? std::size(kCases) : std::size(kCases) - 2) + 1);
}

TEST_F(Files, LinkIsFollowedAndStaysALink) {
  fs::create_directories(folder_ / "real");
  fs::create_directories(folder_ / "links");
  const fs::path file = folder_ / "real" / "chart.docx";
  std::ofstream(file) << "mine";
  const fs::path link = folder_ / "links" / "chart.docx";
  fs::create_symlink("../real/chart.docx", link);
  EXPECT_EQ(KindAt(link).is, PathKind::Is::kRegularFile);
  EXPECT_EQ(ReadRegularFile(link, 4), "mine");
  EXPECT_EQ(Failure([&] { WriteFileAtomically(link, "new", false); }),
            "\"" + link.string() + "\" already exists");
  EXPECT_EQ(Read(file), "mine");

  WriteFileAtomically(link, "new", true);
  EXPECT_EQ(EntryOf(link), "link -> ../real/chart.docx");
  EXPECT_EQ(Read(file), "new");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "real"), {}), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "links"), {}), 1);
}

// With the named temporary file too.
TEST_F(Files, ReplacedFileKeepsItsPermissionBitsAndOwner) {
  const bool root = ::geteuid() == 0;
  for (const FileSystem* system : {&kExt4, &kNamed}) {
    SCOPED_TRACE(system->name);
    const fs::path target = folder_ / "chart.docx";
    std::ofstream(target) << "mine";
    ASSERT_EQ(::chmod(target.c_str(), 0604), 0);
    if (root) {
      ASSERT_EQ(::chown(target.c_str(), 4321, 4322), 0);
    }
    WriteFileAtomically(target, "new", true, On(*system));
    struct stat status = {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0604u);
    EXPECT_EQ(status.st_uid, root ? 4321u : ::geteuid());
    EXPECT_EQ(status.st_gid, root ? 4322u : ::getegid());
    EXPECT_EQ(Read(target), "new");
    fs::remove(target);
  }
}

TEST_F(Files, EveryFileSystemKeepsThePromises) {
  const fs::path target = folder_ / "chart.docx";
  const fs::path aside = folder_ / "chart.docx.damaged";
  for (const FileSystem& system : kFileSystems) {
    SCOPED_TRACE(system.name);
    FakeCalls calls = On(system);
    const std::string first(100000, 'x');  // more than one write may take
    WriteFileAtomically(target, first, false, calls);
    EXPECT_EQ(Read(target), first);
    EXPECT_EQ(Failure([&] { WriteFileAtomically(target, "second", false, calls); }),
              "\"" + target.string() + "\" already exists");
    EXPECT_EQ(Read(target), first);
    WriteFileAtomically(target, "third", true, calls);
    EXPECT_EQ(Read(target), "third");
    EXPECT_THAT(Leftovers(target), IsEmpty());

    // Moved aside, never over what is there.
    std::ofstream(aside) << "earlier";
    EXPECT_EQ(MoveWithoutReplacing(target, aside, calls), std::errc::file_exists);
    fs::remove(aside);
    EXPECT_FALSE(MoveWithoutReplacing(target, aside, calls));
    EXPECT_EQ(Read(aside), "third");
    EXPECT_THAT(Leftovers(aside), IsEmpty());
    fs::remove(aside);

    // Another's file that appears while the document is written stays.
    FakeCalls racing = calls;
    racing.before = [&](Call call) {
      if (call == Call::kWrite && !fs::exists(target)) std::ofstream(target) << "theirs";
    };
    EXPECT_EQ(Failure([&] { WriteFileAtomically(target, "mine", false, racing); }),
              "\"" + target.string() + "\" already exists");
    EXPECT_EQ(Read(target), "theirs");
    EXPECT_THAT(Leftovers(target), IsEmpty());
    fs::remove(target);

    // What takes the file's place while it is written is not replaced,
    // where names can be swapped.
    if (!calls.failing.contains(Call::kRenameExchange)) {
      std::ofstream(target) << "old";
      FakeCalls swapped = calls;
      swapped.before = [&](Call call) {
        if (call == Call::kWrite && EntryOf(target) == "file") {
          fs::remove(target);
          ::mkfifo(target.c_str(), 0666);
        }
      };
      EXPECT_EQ(Failure([&] { WriteFileAtomically(target, "new", true, swapped); }),
                "Cannot write \"" + target.string() + "\": it is a FIFO, not a regular file");
      EXPECT_EQ(EntryOf(target), "fifo");
      EXPECT_THAT(Leftovers(target), IsEmpty());
      fs::remove(target);
    }

    // A failed move leaves nothing, not even a claimed name.
    FakeCalls failing = calls;
    for (const Call call : {Call::kRename, Call::kRenameNoReplace, Call::kRenameExchange,
                            Call::kLink, Call::kLinkUnnamed}) {
      failing.failing.insert({call, EIO});  // what the file system lacks stays lacking
    }
    for (const bool replace : {false, true}) {
      EXPECT_EQ(Failure([&] { WriteFileAtomically(target, "mine", replace, failing); }),
                "Cannot write \"" + target.string() + "\": Input/output error");
      EXPECT_THAT(Leftovers(), IsEmpty());
    }
  }
}

// The hidden name beside the target is no longer than a legal path: a
// target path of PATH_MAX - 1 bytes is written and replaced everywhere.
TEST_F(Files, TheLongestLegalPathIsWrittenAndReplaced) {
  fs::path folder = folder_;
  while (folder.native().size() + 213 < PATH_MAX - 1) folder /= std::string(200, 'f');
  fs::create_directories(folder);
  const fs::path target = folder / std::string(PATH_MAX - 2 - folder.native().size(), 'c');
  ASSERT_EQ(target.native().size(), PATH_MAX - 1u);
  for (const FileSystem& system : kFileSystems) {
    SCOPED_TRACE(system.name);
    const FakeCalls calls = On(system);
    WriteFileAtomically(target, "first", false, calls);
    WriteFileAtomically(target, "second", true, calls);
    EXPECT_EQ(Read(target), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
    fs::remove(target);
  }
}

const std::string kDocument(100000, 'x');

// In a child: the write that a signal ends; exits if it survives.
[[noreturn]] void WriteUntilKilled(const fs::path& target, bool replace, int signal,
                                   const PosixCalls& calls) {
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

// After the kill the name shows the old file or the complete new one (or
// nothing, for a new file), and nothing else is there.
TEST_F(Files, KillsLeaveNothingBehind) {
  const struct {
    const FileSystem& system;
    Call call;
    int signal;
    Writes writes = kBoth;
  } kKills[] = {
      // The unnamed temporary file: even SIGKILL leaves nothing.
      {kExt4, Call::kWrite, SIGKILL},
      {kExt4, Call::kFsync, SIGKILL},
      {kExt4, Call::kLinkUnnamed, SIGKILL},
      // A catchable signal while a replacement has its hidden name waits
      // until the name is gone. (SIGKILL there leaves it: see files_posix.h.)
      {kExt4, Call::kLinkUnnamed, SIGTERM, kReplacing},
      {kExt4, Call::kRenameExchange, SIGINT, kReplacing},
      // The catchable signals remove the named temporary file.
      {kNamed, Call::kWrite, SIGTERM},
      {kNamed, Call::kWrite, SIGHUP},
      {kNamed, Call::kWrite, SIGINT},
      {kNamed, Call::kWrite, SIGXFSZ},
      {kNamed, Call::kWrite, SIGPIPE},
      {kNamed, Call::kFsync, SIGTERM},
      {kNamed, Call::kRenameNoReplace, SIGTERM, kNew},
      {kNamed, Call::kRenameExchange, SIGTERM, kReplacing},
      {kFileSystems[3], Call::kLink, SIGHUP, kNew},
      // The claim of the name goes too.
      {kVfat, Call::kWrite, SIGTERM},
      {kVfat, Call::kLink, SIGTERM, kNew},
      {kVfat, Call::kRename, SIGTERM},
  };
  const int probe = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY, 0600);
  ASSERT_GE(probe, 0) << "the test folder's file system has no O_TMPFILE";
  ::close(probe);
  const fs::path target = folder_ / "chart.docx";
  for (const auto& kill : kKills) {
    for (const bool replace : {false, true}) {
      if ((kill.writes & (replace ? kReplacing : kNew)) == 0) continue;
      SCOPED_TRACE(std::string(kill.system.name) + ", " + strsignal(kill.signal) + " before call " +
                   std::to_string(static_cast<int>(kill.call)) + (replace ? ", replacing" : ""));
      if (replace) std::ofstream(target) << "old";
      FakeCalls calls = On(kill.system);
      calls.before = [&](Call call) {
        if (call == kill.call) ::raise(kill.signal);
      };
      EXPECT_EXIT(WriteUntilKilled(target, replace, kill.signal, calls),
                  ::testing::KilledBySignal(kill.signal), "");
      if (fs::exists(target)) {
        EXPECT_THAT(Leftovers(), ::testing::ElementsAre("chart.docx"));
        const std::string now = Read(target);
        EXPECT_TRUE(now == kDocument || (replace && now == "old")) << now.size() << " bytes";
      } else {
        EXPECT_THAT(Leftovers(), IsEmpty());
        EXPECT_FALSE(replace);
      }
      for (const auto& entry : fs::directory_iterator(folder_)) fs::remove(entry.path());
    }
  }
}

// In a child: the actions are the program's again after a write.
[[noreturn]] void WriteAndCheckSignalActions(const fs::path& target) {
  ::signal(SIGTERM, SIG_DFL);
  ::signal(SIGINT, SIG_IGN);
  const auto own = +[](int) {};
  ::signal(SIGHUP, own);
  FakeCalls calls = On(kNamed);
  bool during = false;
  calls.before = [&](Call call) {
    if (call != Call::kWrite) return;
    struct sigaction now = {};
    ::sigaction(SIGTERM, nullptr, &now);
    during = now.sa_handler != SIG_DFL;
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

TEST_F(Files, SignalActionsAreChangedOnlyDuringTheWrite) {
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

TEST_F(Files, FullDiskLeavesNoTemporaryFile) {
  EXPECT_EXIT(WriteBeyondTheLimit(folder_ / "chart.docx"), ::testing::ExitedWithCode(0), "");
}

// At most the limit is read, whatever the file's size says.
TEST_F(Files, ReadsAreBounded) {
  const fs::path file = folder_ / "skin";
  const struct {
    std::size_t size;
    bool sparse;
    std::size_t limit;
    const char* failure;  // or nullptr
  } kCases[] = {
      {0, false, 0, nullptr},
      {1 << 20, false, 1 << 20, nullptr},
      {(1 << 20) + 1, false, 1 << 20, " is larger than 1 MiB"},
      {std::size_t{1} << 40, true, 1 << 20, " is larger than 1 MiB"},
      {11, false, 10, " is larger than 10 bytes"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.size);
    fs::remove(file);
    if (c.sparse) {
      std::ofstream(file).close();
      fs::resize_file(file, c.size);
    } else {
      std::ofstream(file, std::ios::binary) << std::string(c.size, 'x');
    }
    if (c.failure == nullptr) {
      EXPECT_EQ(ReadRegularFile(file, c.limit), std::string(c.size, 'x'));
    } else {
      EXPECT_EQ(Failure([&] { ReadRegularFile(file, c.limit); }), file.string() + c.failure);
    }
  }
  EXPECT_EQ(Failure([&] { ReadRegularFile(folder_ / "missing", 1); }),
            (folder_ / "missing").string() + ": No such file or directory");
}

}  // namespace
}  // namespace quorvane::base
