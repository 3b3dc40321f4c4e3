#include "app/win32/skin/window_skinner.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <utility>

#include "app/win32/skin/box_painter.h"

namespace quorvane::app::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x534B;

// A hook procedure gets no pointer of its own, so the skinner that hooked
// this thread's dialogs is found here.
thread_local WindowSkinner* t_dialogSkinner = nullptr;

std::wstring ClassName(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

HFONT FontOf(HWND control) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

Rgba Opaque(const std::optional<Fill>& fill, Rgba otherwise) {
  if (!fill) return otherwise;
  const Rgba middle = fill->At(0.5, 0.5);
  return middle.a == 0 ? otherwise : middle;
}

// The messages after which a button has drawn itself in its own look.
bool RedrawsButton(UINT message) {
  switch (message) {
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
      return true;
    default:
      return false;
  }
}

}  // namespace

WindowSkinner::WindowSkinner(std::shared_ptr<const SkinStyle> style) : style_(std::move(style)) {
  windowBrush_ = CreateSolidBrush(ToColorRef(WindowColour()));
}

WindowSkinner::~WindowSkinner() {
  if (hook_ != nullptr) {
    UnhookWindowsHookEx(hook_);
    if (t_dialogSkinner == this) t_dialogSkinner = nullptr;
  }
  for (const auto& [window, skinned] : skinned_) {
    if (IsWindow(window)) {
      RemoveWindowSubclass(window, &WindowSkinner::Subclass, kSubclassId);
      InvalidateRect(window, nullptr, TRUE);
    }
  }
  DeleteObject(windowBrush_);
}

void WindowSkinner::Attach(HWND window) {
  Add(window, Role::Window);
  EnumChildWindows(
      window,
      [](HWND child, LPARAM self) -> BOOL {
        auto* skinner = reinterpret_cast<WindowSkinner*>(self);
        const auto type = static_cast<UINT>(GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK);
        if (_wcsicmp(ClassName(child).c_str(), L"Button") == 0) {
          if (type == BS_GROUPBOX) {
            skinner->Add(child, Role::Frame);
          } else if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
            skinner->Add(child, Role::Option);
          } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW) {
            skinner->Add(child, Role::Button);
          }
        } else if (GetWindow(child, GW_CHILD) != nullptr) {
          skinner->Add(child, Role::Window);  // for the colours of its controls
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(this));
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void WindowSkinner::SkinNewDialogs() {
  if (hook_ != nullptr) return;
  hook_ = SetWindowsHookExW(WH_CBT, &WindowSkinner::DialogHook, nullptr, GetCurrentThreadId());
  if (hook_ != nullptr) t_dialogSkinner = this;
}

LRESULT CALLBACK WindowSkinner::DialogHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && t_dialogSkinner != nullptr) {
    const auto window = reinterpret_cast<HWND>(wParam);
    if (!t_dialogSkinner->skinned_.contains(window) && ClassName(window) == L"#32770") {
      t_dialogSkinner->Attach(window);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void WindowSkinner::Add(HWND window, Role role) {
  skinned_[window] = Skinned{role};
  SetWindowSubclass(window, &WindowSkinner::Subclass, kSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
}

void WindowSkinner::Remove(HWND window) {
  RemoveWindowSubclass(window, &WindowSkinner::Subclass, kSubclassId);
  skinned_.erase(window);
}

LRESULT CALLBACK WindowSkinner::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
  return reinterpret_cast<WindowSkinner*>(self)->Handle(window, message, wParam, lParam);
}

LRESULT WindowSkinner::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto found = skinned_.find(window);
  if (found == skinned_.end()) return DefSubclassProc(window, message, wParam, lParam);
  const Role role = found->second.role;
  switch (message) {
    case WM_NCDESTROY:
      Remove(window);
      return DefSubclassProc(window, message, wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, ToColorRef(style_->Rule("QWidget").color.value_or(Rgba{0, 0, 0})));
      SetBkColor(dc, ToColorRef(WindowColour()));
      return reinterpret_cast<LRESULT>(windowBrush_);
    }
    default:
      break;
  }
  if (role == Role::Window) {
    if (message == WM_ERASEBKGND || message == WM_PRINTCLIENT) {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, windowBrush_);
      return message == WM_ERASEBKGND ? 1 : DefSubclassProc(window, message, wParam, lParam);
    }
    return DefSubclassProc(window, message, wParam, lParam);
  }
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT draws every pixel
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(window, &ps);
      Paint(window, dc, role);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(window, reinterpret_cast<HDC>(wParam), role);
      return 0;
    case WM_MOUSEMOVE:
      if (!found->second.hover) {
        found->second.hover = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
        InvalidateRect(window, nullptr, FALSE);
      }
      return DefSubclassProc(window, message, wParam, lParam);
    case WM_MOUSELEAVE:
      found->second.hover = false;
      InvalidateRect(window, nullptr, FALSE);
      return DefSubclassProc(window, message, wParam, lParam);
    default:
      break;
  }
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  // The button has drawn its state in its own look; the skin's goes over it.
  if (RedrawsButton(message) && IsWindow(window)) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  return result;
}

