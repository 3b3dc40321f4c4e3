#include "chart/code_page.h"

#include <algorithm>

namespace quorvane::chart {

// Both in the generated code_page_tables.cc; the zero-width characters sorted.
extern const std::span<const CodePage> kCodePages;
extern const std::span<const char16_t> kZeroWidth;

namespace {

// "ISO_8859-1", "Latin-1" and "latin1" are one name.
std::string Folded(std::string_view name) {
  std::string folded;
  for (const char c : name) {
    if (c == '-' || c == '_' || c == ' ') continue;
    folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return folded;
}

bool Names(const CodePage& page, const std::string& folded) {
  if (Folded(page.name) == folded) return true;
  std::string_view rest = page.aliases;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find(' '), rest.size());
    if (Folded(rest.substr(0, end)) == folded) return true;
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return false;
}

}  // namespace

std::span<const CodePage> CodePages() {
  return kCodePages;
}

const CodePage& DefaultCodePage() {
  return kCodePages.front();
}

const CodePage* FindCodePage(std::string_view name) {
  const std::string folded = Folded(name);
  const auto found = std::find_if(kCodePages.begin(), kCodePages.end(),
                                  [&](const CodePage& page) { return Names(page, folded); });
  return found == kCodePages.end() ? nullptr : &*found;
}

bool IsZeroWidth(char16_t c) {
  // Most of a chart is ASCII, below every mark.
  if (kZeroWidth.empty() || c < kZeroWidth.front()) return false;
  return std::binary_search(kZeroWidth.begin(), kZeroWidth.end(), c);
}

}  // namespace quorvane::chart
