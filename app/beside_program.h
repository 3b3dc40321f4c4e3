#ifndef QUORVANE_APP_BESIDE_PROGRAM_H_
#define QUORVANE_APP_BESIDE_PROGRAM_H_

// The optional files beside the program: the skin and the hand cursor. The
// program folder is given without a trailing separator.

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane::app {

// The largest skin file that is read: 1 MiB. A skin of ours is about 2 KB;
// Qt's style sheet parser crashes on sheets of some GiB.
inline constexpr std::size_t kMaxSkinFileBytes = std::size_t{1} << 20;

// "x/o.cjs" below the program folder ("x\\o.cjs" on Windows).
std::u16string SkinFilePath(std::u16string_view programFolder);

// "HAND-M.CUR" in the program folder, after the platform's separator.
std::u16string CursorFilePath(std::u16string_view programFolder);

// True for an ordinary file (a link to one counts); false for a folder, a
// FIFO, a device, a socket, a missing file, an empty or invalid path. Looks
// at the path only and opens nothing. Never fails. Hidden files are not
// set apart: on Linux hiding is only a naming habit.
bool FileExists(std::u16string_view path);

}  // namespace quorvane::app

#endif  // QUORVANE_APP_BESIDE_PROGRAM_H_