void WindowSkinner::Paint(HWND control, HDC target, Role role) {
  const auto found = skinned_.find(control);
  const bool hover = found != skinned_.end() && found->second.hover;
  if (role == Role::Frame) PaintFrame(control, target);
  if (role == Role::Option) PaintOption(control, target, hover);
  if (role == Role::Button) PaintButton(control, target, hover);
}

int WindowSkinner::Scaled(HWND window, int pixels) const {
  const UINT dpi = GetDpiForWindow(window);
  return MulDiv(pixels, dpi == 0 ? 96 : static_cast<int>(dpi), 96);
}

Rgba WindowSkinner::WindowColour() const {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  return Opaque(style_->Rule("QWidget").background,
                Rgba{GetRValue(face), GetGValue(face), GetBValue(face)});
}

Rgba WindowSkinner::Behind(HWND control) const {
  RECT mine;
  GetWindowRect(control, &mine);
  const POINT middle{(mine.left + mine.right) / 2, (mine.top + mine.bottom) / 2};
  const HWND root = GetAncestor(control, GA_ROOT);
  for (const auto& [window, skinned] : skinned_) {
    if (skinned.role != Role::Frame || window == control || !IsWindowVisible(window) ||
        GetAncestor(window, GA_ROOT) != root) {
      continue;
    }
    RECT frame;
    GetWindowRect(window, &frame);
    frame.top += Scaled(window, style_->Rule("QGroupBox").marginTop.value_or(0));
    if (PtInRect(&frame, middle)) {
      return Opaque(style_->Resolve({"QWidget", "QGroupBox"}).background, WindowColour());
    }
  }
  return WindowColour();
}

