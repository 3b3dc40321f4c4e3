#include "word/docx/parts.h"

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "word/docx/page_setup.h"
#include "word/docx/story.h"
#include "word/docx/xml.h"

namespace quorvane::word::docx {
namespace {

constexpr const char* kWordNs = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char* kRelNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view kRelTypes =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

constexpr const char* kHeaderId = "rId3";
constexpr const char* kFooterId = "rId4";

struct Relationship {
  std::string_view id;
  std::string_view type;  // full URI, or a name under kRelTypes
  std::string_view target;
};

struct ContentType {
  std::string_view key;  // a part name, or an extension for a default
  std::string_view type;
};

constexpr std::array kPackageRelationships = {
    Relationship{"rId1", "officeDocument", "word/document.xml"},
    Relationship{"rId2",
                 "http://schemas.openxmlformats.org/package/2006/relationships/metadata/"
                 "core-properties",
                 "docProps/core.xml"},
    Relationship{"rId3", "extended-properties", "docProps/app.xml"},
};

constexpr std::array kDocumentRelationships = {
    Relationship{"rId1", "styles", "styles.xml"},
    Relationship{"rId2", "settings", "settings.xml"},
    Relationship{kHeaderId, "header", "header1.xml"},
    Relationship{kFooterId, "footer", "footer1.xml"},
};

constexpr std::array kOverrides = {
    ContentType{"/word/document.xml",
                "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"},
    ContentType{"/word/styles.xml",
                "application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"},
    ContentType{"/word/settings.xml",
                "application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml"},
    ContentType{"/word/header1.xml",
                "application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml"},
    ContentType{"/word/footer1.xml",
                "application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml"},
    ContentType{"/docProps/core.xml", "application/vnd.openxmlformats-package.core-properties+xml"},
    ContentType{"/docProps/app.xml",
                "application/vnd.openxmlformats-officedocument.extended-properties+xml"},
};

std::string ContentTypesXml() {
  pugi::xml_document part;
  pugi::xml_node types = AppendRoot(part, "Types");
  SetAttribute(types, "xmlns", "http://schemas.openxmlformats.org/package/2006/content-types");
  for (const ContentType& fallback :
       {ContentType{"rels", "application/vnd.openxmlformats-package.relationships+xml"},
        ContentType{"xml", "application/xml"}}) {
    pugi::xml_node node = types.append_child("Default");
    SetAttribute(node, "Extension", fallback.key);
    SetAttribute(node, "ContentType", fallback.type);
  }
  for (const ContentType& override : kOverrides) {
    pugi::xml_node node = types.append_child("Override");
    SetAttribute(node, "PartName", override.key);
    SetAttribute(node, "ContentType", override.type);
  }
  return Serialize(part);
}

template <std::size_t N>
std::string RelationshipsXml(const std::array<Relationship, N>& relationships) {
  pugi::xml_document part;
  pugi::xml_node root = AppendRoot(part, "Relationships");
  SetAttribute(root, "xmlns", "http://schemas.openxmlformats.org/package/2006/relationships");
  for (const Relationship& relationship : relationships) {
    pugi::xml_node node = root.append_child("Relationship");
    SetAttribute(node, "Id", relationship.id);
    std::string type(relationship.type);
    if (type.find(':') == std::string::npos) type.insert(0, kRelTypes);
    SetAttribute(node, "Type", type);
    SetAttribute(node, "Target", relationship.target);
  }
  return Serialize(part);
}

pugi::xml_node AppendWordRoot(pugi::xml_document& part, const char* name) {
  pugi::xml_node root = AppendRoot(part, name);
  SetAttribute(root, "xmlns:w", kWordNs);
  SetAttribute(root, "xmlns:r", kRelNs);
  return root;
}

std::string DocumentXml(const embedded::Document& document) {
  pugi::xml_document part;
  pugi::xml_node body = AppendWordRoot(part, "w:document").append_child("w:body");
  AppendStory(body, document.main);
  AppendSectionProperties(body, document.pageSetup, kHeaderId, kFooterId);
  return Serialize(part);
}

std::string StoryPartXml(const char* rootName, const embedded::Story& story) {
  pugi::xml_document part;
  AppendStory(AppendWordRoot(part, rootName), story);
  return Serialize(part);
}

// Single spacing and no space around paragraphs, both in the defaults and in
// Normal itself, so that readers with other built-in defaults lay the chart
// out the same.
void AppendParagraphSpacing(pugi::xml_node parent) {
  pugi::xml_node spacing = parent.append_child("w:pPr").append_child("w:spacing");
  SetAttribute(spacing, "w:before", std::int64_t{0});
  SetAttribute(spacing, "w:after", std::int64_t{0});
  SetAttribute(spacing, "w:line", std::int64_t{240});
  SetAttribute(spacing, "w:lineRule", "auto");
}

std::string StylesXml() {
  pugi::xml_document part;
  pugi::xml_node styles = AppendWordRoot(part, "w:styles");
  pugi::xml_node defaults = styles.append_child("w:docDefaults");
  AppendRunProperties(defaults.append_child("w:rPrDefault"), kBaseFormat, false);
  AppendParagraphSpacing(defaults.append_child("w:pPrDefault"));

  pugi::xml_node normal = styles.append_child("w:style");
  SetAttribute(normal, "w:type", "paragraph");
  SetAttribute(normal, "w:default", "1");
  SetAttribute(normal, "w:styleId", "Normal");
  SetAttribute(normal.append_child("w:name"), "w:val", "Normal");
  normal.append_child("w:qFormat");
  AppendParagraphSpacing(normal);

  pugi::xml_node font = styles.append_child("w:style");
  SetAttribute(font, "w:type", "character");
  SetAttribute(font, "w:default", "1");
  SetAttribute(font, "w:styleId", "DefaultParagraphFont");
  SetAttribute(font.append_child("w:name"), "w:val", "Default Paragraph Font");
  return Serialize(part);
}

std::string SettingsXml(const embedded::PageSetup& setup) {
  pugi::xml_document part;
  AppendSettings(AppendWordRoot(part, "w:settings"), setup);
  return Serialize(part);
}

struct Namespace {
  const char* attribute;
  const char* uri;
};

std::string PropertiesXml(const char* root, std::initializer_list<Namespace> namespaces,
                          const char* application = nullptr) {
  pugi::xml_document part;
  pugi::xml_node node = AppendRoot(part, root);
  for (const Namespace& ns : namespaces) SetAttribute(node, ns.attribute, ns.uri);
  if (application != nullptr) node.append_child("Application").text().set(application);
  return Serialize(part);
}

// No dates and no author: the same document gives the same bytes, and the
// file names nobody.
std::string CorePropertiesXml() {
  return PropertiesXml(
      "cp:coreProperties",
      {{"xmlns:cp", "http://schemas.openxmlformats.org/package/2006/metadata/core-properties"},
       {"xmlns:dc", "http://purl.org/dc/elements/1.1/"},
       {"xmlns:dcterms", "http://purl.org/dc/terms/"}});
}

std::string AppPropertiesXml() {
  return PropertiesXml(
      "Properties",
      {{"xmlns", "http://schemas.openxmlformats.org/officeDocument/2006/extended-properties"}},
      "Quorvane");
}

}  // namespace

std::vector<PackagePart> PackageParts(const embedded::Document& document) {
  std::vector<PackagePart> parts;
  parts.reserve(10);
  parts.push_back({"[Content_Types].xml", ContentTypesXml()});
  parts.push_back({"_rels/.rels", RelationshipsXml(kPackageRelationships)});
  parts.push_back({"word/document.xml", DocumentXml(document)});
  parts.push_back({"word/_rels/document.xml.rels", RelationshipsXml(kDocumentRelationships)});
  parts.push_back({"word/styles.xml", StylesXml()});
  parts.push_back({"word/settings.xml", SettingsXml(document.pageSetup)});
  parts.push_back({"word/header1.xml", StoryPartXml("w:hdr", document.header)});
  parts.push_back({"word/footer1.xml", StoryPartXml("w:ftr", document.footer)});
  parts.push_back({"docProps/core.xml", CorePropertiesXml()});
  parts.push_back({"docProps/app.xml", AppPropertiesXml()});
  return parts;
}

}  // namespace quorvane::word::docx
