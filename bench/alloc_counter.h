#ifndef QUORVANE_BENCH_ALLOC_COUNTER_H_
#define QUORVANE_BENCH_ALLOC_COUNTER_H_

// Heap allocations made by this process through operator new, counted by the
// replacement operators in alloc_counter.cc. Only the benchmark executable
// links them.

#include <cstdint>

namespace quorvane::bench {

struct AllocationTotals {
  std::uint64_t count = 0;
  std::uint64_t bytes = 0;
};

AllocationTotals Allocations();

}  // namespace quorvane::bench

#endif  // QUORVANE_BENCH_ALLOC_COUNTER_H_
