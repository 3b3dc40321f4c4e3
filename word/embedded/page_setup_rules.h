#ifndef QUORVANE_WORD_EMBEDDED_PAGE_SETUP_RULES_H_
#define QUORVANE_WORD_EMBEDDED_PAGE_SETUP_RULES_H_

// Word's checks on a page set-up as a whole, made on every put so that a
// refused value leaves the page set-up as it was.

#include <cstdint>
#include <string_view>

#include "word/embedded/document.h"

namespace quorvane::word::embedded {

inline constexpr double kMinPageSize = 7.2;   // 0.1 inch
inline constexpr double kMaxPageSize = 1584;  // 22 inches
inline constexpr double kMaxLength = 1584;    // margins, gutter, distances

// Throws AutomationError, naming `what` (the property being put), unless the
// margins and the gutter leave room for text across and down the page and
// the header and footer distances fit the page.
void CheckRoomForText(const PageSetup& setup, std::string_view what);

// Sets the orientation and, as Word does, swaps the page width and height
// when they contradict it.
void ApplyOrientation(PageSetup& setup, Orientation orientation);

}  // namespace quorvane::word::embedded

#endif  // QUORVANE_WORD_EMBEDDED_PAGE_SETUP_RULES_H_
