#include "app/win32/skin/drawn_skin.h"

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "app/beside_program.h"
#include "app/win32/skin/window_skinner.h"
#include "base/files.h"
#include "base/utf.h"

namespace quorvane::app::win32 {

using word::AutomationError;

DrawnSkin::DrawnSkin() = default;
DrawnSkin::~DrawnSkin() = default;

void DrawnSkin::LoadSkin(const std::u16string& path) {
  std::string bytes;
  try {
    // Only an ordinary file, and only a sane amount of it.
    bytes = base::ReadRegularFile(std::filesystem::path(path), kMaxSkinFileBytes);
  } catch (const std::runtime_error& unreadable) {
    throw AutomationError(std::string("Cannot load skin file: ") + unreadable.what());
  }
  try {
    style_ = std::make_shared<const SkinStyle>(ParseSkinStyle(bytes, base::ToUtf8(path)));
  } catch (const std::runtime_error& refused) {
    throw AutomationError(refused.what());
  }
}

void DrawnSkin::ApplyWindow(std::int32_t handle) {
  if (!style_) throw AutomationError("No skin is loaded.");
  // Window handles fit in 32 bits; a 64-bit one is the 32-bit value sign-extended.
  const auto window = reinterpret_cast<HWND>(static_cast<std::intptr_t>(handle));
  if (handle == 0 || !IsWindow(window)) throw AutomationError("Invalid window handle.");
  // A skin loaded since the last apply replaces the old one everywhere.
  if (!skinner_ || skinner_->style() != style_) {
    skinner_.reset();  // the old subclasses go before the new ones come
    skinner_ = std::make_unique<WindowSkinner>(style_);
  }
  skinner_->Attach(window);
  if ((options() & kSkinEveryWindow) != 0) skinner_->SkinNewDialogs();
}

}  // namespace quorvane::app::win32
