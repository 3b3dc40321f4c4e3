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
using word::Value;

// The descriptions an automation control gives for these refusals.
[[noreturn]] void MemberNotFound() {
  throw AutomationError("Member not found.");
}
[[noreturn]] void WrongArgumentCount() {
  throw AutomationError("Invalid number of parameters.");
}

void ExpectCount(std::span<const Value> args, std::size_t count) {
  if (args.size() != count) WrongArgumentCount();
}

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

Value DrawnSkin::Invoke(int dispId, InvokeKind kind, std::span<const Value> args) {
  namespace m = skin_member;
  bool* switchValue = dispId == m::kSwitchFive  ? &switchFive_
                      : dispId == m::kSwitchTen ? &switchTen_
                                                : nullptr;
  if (dispId == m::kLoadSkin && kind == InvokeKind::Method) {
    LoadSkin(args);
    return {};
  }
  if (dispId == m::kApplyWindow && kind == InvokeKind::Method) {
    ApplyWindow(args);
    return {};
  }
  if (dispId == m::kOptions && kind == InvokeKind::Get) {
    ExpectCount(args, 0);
    return word::I4(options_);
  }
  if (dispId == m::kOptions && kind == InvokeKind::Put) {
    ExpectCount(args, 1);
    options_ = args[0].ToInt32();
    return {};
  }
  if (switchValue != nullptr && kind == InvokeKind::Get) {
    ExpectCount(args, 0);
    return word::Bool(*switchValue);
  }
  if (switchValue != nullptr && kind == InvokeKind::Put) {
    ExpectCount(args, 1);
    *switchValue = args[0].ToBool();
    return {};
  }
  MemberNotFound();
}

void DrawnSkin::LoadSkin(std::span<const Value> args) {
  ExpectCount(args, 2);
  const std::u16string& path = args[0].bstr();
  args[1].bstr();  // the section: checked for its kind only
  const std::string bytes = ReadSkinFile(path);
  try {
    style_ = std::make_shared<const SkinStyle>(ParseSkinStyle(bytes, word::ToUtf8(path)));
  } catch (const std::runtime_error& refused) {
    throw AutomationError(refused.what());
  }
}

void DrawnSkin::ApplyWindow(std::span<const Value> args) {
  ExpectCount(args, 1);
  const std::int32_t handle = args[0].ToInt32();
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
  if ((options_ & kSkinEveryWindow) != 0) skinner_->SkinNewDialogs();
}

}  // namespace quorvane::app::win32
