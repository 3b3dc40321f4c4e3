#include "app/cli/footer_text.h"

#include <cstdio>

#include "app/cli/chart_tool_options.h"
#include "base/utf.h"

namespace quorvane::app::cli {
namespace {

std::string CodePoint(char16_t c) {
  char text[8];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

}  // namespace

std::string FooterText(std::string_view given) {
  if (!base::IsUtf8(given)) throw UsageError("the --footer text is not valid UTF-8");
  const std::u16string text = base::FromUtf8(given);
  std::u16string footer;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      footer += u' ';
    } else if ((c < 0x20 && c != u'\t') || c == 0xFFFE || c == 0xFFFF) {
      throw UsageError("the --footer text holds " + CodePoint(c) +
                       ", which a document cannot hold");
    } else {
      footer += c;
    }
  }
  return base::ToUtf8(footer);
}

}  // namespace quorvane::app::cli
