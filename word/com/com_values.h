#ifndef QUORVANE_WORD_COM_COM_VALUES_H_
#define QUORVANE_WORD_COM_COM_VALUES_H_

// Owners of BSTRs, VARIANTs and EXCEPINFOs, and the conversions between
// VARIANTs and the automation interface's Values, used in both directions:
// by the client backend and by a server that exposes a Dispatch.

#include <windows.h>

#include <ole2.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "word/automation.h"
#include "word/com/com_ptr.h"

namespace quorvane::word::com {

// The text of a BSTR, embedded NULs included; null reads as empty.
std::u16string TextOf(BSTR text);

class BstrHolder {
 public:
  BstrHolder() = default;
  // Throws ComError(E_OUTOFMEMORY) when the string cannot be allocated.
  explicit BstrHolder(std::u16string_view text);
  BstrHolder(const BstrHolder&) = delete;
  BstrHolder& operator=(const BstrHolder&) = delete;
  BstrHolder(BstrHolder&& other) noexcept;
  BstrHolder& operator=(BstrHolder&& other) noexcept;
  ~BstrHolder() { SysFreeString(text_); }

  BSTR get() const { return text_; }
  BSTR Detach();

 private:
  BSTR text_ = nullptr;
};

class VariantHolder {
 public:
  VariantHolder() { VariantInit(&variant_); }
  VariantHolder(const VariantHolder&) = delete;
  VariantHolder& operator=(const VariantHolder&) = delete;
  ~VariantHolder() { VariantClear(&variant_); }

  VARIANT& get() { return variant_; }
  const VARIANT& get() const { return variant_; }
  // For an out-parameter: the old content is cleared first.
  VARIANT* Receive();

 private:
  VARIANT variant_;
};

// The argument block of one Invoke: the VARIANTs side by side, as DISPPARAMS
// wants them, each cleared at the end, and a slot per argument for a single
// passed by reference, which lives as long as the block.
class VariantArray {
 public:
  explicit VariantArray(std::size_t size);
  VariantArray(const VariantArray&) = delete;
  VariantArray& operator=(const VariantArray&) = delete;
  ~VariantArray();

  VARIANT* data() { return items_.data(); }
  VARIANT& operator[](std::size_t i) { return items_[i]; }
  float* R4Slot(std::size_t i) { return &singles_[i]; }
  std::size_t size() const { return items_.size(); }

 private:
  std::vector<VARIANT> items_;
  std::vector<float> singles_;  // never resized: VARIANTs point into it
};

class ExcepInfoHolder {
 public:
  ExcepInfoHolder() = default;
  ExcepInfoHolder(const ExcepInfoHolder&) = delete;
  ExcepInfoHolder& operator=(const ExcepInfoHolder&) = delete;
  ~ExcepInfoHolder();
  EXCEPINFO& get() { return info_; }

 private:
  EXCEPINFO info_{};
};

// What an IDispatch becomes as a Value, and what an object Value becomes as
// an IDispatch; each side of a conversion decides for itself.
using ObjectOfDispatch = std::function<DispatchPtr(IDispatch*)>;
using DispatchOfObject = std::function<ComPtr<IDispatch>(const DispatchPtr&)>;

// VT_EMPTY, VT_I2, VT_I4, VT_R4, VT_R8, VT_BOOL, VT_BSTR, VT_DISPATCH and
// VT_R4|VT_BYREF (read as R4&); other kinds by reference are read through.
// Anything else throws ComError(DISP_E_TYPEMISMATCH).
Value ToValue(const VARIANT& variant, const ObjectOfDispatch& objectOf);

// Fills `out`, which must be empty. The VARIANT owns its BSTR and its
// reference; an R4& points at `r4Slot`, or is passed as a plain R4 without one.
void ToVariant(const Value& value, VARIANT& out, float* r4Slot, const DispatchOfObject& dispatchOf);

}  // namespace quorvane::word::com

#endif  // QUORVANE_WORD_COM_COM_VALUES_H_
