#include "word/com/com_values.h"

#include <algorithm>
#include <utility>

#include "word/com/com_error.h"

namespace quorvane::word::com {

std::u16string TextOf(BSTR text) {
  if (text == nullptr) return {};
  const UINT length = SysStringLen(text);
  return std::u16string(text, text + length);
}

BstrHolder::BstrHolder(std::u16string_view text)
    : text_(SysAllocStringLen(nullptr, static_cast<UINT>(text.size()))) {
  if (text_ == nullptr) throw ComError(E_OUTOFMEMORY);
  std::copy(text.begin(), text.end(), text_);
}

BstrHolder::BstrHolder(BstrHolder&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}

BstrHolder& BstrHolder::operator=(BstrHolder&& other) noexcept {
  std::swap(text_, other.text_);
  return *this;
}

BSTR BstrHolder::Detach() {
  return std::exchange(text_, nullptr);
}

VARIANT* VariantHolder::Receive() {
  VariantClear(&variant_);
  return &variant_;
}

VariantArray::VariantArray(std::size_t size) : items_(size), singles_(size) {
  for (VARIANT& item : items_) VariantInit(&item);
}

VariantArray::~VariantArray() {
  for (VARIANT& item : items_) VariantClear(&item);
}

ExcepInfoHolder::~ExcepInfoHolder() {
  SysFreeString(info_.bstrSource);
  SysFreeString(info_.bstrDescription);
  SysFreeString(info_.bstrHelpFile);
}

Value ToValue(const VARIANT& variant, const ObjectOfDispatch& objectOf) {
  const VARTYPE type = V_VT(&variant);
  if (type == (VT_R4 | VT_BYREF)) return R4Ref(*V_R4REF(&variant));
  if (type == (VT_VARIANT | VT_BYREF)) return ToValue(*V_VARIANTREF(&variant), objectOf);
  if ((type & VT_BYREF) != 0) {
    // Read the referenced value as a plain one of its kind.
    VariantHolder plain;
    if (FAILED(VariantCopyInd(plain.Receive(), const_cast<VARIANT*>(&variant))))
      throw ComError(DISP_E_TYPEMISMATCH);
    return ToValue(plain.get(), objectOf);
  }
  switch (type) {
    case VT_EMPTY:
      return Value();
    case VT_I2:
      return I2(V_I2(&variant));
    case VT_I4:
      return I4(V_I4(&variant));
    case VT_R4:
      return R4(V_R4(&variant));
    case VT_R8:
      return R8(V_R8(&variant));
    case VT_BOOL:
      return Bool(V_BOOL(&variant) != VARIANT_FALSE);
    case VT_BSTR:
      return Bstr(TextOf(V_BSTR(&variant)));
    case VT_DISPATCH:
      return Value::Object(objectOf(V_DISPATCH(&variant)));
    default:
      throw ComError(DISP_E_TYPEMISMATCH);
  }
}

void ToVariant(const Value& value, VARIANT& out, float* r4Slot,
               const DispatchOfObject& dispatchOf) {
  switch (value.kind()) {
    case VarKind::Empty:
      V_VT(&out) = VT_EMPTY;
      return;
    case VarKind::I2:
      V_VT(&out) = VT_I2;
      V_I2(&out) = value.i2();
      return;
    case VarKind::I4:
      V_VT(&out) = VT_I4;
      V_I4(&out) = value.i4();
      return;
    case VarKind::R4:
      V_VT(&out) = VT_R4;
      V_R4(&out) = value.r4();
      return;
    case VarKind::R8:
      V_VT(&out) = VT_R8;
      V_R8(&out) = value.r8();
      return;
    case VarKind::Bool:
      V_VT(&out) = VT_BOOL;
      V_BOOL(&out) = value.boolean() ? VARIANT_TRUE : VARIANT_FALSE;
      return;
    case VarKind::Bstr:
      V_BSTR(&out) = BstrHolder(value.bstr()).Detach();
      V_VT(&out) = VT_BSTR;
      return;
    case VarKind::R4Ref:
      if (r4Slot == nullptr) {
        V_VT(&out) = VT_R4;
        V_R4(&out) = value.r4();
        return;
      }
      *r4Slot = value.r4();
      V_VT(&out) = VT_R4 | VT_BYREF;
      V_R4REF(&out) = r4Slot;
      return;
    case VarKind::Dispatch: {
      ComPtr<IDispatch> dispatch =
          value.object() == nullptr ? ComPtr<IDispatch>() : dispatchOf(value.object());
      V_VT(&out) = VT_DISPATCH;
      V_DISPATCH(&out) = dispatch.Detach();
      return;
    }
  }
  throw ComError(DISP_E_BADVARTYPE);
}

}  // namespace quorvane::word::com
