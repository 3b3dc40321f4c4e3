#include "tests/word/com/stand_in/class_factory.h"

#include <atomic>
#include <memory>
#include <utility>

#include "tests/word/com/stand_in/live_objects.h"
#include "tests/word/com/stand_in/server_object.h"
#include "tests/word/com/stand_in/session.h"
#include "word/com/com_object.h"
#include "word/embedded/word_application.h"

namespace quorvane::test_support::stand_in {
namespace {

// COM's server protocols (DllCanUnloadNow, a local server's end) ask about
// the module as a whole, so these counts are module state by nature.
std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};

class ClassFactory final : public word::com::ComObject<IClassFactory> {
 public:
  ClassFactory() { ObjectCreated(); }
  ~ClassFactory() override { ObjectDestroyed(); }

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
  bool Is(REFIID iid) const override { return iid == IID_IClassFactory; }
};

}  // namespace

word::com::ComPtr<IClassFactory> MakeClassFactory() {
  return word::com::MakeComObject<ClassFactory>();
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
