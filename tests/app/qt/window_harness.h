#ifndef QUORVANE_TESTS_APP_QT_WINDOW_HARNESS_H_
#define QUORVANE_TESTS_APP_QT_WINDOW_HARNESS_H_

// The Qt window over the stand-ins of Form1's services, and the Qt forms of
// the test helpers.

#include <QByteArray>
#include <QString>
#include <memory>
#include <string_view>

#include "app/qt/form1_window.h"
#include "tests/app/window_fakes.h"

namespace quorvane::test_support {

struct WindowHarness : Form1Fakes {
  std::unique_ptr<app::qt::Form1Window> MakeWindow() {
    return std::make_unique<app::qt::Form1Window>(Services(), ProgramFolder());
  }
};

inline std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
  return WriteFile(std::filesystem::path(path.toStdU16String()),
                   std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace quorvane::test_support

#endif  // QUORVANE_TESTS_APP_QT_WINDOW_HARNESS_H_
