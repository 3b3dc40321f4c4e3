#include "app/skin_members.h"

namespace quorvane::app {
namespace {

using word::AutomationError;
using word::Value;

// The descriptions an automation control gives for these refusals.
[[noreturn]] void MemberNotFound() {
  throw AutomationError("Member not found.");
}

void ExpectCount(std::span<const Value> args, std::size_t count) {
  if (args.size() != count) throw AutomationError("Invalid number of parameters.");
}

}  // namespace

Value SkinMembers::Invoke(int dispId, InvokeKind kind, std::span<const Value> args) {
  namespace m = skin_member;
  bool* switchValue = dispId == m::kSwitchFive  ? &switchFive_
                      : dispId == m::kSwitchTen ? &switchTen_
                                                : nullptr;
  if (dispId == m::kLoadSkin && kind == InvokeKind::Method) {
    ExpectCount(args, 2);
    const std::u16string& path = args[0].bstr();
    args[1].bstr();  // the section: checked for its kind only
    LoadSkin(path);
    return {};
  }
  if (dispId == m::kApplyWindow && kind == InvokeKind::Method) {
    ExpectCount(args, 1);
    ApplyWindow(args[0].ToInt32());
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

}  // namespace quorvane::app
