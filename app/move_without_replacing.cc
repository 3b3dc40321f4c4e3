// POSIX: renameat2(RENAME_NOREPLACE); file systems without it get a hard link
// and an unlink.

#include "app/move_without_replacing.h"

#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <unistd.h>

#include <cerrno>

namespace quorvane::app {
namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

}  // namespace

std::error_code MoveWithoutReplacing(const std::filesystem::path& from,
                                     const std::filesystem::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return LastError();
  if (::link(from.c_str(), to.c_str()) != 0) return LastError();
  if (::unlink(from.c_str()) == 0) return {};
  const std::error_code failed = LastError();
  ::unlink(to.c_str());
  return failed;
}

}  // namespace quorvane::app
