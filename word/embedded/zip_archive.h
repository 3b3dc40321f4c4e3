#ifndef QUORVANE_WORD_EMBEDDED_ZIP_ARCHIVE_H_
#define QUORVANE_WORD_EMBEDDED_ZIP_ARCHIVE_H_

// A zip archive built in memory, as the container of a .docx package.

#include <span>
#include <string>
#include <string_view>

namespace quorvane::word::embedded {

struct ZipEntry {
  std::string_view name;
  std::string_view data;
};

// The entries in the given order, deflated at `level` (1 fastest .. 9
// smallest). Every entry is dated 1980-01-01 00:00, so equal entries give
// equal bytes. Throws std::runtime_error when libzip fails.
std::string MakeZipArchive(std::span<const ZipEntry> entries, int level);

}  // namespace quorvane::word::embedded

#endif  // QUORVANE_WORD_EMBEDDED_ZIP_ARCHIVE_H_
