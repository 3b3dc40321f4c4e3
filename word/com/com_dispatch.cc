#include "word/com/com_dispatch.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "base/utf.h"
#include "word/com/com_error.h"
#include "word/com/com_values.h"
#include "word/failure_texts.h"

namespace quorvane::word::com {
namespace {

constexpr WORD kGetOrCall = DISPATCH_PROPERTYGET | DISPATCH_METHOD;

// Objects that a server hands out are as busy as the server: they share its
// policy.
DispatchPtr ObjectOf(IDispatch* dispatch, const std::shared_ptr<const BusyPolicy>& policy) {
  if (dispatch == nullptr) return nullptr;
  return std::make_shared<ComDispatch>(ComPtr<IDispatch>::Share(dispatch), policy);
}

// Only objects of this backend can be handed back to a server.
ComPtr<IDispatch> DispatchOf(const DispatchPtr& object) {
  const auto* ours = dynamic_cast<const ComDispatch*>(object.get());
  if (ours == nullptr) throw ComError(DISP_E_TYPEMISMATCH);
  return ComPtr<IDispatch>::Share(ours->get());
}

// The member's DISPID followed by those of the named arguments, in one call
// as the server expects them.
std::vector<DISPID> IdsOf(IDispatch& dispatch, const BusyPolicy& policy, std::string_view member,
                          std::span<const Arg> named) {
  std::vector<std::wstring> names;
  names.reserve(named.size() + 1);
  const auto wide = [](std::string_view text) {
    const std::u16string utf16 = base::FromUtf8(text);
    return std::wstring(utf16.begin(), utf16.end());
  };
  names.push_back(wide(member));
  for (const Arg& arg : named) names.push_back(wide(arg.name));
  std::vector<LPOLESTR> pointers;
  for (std::wstring& name : names) pointers.push_back(name.data());

  std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
  const HRESULT hr = policy.Run([&] {
    return dispatch.GetIDsOfNames(IID_NULL, pointers.data(), static_cast<UINT>(pointers.size()),
                                  LOCALE_USER_DEFAULT, ids.data());
  });
  if (hr == DISP_E_UNKNOWNNAME && ids[0] != DISPID_UNKNOWN && !named.empty()) {
    throw ComError(DISP_E_PARAMNOTFOUND);
  }
  if (FAILED(hr)) throw ComError(hr);
  return ids;
}

struct SplitArgs {
  std::vector<Arg> positional;
  std::vector<Arg> named;
};

SplitArgs Split(std::span<const Arg> args) {
  SplitArgs split;
  for (const Arg& arg : args) (arg.name.empty() ? split.positional : split.named).push_back(arg);
  return split;
}

// One Invoke. COM takes the arguments last to first, named ones before the
// positional; a put passes its value as the named argument DISPID_PROPERTYPUT.
// Whether `dispatch` is the object itself rather than a proxy of COM's for
// one in another process or apartment; only proxies answer for
// IClientSecurity, and locally.
bool InProcess(IDispatch& dispatch) {
  ComPtr<IClientSecurity> security;
  return FAILED(dispatch.QueryInterface(IID_IClientSecurity, security.ReceiveVoid()));
}

HRESULT Invoke(IDispatch& dispatch, const BusyPolicy& policy, DISPID member,
               std::span<const DISPID> namedIds, const SplitArgs& args, WORD flags, VARIANT* result,
               std::string& failure) {
  const std::size_t named = args.named.size();
  const std::size_t count = named + args.positional.size();
  VariantArray block(count);
  std::vector<DISPID> ids(namedIds.begin(), namedIds.end());
  for (std::size_t i = 0; i < count; ++i) {
    const Arg& arg = i < named ? args.named[named - 1 - i] : args.positional[count - 1 - i];
    ToVariant(arg.value, block[i], block.R4Slot(i), DispatchOf);
  }
  std::reverse(ids.begin(), ids.end());

  DISPPARAMS params{};
  params.rgvarg = count == 0 ? nullptr : block.data();
  params.cArgs = static_cast<UINT>(count);
  params.rgdispidNamedArgs = ids.empty() ? nullptr : ids.data();
  params.cNamedArgs = static_cast<UINT>(ids.size());

  // A rejected call never ran: it goes again as it was.
  return policy.Run([&] {
    if (result != nullptr) VariantClear(result);
    ExcepInfoHolder info;
    UINT argError = 0;
    const HRESULT attempt = dispatch.Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                            result, &info.get(), &argError);
    if (FAILED(attempt)) failure = DescribeInvokeFailure(attempt, info.get(), InProcess(dispatch));
    return attempt;
  });
}

Value ResultOf(VariantHolder& result, const std::shared_ptr<const BusyPolicy>& policy) {
  return ToValue(result.get(), [&](IDispatch* dispatch) { return ObjectOf(dispatch, policy); });
}

Value GetOrCall(IDispatch& dispatch, const std::shared_ptr<const BusyPolicy>& policy,
                std::string_view name, std::span<const Arg> args) {
  const SplitArgs split = Split(args);
  const std::vector<DISPID> ids = IdsOf(dispatch, *policy, name, split.named);
  VariantHolder result;
  std::string failure;
  const HRESULT hr = Invoke(dispatch, *policy, ids[0], std::span(ids).subspan(1), split, kGetOrCall,
                            result.Receive(), failure);
  if (FAILED(hr)) throw ComError(hr, failure);
  return ResultOf(result, policy);
}

}  // namespace

