#include "tests/word/docx/docx_package.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <memory>
#include <stdexcept>

namespace quorvane::word::docx::testing_support {
namespace {

struct ArchiveClose {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct FileClose {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

}  // namespace

std::map<std::string, ZipMember> ReadZip(std::string_view bytes) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  if (source == nullptr) throw std::runtime_error(zip_error_strerror(&error));
  std::unique_ptr<zip_t, ArchiveClose> archive(zip_open_from_source(source, ZIP_RDONLY, &error));
  if (!archive) {
    zip_source_free(source);
    const std::string message = zip_error_strerror(&error);
    zip_error_fini(&error);
    throw std::runtime_error("not a zip archive: " + message);
  }
  std::map<std::string, ZipMember> members;
  const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
    zip_stat_t stat;
    if (zip_stat_index(archive.get(), i, 0, &stat) != 0) throw std::runtime_error("zip_stat");
    std::unique_ptr<zip_file_t, FileClose> file(zip_fopen_index(archive.get(), i, 0));
    if (!file) throw std::runtime_error("zip_fopen");
    ZipMember member;
    member.data.resize(stat.size);
    if (zip_fread(file.get(), member.data.data(), stat.size) !=
        static_cast<zip_int64_t>(stat.size)) {
      throw std::runtime_error(std::string("cannot read ") + stat.name);
    }
    member.compression = stat.comp_method;
    member.mtime = static_cast<std::int64_t>(stat.mtime);
    members[stat.name] = std::move(member);
  }
  return members;
}

pugi::xml_document ParsePart(const std::string& xml) {
  pugi::xml_document document;
  const pugi::xml_parse_result result = document.load_buffer(xml.data(), xml.size());
  EXPECT_TRUE(result) << result.description() << " at offset " << result.offset;
  return document;
}

}  // namespace quorvane::word::docx::testing_support
