#ifndef QUORVANE_WORD_DOCX_ATOMIC_FILE_H_
#define QUORVANE_WORD_DOCX_ATOMIC_FILE_H_

// Writing a file so that it appears complete or not at all.

#include <filesystem>
#include <string_view>

namespace quorvane::word::docx {

// Writes `bytes` to a fresh temporary file beside `path`, flushes it to disk
// and moves it into place. Unless `replace`, an existing file is never
// replaced, not even one that appears while writing. On failure no temporary
// file is left behind and std::runtime_error names the path, e.g.
// `Cannot write "/x/y.docx": No such file or directory`.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, bool replace);

}  // namespace quorvane::word::docx

#endif  // QUORVANE_WORD_DOCX_ATOMIC_FILE_H_
