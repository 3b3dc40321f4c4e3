#include "app/form1.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "app/apply_skin.h"

namespace quorvane::app {
namespace {

// The design gives positions in twips; the window works in pixels.
constexpr int kTwipsPerPixel = 15;
QRect FromTwips(int left, int top, int width, int height) {
  return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
               height / kTwipsPerPixel);
}

}  // namespace

Form1::Form1(Form1Services services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      services_(std::move(services)),
      reporter_(services_.boxes) {
  setFixedSize(FromTwips(0, 0, 8040, 1830).size());
  setFont(QFont(QStringLiteral("Arial"), 9, QFont::Bold));
  SetBackColor(*this, Qt::white);
  CreateControls();
  ConnectEvents();
}

void Form1::CreateControls() {
  Text1 = new QLineEdit(QStringLiteral("Text1"), this);
  Text1->setGeometry(FromTwips(840, 2190, 1575, 495));

  Frame1 = new QGroupBox(QStringLiteral("Page Option"), this);
  Frame1->setGeometry(FromTwips(120, 120, 7800, 1065));
  SetBackColor(*Frame1, Qt::white);

  Option1 = new QRadioButton(QStringLiteral("Create Portrait Chart"), Frame1);
  Option1->setGeometry(FromTwips(240, 300, 3015, 255));
  SetBackColor(*Option1, Qt::white);

  Option2 = new QRadioButton(QStringLiteral("Create Landscape Chart"), Frame1);
  Option2->setGeometry(FromTwips(240, 650, 3015, 255));
  SetBackColor(*Option2, Qt::white);

  PushButton1 = new QPushButton(QStringLiteral("Start Creating"), this);
  PushButton1->setGeometry(FromTwips(120, 1320, 7800, 405));
  QFont buttonFont(QStringLiteral("Arial"));
  buttonFont.setPointSizeF(11.25);
  buttonFont.setBold(true);
  PushButton1->setFont(buttonFont);

  // The frame, last in the design's tab order, takes no focus.
  setTabOrder(Text1, Option1);
  setTabOrder(Option1, Option2);
  setTabOrder(Option2, PushButton1);
  // The lowest tab index holds the focus when the window opens.
  Text1->setFocus();
}

void Form1::ConnectEvents() {
  // Becoming selected raises the click procedure, by the user or by the load;
  // becoming unselected raises nothing.
  connect(Option1, &QRadioButton::toggled, this, [this](bool selected) {
    if (selected) RaiseOptionClick(&Form1::Option1_Click);
  });
  connect(Option2, &QRadioButton::toggled, this, [this](bool selected) {
    if (selected) RaiseOptionClick(&Form1::Option2_Click);
  });
  connect(PushButton1, &QPushButton::clicked, this, &Form1::PushButton1_Click);

  setMouseTracking(true);
  for (QWidget* control :
       {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Option1),
        static_cast<QWidget*>(Option2), static_cast<QWidget*>(PushButton1)}) {
    WatchMouseMoves(*control);
  }
}

void Form1::Start() {
  Form_Load();
  if (ended_) return;
  // Centred on the screen the window opens on, and never moved again.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
}

void Form1::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void Form1::Form_Unload() {
  ended_ = true;
  services_.exit.EndNow();
}

void Form1::ShowMessage(std::u16string_view text, int style) {
  services_.boxes.Show(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())),
                       appTitle_, style);
}

void Form1::EndProgram() {
  ended_ = true;
  services_.exit.EndNow();
}

}  // namespace quorvane::app
