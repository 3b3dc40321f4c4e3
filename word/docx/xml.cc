#include "word/docx/xml.h"

namespace quorvane::word::docx {
namespace {

class StringWriter final : public pugi::xml_writer {
 public:
  explicit StringWriter(std::string& out) : out_(out) {}
  void write(const void* data, std::size_t size) override {
    out_.append(static_cast<const char*>(data), size);
  }

 private:
  std::string& out_;
};

}  // namespace

void SetAttribute(pugi::xml_node node, const char* name, std::string_view value) {
  node.append_attribute(name).set_value(value.data(), value.size());
}

void SetAttribute(pugi::xml_node node, const char* name, std::int64_t value) {
  node.append_attribute(name).set_value(static_cast<long long>(value));
}

pugi::xml_node AppendRoot(pugi::xml_document& part, const char* name) {
  pugi::xml_node declaration = part.append_child(pugi::node_declaration);
  SetAttribute(declaration, "version", "1.0");
  SetAttribute(declaration, "encoding", "UTF-8");
  SetAttribute(declaration, "standalone", "yes");
  return part.append_child(name);
}

std::string Serialize(const pugi::xml_document& part) {
  std::string out;
  StringWriter writer(out);
  part.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
  return out;
}

}  // namespace quorvane::word::docx
