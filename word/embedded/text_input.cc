#include "word/embedded/text_input.h"

#include "word/embedded/story.h"

namespace quorvane::word::embedded {

std::u16string ToStoryText(std::u16string_view input) {
  std::u16string out;
  out.reserve(input.size());
  for (std::size_t i = 0; i < input.size(); ++i) {
    const char16_t c = input[i];
    if (c == u'\r' || c == u'\n') {
      out.push_back(kParagraphMark);
      if (c == u'\r' && i + 1 < input.size() && input[i + 1] == u'\n') ++i;
    } else if (c >= 0x20 || c == u'\t' || c == u'\v' || c == u'\f') {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace quorvane::word::embedded
