#include "app/qt/desktop_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QMessageBox>
#include <QProcess>
#include <QTime>
#include <QTimer>
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

// Long enough for an opener that hands the file on and ends, even on a busy
// machine; one that runs the program itself (xdg-open without a desktop
// environment) is still running then, and delays "Done." by this much.
constexpr int kOpenerWaitMs = 10000;

// xdg-open's exit statuses: 3, a tool it needs is missing; 4, no program
// took the file.
std::string OpenerFailure(int status) {
  if (status == 3 || status == 4) {
    return "no program for this kind of document is set up on this desktop "
           "(xdg-open ended with status " +
           std::to_string(status) + ")";
  }
  return "the desktop's opener, xdg-open, ended with status " + std::to_string(status);
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

DocumentOpener::DocumentOpener() = default;
DocumentOpener::~DocumentOpener() = default;

void DocumentOpener::Open(std::u16string_view url) {
  std::erase_if(running_,
                [](const auto& process) { return process->state() == QProcess::NotRunning; });
  auto process = std::make_unique<QProcess>();
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  process->start(QStringLiteral("xdg-open"), {ToQString(url)});
  if (!process->waitForStarted()) {
    throw std::runtime_error(
        "there is no desktop opener on this computer (xdg-open, of the package xdg-utils, "
        "is missing)");
  }
  // The window keeps drawing while the opener decides.
  QEventLoop wait;
  QObject::connect(process.get(), &QProcess::finished, &wait, &QEventLoop::quit);
  QTimer::singleShot(kOpenerWaitMs, &wait, &QEventLoop::quit);
  if (process->state() != QProcess::NotRunning) wait.exec();
  if (process->state() != QProcess::NotRunning) {
    running_.push_back(std::move(process));
    return;
  }
  if (process->exitStatus() == QProcess::CrashExit) {
    throw std::runtime_error("the desktop's opener, xdg-open, crashed");
  }
  if (process->exitCode() != 0) throw std::runtime_error(OpenerFailure(process->exitCode()));
}

std::uint32_t SystemClock::SecondsSinceMidnight() {
  return static_cast<std::uint32_t>(QTime::currentTime().msecsSinceStartOfDay() / 1000);
}

QString ProgramFolder() {
  return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

}  // namespace quorvane::app::qt
