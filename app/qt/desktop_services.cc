#include "app/qt/desktop_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QTime>
#include <QUrl>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "app/shell_text.h"

namespace quorvane::app::qt {

namespace {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void QtMessageBoxes::Show(std::u16string_view text, std::u16string_view title, int style) {
  QMessageBox box(style == kStyleWarning ? QMessageBox::Warning : QMessageBox::NoIcon,
                  ToQString(title), ToQString(DialogText(text)), QMessageBox::Ok,
                  QApplication::activeWindow());
  // Plain text always: a description may hold anything, '<' included.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void ImmediateExit::EndNow() {
  // No destructor and no window handler may run; the settings are already
  // written, only buffered output is left to save.
  std::fflush(nullptr);
  std::_Exit(EXIT_SUCCESS);
}

void DesktopOpener::Open(std::u16string_view address) {
  const QUrl url(ToQString(address), QUrl::StrictMode);
  if (!QDesktopServices::openUrl(url)) {
    throw std::runtime_error("Cannot open " + url.toDisplayString().toStdString());
  }
}

std::uint32_t SystemClock::SecondsSinceMidnight() {
  return static_cast<std::uint32_t>(QTime::currentTime().msecsSinceStartOfDay() / 1000);
}

QString ProgramFolder() {
  return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

}  // namespace quorvane::app::qt
