#ifndef QUORVANE_TESTS_APP_WIN32_RUNNING_PROGRAM_H_
#define QUORVANE_TESTS_APP_WIN32_RUNNING_PROGRAM_H_

// quorvane.exe started by a test, and its windows as a user sees them.

#include <windows.h>

#include <filesystem>
#include <string>

namespace quorvane::test_support {

class RunningProgram {
 public:
  explicit RunningProgram(const std::filesystem::path& program);
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  ~RunningProgram();  // ends it if it still runs

  // A visible top-level window of the program of that class and title, once
  // it shows; null when none shows within a minute or the program ends.
  HWND WaitForWindow(const wchar_t* className, const std::wstring& title) const;
  // Any visible top-level window of the program but `except`; null for none.
  HWND AnyOtherVisibleWindow(HWND except) const;
  // What the program shows, for a failure's message: each visible top-level
  // window's class, title and text.
  std::string Shown() const;
  // The exit code once the program has ended; -1 when it runs on past a minute.
  long WaitForEnd() const;

 private:
  PROCESS_INFORMATION process_{};
};

// The text of a message box: that of its one static control that has any.
std::wstring MessageBoxText(HWND box);

// The window as the screen shows it, as a 24-bit BMP file.
bool SaveScreenshot(HWND window, const std::filesystem::path& file);

}  // namespace quorvane::test_support

#endif  // QUORVANE_TESTS_APP_WIN32_RUNNING_PROGRAM_H_
