#include "app/win32/form1_window.h"

#include <commctrl.h>

#include <cstdio>
#include <stdexcept>

#include "app/win32/cursor_picture.h"
#include "app/win32/wide.h"
#include "app/win32/windows_services.h"
#include "base/utf.h"

namespace quorvane::app::win32 {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kFirstControlId = 100;

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD extendedStyle;
};

ControlClass ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox:
      return {L"EDIT", WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::OptionButton:
      // Selected by the window, so that a selection raises its click once.
      return {L"BUTTON", WS_TABSTOP | BS_RADIOBUTTON, 0};
    case ControlKind::PushButton:
      return {L"BUTTON", WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0};
    case ControlKind::Frame:
      return {L"BUTTON", WS_GROUP | BS_GROUPBOX, 0};
    default:
      throw std::logic_error("no such control on the main window");
  }
}

COLORREF ToColorRef(OleColor color) {
  if ((color & 0x80000000) != 0) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFF;
}

// An exception must not cross the window system's message delivery.
template <typename Procedure>
void Raise(Procedure&& procedure) {
  try {
    procedure();
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "quorvane: %s\n", failure.what());
  }
}

}  // namespace

Form1Window::Form1Window(Form1Services services, std::u16string programFolder)
    : programFolder_(std::move(programFolder)), form_(*this, std::move(services)) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &Form1Window::WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kWindowClass;
  // Registered once per process; a second window finds it there.
  if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error("Cannot register the main window: " + SystemErrorText(GetLastError()));
  }
  background_.reset(CreateSolidBrush(RGB(255, 255, 255)));
  for (Brush& brush : controlBackgrounds_) brush.reset(CreateSolidBrush(RGB(255, 255, 255)));

  window_ = CreateWindowExW(0, kWindowClass, L"Form1", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            0, 0, nullptr, nullptr, instance, this);
  if (window_ == nullptr) {
    throw std::runtime_error("Cannot make the main window: " + SystemErrorText(GetLastError()));
  }
  CreateControls();
  Lay(GetDpiForWindow(window_));
}

Form1Window::~Form1Window() {
  DestroyWindow(window_);
}

void Form1Window::CreateControls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND above = HWND_TOP;
  for (const ControlDesign& design : kControls) {
    const auto index = static_cast<std::size_t>(design.id);
    const ControlClass kind = ClassOf(design.kind);
    HWND control = CreateWindowExW(
        kind.extendedStyle, kind.name, Wide(design.caption).c_str(),
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style, 0, 0, 0, 0, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)), instance, nullptr);
    if (control == nullptr) {
      throw std::runtime_error("Cannot make the control " + base::ToUtf8(design.caption));
    }
    // The stacking order is the tab order; the frame, last, lies beneath the
    // option buttons it holds.
    SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = control;
    SetWindowSubclass(control, &Form1Window::ControlProcedure, index,
                      reinterpret_cast<DWORD_PTR>(this));
    controls_[index] = control;
  }
}

void Form1Window::Lay(unsigned dpi) {
  const auto makeFont = [dpi](int points100) {
    return Font(CreateFontW(FontHeight(points100, dpi), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
  };
  Font font = makeFont(kFontPoints100);
  Font buttonFont = makeFont(kButtonFontPoints100);
  for (const ControlDesign& design : kControls) {
    HWND control = Control(design.id);
    const PixelRect place = ToPixels(design.twips, dpi);
    MoveWindow(control, place.left, place.top, place.width, place.height, TRUE);
    SendMessageW(control, WM_SETFONT,
                 reinterpret_cast<WPARAM>(design.buttonFont ? buttonFont.get() : font.get()), TRUE);
  }
  // The old fonts go once no control uses them.
  font_ = std::move(font);
  buttonFont_ = std::move(buttonFont);

  const PixelRect client = ToPixels(kClientTwips, dpi);
  RECT frame{0, 0, client.width, client.height};
  AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, 0, dpi);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Form1Window::WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Form1Window*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, w, l);
  return self->Handle(message, w, l);
}

LRESULT Form1Window::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: {
      const int index = LOWORD(w) - kFirstControlId;
      if (HIWORD(w) != BN_CLICKED || index < 0 || index >= static_cast<int>(kControlCount)) break;
      switch (kControls[static_cast<std::size_t>(index)].id) {
        case ControlId::Option1:
          Raise([&] { SetOptionSelected(Option::Option1, true); });
          return 0;
        case ControlId::Option2:
          Raise([&] { SetOptionSelected(Option::Option2, true); });
          return 0;
        case ControlId::PushButton1:
          // A press while a chart is made comes through the messages that
          // Word's calls let through; the procedure's busy mark turns it away.
          Raise([&] { form_.PushButton1_Click(); });
          return 0;
        default:
          break;
      }
      break;
    }
    case WM_MOUSEMOVE:
      Raise([&] { form_.Form_MouseMove(); });
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(l) == HTCLIENT) {
        if (const HCURSOR pointer = Pointer()) {
          SetCursor(pointer);
          return TRUE;
        }
      }
      break;
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(window_, &client);
      FillRect(reinterpret_cast<HDC>(w), &client, background_.get());
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (const HBRUSH brush = ControlBrush(reinterpret_cast<HWND>(l))) {
        LOGBRUSH face{};
        GetObjectW(brush, sizeof(face), &face);
        SetBkColor(reinterpret_cast<HDC>(w), face.lbColor);
        return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(w) == WA_INACTIVE) lastFocus_ = GetFocus();
      break;
    case WM_SETFOCUS: {
      const HWND focus = lastFocus_ != nullptr && IsChild(window_, lastFocus_)
                             ? lastFocus_
                             : Control(ControlId::Text1);
      SetFocus(focus);
      return 0;
    }
    case WM_DPICHANGED: {
      Lay(HIWORD(w));
      const RECT* suggested = reinterpret_cast<const RECT*>(l);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_CLOSE:
      // Never refused, also not during a creation; nothing runs after it.
      Raise([&] { form_.Form_Unload(); });
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, w, l);
}

