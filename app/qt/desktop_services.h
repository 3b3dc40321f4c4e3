#ifndef QUORVANE_APP_QT_DESKTOP_SERVICES_H_
#define QUORVANE_APP_QT_DESKTOP_SERVICES_H_

// The real services of the window program, as main() wires them.

#include <QString>
#include <memory>
#include <vector>

#include "app/form1_services.h"

class QProcess;

namespace quorvane::app::qt {

class QtMessageBoxes final : public MessageBoxes {
 public:
  void Show(std::u16string_view text, std::u16string_view title, int style) override;
};

class ImmediateExit final : public ProgramExit {
 public:
  [[noreturn]] void EndNow() override;
};

class DesktopOpener final : public Opener {
 public:
  void Open(std::u16string_view url) override;
};

// Opens a saved document with the desktop's opener, xdg-open, and waits a
// little for it to end: an opener that is missing, finds no program for the
// file or fails throws std::runtime_error with the reason in plain words. One
// still running after the wait is taken to have started the program, and is
// left to run.
class DocumentOpener final : public Opener {
 public:
  DocumentOpener();
  ~DocumentOpener() override;
  void Open(std::u16string_view url) override;

 private:
  std::vector<std::unique_ptr<QProcess>> running_;
};

class SystemClock final : public Clock {
 public:
  std::uint32_t SecondsSinceMidnight() override;
};

// The folder of the running program, without a trailing separator.
QString ProgramFolder();

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_DESKTOP_SERVICES_H_
