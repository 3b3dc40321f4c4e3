#ifndef QUORVANE_APP_FORM1_VIEW_H_
#define QUORVANE_APP_FORM1_VIEW_H_

// The window that Form1's procedures drive: what they set and read of it. Each
// window system implements it once and raises the procedures from its events.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::app {

// Colours as Windows gives them: 0x00BBGGRR, or 0x80000000 with a system
// colour's index.
using OleColor = std::uint32_t;
inline constexpr OleColor kColorButtonFace = 0x8000000F;

enum class ControlKind : std::uint8_t { TextBox, Frame, OptionButton, CheckBox, Label, PushButton };

enum class Option : std::uint8_t { Option1, Option2 };

// A picture loaded by the view, in a form only the view understands.
class Picture {
 public:
  virtual ~Picture() = default;
};

class Form1View {
 public:
  virtual ~Form1View() = default;

  virtual void SetCaption(std::u16string_view caption) = 0;
  // The program's own icon.
  virtual void SetIcon() = 0;

  virtual bool OptionSelected(Option option) const = 0;
  // Selecting raises the option's click procedure at once, through
  // Form1::OptionSelected; unselecting raises nothing.
  virtual void SetOptionSelected(Option option, bool selected) = 0;

  // A cursor file as a picture. Throws std::runtime_error when it cannot be
  // read or decoded.
  virtual std::unique_ptr<Picture> LoadPicture(const std::u16string& path) = 0;
  // 0 default, 11 hourglass, 99 `mouseIcon` (the arrow when there is none).
  virtual void SetPointer(int shape, const Picture* mouseIcon) = 0;

  // The controls in the window's own order; an index into it names a control.
  virtual std::vector<ControlKind> Controls() const = 0;
  virtual void SetBackColor(OleColor color) = 0;
  virtual void SetControlBackColor(std::size_t control, OleColor color) = 0;
  // The window's handle, as a 32-bit number.
  virtual std::int32_t WindowHandle() = 0;

  // The folder of the running program, without a trailing separator.
  virtual std::u16string ProgramFolder() const = 0;

  // Shows the window centred on its screen.
  virtual void Show() = 0;
};

}  // namespace quorvane::app

#endif  // QUORVANE_APP_FORM1_VIEW_H_
