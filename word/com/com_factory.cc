#include "word/com/com_factory.h"

#include <windows.h>

#include <ole2.h>

#include <array>
#include <chrono>
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

bool InRegistry(const CLSID& classId) {
  std::array<wchar_t, 40> text{};
  if (StringFromGUID2(classId, text.data(), static_cast<int>(text.size())) == 0) return false;
  HKEY key = nullptr;
  const std::wstring name = L"CLSID\\" + std::wstring(text.data());
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

// What a creation meets when it reaches a server that is ending, as a Word
// just told to quit is for a moment (the Word check quits the one it made).
// Once it is gone, COM starts a fresh one.
bool ServerEnding(HRESULT hr, const CLSID& classId) {
  if (hr == CO_E_SERVER_STOPPING || hr == RPC_E_DISCONNECTED || hr == RPC_E_SERVER_DIED ||
      hr == RPC_E_SERVER_DIED_DNE || hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) ||
      hr == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED)) {
    return true;
  }
  // Wine's answer meanwhile; for a class that is not in the registry at all
  // it is final.
  return hr == REGDB_E_CLASSNOTREG && InRegistry(classId);
}

DispatchPtr Create(const CLSID& classId, const IID& interfaceId,
                   std::shared_ptr<const BusyPolicy> policy) {
  const BusyPolicy patient = policy ? *policy : BusyPolicy();
  ComPtr<IDispatch> dispatch;
  const auto create = [&] {
    return patient.Run([&] {
      return CoCreateInstance(classId, nullptr, CLSCTX_SERVER, interfaceId, dispatch.ReceiveVoid());
    });
  };
  // Nothing was made by a failed try, so no second Word runs unseen.
  const auto giveUp = std::chrono::steady_clock::now() + patient.timing().bound;
  HRESULT hr = create();
  while (ServerEnding(hr, classId) && std::chrono::steady_clock::now() < giveUp) {
    PausePainting(patient.timing().interval);
    hr = create();
  }
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
