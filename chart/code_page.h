#ifndef QUORVANE_CHART_CODE_PAGE_H_
#define QUORVANE_CHART_CODE_PAGE_H_

// The single-byte code pages whose upper half (codes 128 to 255) a chart can
// show. Their cells are made at build time from the host's iconv
// (make_code_pages.py), the same for the Linux and the Windows programs.

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace quorvane::chart {

struct CodePage {
  std::string_view name;      // as the tool lists it: "437", "iso-8859-1"
  std::string_view aliases;   // other names people type, separated by spaces
  std::u16string_view title;  // what the chart's title names; empty for 1252
  // The SYM cells of 128 to 255, three columns each when printed. Empty for
  // 1252, which keeps the chart's own rules.
  std::span<const std::u16string_view> upperCells;
};

// Every code page, 1252 (the default) first.
std::span<const CodePage> CodePages();
const CodePage& DefaultCodePage();

// By name or alias, ignoring case and the separators "-", "_" and " ";
// nullptr when there is none.
const CodePage* FindCodePage(std::string_view name);

// Whether `c` takes no column of its own: the combining marks of the cells
// and the marks that keep right-to-left letters in their place.
bool IsZeroWidth(char16_t c);

}  // namespace quorvane::chart

#endif  // QUORVANE_CHART_CODE_PAGE_H_
