#include "app/apply_skin.h"

#include <initializer_list>
#include <span>

#include "app/beside_program.h"

namespace quorvane::app {
namespace {

using word::Value;

bool TakesSkinBackColor(ControlKind kind) {
  return kind == ControlKind::OptionButton || kind == ControlKind::CheckBox ||
         kind == ControlKind::Frame || kind == ControlKind::Label;
}

Value Invoke(SkinControl& skin, int dispId, InvokeKind kind, std::initializer_list<Value> args) {
  return skin.Invoke(dispId, kind, std::span<const Value>(args.begin(), args.size()));
}

}  // namespace

void ApplySkin(Form1View& window, SkinControl& skin) {
  namespace m = skin_member;
  const std::u16string skinFile = SkinFilePath(window.ProgramFolder());
  if (!FileExists(skinFile)) return;

  window.SetBackColor(kColorButtonFace);
  const std::vector<ControlKind> controls = window.Controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (TakesSkinBackColor(controls[i])) window.SetControlBackColor(i, kColorButtonFace);
  }

  Invoke(skin, m::kLoadSkin, InvokeKind::Method, {word::Bstr(skinFile), word::Bstr(u"")});
  const std::int32_t options = Invoke(skin, m::kOptions, InvokeKind::Get, {}).ToInt32();
  Invoke(skin, m::kOptions, InvokeKind::Put, {word::I4(options | 1)});
  Invoke(skin, m::kSwitchFive, InvokeKind::Put, {word::Bool(true)});
  Invoke(skin, m::kSwitchTen, InvokeKind::Put, {word::Bool(true)});
  Invoke(skin, m::kApplyWindow, InvokeKind::Method, {word::I4(window.WindowHandle())});
}

}  // namespace quorvane::app
