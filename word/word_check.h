#ifndef QUORVANE_WORD_WORD_CHECK_H_
#define QUORVANE_WORD_WORD_CHECK_H_

#include <string>
#include <string_view>

#include "word/object_factory.h"

namespace quorvane::word {

// What the check needs from the program around it.
class WordCheckUi {
 public:
  virtual ~WordCheckUi() = default;
  // A modal message box; `style` is a Windows message-box style (0: OK, no icon).
  virtual void ShowMessage(std::u16string_view text, int style) = 0;
  // Ends the program at once. In the real program this does not return.
  virtual void EndProgram() = 0;
};

// The five-part message shown when Word cannot be created.
std::u16string WordUnavailableMessage();

// Starts Word by ProgID and quits it again. When Word cannot be created, shows
// the message and ends the program.
void CheckWordInstalled(ObjectFactory& factory, WordCheckUi& ui);

}  // namespace quorvane::word

#endif  // QUORVANE_WORD_WORD_CHECK_H_
