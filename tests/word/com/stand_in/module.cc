// The in-process server's entry points: the class factory of the stand-in
// Word, and the count of live objects the tests check.

#include <windows.h>

#include <ole2.h>

#include <atomic>
#include <memory>

#include "tests/word/com/stand_in/live_objects.h"
#include "tests/word/com/stand_in/server_object.h"
#include "tests/word/com/stand_in/session.h"
#include "word/com/com_ptr.h"
#include "word/embedded/word_application.h"

namespace quorvane::test_support::stand_in {
namespace {

// COM's DLL protocol (DllCanUnloadNow) asks about the module as a whole, so
// these two counts are module state by nature.
std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};

constexpr CLSID kWordClassId = {
    0x000209FF, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

class ClassFactory final : public IClassFactory {
 public:
  ClassFactory() { ObjectCreated(); }
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;
  ~ClassFactory() { ObjectDestroyed(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      AddRef();
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) std::unique_ptr<ClassFactory> last(this);
    return left;
  }

  // Each instance is a fresh embedded word processor with a session of its own.
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    try {
      auto session = std::make_shared<Session>();
      session->CountOperation();
      const word::DispatchPtr application =
          word::embedded::CreateWordApplication(session->presenter());
      return MakeServerObject(std::move(session), application, true)->QueryInterface(iid, out);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      // Word that fails to start reports no more than this either.
      return CO_E_SERVER_EXEC_FAILURE;
    }
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lock ? ++serverLocks : --serverLocks;
    return S_OK;
  }

 private:
  std::atomic<ULONG> references_{1};
};

}  // namespace

void ObjectCreated() {
  ++liveObjects;
}
void ObjectDestroyed() {
  --liveObjects;
}
long LiveObjects() {
  return liveObjects;
}

}  // namespace quorvane::test_support::stand_in

using quorvane::test_support::stand_in::ClassFactory;

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (classId != quorvane::test_support::stand_in::kWordClassId) return CLASS_E_CLASSNOTAVAILABLE;
  try {
    const auto factory = quorvane::word::com::ComPtr<ClassFactory>::Adopt(
        std::make_unique<ClassFactory>().release());
    return factory->QueryInterface(iid, out);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

STDAPI DllCanUnloadNow() {
  using namespace quorvane::test_support::stand_in;
  return LiveObjects() == 0 && serverLocks == 0 ? S_OK : S_FALSE;
}

// For the tests: the stand-in's COM objects alive now.
extern "C" long QuorvaneStandInLiveObjects() {
  return quorvane::test_support::stand_in::LiveObjects();
}
