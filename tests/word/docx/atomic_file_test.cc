#include "word/docx/atomic_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "word/docx/writer.h"

namespace quorvane::word::docx {
namespace {

using embedded::Document;

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class AtomicFile : public ::testing::Test {
 protected:
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

TEST_F(AtomicFile, WritesTheWholeFileAndNothingElse) {
  const fs::path target = folder_ / "chart.docx";
  const std::string bytes(100000, 'x');
  WriteFileAtomically(target, bytes, false);
  EXPECT_EQ(Read(target), bytes);
  EXPECT_THAT(Leftovers(target), ::testing::IsEmpty());
}

TEST_F(AtomicFile, NeverReplacesWithoutPermission) {
  const fs::path target = folder_ / "chart.docx";
  std::ofstream(target) << "mine";
  EXPECT_EQ(Failure([&] { WriteFileAtomically(target, "new", false); }),
            "\"" + target.string() + "\" already exists");
  EXPECT_EQ(Read(target), "mine");
  EXPECT_THAT(Leftovers(target), ::testing::IsEmpty());

  WriteFileAtomically(target, "new", true);
  EXPECT_EQ(Read(target), "new");
  EXPECT_THAT(Leftovers(target), ::testing::IsEmpty());
}

TEST_F(AtomicFile, MissingFolderIsNamed) {
  const fs::path target = folder_ / "missing" / "chart.docx";
  EXPECT_EQ(Failure([&] { WriteFileAtomically(target, "x", true); }),
            "Cannot write \"" + target.string() + "\": No such file or directory");
}

TEST_F(AtomicFile, ReplacingAFolderFailsAndLeavesNothing) {
  const fs::path target = folder_ / "chart.docx";
  fs::create_directory(target);
  EXPECT_THAT(Failure([&] { WriteFileAtomically(target, "x", true); }),
              HasSubstr("Cannot write \"" + target.string() + "\": "));
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_THAT(Leftovers(target), ::testing::IsEmpty());
}

TEST_F(AtomicFile, UnwritableFolderIsNamed) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
  const fs::path target = folder_ / "chart.docx";
  EXPECT_EQ(Failure([&] { WriteFileAtomically(target, "x", true); }),
            "Cannot write \"" + target.string() + "\": Permission denied");
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
