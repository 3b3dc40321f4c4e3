#ifndef QUORVANE_WORD_COM_COM_OBJECT_H_
#define QUORVANE_WORD_COM_COM_OBJECT_H_

// IUnknown for a COM object of our own, written once: a reference count whose
// last Release deletes the object, and a QueryInterface that answers IUnknown
// and whatever interfaces the object says it is.

#include <windows.h>

#include <unknwn.h>

#include <atomic>
#include <memory>
#include <utility>

#include "word/com/com_ptr.h"

namespace quorvane::word::com {

template <typename I>
class ComObject : public I {
 public:
  using Interface = I;

  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;
  virtual ~ComObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) final {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || Is(iid)) {
      AddRef();
      *out = static_cast<Interface*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() final { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() final {
    const ULONG left = --references_;
    if (left == 0) std::unique_ptr<ComObject> last(this);
    return left;
  }

 protected:
  ComObject() = default;

 private:
  // Whether the object is `iid` too, besides IUnknown.
  virtual bool Is(REFIID iid) const = 0;

  std::atomic<ULONG> references_{1};
};

// A new `Object`, its one reference held by the pointer returned.
template <typename Object, typename... Args>
ComPtr<typename Object::Interface> MakeComObject(Args&&... args) {
  return ComPtr<typename Object::Interface>::Adopt(
      std::make_unique<Object>(std::forward<Args>(args)...).release());
}

}  // namespace quorvane::word::com

#endif  // QUORVANE_WORD_COM_COM_OBJECT_H_
