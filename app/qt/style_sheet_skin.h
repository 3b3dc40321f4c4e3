#ifndef QUORVANE_APP_QT_STYLE_SHEET_SKIN_H_
#define QUORVANE_APP_QT_STYLE_SHEET_SKIN_H_

// The program's own skin control on Linux: member 2 loads a Qt style sheet
// from an ordinary file of at most kMaxSkinFileBytes (1 MiB) that Qt parses
// (skin_sheet.h); member 3 draws the window with it, or every window of the
// program with option bit 1. The members are those of skin_members.h.

#include <QString>
#include <optional>

#include "app/skin_members.h"

namespace quorvane::app::qt {

class StyleSheetSkin final : public SkinMembers {
 private:
  void LoadSkin(const std::u16string& path) override;
  void ApplyWindow(std::int32_t handle) override;

  std::optional<QString> sheet_;
};

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_STYLE_SHEET_SKIN_H_
