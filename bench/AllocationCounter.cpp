#include "bench/AllocationCounter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace pathwick::bench {

namespace {
// Counted in usable bytes, what the allocator really hands out.
std::atomic<std::size_t> live{0};
std::atomic<std::size_t> peak{0};
std::atomic<std::size_t> allocations{0};

void* Allocate(std::size_t n) {
    void* p = std::malloc(n == 0 ? 1 : n);
    if (!p)
        throw std::bad_alloc();
    allocations.fetch_add(1);
    const std::size_t now = live.fetch_add(malloc_usable_size(p)) + malloc_usable_size(p);
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return p;
}

void Release(void* p) noexcept {
    if (!p)
        return;
    live.fetch_sub(malloc_usable_size(p));
    std::free(p);
}
} // namespace

std::size_t LiveHeapBytes() {
    return live.load();
}
std::size_t HeapAllocations() {
    return allocations.load();
}
std::size_t PeakHeapBytes() {
    return peak.load();
}
void ResetPeakHeapBytes() {
    peak.store(live.load());
}

} // namespace pathwick::bench

// The plain forms; the array and nothrow forms of the library forward to them.
void* operator new(std::size_t n) {
    return pathwick::bench::Allocate(n);
}
void* operator new[](std::size_t n) {
    return pathwick::bench::Allocate(n);
}
void operator delete(void* p) noexcept {
    pathwick::bench::Release(p);
}
void operator delete[](void* p) noexcept {
    pathwick::bench::Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    pathwick::bench::Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    pathwick::bench::Release(p);
}
