// A window like the main one, skinned through the control's members on a
// real display, and read back pixel by pixel. The first capture is also
// written to QUORVANE_SKIN_SHOT as a bitmap file, to look at.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/win32/skin/drawn_skin.h"

namespace quorvane::app::win32 {
namespace {

constexpr int kWidth = 536, kHeight = 122;

struct Font {
  explicit Font(int pixels)
      : handle(CreateFontW(-pixels, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                           0, L"Arial")) {}
  ~Font() { DeleteObject(handle); }
  HFONT handle;
};

// The main window's controls at its twips, 15 a pixel.
class SkinWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW type{};
    type.lpfnWndProc = DefWindowProcW;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    type.lpszClassName = L"QuorvaneSkinTest";
    RegisterClassW(&type);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer{0, 0, kWidth, kHeight};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    window_ = CreateWindowExW(0, type.lpszClassName, L"Quorvane Software", style, 100, 100,
                              outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                              type.hInstance, nullptr);
    ASSERT_NE(window_, nullptr);
    frame_ = Control(window_, L"Page Option", BS_GROUPBOX, 8, 8, 520, 71, text_);
    option1_ =
        Control(frame_, L"Create Portrait Chart", BS_AUTORADIOBUTTON, 16, 20, 201, 17, text_);
    Control(frame_, L"Create Landscape Chart", BS_AUTORADIOBUTTON, 16, 43, 201, 17, text_);
    button_ = Control(window_, L"Start Creating", buttonStyle_, 8, 88, 520, 27, buttonText_);
    SendMessageW(option1_, BM_SETCHECK, BST_CHECKED, 0);
    ShowWindow(window_, SW_SHOWNORMAL);
  }
  void TearDown() override { DestroyWindow(window_); }

  static HWND Control(HWND parent, const wchar_t* text, LONG type, int x, int y, int w, int h,
                      const Font& font) {
    const HWND control = CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | type, x, y, w,
                                         h, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.handle), TRUE);
    return control;
  }

  // As the main window's load does it.
  void ApplySkin() {
    const std::filesystem::path sheet = QUORVANE_SKIN_FILE;
    const word::Value load[] = {word::Bstr(sheet.u16string()), word::Bstr(u"")};
    skin_.Invoke(2, InvokeKind::Method, load);
    const word::Value options[] = {word::I4(skin_.Invoke(1, InvokeKind::Get, {}).ToInt32() | 1)};
    skin_.Invoke(1, InvokeKind::Put, options);
    const word::Value on[] = {word::Bool(true)};
    skin_.Invoke(5, InvokeKind::Put, on);
    skin_.Invoke(10, InvokeKind::Put, on);
    const word::Value handle[] = {
        word::I4(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window_)))};
    skin_.Invoke(3, InvokeKind::Method, handle);
  }

  // The client area as it is on the screen, 0x00RRGGBB top-down.
  std::vector<std::uint32_t> Capture() {
    RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC screen = GetDC(window_);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, kWidth, kHeight, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + kWidth * kHeight);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window_, screen);
    if (!saved_) {
      Save(QUORVANE_SKIN_SHOT, info.bmiHeader, pixels);
      saved_ = true;
    }
    return pixels;
  }

  static void Save(const char* path, BITMAPINFOHEADER header,
                   const std::vector<std::uint32_t>& px) {
    const auto bytes = static_cast<DWORD>(px.size() * 4);
    const auto offset = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(header));
    const BITMAPFILEHEADER file{0x4D42, offset + bytes, 0, 0, offset};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(reinterpret_cast<const char*>(px.data()), bytes);
  }

  Font text_{12};        // Arial 9 pt bold at 96 DPI
  Font buttonText_{15};  // Arial 11.25 pt bold
  DrawnSkin skin_;
  LONG buttonStyle_ = BS_PUSHBUTTON;
  bool saved_ = false;  // the first capture only: the window at rest
  HWND window_ = nullptr, frame_ = nullptr, option1_ = nullptr, button_ = nullptr;
};

