// Windows: MoveFileExW without MOVEFILE_REPLACE_EXISTING fails on any name
// that is taken, in one step.

#include <windows.h>

#include "app/move_without_replacing.h"

namespace quorvane::app {

std::error_code MoveWithoutReplacing(const std::filesystem::path& from,
                                     const std::filesystem::path& to) {
  if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return {};
  const DWORD error = ::GetLastError();
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
    return std::make_error_code(std::errc::file_exists);
  }
  return {static_cast<int>(error), std::system_category()};
}

}  // namespace quorvane::app
