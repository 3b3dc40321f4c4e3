#ifndef QUORVANE_WORD_DOCX_ATOMIC_FILE_POSIX_H_
#define QUORVANE_WORD_DOCX_ATOMIC_FILE_POSIX_H_

// The system calls that WriteFileAtomically makes on POSIX systems, as a
// seam: tests give their own to play file systems that lack a feature, a
// folder that cannot be written, or a signal at a given moment.
//
// How the promises of atomic_file.h are kept here:
// - The document is written into an unnamed temporary file (O_TMPFILE) in
//   the target's folder and linked into place when complete (linkat never
//   replaces), so no kill at any moment leaves anything. To replace, it is
//   linked under a hidden random name and renamed over the target at once.
// - Where O_TMPFILE is missing (vfat, exFAT, network file systems), a hidden
//   named temporary file is used, removed by the catchable signals while it
//   exists. It is moved into place with renameat2(RENAME_NOREPLACE); failing
//   that, with link() and unlink(); failing that too (no hard links), the
//   target name is claimed with O_CREAT|O_EXCL and the temporary renamed
//   over the empty claim. Until that rename the name shows an empty file,
//   and a kill that cannot be caught leaves it there.

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string_view>

namespace quorvane::word::docx {

struct PosixFileCalls {
  std::function<int(const char* path, int flags, mode_t mode)> open;
  std::function<ssize_t(int fd, const void* data, size_t size)> write;
  std::function<int(int fd)> fsync;
  std::function<int(int fd, uid_t owner, gid_t group)> fchown;
  std::function<int(int fd, mode_t mode)> fchmod;
  std::function<int(int from_dir, const char* from, int to_dir, const char* to, int flags)> linkat;
  std::function<int(const char* from, const char* to)> link;
  std::function<int(int from_dir, const char* from, int to_dir, const char* to, unsigned flags)>
      renameat2;
  std::function<int(const char* from, const char* to)> rename;
};

// The calls themselves.
const PosixFileCalls& RealPosixFileCalls();

// WriteFileAtomically through `calls`.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, bool replace,
                         const PosixFileCalls& calls);

}  // namespace quorvane::word::docx

#endif  // QUORVANE_WORD_DOCX_ATOMIC_FILE_POSIX_H_
