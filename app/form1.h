#ifndef QUORVANE_APP_FORM1_H_
#define QUORVANE_APP_FORM1_H_

// The main window: two option buttons for the page layout and the button that
// makes the chart. Its procedures keep the names of the window system's
// events; each is public so that the window system and tests can raise it.

#include <QCursor>
#include <QWidget>
#include <optional>
#include <vector>

#include "app/box_reporter.h"
#include "app/form1_services.h"
#include "word/word_check.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quorvane::app {

// Pointer shapes of the window's MousePointer.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerWait = 11;
inline constexpr int kPointerCustom = 99;

inline constexpr const char* kFormLoadLocation = "in Vellomir2021/08/31.Form1.Form_Load ";
inline constexpr const char* kPushButton1ClickLocation =
    "in Vellomir2021/08/31.Form1.PushButton1_Click ";

class Form1 : public QWidget, private word::WordCheckUi {
  Q_OBJECT

 public:
  explicit Form1(Form1Services services, QWidget* parent = nullptr);

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

  int MousePointer() const { return mousePointer_; }
  void SetMousePointer(int shape);
  const std::optional<QCursor>& MouseIcon() const { return mouseIcon_; }
  const QString& AppTitle() const { return appTitle_; }
  bool Busy() const { return busy_; }

  QLineEdit* Text1 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QPushButton* PushButton1 = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void ConnectEvents();
  void WatchMouseMoves(QWidget& control);

  // Selects or unselects an option button as the load restores it; the click
  // procedure this raises waits for RunRaisedClicks.
  void RestoreOption(QRadioButton& option, bool selected);
  void RaiseOptionClick(void (Form1::*click)());
  void RunRaisedClicks();
  void WriteOptionSettings();

  // WordCheckUi
  void ShowMessage(std::u16string_view text, int style) override;
  void EndProgram() override;

  Form1Services services_;
  BoxReporter reporter_;
  QString appTitle_;
  bool busy_ = false;
  bool ended_ = false;
  int mousePointer_ = kPointerDefault;
  std::optional<QCursor> mouseIcon_;
  // Set while the load restores an option.
  bool restoring_ = false;
  std::vector<void (Form1::*)()> raisedClicks_;
};

}  // namespace quorvane::app

#endif  // QUORVANE_APP_FORM1_H_
