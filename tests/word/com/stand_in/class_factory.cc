#include "tests/word/com/stand_in/class_factory.h"

#include <atomic>
#include <memory>

#include "tests/word/com/stand_in/live_objects.h"
#include "tests/word/com/stand_in/server_object.h"
#include "tests/word/com/stand_in/session.h"
#include "word/embedded/word_application.h"

namespace quorvane::test_support::stand_in {
namespace {

// COM's server protocols (DllCanUnloadNow, a local server's end) ask about
// the module as a whole, so these counts are module state by nature.
std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};

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

word::com::ComPtr<IClassFactory> MakeClassFactory() {
  return word::com::ComPtr<IClassFactory>::Adopt(std::make_unique<ClassFactory>().release());
}

long ServerLocks() {
  return serverLocks;
}

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
