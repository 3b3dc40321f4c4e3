#include "app/win32/windows_services.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "app/win32/wide.h"
#include "base/utf.h"

namespace quorvane::app::win32 {

void WindowMessageBoxes::Show(std::u16string_view text, std::u16string_view title, int style) {
  // The text goes as it is: the box breaks lines at a bare CR as at CRLF.
  MessageBoxW(owner_, Wide(text).c_str(), Wide(title).c_str(), static_cast<UINT>(style));
}

void ImmediateExit::EndNow() {
  // No window procedure may run after the end; the settings are written.
  ExitProcess(0);
}

std::u16string ExplorerCommandLine(std::u16string_view url) {
  return u"explorer \"" + std::u16string(url) + u"\"";
}

void ExplorerOpener::Open(std::u16string_view url) {
  // CreateProcessW may write into its command line.
  std::wstring command = Wide(ExplorerCommandLine(url));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMINIMIZED;  // window style 2: minimized, with the focus
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    throw std::runtime_error("File not found: explorer (" + SystemErrorText(GetLastError()) + ")");
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
}

std::uint32_t LocalClock::SecondsSinceMidnight() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return static_cast<std::uint32_t>(now.wHour) * 3600 + now.wMinute * 60u + now.wSecond;
}

std::u16string ProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) throw std::runtime_error("Cannot find the program's own file");
    if (length < buffer.size()) {
      std::wstring path(buffer.data(), length);
      const std::size_t separator = path.find_last_of(L"\\/");
      path.resize(separator == std::wstring::npos ? 0 : separator);
      return FromWide(path);
    }
    buffer.resize(buffer.size() * 2);  // a long path: try again, larger
  }
}

std::string SystemErrorText(unsigned long code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::u16string message(text, text + length);
  LocalFree(text);
  while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r' ||
                              message.back() == u' ' || message.back() == u'.')) {
    message.pop_back();
  }
  if (message.empty()) return "error " + std::to_string(code);
  return base::ToUtf8(message);
}

}  // namespace quorvane::app::win32
