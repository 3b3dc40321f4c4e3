#include "word/embedded/zip_archive.h"

#include <zip.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace quorvane::word::embedded {
namespace {

struct SourceFree {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};
struct ArchiveDiscard {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ErrorFini {
  void operator()(zip_error_t* error) const { zip_error_fini(error); }
};
using SourcePtr = std::unique_ptr<zip_source_t, SourceFree>;
using ArchivePtr = std::unique_ptr<zip_t, ArchiveDiscard>;

// MS-DOS date of 1980-01-01 (year 0 since 1980, month 1, day 1), time 00:00.
constexpr zip_uint16_t kDosDate = (1 << 5) | 1;
constexpr zip_uint16_t kDosTime = 0;

[[noreturn]] void Fail(std::string_view what, zip_error_t* error) {
  throw std::runtime_error(std::string("Cannot build the zip archive: ") + std::string(what) +
                           ": " + zip_error_strerror(error));
}

[[noreturn]] void Fail(std::string_view what, zip_t* archive) {
  Fail(what, zip_get_error(archive));
}

[[noreturn]] void FailSource(std::string_view what, zip_source_t* source) {
  Fail(what, zip_source_error(source));
}

void AddEntry(zip_t* archive, const ZipEntry& entry, int level) {
  SourcePtr data(zip_source_buffer(archive, entry.data.data(), entry.data.size(), 0));
  if (!data) Fail(entry.name, archive);
  const std::string name(entry.name);
  const zip_int64_t index = zip_file_add(archive, name.c_str(), data.get(), ZIP_FL_ENC_UTF_8);
  if (index < 0) Fail(entry.name, archive);
  data.release();  // the archive owns it now
  const auto i = static_cast<zip_uint64_t>(index);
  if (zip_set_file_compression(archive, i, ZIP_CM_DEFLATE, static_cast<zip_uint32_t>(level)) != 0 ||
      zip_file_set_dostime(archive, i, kDosTime, kDosDate, 0) != 0) {
    Fail(entry.name, archive);
  }
}

std::string ReadAll(zip_source_t* source) {
  if (zip_source_open(source) != 0) FailSource("reading the result", source);
  struct Closer {
    zip_source_t* source;
    ~Closer() { zip_source_close(source); }
  } closer{source};
  std::string bytes;
  char buffer[16384];
  for (;;) {
    const zip_int64_t n = zip_source_read(source, buffer, sizeof buffer);
    if (n < 0) FailSource("reading the result", source);
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

}  // namespace

std::string MakeZipArchive(std::span<const ZipEntry> entries, int level) {
  zip_error_t error;
  zip_error_init(&error);
  const std::unique_ptr<zip_error_t, ErrorFini> errorGuard(&error);

  SourcePtr buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
  if (!buffer) Fail("creating the buffer", &error);
  ArchivePtr archive(zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error));
  if (!archive) Fail("opening the buffer", &error);
  // The archive took our reference; keep one so the bytes outlive zip_close.
  zip_source_keep(buffer.get());

  for (const ZipEntry& entry : entries) AddEntry(archive.get(), entry, level);

  if (zip_close(archive.get()) != 0) Fail("writing", archive.get());
  archive.release();  // zip_close freed it
  return ReadAll(buffer.get());
}

}  // namespace quorvane::word::embedded
