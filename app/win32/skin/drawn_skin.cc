#include "app/win32/skin/drawn_skin.h"

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>

#include "app/win32/skin/window_skinner.h"
#include "word/utf.h"

namespace quorvane::app::win32 {
namespace {

using word::AutomationError;

[[noreturn]] void CannotLoad(const std::string& path, std::string_view why) {
  throw AutomationError("Cannot load skin file " + path + ": " + std::string(why));
}

// The file's bytes, refused before reading when it is no regular file or
// larger than any skin.
std::string ReadSkinFile(const std::u16string& path) {
  const std::string shown = word::ToUtf8(path);
  const std::filesystem::path file(path);
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (error) CannotLoad(shown, error.message());
  if (!std::filesystem::is_regular_file(status)) CannotLoad(shown, "not a regular file");
  const auto size = std::filesystem::file_size(file, error);
  if (error) CannotLoad(shown, error.message());
  if (size > kMaxSkinBytes) CannotLoad(shown, "larger than 1 MiB");
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  if (!in) CannotLoad(shown, "cannot be opened");
  if (size > 0 && (!(bytes << in.rdbuf()) || in.bad())) CannotLoad(shown, "cannot be read");
  return bytes.str();
}

}  // namespace

DrawnSkin::DrawnSkin() = default;
DrawnSkin::~DrawnSkin() = default;

void DrawnSkin::LoadSkin(const std::u16string& path) {
  const std::string bytes = ReadSkinFile(path);
  try {
    style_ = std::make_shared<const SkinStyle>(ParseSkinStyle(bytes, word::ToUtf8(path)));
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
  if (!skinner_ || skinnerStyle_ != style_) {
    skinner_.reset();
    skinner_ = std::make_unique<WindowSkinner>(style_);
    skinnerStyle_ = style_;
  }
  skinner_->Attach(window);
  if ((options() & kSkinEveryWindow) != 0) skinner_->SkinNewDialogs();
}

}  // namespace quorvane::app::win32
