#include "word/com/com_dispatch.h"

#include <algorithm>
#include <memory>
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

DispatchPtr ObjectOf(IDispatch* dispatch) {
  if (dispatch == nullptr) return nullptr;
  return std::make_shared<ComDispatch>(ComPtr<IDispatch>::Share(dispatch));
}

// Only objects of this backend can be handed back to a server.
ComPtr<IDispatch> DispatchOf(const DispatchPtr& object) {
  const auto* ours = dynamic_cast<const ComDispatch*>(object.get());
  if (ours == nullptr) throw ComError(DISP_E_TYPEMISMATCH);
  return ComPtr<IDispatch>::Share(ours->get());
}

// The member's DISPID followed by those of the named arguments, in one call
// as the server expects them.
std::vector<DISPID> IdsOf(IDispatch& dispatch, std::string_view member,
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
  const HRESULT hr =
      dispatch.GetIDsOfNames(IID_NULL, pointers.data(), static_cast<UINT>(pointers.size()),
                             LOCALE_USER_DEFAULT, ids.data());
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
HRESULT Invoke(IDispatch& dispatch, DISPID member, std::span<const DISPID> namedIds,
               const SplitArgs& args, WORD flags, VARIANT* result, std::string& failure) {
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

  ExcepInfoHolder info;
  UINT argError = 0;
  const HRESULT hr = dispatch.Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                     &info.get(), &argError);
  if (FAILED(hr)) failure = DescribeInvokeFailure(hr, info.get());
  return hr;
}

Value ResultOf(VariantHolder& result) {
  return ToValue(result.get(), ObjectOf);
}

Value GetOrCall(IDispatch& dispatch, std::string_view name, std::span<const Arg> args) {
  const SplitArgs split = Split(args);
  const std::vector<DISPID> ids = IdsOf(dispatch, name, split.named);
  VariantHolder result;
  std::string failure;
  const HRESULT hr = Invoke(dispatch, ids[0], std::span(ids).subspan(1), split, kGetOrCall,
                            result.Receive(), failure);
  if (FAILED(hr)) throw ComError(hr, failure);
  return ResultOf(result);
}

}  // namespace

ComDispatch::ComDispatch(ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {
  if (!dispatch_) throw AutomationError(std::string(failure_text::kObjectNotSet));
}

Value ComDispatch::Get(std::string_view name, std::span<const Arg> args) {
  try {
    return GetOrCall(*dispatch_, name, args);
  } catch (const ComError& e) {
    if (e.code() != DISP_E_BADPARAMCOUNT || args.empty()) throw;
    // The default member cannot be named, so its arguments go by position.
    const SplitArgs split = Split(args);
    if (!split.named.empty()) throw;
    VariantHolder holder;
    std::string failure;
    const std::vector<DISPID> ids = IdsOf(*dispatch_, name, {});
    HRESULT hr = Invoke(*dispatch_, ids[0], {}, {}, kGetOrCall, holder.Receive(), failure);
    if (FAILED(hr)) throw ComError(hr, failure);
    if (V_VT(&holder.get()) != VT_DISPATCH || V_DISPATCH(&holder.get()) == nullptr) throw;
    VariantHolder result;
    hr = Invoke(*V_DISPATCH(&holder.get()), DISPID_VALUE, {}, split, kGetOrCall, result.Receive(),
                failure);
    if (FAILED(hr)) throw ComError(hr, failure);
    return ResultOf(result);
  }
}

void ComDispatch::Put(std::string_view name, const Value& value) {
  const std::vector<DISPID> ids = IdsOf(*dispatch_, name, {});
  SplitArgs split;
  split.named.push_back(Arg{"=", value});
  const DISPID putId = DISPID_PROPERTYPUT;
  std::string failure;
  const HRESULT hr = Invoke(*dispatch_, ids[0], std::span(&putId, 1), split, DISPATCH_PROPERTYPUT,
                            nullptr, failure);
  if (FAILED(hr)) throw ComError(hr, failure);
}

Value ComDispatch::Call(std::string_view name, std::span<const Arg> args) {
  return GetOrCall(*dispatch_, name, args);
}

Value ObjectValue(IDispatch* dispatch) {
  return Value::Object(ObjectOf(dispatch));
}

}  // namespace quorvane::word::com
