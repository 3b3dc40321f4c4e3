#include "word/docx/writer.h"

#include <vector>

#include "base/files.h"
#include "word/docx/parts.h"
#include "word/docx/zip_archive.h"

namespace quorvane::word::docx {
namespace {

// The parts are small and repetitive: the fastest level gives a landscape
// chart 5% larger than level 3 for a fifth less deflating; 6 and up take half
// as long again for a file only 7% smaller.
constexpr int kCompressionLevel = 1;

}  // namespace

std::string WriteDocx(const embedded::Document& document) {
  const std::vector<PackagePart> parts = PackageParts(document);
  std::vector<ZipEntry> entries;
  entries.reserve(parts.size());
  for (const PackagePart& part : parts) entries.push_back({part.name, part.xml});
  return MakeZipArchive(entries, kCompressionLevel);
}

void SaveDocx(const embedded::Document& document, const std::filesystem::path& path, bool replace) {
  base::WriteFileAtomically(path, WriteDocx(document), replace);
}

}  // namespace quorvane::word::docx
