#include "bench/alloc_counter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace quorvane::bench {
namespace {

// Relaxed is enough: the totals are read between benchmark loops, never used
// to order other memory.
std::atomic<std::uint64_t> allocationCount{0};
std::atomic<std::uint64_t> allocationBytes{0};

void Count(std::size_t size) noexcept {
  allocationCount.fetch_add(1, std::memory_order_relaxed);
  allocationBytes.fetch_add(size, std::memory_order_relaxed);
}

// What the standard operator new does: retry through the new-handler until
// it gives up.
void* Allocate(std::size_t size) {
  if (size == 0) size = 1;
  for (;;) {
    if (void* p = std::malloc(size)) {
      Count(size);
      return p;
    }
    const std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) throw std::bad_alloc();
    handler();
  }
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
  const auto align = static_cast<std::size_t>(alignment);
  if (size == 0) size = 1;
  // aligned_alloc wants a size that is a multiple of the alignment.
  const std::size_t rounded = (size + align - 1) / align * align;
  for (;;) {
    if (void* p = std::aligned_alloc(align, rounded)) {
      Count(size);
      return p;
    }
    const std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) throw std::bad_alloc();
    handler();
  }
}

template <typename F>
void* NoThrow(F&& allocate) noexcept {
  try {
    return allocate();
  } catch (...) {
    return nullptr;
  }
}

}  // namespace

AllocationTotals Allocations() {
  return {allocationCount.load(std::memory_order_relaxed),
          allocationBytes.load(std::memory_order_relaxed)};
}

}  // namespace quorvane::bench

// Every form is replaced, so that no allocation escapes the count whatever the
// standard library forwards to what.
using quorvane::bench::Allocate;
using quorvane::bench::AllocateAligned;
using quorvane::bench::NoThrow;

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return NoThrow([&] { return Allocate(size); });
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return NoThrow([&] { return Allocate(size); });
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return AllocateAligned(size, alignment);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return NoThrow([&] { return AllocateAligned(size, alignment); });
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return NoThrow([&] { return AllocateAligned(size, alignment); });
}

void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept {
  std::free(p);
}
