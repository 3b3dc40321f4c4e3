#ifndef QUORVANE_BASE_FILES_H_
#define QUORVANE_BASE_FILES_H_

// What the programs do with files. The promises below hold on every
// platform; how each is kept is the platform's part (POSIX: files_posix.h,
// Windows: files_windows.cc). Failures throw std::runtime_error in the words
// of files_common.h, the same on every platform.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace quorvane::base {

// What stands at a path now, for a check before anything is made: the path
// can change before a write or read, which checks again.
struct PathKind {
  enum class Is {
    kNothing,      // the name is free
    kRegularFile,  // a regular file, or a symbolic link to one (POSIX)
    kOther,        // anything else: never written or read
    kUnknown,      // cannot be told (e.g. a folder that cannot be read)
  };
  Is is = Is::kUnknown;
  // kOther: what it is, e.g. "a FIFO, not a regular file", "a symbolic link
  // to a folder, not to a regular file", "a dangling symbolic link".
  // kUnknown: why it cannot be told, e.g. "Permission denied".
  std::string what;
};
// On Windows a symbolic link or junction is not followed: it is kOther.
PathKind KindAt(const std::filesystem::path& path);

// The refusal that a write gives for `kind` (kOther or kUnknown):
// `Cannot write "/x/y": it is a FIFO, not a regular file`.
std::string WriteRefusal(const std::filesystem::path& path, const PathKind& kind);

// Why `path` names no regular file, as a clause to follow the path: "is a
// FIFO, not a regular file", "cannot be examined: Not a directory". Empty
// for a regular file and for nothing at all. Opens nothing.
std::string NotARegularFile(const std::filesystem::path& path);

// Writes `bytes` to `path`:
// - Only a regular file is ever replaced. Anything else at `path` (a device,
//   FIFO, socket or folder, a link to one of them, a dangling link) is
//   refused, whatever `replace` says, and left as it is.
// - A symbolic link at `path` is followed (POSIX): the regular file it names
//   is the one written, in that file's own folder, and the link stays a link.
// - Unless `replace`, an existing file is never replaced, not even one that
//   appears while writing.
// - A name shows a complete file or nothing: the bytes reach the disk before
//   the name does.
// - A replaced file keeps its permission bits, and its owner where the
//   process may set it.
// - Nothing is left behind on failure, nor when the process is ended by a
//   signal it can catch (SIGTERM, SIGHUP, SIGINT, SIGXFSZ, SIGPIPE) while
//   their action is the default; where the file system allows, not even
//   when it is killed outright.
// Failures name the path: `Cannot write "/x/y.docx": No such file or
// directory`, `"/x/y.docx" already exists`.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, bool replace);

// The whole content of the regular file at `path` when it holds at most
// `limit` bytes. Anything but a regular file is refused before it is opened,
// and checked again on the open file, which is opened without blocking; at
// most `limit` + 1 bytes are read, so a file that grows meanwhile is refused
// too. Failures begin with the path: "PATH is a FIFO, not a regular file",
// "PATH is larger than 1 MiB", "PATH: No such file or directory".
std::string ReadRegularFile(const std::filesystem::path& path, std::size_t limit);

// Renames `from` to `to` unless something is at `to`, which is never
// replaced; std::errc::file_exists then. Empty on success, else why not.
std::error_code MoveWithoutReplacing(const std::filesystem::path& from,
                                     const std::filesystem::path& to);

}  // namespace quorvane::base

#endif  // QUORVANE_BASE_FILES_H_
