#include "word/com/com_factory.h"

#include <windows.h>

#include <ole2.h>

#include <string>
#include <utility>

#include "base/utf.h"
#include "word/com/com_dispatch.h"
#include "word/com/com_error.h"
#include "word/com/com_ptr.h"

namespace quorvane::word::com {
namespace {

std::wstring Wide(std::string_view text) {
  const std::u16string utf16 = base::FromUtf8(text);
  return std::wstring(utf16.begin(), utf16.end());
}

GUID GuidOf(std::string_view text) {
  GUID guid{};
  const HRESULT hr = CLSIDFromString(Wide(text).c_str(), &guid);
  if (FAILED(hr)) throw ComError(CO_E_CLASSSTRING);
  return guid;
}

DispatchPtr Create(const CLSID& classId, const IID& interfaceId,
                   std::shared_ptr<const BusyPolicy> policy) {
  ComPtr<IDispatch> dispatch;
  const HRESULT hr =
      CoCreateInstance(classId, nullptr, CLSCTX_SERVER, interfaceId, dispatch.ReceiveVoid());
  if (FAILED(hr)) throw ComError(hr);
  return ObjectValue(dispatch.get(), std::move(policy)).object();
}

}  // namespace

DispatchPtr CreateObjectByClass(std::string_view classId, std::string_view interfaceId,
                                std::shared_ptr<const BusyPolicy> policy) {
  // The interface asked for must be a dual one: it is used as IDispatch.
  return Create(GuidOf(classId), GuidOf(interfaceId), std::move(policy));
}

DispatchPtr CreateObjectByProgId(std::string_view progId,
                                 std::shared_ptr<const BusyPolicy> policy) {
  CLSID classId{};
  const HRESULT hr = CLSIDFromProgID(Wide(progId).c_str(), &classId);
  if (FAILED(hr)) throw ComError(hr);
  return Create(classId, IID_IDispatch, std::move(policy));
}

void RegisterWord(ClassRegistry& registry, std::shared_ptr<const BusyPolicy> policy) {
  // Two entries, so that each creation takes its own way: an entry with an
  // empty identifier never matches on it.
  registry.Register(std::string(kWordProgId), "", {},
                    [policy] { return CreateObjectByProgId(kWordProgId, policy); });
  registry.Register("", std::string(kWordClassId), {std::string(kWordInterfaceId)}, [policy] {
    return CreateObjectByClass(kWordClassId, kWordInterfaceId, policy);
  });
}

}  // namespace quorvane::word::com
