#include "app/qt/form1_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "app/qt/application_icon.h"
#include "app/qt/cursor_file.h"

namespace quorvane::app::qt {
namespace {

// The design gives positions in twips; the window works in pixels.
constexpr int kTwipsPerPixel = 15;
QRect FromTwips(int left, int top, int width, int height) {
  return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
               height / kTwipsPerPixel);
}

QColor ToQColor(OleColor color) {
  // The one system colour in use; the skin gives the window its face.
  if (color == kColorButtonFace) return QApplication::palette().color(QPalette::Button);
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

// A widget's background colour, as the property BackColor sets it: the
// colour of the role the widget fills its background with.
void FillBackground(QWidget& widget, const QColor& color) {
  // Buttons paint their background in the Button role, other widgets in Window.
  QPalette palette = widget.palette();
  palette.setColor(widget.backgroundRole(), color);
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

struct LoadedCursor final : Picture {
  explicit LoadedCursor(QCursor loaded) : cursor(std::move(loaded)) {}
  QCursor cursor;
};

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

Form1Window::Form1Window(Form1Services services, std::u16string programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      programFolder_(std::move(programFolder)),
      form_(*this, std::move(services)) {
  setObjectName(QStringLiteral("Form1"));
  setFixedSize(FromTwips(0, 0, 8040, 1830).size());
  setFont(QFont(QStringLiteral("Arial"), 9, QFont::Bold));
  FillBackground(*this, Qt::white);
  CreateControls();
  ConnectEvents();
}

void Form1Window::CreateControls() {
  Text1 = new QLineEdit(QStringLiteral("Text1"), this);
  Text1->setGeometry(FromTwips(840, 2190, 1575, 495));

  Frame1 = new QGroupBox(QStringLiteral("Page Option"), this);
  Frame1->setGeometry(FromTwips(120, 120, 7800, 1065));
  FillBackground(*Frame1, Qt::white);

  Option1 = new QRadioButton(QStringLiteral("Create Portrait Chart"), Frame1);
  Option1->setGeometry(FromTwips(240, 300, 3015, 255));
  FillBackground(*Option1, Qt::white);

  Option2 = new QRadioButton(QStringLiteral("Create Landscape Chart"), Frame1);
  Option2->setGeometry(FromTwips(240, 650, 3015, 255));
  FillBackground(*Option2, Qt::white);

  PushButton1 = new QPushButton(QStringLiteral("Start Creating"), this);
  PushButton1->setGeometry(FromTwips(120, 1320, 7800, 405));
  QFont buttonFont(QStringLiteral("Arial"));
  buttonFont.setPointSizeF(11.25);
  buttonFont.setBold(true);
  PushButton1->setFont(buttonFont);

  controls_ = {{{Text1, ControlKind::TextBox},
                {Frame1, ControlKind::Frame},
                {Option1, ControlKind::OptionButton},
                {Option2, ControlKind::OptionButton},
                {PushButton1, ControlKind::PushButton}}};
  Text1->setObjectName(QStringLiteral("Text1"));
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Option1->setObjectName(QStringLiteral("Option1"));
  Option2->setObjectName(QStringLiteral("Option2"));
  PushButton1->setObjectName(QStringLiteral("PushButton1"));

  // The frame, last in the design's tab order, takes no focus.
  setTabOrder(Text1, Option1);
  setTabOrder(Option1, Option2);
  setTabOrder(Option2, PushButton1);
  // The lowest tab index holds the focus when the window opens.
  Text1->setFocus();
}

void Form1Window::ConnectEvents() {
  // Becoming selected raises the click procedure, by the user or by the load;
  // becoming unselected raises nothing.
  connect(Option1, &QRadioButton::toggled, this, [this](bool selected) {
    if (selected) form_.OptionSelected(Option::Option1);
  });
  connect(Option2, &QRadioButton::toggled, this, [this](bool selected) {
    if (selected) form_.OptionSelected(Option::Option2);
  });
  connect(PushButton1, &QPushButton::clicked, this, [this] { form_.PushButton1_Click(); });

  setMouseTracking(true);
  for (const auto& [control, kind] : controls_) WatchMouseMoves(*control);
}

void Form1Window::WatchMouseMoves(QWidget& control) {
  control.setMouseTracking(true);
  // A move over a control is that control's alone; passed on to the frame or
  // the window, it would raise their procedures too.
  control.setAttribute(Qt::WA_NoMousePropagation);
  control.installEventFilter(this);
}

bool Form1Window::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    if (watched == PushButton1) form_.PushButton1_MouseMove();
    if (watched == Frame1) form_.Frame1_MouseMove();
    if (watched == Option1) form_.Option1_MouseMove();
    if (watched == Option2) form_.Option2_MouseMove();
    if (watched == Text1) form_.Text1_MouseMove();
  }
  return QWidget::eventFilter(watched, event);
}

void Form1Window::mouseMoveEvent(QMouseEvent* event) {
  form_.Form_MouseMove();
  QWidget::mouseMoveEvent(event);
}

void Form1Window::closeEvent(QCloseEvent* event) {
  form_.Form_Unload();
  event->accept();
}

QRadioButton& Form1Window::OptionButton(Option option) const {
  return option == Option::Option1 ? *Option1 : *Option2;
}

void Form1Window::SetCaption(std::u16string_view caption) {
  setWindowTitle(ToQString(caption));
}

void Form1Window::SetIcon() {
  setWindowIcon(ApplicationIcon());
}

bool Form1Window::OptionSelected(Option option) const {
  return OptionButton(option).isChecked();
}

void Form1Window::SetOptionSelected(Option option, bool selected) {
  QRadioButton& button = OptionButton(option);
  if (!selected && button.isChecked()) {
    // Selected buttons of an exclusive group refuse to be unselected directly.
    button.setAutoExclusive(false);
    button.setChecked(false);
    button.setAutoExclusive(true);
  } else {
    button.setChecked(selected);
  }
}

std::unique_ptr<Picture> Form1Window::LoadPicture(const std::u16string& path) {
  return std::make_unique<LoadedCursor>(LoadCursorFile(QString::fromStdU16String(path)));
}

void Form1Window::SetPointer(int shape, const Picture* mouseIcon) {
  if (shape == kPointerWait) {
    setCursor(Qt::WaitCursor);
  } else if (shape == kPointerCustom) {
    // Without a loaded hand cursor the custom shape is the arrow.
    const auto* hand = dynamic_cast<const LoadedCursor*>(mouseIcon);
    setCursor(hand != nullptr ? hand->cursor : QCursor(Qt::ArrowCursor));
  } else {
    unsetCursor();
  }
}

std::vector<ControlKind> Form1Window::Controls() const {
  std::vector<ControlKind> kinds;
  for (const auto& [control, kind] : controls_) kinds.push_back(kind);
  return kinds;
}

void Form1Window::SetBackColor(OleColor color) {
  FillBackground(*this, ToQColor(color));
}

void Form1Window::SetControlBackColor(std::size_t control, OleColor color) {
  FillBackground(*controls_.at(control).first, ToQColor(color));
}

std::int32_t Form1Window::WindowHandle() {
  // Window handles are 32-bit numbers to the skin control.
  return static_cast<std::int32_t>(winId());
}

void Form1Window::Show() {
  // Centred on the screen the window opens on, and never moved again.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
}

}  // namespace quorvane::app::qt
