#ifndef QUORVANE_WORD_DOCX_WRITER_H_
#define QUORVANE_WORD_DOCX_WRITER_H_

// Office Open XML output. The same document always gives the same bytes.

#include <filesystem>
#include <string>

#include "word/embedded/document.h"

namespace quorvane::word::docx {

// The whole .docx package in memory.
std::string WriteDocx(const embedded::Document& document);

// Writes the package so that the file appears complete or not at all. Unless
// `replace`, an existing file is left alone and the call fails. Failures throw
// std::runtime_error with a description that names the path.
void SaveDocx(const embedded::Document& document, const std::filesystem::path& path, bool replace);

}  // namespace quorvane::word::docx

#endif  // QUORVANE_WORD_DOCX_WRITER_H_
