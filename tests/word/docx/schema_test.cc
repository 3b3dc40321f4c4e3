// The written parts checked against the ECMA-376 transitional schemas with
// xmllint: Word refuses what they refuse, LibreOffice does not.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/word/docx/docx_package.h"
#include "tests/word/docx/docx_samples.h"
#include "word/docx/writer.h"

namespace quorvane::word::docx {
namespace {

using embedded::Alignment;
using embedded::Document;
using embedded::LineStyle;
using embedded::Paragraph;

namespace fs = std::filesystem;

const fs::path kSchemas = QUORVANE_SCHEMA_DIR;

// Every part name with the schema that governs it.
const std::vector<std::pair<std::string, std::string>> kPartSchemas = {
    {"word/document.xml", "wml.xsd"},
    {"word/styles.xml", "wml.xsd"},
    {"word/settings.xml", "wml.xsd"},
    {"word/header1.xml", "wml.xsd"},
    {"word/footer1.xml", "wml.xsd"},
    {"[Content_Types].xml", "opc-contentTypes.xsd"},
    {"_rels/.rels", "opc-relationships.xsd"},
    {"word/_rels/document.xml.rels", "opc-relationships.xsd"},
    {"docProps/core.xml", "opc-coreProperties.xsd"},
    {"docProps/app.xml", "shared-documentPropertiesExtended.xsd"},
};

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs xmllint on the files; returns its exit status and what it said.
std::pair<int, std::string> Validate(const fs::path& schema, const std::vector<fs::path>& files) {
  std::string command = "xmllint --noout --nonet --schema " + ShellQuoted(schema.string());
  for (const fs::path& file : files) command += " " + ShellQuoted(file.string());
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return {-1, "cannot run xmllint"};
  std::string output;
  char buffer[4096];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

class DocxSchema : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::is_regular_file(kSchemas / "wml.xsd"))
        << "The OOXML schemas are not in " << kSchemas;
    folder_ = fs::path(::testing::TempDir()) /
              ("docx-schema-" + std::to_string(::getpid()) + "-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Each part saved under its own name (slashes flattened), then checked
  // with one xmllint run per schema.
  void ExpectValid(const Document& document) {
    const auto members = testing_support::ReadZip(WriteDocx(document));
    ASSERT_EQ(members.size(), kPartSchemas.size());
    std::map<std::string, std::vector<fs::path>> bySchema;
    for (const auto& [part, schema] : kPartSchemas) {
      const auto member = members.find(part);
      ASSERT_NE(member, members.end()) << part;
      std::string name = part;
      std::replace(name.begin(), name.end(), '/', '_');
      const fs::path file = folder_ / name;
      std::ofstream(file, std::ios::binary) << member->second.data;
      bySchema[schema].push_back(file);
    }
    for (const auto& [schema, files] : bySchema) {
      const auto [status, output] = Validate(kSchemas / schema, files);
      EXPECT_EQ(status, 0) << "against " << schema << ":\n" << output;
    }
  }

  fs::path folder_;
};

// Guards the harness: a check that passes everything would prove nothing.
TEST_F(DocxSchema, MisorderedSectionIsRefused) {
  const fs::path file = folder_ / "misordered.xml";
  std::ofstream(file) << "<w:document xmlns:w=\"http://schemas.openxmlformats.org/"
                         "wordprocessingml/2006/main\"><w:body><w:sectPr><w:pgSz w:w=\"12240\" "
                         "w:h=\"15840\"/><w:type w:val=\"nextPage\"/></w:sectPr></w:body>"
                         "</w:document>";
  const auto [status, output] = Validate(kSchemas / "wml.xsd", {file});
  EXPECT_NE(status, 0) << output;
}

TEST_F(DocxSchema, PortraitChartIsValid) {
  ExpectValid(samples::PortraitSample().document);
}

TEST_F(DocxSchema, LandscapeChartIsValid) {
  ExpectValid(samples::LandscapeSample().document);
}

TEST_F(DocxSchema, EveryOptionalElementIsValid) {
  Document document = samples::PortraitSample().document;
  document.pageSetup = samples::UnusualPageSetup();
  Paragraph& paragraph = document.main.front();
  paragraph.format = {Alignment::Justify, {static_cast<LineStyle>(20), 48, 0x00336699}};
  paragraph.runs.push_back({u"\t\v\f", {u"Arial", 11.0f, false}});
  ExpectValid(document);
}

TEST_F(DocxSchema, EmptyStoriesAreValid) {
  ExpectValid(Document{});
}

}  // namespace
}  // namespace quorvane::word::docx
