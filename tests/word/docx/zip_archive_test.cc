#include "word/docx/zip_archive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/word/docx/docx_package.h"

namespace quorvane::word::docx {
namespace {

// libzip reads back what our writer made, checking every entry's CRC.
TEST(ZipArchiveTest, EntriesReadBackWithLibzip) {
  std::string noisy;
  for (unsigned i = 0, x = 12345; i < 200000; ++i) {
    x = x * 1103515245u + 12345u;
    noisy.push_back(static_cast<char>(x >> 24));
  }
  const std::string repetitive(100000, 'a');
  const std::vector<ZipEntry> entries = {
      {"empty.xml", ""}, {"word/noisy.bin", noisy}, {"[Content_Types].xml", repetitive}};
  for (const int level : {1, 9}) {
    const auto members = testing_support::ReadZip(MakeZipArchive(entries, level));
    ASSERT_EQ(members.size(), 3u);
    EXPECT_EQ(members.at("empty.xml").data, "");
    EXPECT_EQ(members.at("word/noisy.bin").data, noisy);
    EXPECT_EQ(members.at("[Content_Types].xml").data, repetitive);
  }
}

TEST(ZipArchiveTest, RefusesWhatTheFormatCannotHold) {
  const std::vector<ZipEntry> unnamed = {{"", "x"}};
  EXPECT_THROW(MakeZipArchive(unnamed, 1), std::runtime_error);
  const std::vector<ZipEntry> tooMany(70000, ZipEntry{"a", ""});
  EXPECT_THROW(MakeZipArchive(tooMany, 1), std::runtime_error);
  const std::vector<ZipEntry> badLevel = {{"a", "x"}};
  EXPECT_THROW(MakeZipArchive(badLevel, 42), std::runtime_error);
}

}  // namespace
}  // namespace quorvane::word::docx
