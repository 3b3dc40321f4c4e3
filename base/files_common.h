#ifndef QUORVANE_BASE_FILES_COMMON_H_
#define QUORVANE_BASE_FILES_COMMON_H_

// What both platforms' file calls share: one set of words, in which each
// platform tells what it found, and the bounded read.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/files.h"

namespace quorvane::base {

// What can stand at a path instead of a regular file.
enum class Entry {
  kFolder,
  kFifo,
  kCharacterDevice,
  kBlockDevice,
  kDevice,  // Windows: a console, a pipe or a device
  kSocket,
  kLink,  // Windows: a reparse point, not followed
  kOther,
};

// "a FIFO, not a regular file"
PathKind NotRegular(Entry entry);
// "a symbolic link to a FIFO, not to a regular file"
PathKind LinkTo(Entry entry);
// "a dangling symbolic link", or one that cannot be followed for `reason`.
PathKind DanglingLink();
PathKind UnfollowableLink(std::string_view reason);

// The system's words for an errno value, on every platform.
std::string ErrnoText(int error);

// The path as UTF-8, and in double quotes.
std::string Utf8(const std::filesystem::path& path);
std::string Quoted(const std::filesystem::path& path);

// `Cannot write "P": reason`, `"P" already exists`.
std::runtime_error CannotWrite(const std::filesystem::path& path, std::string_view reason);
std::runtime_error AlreadyExists(const std::filesystem::path& path);
// `P: reason`, `P is larger than 1 MiB`.
std::runtime_error CannotRead(const std::filesystem::path& path, std::string_view reason);
std::runtime_error TooLarge(const std::filesystem::path& path, std::size_t limit);

// The content of the file at `path`, which says it holds `size` bytes,
// through `read` (the bytes read into its span, 0 at the end; throws on
// failure). At most `limit` + 1 bytes are read: more is refused.
std::string ReadBounded(const std::filesystem::path& path, long long size, std::size_t limit,
                        const std::function<std::size_t(std::span<char>)>& read);

}  // namespace quorvane::base

#endif  // QUORVANE_BASE_FILES_COMMON_H_
