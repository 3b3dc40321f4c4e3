#ifndef QUORVANE_APP_FORM1_H_
#define QUORVANE_APP_FORM1_H_

// The main window's procedures: two option buttons for the page layout and the
// button that makes the chart. They keep the names of the window system's
// events; each is public so that the window and tests can raise it. The window
// itself is reached only through its view.

#include <memory>
#include <string>
#include <vector>

#include "app/box_reporter.h"
#include "app/form1_services.h"
#include "app/form1_view.h"
#include "word/word_check.h"

namespace quorvane::app {

// Pointer shapes of the window's MousePointer.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerWait = 11;
inline constexpr int kPointerCustom = 99;

class Form1 final : private word::WordCheckUi {
 public:
  // `view` must outlive the procedures; it may still be under construction.
  Form1(Form1View& view, Form1Services services);

  // Runs Form_Load to its end, then shows the window unless the program was
  // ended meanwhile.
  void Start();

  void Form_Load();
  void Form_Unload();
  void Option1_Click();
  void Option2_Click();
  void PushButton1_Click();
  void Form_MouseMove();
  void Frame1_MouseMove();
  void Option1_MouseMove();
  void Option2_MouseMove();
  void Text1_MouseMove();
  void PushButton1_MouseMove();

  void SetAppTitle();
  void OpenWebSiteByChance();
  void ApplySkin();

  // Raised by the view when an option button becomes selected, by the user or
  // by the load.
  void OptionSelected(Option option);

  int MousePointer() const { return mousePointer_; }
  void SetMousePointer(int shape);
  const Picture* MouseIcon() const { return mouseIcon_.get(); }
  const std::u16string& AppTitle() const { return appTitle_; }
  bool Busy() const { return busy_; }

 private:
  // Selects or unselects an option button as the load restores it; the click
  // procedure this raises waits for RunRaisedClicks.
  void RestoreOption(Option option, bool selected);
  // The stored text of an option key; when the store fails, the failure is
  // reported at `line` and the default is the text.
  std::u16string ReadOption(base::NumberedSteps& steps, int line, std::u16string_view key,
                            int defaultValue);
  void RaiseOptionClick(void (Form1::*click)());
  void RunRaisedClicks();
  void WriteOptionSettings();

  // WordCheckUi
  void ShowMessage(std::u16string_view text, int style) override;
  void EndProgram() override;

  Form1View& view_;
  Form1Services services_;
  BoxReporter reporter_;
  std::u16string appTitle_;
  bool busy_ = false;
  bool ended_ = false;
  int mousePointer_ = kPointerDefault;
  std::unique_ptr<Picture> mouseIcon_;
  // Set while the load restores an option.
  bool restoring_ = false;
  std::vector<void (Form1::*)()> raisedClicks_;
  // The first failure to save a clicked choice has been shown.
  bool saveFailureShown_ = false;
};

}  // namespace quorvane::app

#endif  // QUORVANE_APP_FORM1_H_