void WindowSkinner::PaintFrame(HWND control, HDC target) {
  RECT client;
  GetClientRect(control, &client);
  BoxPainter p(target, client.right, client.bottom);
  p.FillAll(Behind(control));
  const Declarations frame = style_->Resolve({"QWidget", "QGroupBox"});
  const int top = Scaled(control, frame.marginTop.value_or(0));
  const RECT box{0, top, client.right, client.bottom};
  const Fill* fill = frame.background ? &*frame.background : nullptr;
  p.Box(box, fill, Scaled(control, frame.borderWidth.value_or(0)),
        frame.borderColor.value_or(Rgba{}), Scaled(control, frame.borderRadius.value_or(0)));

  const Declarations title = style_->Rule("QGroupBox::title");
  const std::wstring text = WindowText(control);
  const HFONT font = FontOf(control);
  const SIZE extent = p.Measure(text, font);
  const Edges pad = title.padding.value_or(Edges{});
  const int left = Scaled(control, title.left.value_or(0));
  const RECT titleBox{left, 0,
                      left + Scaled(control, pad.left) + extent.cx + Scaled(control, pad.right),
                      extent.cy + Scaled(control, pad.top) + Scaled(control, pad.bottom)};
  if (title.background) p.Box(titleBox, &*title.background, 0, Rgba{}, 0);
  const RECT textBox{titleBox.left + Scaled(control, pad.left), Scaled(control, pad.top),
                     titleBox.right, titleBox.bottom};
  p.Text(text, textBox, title.color.value_or(frame.color.value_or(Rgba{})), font,
         DT_SINGLELINE | DT_HIDEPREFIX);

  // The controls on the frame draw themselves; the frame leaves them be.
  const int saved = SaveDC(target);
  const auto exclude = [&](HWND other) {
    RECT r;
    if (!IsWindowVisible(other) || !GetWindowRect(other, &r)) return;
    MapWindowPoints(HWND_DESKTOP, control, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(target, r.left, r.top, r.right, r.bottom);
  };
  for (HWND c = GetWindow(control, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
    exclude(c);
  for (HWND s = GetWindow(control, GW_HWNDFIRST); s != nullptr; s = GetWindow(s, GW_HWNDNEXT)) {
    if (s != control && skinned_.contains(s)) exclude(s);
  }
  p.CopyTo(target, 0, 0);
  RestoreDC(target, saved);
}

void WindowSkinner::PaintOption(HWND control, HDC target, bool hover) {
  RECT client;
  GetClientRect(control, &client);
  BoxPainter p(target, client.right, client.bottom);
  p.FillAll(Behind(control));
  const Declarations option = style_->Resolve({"QWidget", "QRadioButton"});
  if (option.background) p.Box(client, &*option.background, 0, Rgba{}, 0);

  const bool checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  const Declarations mark =
      style_->Resolve({"QRadioButton::indicator", hover ? "QRadioButton::indicator:hover" : "",
                       checked ? "QRadioButton::indicator:checked" : ""});
  const int border = Scaled(control, mark.borderWidth.value_or(0));
  const int width = Scaled(control, mark.width.value_or(13)) + 2 * border;
  const int height = Scaled(control, mark.height.value_or(13)) + 2 * border;
  const int top = (client.bottom - height) / 2;
  p.Box(RECT{0, top, width, top + height}, mark.background ? &*mark.background : nullptr, border,
        mark.borderColor.value_or(Rgba{}), Scaled(control, mark.borderRadius.value_or(0)));

  const RECT textBox{width + Scaled(control, option.spacing.value_or(4)), 0, client.right,
                     client.bottom};
  p.Text(WindowText(control), textBox, option.color.value_or(Rgba{}), FontOf(control),
         DT_SINGLELINE | DT_VCENTER | DT_HIDEPREFIX);
  p.CopyTo(target, 0, 0);
}

void WindowSkinner::PaintButton(HWND control, HDC target, bool hover) {
  RECT client;
  GetClientRect(control, &client);
  BoxPainter p(target, client.right, client.bottom);
  p.FillAll(Behind(control));
  const bool pressed = (SendMessageW(control, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  const bool focus = GetFocus() == control;
  // In the sheet's order, so that the later state wins as in Qt.
  const Declarations button =
      style_->Resolve({"QWidget", "QPushButton", hover ? "QPushButton:hover" : "",
                       pressed ? "QPushButton:pressed" : "", focus ? "QPushButton:focus" : ""});
  p.Box(client, button.background ? &*button.background : nullptr,
        Scaled(control, button.borderWidth.value_or(0)), button.borderColor.value_or(Rgba{}),
        Scaled(control, button.borderRadius.value_or(0)));
  p.Text(WindowText(control), client, button.color.value_or(Rgba{}), FontOf(control),
         DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_HIDEPREFIX);
  p.CopyTo(target, 0, 0);
}

}  // namespace quorvane::app::win32
