// The program's replaceable global allocation functions: each allocation is
// counted, then forwarded to malloc. The array and nothrow forms of new call
// this one unless they are replaced themselves. In a file of their own, so
// that no caller sees them inline.
#include "allocation_count.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long long> allocations{0};

}  // namespace

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size != 0 ? size : 1)) return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace encoder_bench {

long long AllocationsSoFar() {
    return allocations.load(std::memory_order_relaxed);
}

}  // namespace encoder_bench
