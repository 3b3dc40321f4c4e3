#include "word/word_check.h"

#include <array>

#include "word/automation.h"

namespace quorvane::word {

std::u16string WordUnavailableMessage() {
  static constexpr std::array<std::u16string_view, 5> kParts = {
      u"Error 842001. A normal instance of Word could not be created.",
      u"1. Please make sure Word is installed on this computer.",
      u"2. Please open Word normally and make sure a blank document opens immediately without "
      u"any interrupting window (such as an Word file recovery window).",
      u"3. Please make sure that when you double-click on a DOC or DOCX file that Word opens "
      u"normally without any interrupting messages.",
      u"4. All versions of Word are supported by this software except for the rare Word Starter "
      u"and Student editions.",
  };
  std::u16string message;
  for (const auto part : kParts) {
    if (!message.empty()) message += u"\r\n\r\n";
    message += part;
  }
  return message;
}

void CheckWordInstalled(ObjectFactory& factory, WordCheckUi& ui) {
  // Every statement here is skipped silently when it fails.
  Object wordApp;
  try {
    wordApp = Object(factory.CreateByProgId(kWordProgId));
  } catch (...) {
  }
  if (wordApp) {
    try {
      wordApp.Call("quit");
    } catch (...) {
    }
    wordApp.Reset();
    return;
  }
  ui.ShowMessage(WordUnavailableMessage(), 0);
  ui.EndProgram();
}

}  // namespace quorvane::word
