#include "app/beside_program.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace quorvane::app {
namespace {

// The names keep their spelling, with the platform's own separator.
#ifdef _WIN32
constexpr std::u16string_view kSkinFile = u"\\x\\o.cjs";
constexpr std::u16string_view kCursorFile = u"\\HAND-M.CUR";
#else
constexpr std::u16string_view kSkinFile = u"/x/o.cjs";
constexpr std::u16string_view kCursorFile = u"/HAND-M.CUR";
#endif

}  // namespace

std::u16string SkinFilePath(std::u16string_view programFolder) {
  return std::u16string(programFolder) + std::u16string(kSkinFile);
}

std::u16string CursorFilePath(std::u16string_view programFolder) {
  return std::u16string(programFolder) + std::u16string(kCursorFile);
}

bool FileExists(std::u16string_view path) {
  if (path.empty()) return false;
  try {
    // Looks (stat) without opening: a FIFO or a device is no ordinary file.
    std::error_code failed;
    return std::filesystem::is_regular_file(std::filesystem::path(path), failed);
  } catch (const std::exception&) {
    return false;  // a text that names no path at all
  }
}

}  // namespace quorvane::app
