#ifndef QUORVANE_WORD_DOCX_ATOMIC_FILE_H_
#define QUORVANE_WORD_DOCX_ATOMIC_FILE_H_

// Writing a file so that it appears complete or not at all. The promises
// below hold on every platform; how each is kept is the platform's part
// (POSIX: atomic_file_posix.h and atomic_file.cc).

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvane::word::docx {

// Writes `bytes` to `path`:
// - Only a regular file is ever replaced. Anything else at `path` (a device,
//   FIFO, socket or folder, a link to one of them, a dangling link) is
//   refused, whatever `replace` says, and left as it is.
// - A symbolic link at `path` is followed: the regular file it names is the
//   one written, in that file's own folder, and the link stays a link.
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
// Failures throw std::runtime_error naming the path, e.g.
// `Cannot write "/x/y.docx": No such file or directory`,
// `"/x/y.docx" already exists` or
// `Cannot write "/x/y": it is a FIFO, not a regular file`.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, bool replace);

// What is at a path now, for a check before anything is made. A write may
// still fail: the path can change meanwhile.
struct WriteTarget {
  enum class Kind {
    kNothing,      // the name is free
    kRegularFile,  // a regular file, or a link to one: replaceable
    kRefused,      // never written: `refusal` says why, as the write would
    kUnknown,      // cannot be told (e.g. a folder that cannot be read)
  };
  Kind kind = Kind::kUnknown;
  std::string refusal;
};
WriteTarget InspectWriteTarget(const std::filesystem::path& path);

}  // namespace quorvane::word::docx

#endif  // QUORVANE_WORD_DOCX_ATOMIC_FILE_H_
