#ifndef QUORVANE_APP_MOVE_WITHOUT_REPLACING_H_
#define QUORVANE_APP_MOVE_WITHOUT_REPLACING_H_

// Renaming a file to a name that must be free. The POSIX implementation is
// move_without_replacing.cc.

#include <filesystem>
#include <system_error>

namespace quorvane::app {

// Renames `from` to `to` unless something is at `to`, which is never
// replaced; std::errc::file_exists then. Empty on success, else why not.
std::error_code MoveWithoutReplacing(const std::filesystem::path& from,
                                     const std::filesystem::path& to);

}  // namespace quorvane::app

#endif  // QUORVANE_APP_MOVE_WITHOUT_REPLACING_H_