LRESULT CALLBACK Form1Window::ControlProcedure(HWND control, UINT message, WPARAM w, LPARAM l,
                                               UINT_PTR id, DWORD_PTR self) {
  return reinterpret_cast<Form1Window*>(self)->HandleControl(kControls.at(id).id, control, message,
                                                             w, l);
}

LRESULT Form1Window::HandleControl(ControlId id, HWND control, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCHITTEST && id == ControlId::Frame1) {
    // A frame lets the pointer through to the window by nature; the design
    // has it raise its own mouse moves.
    return HTCLIENT;
  }
  if (message == WM_MOUSEMOVE) {
    Raise([&] {
      switch (id) {
        case ControlId::Text1:
          form_.Text1_MouseMove();
          break;
        case ControlId::Option1:
          form_.Option1_MouseMove();
          break;
        case ControlId::Option2:
          form_.Option2_MouseMove();
          break;
        case ControlId::PushButton1:
          form_.PushButton1_MouseMove();
          break;
        case ControlId::Frame1:
          form_.Frame1_MouseMove();
          break;
      }
    });
  }
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(control, &Form1Window::ControlProcedure, static_cast<UINT_PTR>(id));
  }
  return DefSubclassProc(control, message, w, l);
}

HBRUSH Form1Window::ControlBrush(HWND control) {
  for (std::size_t i = 0; i < kControlCount; ++i) {
    if (controls_[i] == control) return controlBackgrounds_[i].get();
  }
  return nullptr;
}

HCURSOR Form1Window::Pointer() const {
  if (pointerShape_ == kPointerWait) return LoadCursorW(nullptr, IDC_WAIT);
  if (pointerShape_ == kPointerCustom) {
    return customPointer_ != nullptr ? customPointer_ : LoadCursorW(nullptr, IDC_ARROW);
  }
  return nullptr;
}

void Form1Window::ShowPointer() const {
  // At once, not only at the next move: Word may keep the thread for a while.
  POINT at{};
  if (!GetCursorPos(&at)) return;
  const HWND under = WindowFromPoint(at);
  if (under != window_ && !IsChild(window_, under)) return;
  const HCURSOR own = reinterpret_cast<HCURSOR>(GetClassLongPtrW(under, GCLP_HCURSOR));
  const HCURSOR pointer = Pointer();
  SetCursor(pointer != nullptr ? pointer : own);
}

void Form1Window::SetCaption(std::u16string_view caption) {
  SetWindowTextW(window_, Wide(caption).c_str());
}

void Form1Window::SetIcon() {
  const unsigned dpi = GetDpiForWindow(window_);
  const auto load = [dpi](int width, int height) {
    auto* icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                   GetSystemMetricsForDpi(width, dpi), GetSystemMetricsForDpi(height, dpi), 0));
    if (icon == nullptr) {
      throw std::runtime_error("Cannot load the program's icon: " +
                               SystemErrorText(GetLastError()));
    }
    return Icon(icon);
  };
  Icon big = load(SM_CXICON, SM_CYICON);
  Icon small = load(SM_CXSMICON, SM_CYSMICON);
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  bigIcon_ = std::move(big);
  smallIcon_ = std::move(small);
}

bool Form1Window::OptionSelected(Option option) const {
  const HWND button = Control(option == Option::Option1 ? ControlId::Option1 : ControlId::Option2);
  return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form1Window::SetOptionSelected(Option option, bool selected) {
  const bool first = option == Option::Option1;
  const HWND button = Control(first ? ControlId::Option1 : ControlId::Option2);
  const HWND other = Control(first ? ControlId::Option2 : ControlId::Option1);
  const bool was = OptionSelected(option);
  // The pair is exclusive: the one that becomes selected unselects the other.
  if (selected) SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageW(button, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
  if (selected && !was) form_.OptionSelected(option);
}

std::unique_ptr<Picture> Form1Window::LoadPicture(const std::u16string& path) {
  return std::make_unique<CursorPicture>(path);
}

void Form1Window::SetPointer(int shape, const Picture* mouseIcon) {
  const auto* cursor = dynamic_cast<const CursorPicture*>(mouseIcon);
  pointerShape_ = shape;
  customPointer_ = cursor != nullptr ? cursor->Handle() : nullptr;
  ShowPointer();
}

std::vector<ControlKind> Form1Window::Controls() const {
  std::vector<ControlKind> kinds;
  for (const ControlDesign& design : kControls) kinds.push_back(design.kind);
  return kinds;
}

void Form1Window::SetBackColor(OleColor color) {
  background_.reset(CreateSolidBrush(ToColorRef(color)));
  InvalidateRect(window_, nullptr, TRUE);
}

void Form1Window::SetControlBackColor(std::size_t control, OleColor color) {
  controlBackgrounds_.at(control).reset(CreateSolidBrush(ToColorRef(color)));
  InvalidateRect(controls_[control], nullptr, TRUE);
}

std::int32_t Form1Window::WindowHandle() {
  // Window handles are 32-bit numbers to the skin control, as on 64-bit Windows.
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window_));
}

void Form1Window::Show() {
  // Centred on the work area of its screen, and never moved again.
  RECT frame{};
  GetWindowRect(window_, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& area = monitor.rcWork;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(window_, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  // The lowest tab index holds the focus when the window opens.
  SetFocus(Control(ControlId::Text1));
}

int Form1Window::RunMessageLoop(HWND window) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace quorvane::app::win32
