// The file promises with Windows' calls.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <process.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "base/files.h"

namespace quorvane::base {
namespace {

namespace fs = std::filesystem;

class FilesWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("files-" + std::to_string(::_getpid()) + "-" +
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

TEST_F(FilesWindows, WritesTheBytesUntranslated) {
  const fs::path target = folder_ / "chart.docx";
  std::string bytes = "line\r\nline\n\x1a\f";
  bytes += std::string(3 << 20, 'x');  // more than one write
  WriteFileAtomically(target, bytes, false);
  EXPECT_EQ(Read(target), bytes);
  EXPECT_THAT(Names(), ::testing::ElementsAre("chart.docx"));
}

TEST_F(FilesWindows, ReplacesAFileOnlyWhenAsked) {
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

TEST_F(FilesWindows, FailuresAreNamedAndLeaveNothing) {
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
  // The same words for a read, and nothing moved over the folder.
  EXPECT_EQ(Failure([&] { ReadRegularFile(folder, 10); }),
            folder.string() + " is a folder, not a regular file");
  std::ofstream(folder_ / "aside") << "aside";
  EXPECT_EQ(MoveWithoutReplacing(folder_ / "aside", folder), std::errc::file_exists);
  EXPECT_EQ(Read(folder_ / "aside"), "aside");
}

TEST_F(FilesWindows, ReadsAreBoundedAndMovesTakeOnlyFreeNames) {
  const fs::path file = folder_ / "skin";
  std::ofstream(file, std::ios::binary) << std::string(11, 'x');
  EXPECT_EQ(ReadRegularFile(file, 11), std::string(11, 'x'));
  EXPECT_EQ(Failure([&] { ReadRegularFile(file, 10); }),
            file.string() + " is larger than 10 bytes");
  EXPECT_FALSE(MoveWithoutReplacing(file, folder_ / "moved"));
  EXPECT_EQ(Read(folder_ / "moved"), std::string(11, 'x'));
}

}  // namespace
}  // namespace quorvane::base
