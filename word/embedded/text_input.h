#ifndef QUORVANE_WORD_EMBEDDED_TEXT_INPUT_H_
#define QUORVANE_WORD_EMBEDDED_TEXT_INPUT_H_

#include <string>
#include <string_view>

namespace quorvane::word::embedded {

// Text put through automation in story form: CR LF, a lone CR or a lone LF
// each end a paragraph (one U+000D mark); tab, vertical tab (line break) and
// form feed (page break) stay; every other character below U+0020 is dropped.
std::u16string ToStoryText(std::u16string_view input);

}  // namespace quorvane::word::embedded

#endif  // QUORVANE_WORD_EMBEDDED_TEXT_INPUT_H_
