#ifndef QUORVANE_BASE_FILES_POSIX_H_
#define QUORVANE_BASE_FILES_POSIX_H_

// The POSIX (Linux) side of files.h, with the system calls that a file
// system may lack or fail as a seam: tests play file systems without a
// feature, failing calls and signals at a given moment through one fake.
//
// How the promises of files.h are kept here:
// - The document is written into an unnamed temporary file (O_TMPFILE) in
//   the target's folder and linked into place when complete (linkat never
//   replaces), so no kill at any moment leaves anything. To replace, it is
//   linked under a hidden random name, which then swaps names with the
//   target (renameat2(RENAME_EXCHANGE)): what came out is checked in the
//   same step and swapped back unless it is a regular file. Without that
//   flag, a plain rename replaces whatever is there by then.
// - Where O_TMPFILE is missing (vfat, exFAT, network file systems), a hidden
//   named temporary file is used, removed by the catchable signals while it
//   exists. It is moved into place with MoveWithoutReplacing.
// - MoveWithoutReplacing uses renameat2(RENAME_NOREPLACE); failing that,
//   link() and unlink(); failing that too (no hard links), the target name
//   is claimed with O_CREAT|O_EXCL and the file renamed over the empty
//   claim. Until that rename the name shows an empty file, and a kill that
//   cannot be caught leaves it there.
// - Hidden names are made through the target's folder, held open, never as
//   whole paths: a target whose path is as long as a path may be would
//   otherwise fail for its hidden name's extra bytes.
// - Reads open with O_NONBLOCK, so that a FIFO cannot hold them.

#include <filesystem>
#include <string_view>
#include <system_error>

namespace quorvane::base {

class PosixCalls {
 public:
  enum class Call {
    kOpenUnnamed,  // open(O_TMPFILE)
    kOpen,         // open(O_CREAT | O_EXCL): a temporary file or a claim
    kWrite,
    kFsync,
    kFchown,
    kFchmod,
    kLinkUnnamed,  // linkat() of an unnamed file through /proc/self/fd
    kLink,
    kRenameNoReplace,  // renameat2(RENAME_NOREPLACE)
    kRenameExchange,   // renameat2(RENAME_EXCHANGE)
    kRename,
  };

  virtual ~PosixCalls() = default;
  // Asked before each call: 0 makes it, an errno value fails it with that
  // value instead. The system's own calls answer 0.
  virtual int Before(Call) const { return 0; }
};

// files.h's calls through `calls`.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, bool replace,
                         const PosixCalls& calls);
std::error_code MoveWithoutReplacing(const std::filesystem::path& from,
                                     const std::filesystem::path& to, const PosixCalls& calls);

}  // namespace quorvane::base

#endif  // QUORVANE_BASE_FILES_POSIX_H_
