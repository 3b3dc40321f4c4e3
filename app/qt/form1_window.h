#ifndef QUORVANE_APP_QT_FORM1_WINDOW_H_
#define QUORVANE_APP_QT_FORM1_WINDOW_H_

// The main window in Qt: Form1's controls as the design places them. It shows
// what Form1's procedures set through the view and raises them from its
// events; the controls are found by their object names ("Option1", ...).

#include <QWidget>
#include <array>
#include <string>

#include "app/form1.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quorvane::app::qt {

class Form1Window final : public QWidget, private Form1View {
  Q_OBJECT

 public:
  // `programFolder` has no trailing separator.
  Form1Window(Form1Services services, std::u16string programFolder, QWidget* parent = nullptr);

  // Runs Form_Load to its end, then shows the window unless the program was
  // ended meanwhile.
  void Start() { form_.Start(); }

  Form1& Procedures() { return form_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void ConnectEvents();
  void WatchMouseMoves(QWidget& control);
  QRadioButton& OptionButton(Option option) const;

  // Form1View
  void SetCaption(std::u16string_view caption) override;
  void SetIcon() override;
  bool OptionSelected(Option option) const override;
  void SetOptionSelected(Option option, bool selected) override;
  std::unique_ptr<Picture> LoadPicture(const std::u16string& path) override;
  void SetPointer(int shape, const Picture* mouseIcon) override;
  std::vector<ControlKind> Controls() const override;
  void SetBackColor(OleColor color) override;
  void SetControlBackColor(std::size_t control, OleColor color) override;
  std::int32_t WindowHandle() override;
  std::u16string ProgramFolder() const override { return programFolder_; }
  void Show() override;

  std::u16string programFolder_;
  QLineEdit* Text1 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QPushButton* PushButton1 = nullptr;
  // In the window's own order, as Controls() reports them.
  std::array<std::pair<QWidget*, ControlKind>, 5> controls_{};
  // Last: its procedures use the controls above.
  Form1 form_;
};

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_FORM1_WINDOW_H_
