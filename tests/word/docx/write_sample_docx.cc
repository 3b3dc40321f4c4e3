// Writes the sample documents into a folder for the LibreOffice test: for
// each, NAME.docx and NAME.lines, one line a row as text extracted from the
// rendered page shows it: the page number, a tab, the text (UTF-8).

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

#include "base/utf.h"
#include "tests/word/docx/docx_samples.h"
#include "word/docx/writer.h"

namespace {

namespace docx = quorvane::word::docx;

// A no-break space reads as a space; a soft hyphen shows only where it
// breaks a line.
std::u16string AsRendered(std::u16string text) {
  std::erase(text, u'\u00AD');
  std::replace(text.begin(), text.end(), u'\u00A0', u' ');
  return text;
}

void WriteSample(const std::filesystem::path& folder, const char* name,
                 const docx::samples::Sample& sample) {
  docx::SaveDocx(sample.document, folder / (std::string(name) + ".docx"), true);
  std::ofstream lines(folder / (std::string(name) + ".lines"), std::ios::binary);
  for (const docx::samples::SampleLine& line : sample.lines) {
    lines << line.page << '\t' << quorvane::base::ToUtf8(AsRendered(line.text)) << '\n';
  }
  if (!lines) throw std::runtime_error("Cannot write the lines of " + std::string(name));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  try {
    WriteSample(argv[1], "portrait", docx::samples::PortraitSample());
    WriteSample(argv[1], "landscape", docx::samples::LandscapeSample());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
