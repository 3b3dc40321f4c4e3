#ifndef QUORVANE_APP_WIN32_FORM1_WINDOW_H_
#define QUORVANE_APP_WIN32_FORM1_WINDOW_H_

// The main window in Win32: Form1's controls as the design places them. It
// shows what Form1's procedures set through the view and raises them from its
// window messages. Created hidden; Start runs the load and then shows it.

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "app/form1.h"
#include "app/win32/window_layout.h"

namespace quorvane::app::win32 {

inline constexpr wchar_t kWindowClass[] = L"QuorvaneForm1";
// The icon resource of the program file and of the window.
inline constexpr int kIconResource = 1;

class Form1Window final : private Form1View {
 public:
  // `programFolder` has no trailing separator. Throws std::runtime_error
  // when the window cannot be made.
  Form1Window(Form1Services services, std::u16string programFolder);
  Form1Window(const Form1Window&) = delete;
  Form1Window& operator=(const Form1Window&) = delete;
  ~Form1Window() override;

  // Runs Form_Load to its end, then shows the window unless the program was
  // ended meanwhile.
  void Start() { form_.Start(); }

  Form1& Procedures() { return form_; }
  HWND Handle() const { return window_; }
  HWND Control(ControlId id) const { return controls_[static_cast<std::size_t>(id)]; }
  // The pointer the window shows now over any of its parts; null leaves each
  // part its own.
  HCURSOR Pointer() const;

  // The message loop, with the keyboard's dialog navigation (Tab, arrows).
  static int RunMessageLoop(HWND window);

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  static LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM w, LPARAM l,
                                           UINT_PTR id, DWORD_PTR self);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  LRESULT HandleControl(ControlId id, HWND control, UINT message, WPARAM w, LPARAM l);
  void CreateControls();
  void Lay(unsigned dpi);
  void ShowPointer() const;
  HBRUSH ControlBrush(HWND control);

  // Form1View
  void SetCaption(std::u16string_view caption) override;
  void SetIcon() override;
  bool OptionSelected(Option option) const override;
  void SetOptionSelected(Option option, bool selected) override;
  std::unique_ptr<Picture> LoadPicture(const std::u16string& path) override;
  void SetPointer(int shape, const Picture* mouseIcon) override;
  std::vector<ControlKind> Controls() const override;
  void SetBackColor(OleColor color) override;
  void SetControlBackColor(std::size_t control, OleColor color) override;
  std::int32_t WindowHandle() override;
  std::u16string ProgramFolder() const override { return programFolder_; }
  void Show() override;

  struct GdiDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
  };
  struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
  };
  using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;
  using Brush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiDeleter>;
  using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

  std::u16string programFolder_;
  HWND window_ = nullptr;
  std::array<HWND, kControlCount> controls_{};
  Font font_, buttonFont_;
  // The window's and each control's BackColor.
  Brush background_;
  std::array<Brush, kControlCount> controlBackgrounds_;
  Icon bigIcon_, smallIcon_;
  int pointerShape_ = kPointerDefault;
  HCURSOR customPointer_ = nullptr;
  HWND lastFocus_ = nullptr;
  // Last: its procedures use the window above.
  Form1 form_;
};

}  // namespace quorvane::app::win32

#endif  // QUORVANE_APP_WIN32_FORM1_WINDOW_H_
