#ifndef QUORVANE_APP_REGULAR_FILE_H_
#define QUORVANE_APP_REGULAR_FILE_H_

// The program's own files (settings, skin, cursor) are regular files. Nothing
// else at their paths is ever opened for reading or writing: a FIFO would
// block an open or a read for ever, a device would be read without end or be
// replaced, a link could lead anywhere. The POSIX implementation is
// regular_file.cc.

#include <cstddef>
#include <filesystem>
#include <string>

namespace quorvane::app {

// Why `path` names no regular file, as a clause to follow the path: "is a
// FIFO, not a regular file", "is a symbolic link to a directory, not to a
// regular file", "is a symbolic link to nothing", "cannot be examined: Not a
// directory". Empty when it is a regular file or a symbolic link to one, and
// when nothing is there at all. Looks at the entry only; opens nothing.
std::string NotARegularFile(const std::filesystem::path& path);

// The whole content of the regular file at `path` when it holds at most
// `limit` bytes. Anything but a regular file is refused before it is opened,
// and checked again on the open file, which is opened without blocking; at
// most `limit` + 1 bytes are read, so a file that grows meanwhile is refused
// too. Throws std::runtime_error that begins with the path: "PATH is a FIFO,
// not a regular file", "PATH is larger than 1 MiB", "PATH: No such file or
// directory".
std::string ReadRegularFile(const std::filesystem::path& path, std::size_t limit);

}  // namespace quorvane::app

#endif  // QUORVANE_APP_REGULAR_FILE_H_
