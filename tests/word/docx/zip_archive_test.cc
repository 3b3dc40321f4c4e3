#include "word/docx/zip_archive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
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

// zlib's memory, as a test gives it: `allowed` allocations succeed, then
// every one fails; `live` counts what was not given back.
struct ZlibBudget {
  int allowed;
  int made = 0;
  int live = 0;

  ZlibMemory Memory() { return {&Allocate, &Release, this}; }

  static void* Allocate(void* opaque, unsigned items, unsigned size) {
    auto& budget = *static_cast<ZlibBudget*>(opaque);
    if (budget.made == budget.allowed) return nullptr;
    ++budget.made;
    ++budget.live;
    return std::calloc(items, size);
  }
  static void Release(void* opaque, void* address) {
    --static_cast<ZlibBudget*>(opaque)->live;
    std::free(address);
  }
};

// Out of memory in zlib is std::bad_alloc, which the steps report as "Out of
// memory", at each of zlib's allocations; nothing is left allocated.
TEST(ZipArchiveTest, ZlibOutOfMemoryIsOutOfMemory) {
  const std::string data(1000, 'a');
  const std::vector<ZipEntry> entries = {{"a.xml", data}, {"b.xml", "b"}};
  ZlibBudget enough{1000};
  const std::string archive = MakeZipArchive(entries, 1, enough.Memory());
  EXPECT_EQ(archive, MakeZipArchive(entries, 1));
  EXPECT_EQ(enough.live, 0);
  ASSERT_GT(enough.made, 0);
  for (int allowed = 0; allowed < enough.made; ++allowed) {
    ZlibBudget budget{allowed};
    EXPECT_THROW(MakeZipArchive(entries, 1, budget.Memory()), std::bad_alloc) << allowed;
    EXPECT_EQ(budget.live, 0) << allowed;
  }
}

}  // namespace
}  // namespace quorvane::word::docx
