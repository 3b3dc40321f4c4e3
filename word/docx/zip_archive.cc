#include "word/docx/zip_archive.h"

#include <zlib.h>

#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvane::word::docx {
namespace {

// The zip records this writes (PKWARE APPNOTE 4.3): local file headers with
// the data, the central directory, its end record. No data descriptors, no
// Zip64, no extra fields.
constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint16_t kVersion = 20;  // 2.0: deflate; made on MS-DOS
constexpr std::uint16_t kDeflated = 8;
// MS-DOS date of 1980-01-01 (year 0 since 1980, month 1, day 1), time 00:00.
constexpr std::uint16_t kDosDate = (1 << 5) | 1;
constexpr std::uint16_t kDosTime = 0;

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error("Cannot build the zip archive: " + what);
}

void Put16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
  Put16(out, static_cast<std::uint16_t>(value >> 16));
}

std::uint32_t Checked32(std::size_t value, std::string_view what) {
  if (value > std::numeric_limits<std::uint32_t>::max()) Fail(std::string(what) + " exceeds 4 GiB");
  return static_cast<std::uint32_t>(value);
}

constexpr int kZlibDefaultMemLevel = 8;

// zlib out of memory is what any other allocation failure is: "Out of memory"
// to the user, not a fault of the archive.
void ThrowIfOutOfMemory(int status) {
  if (status == Z_MEM_ERROR) throw std::bad_alloc();
}

// One raw deflate stream, reset between entries so its buffers are made once.
class Deflater {
 public:
  Deflater(int level, const ZlibMemory& memory) {
    stream_.zalloc = memory.allocate;
    stream_.zfree = memory.release;
    stream_.opaque = memory.opaque;
    const int status = deflateInit2(&stream_, level, Z_DEFLATED, -MAX_WBITS, kZlibDefaultMemLevel,
                                    Z_DEFAULT_STRATEGY);
    ThrowIfOutOfMemory(status);
    if (status != Z_OK) Fail("zlib cannot deflate at level " + std::to_string(level));
  }
  ~Deflater() { deflateEnd(&stream_); }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  // Appends the deflated `data` to `out`; returns the number of bytes added.
  std::size_t Deflate(std::string_view data, std::string& out) {
    if (deflateReset(&stream_) != Z_OK) Fail("zlib refused to reset");
    const std::size_t start = out.size();
    out.resize(start + deflateBound(&stream_, static_cast<uLong>(data.size())));
    stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream_.avail_in = static_cast<uInt>(data.size());
    stream_.next_out = reinterpret_cast<Bytef*>(out.data() + start);
    stream_.avail_out = static_cast<uInt>(out.size() - start);
    const int status = deflate(&stream_, Z_FINISH);
    ThrowIfOutOfMemory(status);
    if (status != Z_STREAM_END) Fail("zlib could not deflate an entry");
    out.resize(out.size() - stream_.avail_out);
    return out.size() - start;
  }

 private:
  z_stream stream_{};
};

struct CentralRecord {
  std::string_view name;
  std::uint32_t crc;
  std::uint32_t compressedSize;
  std::uint32_t size;
  std::uint32_t offset;
};

// The fields that the local header and the central directory share.
void PutCommon(std::string& out, const CentralRecord& record) {
  Put16(out, kVersion);  // needed to extract
  Put16(out, 0);         // flags
  Put16(out, kDeflated);
  Put16(out, kDosTime);
  Put16(out, kDosDate);
  Put32(out, record.crc);
  Put32(out, record.compressedSize);
  Put32(out, record.size);
  Put16(out, static_cast<std::uint16_t>(record.name.size()));
  Put16(out, 0);  // extra field length
}

}  // namespace

std::string MakeZipArchive(std::span<const ZipEntry> entries, int level, const ZlibMemory& memory) {
  if (entries.size() > std::numeric_limits<std::uint16_t>::max()) Fail("too many entries");
  std::size_t total = 0;
  for (const ZipEntry& entry : entries) total += entry.data.size() / 4 + entry.name.size() * 2 + 80;

  std::string out;
  out.reserve(total + 22);
  std::vector<CentralRecord> records;
  records.reserve(entries.size());
  Deflater deflater(level, memory);

  for (const ZipEntry& entry : entries) {
    if (entry.name.empty() || entry.name.size() > std::numeric_limits<std::uint16_t>::max()) {
      Fail("an entry name is empty or too long");
    }
    CentralRecord record{
        entry.name,
        static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()),
                                         Checked32(entry.data.size(), entry.name))),
        0, Checked32(entry.data.size(), entry.name), Checked32(out.size(), "the archive")};
    Put32(out, kLocalHeaderSignature);
    const std::size_t sizeField = out.size() + 14;  // compressed size, known after deflating
    PutCommon(out, record);
    out += entry.name;
    record.compressedSize = Checked32(deflater.Deflate(entry.data, out), entry.name);
    for (int i = 0; i < 4; ++i) {
      out[sizeField + static_cast<std::size_t>(i)] =
          static_cast<char>((record.compressedSize >> (8 * i)) & 0xFF);
    }
    records.push_back(record);
  }

  const std::uint32_t directoryOffset = Checked32(out.size(), "the archive");
  for (const CentralRecord& record : records) {
    Put32(out, kCentralHeaderSignature);
    Put16(out, kVersion);  // made by
    PutCommon(out, record);
    Put16(out, 0);  // comment length
    Put16(out, 0);  // disk number
    Put16(out, 0);  // internal attributes
    Put32(out, 0);  // external attributes
    Put32(out, record.offset);
    out += record.name;
  }
  const std::uint32_t directorySize = Checked32(out.size() - directoryOffset, "the archive");

  const auto count = static_cast<std::uint16_t>(records.size());
  Put32(out, kEndSignature);
  Put16(out, 0);  // this disk
  Put16(out, 0);  // disk of the directory
  Put16(out, count);
  Put16(out, count);
  Put32(out, directorySize);
  Put32(out, directoryOffset);
  Put16(out, 0);  // comment length
  return out;
}

}  // namespace quorvane::word::docx
