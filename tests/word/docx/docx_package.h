#ifndef QUORVANE_TESTS_WORD_DOCX_DOCX_PACKAGE_H_
#define QUORVANE_TESTS_WORD_DOCX_DOCX_PACKAGE_H_

// A written .docx read back with libzip and pugixml, independently of how
// the writer built it.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace quorvane::word::docx::testing_support {

struct ZipMember {
  std::string data;
  std::uint16_t compression = 0;  // ZIP_CM_*
  std::int64_t mtime = 0;         // as libzip reads the DOS time, local time
};

// Every member by name, in archive order of names. Throws on a broken archive.
std::map<std::string, ZipMember> ReadZip(std::string_view bytes);

// Parses a part; fails the current test when it is not well-formed.
pugi::xml_document ParsePart(const std::string& xml);

}  // namespace quorvane::word::docx::testing_support

#endif  // QUORVANE_TESTS_WORD_DOCX_DOCX_PACKAGE_H_
