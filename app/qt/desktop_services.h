#ifndef QUORVANE_APP_QT_DESKTOP_SERVICES_H_
#define QUORVANE_APP_QT_DESKTOP_SERVICES_H_

// The real services of the window program, as main() wires them.

#include <QString>

#include "app/form1_services.h"

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

class SystemClock final : public Clock {
 public:
  std::uint32_t SecondsSinceMidnight() override;
};

// The folder of the running program, without a trailing separator.
QString ProgramFolder();

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_DESKTOP_SERVICES_H_
