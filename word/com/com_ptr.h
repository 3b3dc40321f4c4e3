#ifndef QUORVANE_WORD_COM_COM_PTR_H_
#define QUORVANE_WORD_COM_COM_PTR_H_

// One owned reference to a COM interface, released when the holder goes.

#include <utility>

namespace quorvane::word::com {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already owns (an out-parameter's).
  static ComPtr Adopt(T* p) {
    ComPtr held;
    held.p_ = p;
    return held;
  }
  // Adds a reference of its own.
  static ComPtr Share(T* p) {
    if (p != nullptr) p->AddRef();
    return Adopt(p);
  }

  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_ != nullptr) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  void Reset() {
    if (p_ != nullptr) std::exchange(p_, nullptr)->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // For an out-parameter: the old reference is released first.
  T** Receive() {
    Reset();
    return &p_;
  }
  void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
  // Hands the reference to the caller, as an out-parameter does.
  T* Detach() { return std::exchange(p_, nullptr); }

 private:
  T* p_ = nullptr;
};

}  // namespace quorvane::word::com

#endif  // QUORVANE_WORD_COM_COM_PTR_H_
