// The atomic write's promises with Windows' calls.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <process.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "word/docx/atomic_file.h"

namespace quorvane::word::docx {
namespace {

namespace fs = std::filesystem;

class AtomicFileWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("atomic-" + std::to_string(::_getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  // Every name in the folder: what was written and anything left behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  template <typename Write>
  static std::string Failure(Write write) {
    try {
      write();
    } catch (const std::runtime_error& e) {
      return e.what();
    }
    return "no exception";
  }

  fs::path folder_;
};

TEST_F(AtomicFileWindows, WritesTheBytesUntranslated) {
  const fs::path target = folder_ / "chart.docx";
  std::string bytes = "line\r\nline\n\x1a\f";
  bytes += std::string(3 << 20, 'x');  // more than one write
  WriteFileAtomically(target, bytes, false);
  EXPECT_EQ(Read(target), bytes);
  EXPECT_THAT(Names(), ::testing::ElementsAre("chart.docx"));
}

TEST_F(AtomicFileWindows, ReplacesAFileOnlyWhenAsked) {
  const fs::path target = folder_ / "chart.docx";
  std::ofstream(target) << "mine";
  EXPECT_EQ(Failure([&] { WriteFileAtomically(target, "new", false); }),
            "\"" + target.string() + "\" already exists");
  EXPECT_EQ(Read(target), "mine");
  EXPECT_THAT(Names(), ::testing::ElementsAre("chart.docx"));

  WriteFileAtomically(target, "new", true);
  EXPECT_EQ(Read(target), "new");
  EXPECT_THAT(Names(), ::testing::ElementsAre("chart.docx"));
}

TEST_F(AtomicFileWindows, FailuresAreNamedAndLeaveNothing) {
  const fs::path folder = folder_ / "chart.docx";
  fs::create_directory(folder);
  const fs::path missing = folder_ / "missing" / "chart.docx";
  const struct {
    fs::path target;
    bool replace;
    std::string failure;
  } cases[] = {
      {missing, true, "Cannot write \"" + missing.string() + "\": No such file or directory"},
      {folder, true,
       "Cannot write \"" + folder.string() + "\": it is a folder, not a regular file"},
      {folder, false,
       "Cannot write \"" + folder.string() + "\": it is a folder, not a regular file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target.string());
    EXPECT_EQ(Failure([&] { WriteFileAtomically(c.target, "x", c.replace); }), c.failure);
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_THAT(Names(), ::testing::ElementsAre("chart.docx"));
  }
}

}  // namespace
}  // namespace quorvane::word::docx
