#ifndef QUORVANE_APP_QT_STYLE_SHEET_SKIN_H_
#define QUORVANE_APP_QT_STYLE_SHEET_SKIN_H_

// The program's own skin control: loads a Qt style sheet from a skin file and
// draws a window with it.
//
//   2  method (path, section)  loads the skin; the section is unused. Only
//                              an ordinary file of at most kMaxSkinFileBytes
//                              (1 MiB) is read, and it must be a style sheet
//                              that Qt parses (skin_sheet.h)
//   1  property, I4            option bits; bit 1 skins every window of the
//                              program, message boxes included, rather than
//                              only the window given to member 3
//   5  property, BOOL          switches a skin engine may use for its
//  10  property, BOOL          drawing; kept here, the drawing is the same
//   3  method (handle)         skins the window with that handle

#include <QString>
#include <optional>

#include "app/skin_control.h"

namespace quorvane::app::qt {

class StyleSheetSkin final : public SkinControl {
 public:
  static constexpr std::int32_t kSkinEveryWindow = 1;

  word::Value Invoke(int dispId, InvokeKind kind, std::span<const word::Value> args) override;

 private:
  void LoadSkin(std::span<const word::Value> args);
  void ApplyWindow(std::span<const word::Value> args);

  std::optional<QString> sheet_;
  std::int32_t options_ = 0;
  bool switchFive_ = false;
  bool switchTen_ = false;
};

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_STYLE_SHEET_SKIN_H_
