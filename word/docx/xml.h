#ifndef QUORVANE_WORD_DOCX_XML_H_
#define QUORVANE_WORD_DOCX_XML_H_

// Small pugixml helpers shared by the parts of the .docx package.

#include <cstdint>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace quorvane::word::docx {

void SetAttribute(pugi::xml_node node, const char* name, std::string_view value);
void SetAttribute(pugi::xml_node node, const char* name, std::int64_t value);

// Starts a part: the XML declaration Word writes, then the root element.
pugi::xml_node AppendRoot(pugi::xml_document& part, const char* name);

// The part as UTF-8 bytes, without indentation: whitespace between runs is
// noise to every reader, and the parts stay small.
std::string Serialize(const pugi::xml_document& part);

}  // namespace quorvane::word::docx

#endif  // QUORVANE_WORD_DOCX_XML_H_