// Colours within a few steps: edges are smoothed and gradients sampled.
::testing::AssertionResult Near(std::uint32_t got, std::uint32_t want) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(static_cast<int>((got >> shift) & 0xFF) -
                 static_cast<int>((want >> shift) & 0xFF)) > 6) {
      char shown[16];
      std::snprintf(shown, sizeof shown, "#%06x", static_cast<unsigned>(got & 0xFFFFFF));
      return ::testing::AssertionFailure() << shown;
    }
  }
  return ::testing::AssertionSuccess();
}

TEST_F(SkinWindowTest, DrawsTheWindowInTheSheetsColours) {
  ApplySkin();
  struct Point {
    const char* what;
    int x, y;
    std::uint32_t colour;
  };
  const auto check = [](const std::vector<std::uint32_t>& pixels, std::initializer_list<Point> at) {
    for (const Point& p : at) {
      EXPECT_TRUE(Near(pixels[p.y * kWidth + p.x], p.colour)) << p.what;
    }
  };
  check(Capture(), {
                       {"window background", 3, 84, 0xeef2f7},
                       {"frame background", 400, 50, 0xf7f9fc},
                       {"frame border", 8, 50, 0xb7c6d8},
                       {"frame title background", 20, 8, 0xeef2f7},
                       {"checked option's dot", 31, 36, 0x2a7fc4},
                       {"button border", 40, 88, 0x154c80},
                       {"button gradient top", 40, 89, 0x3a8fd4},
                       {"button gradient bottom", 40, 113, 0x1f6aab},
                   });
  SendMessageW(button_, BM_SETSTATE, TRUE, 0);
  check(Capture(), {{"pressed button", 40, 100, 0x154c80}});
}

// Option bit 1, which the load sets: a message box opened later is skinned
// too. A timer in the box's modal loop reads its OK button's top, then closes it.
TEST_F(SkinWindowTest, SkinsAMessageBoxOpenedLater) {
  ApplySkin();
  SetTimer(window_, 1, 10, [](HWND owner, UINT, UINT_PTR timer, DWORD) {
    const HWND box = FindWindowW(L"#32770", L"Quorvane");
    const HWND ok = box != nullptr ? GetDlgItem(box, IDOK) : nullptr;
    if (ok == nullptr || !IsWindowVisible(ok)) return;
    KillTimer(owner, timer);
    RedrawWindow(box, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const HDC dc = GetDC(ok);
    const COLORREF seen = GetPixel(dc, 4, 1);
    ReleaseDC(ok, dc);
    SetPropW(owner, L"seen", reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(seen) + 1));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  MessageBoxW(window_, L"Done.", L"Quorvane", MB_OK);
  const auto seen = reinterpret_cast<std::uintptr_t>(GetPropW(window_, L"seen"));
  RemovePropW(window_, L"seen");
  ASSERT_NE(seen, 0u) << "the message box was never seen";
  const auto bgr = static_cast<COLORREF>(seen - 1);
  EXPECT_TRUE(
      Near(static_cast<std::uint32_t>(GetRValue(bgr)) << 16 | GetGValue(bgr) << 8 | GetBValue(bgr),
           0x3a8fd4));
}

// A window that draws its own button gets the skin's button all the same.
class OwnerDrawnButtonTest : public SkinWindowTest {
 protected:
  OwnerDrawnButtonTest() { buttonStyle_ = BS_OWNERDRAW; }
};

TEST_F(OwnerDrawnButtonTest, GetsTheSkinsGradient) {
  ApplySkin();
  const std::vector<std::uint32_t> pixels = Capture();
  EXPECT_TRUE(Near(pixels[89 * kWidth + 40], 0x3a8fd4));
  EXPECT_TRUE(Near(pixels[113 * kWidth + 40], 0x1f6aab));
}

}  // namespace
}  // namespace quorvane::app::win32