ComDispatch::ComDispatch(ComPtr<IDispatch> dispatch, std::shared_ptr<const BusyPolicy> policy)
    : dispatch_(std::move(dispatch)), policy_(std::move(policy)) {
  if (!dispatch_) throw AutomationError(std::string(failure_text::kObjectNotSet));
  if (!policy_) throw std::invalid_argument("ComDispatch needs a busy policy");
}

Value ComDispatch::Get(std::string_view name, std::span<const Arg> args) {
  try {
    return GetOrCall(*dispatch_, policy_, name, args);
  } catch (const ComError& e) {
    if (e.code() != DISP_E_BADPARAMCOUNT || args.empty()) throw;
    // The default member cannot be named, so its arguments go by position.
    const SplitArgs split = Split(args);
    if (!split.named.empty()) throw;
    VariantHolder holder;
    std::string failure;
    const std::vector<DISPID> ids = IdsOf(*dispatch_, *policy_, name, {});
    HRESULT hr =
        Invoke(*dispatch_, *policy_, ids[0], {}, {}, kGetOrCall, holder.Receive(), failure);
    if (FAILED(hr)) throw ComError(hr, failure);
    if (V_VT(&holder.get()) != VT_DISPATCH || V_DISPATCH(&holder.get()) == nullptr) throw;
    VariantHolder result;
    hr = Invoke(*V_DISPATCH(&holder.get()), *policy_, DISPID_VALUE, {}, split, kGetOrCall,
                result.Receive(), failure);
    if (FAILED(hr)) throw ComError(hr, failure);
    return ResultOf(result, policy_);
  }
}

void ComDispatch::Put(std::string_view name, const Value& value) {
  const std::vector<DISPID> ids = IdsOf(*dispatch_, *policy_, name, {});
  SplitArgs split;
  split.named.push_back(Arg{"=", value});
  const DISPID putId = DISPID_PROPERTYPUT;
  std::string failure;
  const HRESULT hr = Invoke(*dispatch_, *policy_, ids[0], std::span(&putId, 1), split,
                            DISPATCH_PROPERTYPUT, nullptr, failure);
  if (FAILED(hr)) throw ComError(hr, failure);
}

Value ComDispatch::Call(std::string_view name, std::span<const Arg> args) {
  return GetOrCall(*dispatch_, policy_, name, args);
}

Value ObjectValue(IDispatch* dispatch, std::shared_ptr<const BusyPolicy> policy) {
  return Value::Object(ObjectOf(dispatch, policy));
}

}  // namespace quorvane::word::com
