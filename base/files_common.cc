#include "base/files_common.h"

#include <algorithm>
#include <system_error>

namespace quorvane::base {
namespace {

const char* NameOf(Entry entry) {
  switch (entry) {
    case Entry::kFolder:
      return "a folder";
    case Entry::kFifo:
      return "a FIFO";
    case Entry::kCharacterDevice:
      return "a character device";
    case Entry::kBlockDevice:
      return "a block device";
    case Entry::kDevice:
      return "a device";
    case Entry::kSocket:
      return "a socket";
    case Entry::kLink:
      return "a symbolic link or junction";
    case Entry::kOther:
      break;
  }
  return "an unknown kind of file";
}

std::string SizeText(std::size_t bytes) {
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  if (bytes != 0 && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
  return std::to_string(bytes) + " bytes";
}

}  // namespace

PathKind NotRegular(Entry entry) {
  return {PathKind::Is::kOther, std::string(NameOf(entry)) + ", not a regular file"};
}

PathKind LinkTo(Entry entry) {
  return {PathKind::Is::kOther,
          std::string("a symbolic link to ") + NameOf(entry) + ", not to a regular file"};
}

PathKind DanglingLink() {
  return {PathKind::Is::kOther, "a dangling symbolic link"};
}

PathKind UnfollowableLink(std::string_view reason) {
  return {PathKind::Is::kOther, "a symbolic link that cannot be followed: " + std::string(reason)};
}

std::string ErrnoText(int error) {
  return std::generic_category().message(error);
}

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string Quoted(const std::filesystem::path& path) {
  return '"' + Utf8(path) + '"';
}

std::runtime_error CannotWrite(const std::filesystem::path& path, std::string_view reason) {
  return std::runtime_error("Cannot write " + Quoted(path) + ": " + std::string(reason));
}

std::runtime_error AlreadyExists(const std::filesystem::path& path) {
  return std::runtime_error(Quoted(path) + " already exists");
}

std::runtime_error CannotRead(const std::filesystem::path& path, std::string_view reason) {
  return std::runtime_error(Utf8(path) + ": " + std::string(reason));
}

std::runtime_error TooLarge(const std::filesystem::path& path, std::size_t limit) {
  return std::runtime_error(Utf8(path) + " is larger than " + SizeText(limit));
}

std::string WriteRefusal(const std::filesystem::path& path, const PathKind& kind) {
  const bool other = kind.is == PathKind::Is::kOther;
  return CannotWrite(path, other ? "it is " + kind.what : kind.what).what();
}

std::string ReadBounded(const std::filesystem::path& path, long long size, std::size_t limit,
                        const std::function<std::size_t(std::span<char>)>& read) {
  if (size < 0 || static_cast<unsigned long long>(size) > limit) throw TooLarge(path, limit);
  // One byte more than the limit tells a file that grew past it.
  std::string bytes(static_cast<std::size_t>(size) + 1, '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (bytes.size() > limit) throw TooLarge(path, limit);
      bytes.resize(std::min(bytes.size() * 2, limit + 1));
    }
    const std::size_t got = read(std::span(bytes).subspan(filled));
    if (got == 0) break;
    filled += got;
  }
  bytes.resize(filled);
  return bytes;
}

std::string NotARegularFile(const std::filesystem::path& path) {
  const PathKind kind = KindAt(path);
  switch (kind.is) {
    case PathKind::Is::kOther:
      return "is " + kind.what;
    case PathKind::Is::kUnknown:
      return "cannot be examined: " + kind.what;
    case PathKind::Is::kNothing:
    case PathKind::Is::kRegularFile:
      break;
  }
  return {};
}

}  // namespace quorvane::base
