#include "tests/app/win32/running_program.h"

#include <fstream>
#include <stdexcept>
#include <vector>

namespace quorvane::test_support {
namespace {

struct Search {
  DWORD process;
  const wchar_t* className;
  const std::wstring* title;
  HWND except;
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM argument) {
  auto& search = *reinterpret_cast<Search*>(argument);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.process || !IsWindowVisible(window) || window == search.except) return TRUE;
  wchar_t className[64]{}, title[128]{};
  GetClassNameW(window, className, 64);
  GetWindowTextW(window, title, 128);
  if (search.className != nullptr &&
      (std::wstring(className) != search.className || title != *search.title)) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

BOOL CALLBACK VisitText(HWND control, LPARAM argument) {
  wchar_t className[32]{};
  GetClassNameW(control, className, 32);
  std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1);
  GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
  if (_wcsicmp(className, L"Static") == 0 && text[0] != L'\0') {
    *reinterpret_cast<std::wstring*>(argument) = text.data();
    return FALSE;
  }
  return TRUE;
}

}  // namespace

RunningProgram::RunningProgram(const std::filesystem::path& program) {
  std::wstring command = L"\"" + program.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      program.parent_path().c_str(), &startup, &process_)) {
    throw std::runtime_error("cannot start the program");
  }
  WaitForInputIdle(process_.hProcess, 60000);
}

RunningProgram::~RunningProgram() {
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 10000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND RunningProgram::WaitForWindow(const wchar_t* className, const std::wstring& title) const {
  // A generous limit, not a measure: Wine may take long to start a program.
  for (int tries = 0; tries < 600; ++tries) {
    Search search{process_.dwProcessId, className, &title, nullptr, nullptr};
    EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    if (WaitForSingleObject(process_.hProcess, 100) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

HWND RunningProgram::AnyOtherVisibleWindow(HWND except) const {
  Search search{process_.dwProcessId, nullptr, nullptr, except, nullptr};
  EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string RunningProgram::Shown() const {
  struct Windows {
    DWORD process;
    std::string text;
  } windows{process_.dwProcessId, {}};
  EnumWindows(
      [](HWND window, LPARAM argument) -> BOOL {
        auto& all = *reinterpret_cast<Windows*>(argument);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != all.process || !IsWindowVisible(window)) return TRUE;
        char className[64]{}, title[128]{};
        GetClassNameA(window, className, 64);
        GetWindowTextA(window, title, 128);
        const std::wstring text = MessageBoxText(window);
        all.text += std::string(" [") + className + " \"" + title +
                    "\": " + std::string(text.begin(), text.end()) + "]";
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows.text.empty() ? " nothing shown" : windows.text;
}

long RunningProgram::WaitForEnd() const {
  if (WaitForSingleObject(process_.hProcess, 60000) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return static_cast<long>(code);
}

std::wstring MessageBoxText(HWND box) {
  std::wstring text;
  EnumChildWindows(box, &VisitText, reinterpret_cast<LPARAM>(&text));
  return text;
}

bool SaveScreenshot(HWND window, const std::filesystem::path& file) {
  RECT area{};
  if (!GetWindowRect(window, &area)) return false;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  const int stride = (width * 3 + 3) & ~3;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as BMP files keep rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  std::vector<char> pixels(static_cast<std::size_t>(stride) * height);

  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  const bool copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);
  const bool read = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == height;
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!copied || !read) return false;

  BITMAPFILEHEADER fileHeader{};
  fileHeader.bfType = 0x4D42;  // "BM"
  fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(header);
  fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fileHeader), sizeof(fileHeader));
  out.write(reinterpret_cast<const char*>(&header), sizeof(header));
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out);
}

}  // namespace quorvane::test_support
