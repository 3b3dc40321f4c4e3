#ifndef QUORVANE_WORD_DOCX_ZIP_ARCHIVE_H_
#define QUORVANE_WORD_DOCX_ZIP_ARCHIVE_H_

// A zip archive built in memory, as the container of a .docx package.
//
// A package is a handful of small parts written once, so this writes the zip
// records itself over zlib: one deflate stream reused for every part, no
// temporary files, nothing loaded that a package never uses (encryption,
// other compression methods).

#include <span>
#include <string>
#include <string_view>

namespace quorvane::word::docx {

struct ZipEntry {
  std::string_view name;  // ASCII, '/' between folders
  std::string_view data;
};

// Where zlib takes its memory from: zlib's own (malloc) unless given, as
// zlib's zalloc, zfree and opaque. `allocate` returns null when it cannot.
struct ZlibMemory {
  void* (*allocate)(void* opaque, unsigned items, unsigned size) = nullptr;
  void (*release)(void* opaque, void* address) = nullptr;
  void* opaque = nullptr;
};

// The entries in the given order, deflated at `level` (1 fastest .. 9
// smallest). Every entry is dated 1980-01-01 00:00, so equal entries give
// equal bytes. Throws std::bad_alloc when zlib runs out of memory, and
// std::runtime_error when the archive cannot be made otherwise (an entry
// over 4 GiB, more than 65,535 entries, zlib refusing).
std::string MakeZipArchive(std::span<const ZipEntry> entries, int level,
                           const ZlibMemory& memory = {});

}  // namespace quorvane::word::docx

#endif  // QUORVANE_WORD_DOCX_ZIP_ARCHIVE_H_
