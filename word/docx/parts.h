#ifndef QUORVANE_WORD_DOCX_PARTS_H_
#define QUORVANE_WORD_DOCX_PARTS_H_

// The parts of a WordprocessingML package for one document.

#include <string>
#include <vector>

#include "word/embedded/document.h"

namespace quorvane::word::docx {

struct PackagePart {
  std::string name;  // path inside the package, without a leading slash
  std::string xml;
};

// Every part, "[Content_Types].xml" first, where readers look for it.
std::vector<PackagePart> PackageParts(const embedded::Document& document);

}  // namespace quorvane::word::docx

#endif  // QUORVANE_WORD_DOCX_PARTS_H_
