#include "AllocationGuard.h"
#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<size_t> g_largest{0};
}

size_t LargestAllocationSinceReset() {
    return g_largest.load();
}

void ResetLargestAllocation() {
    g_largest = 0;
}

// Every allocation of the test program passes here, so a reader that trusts a stored count
// shows up as one huge request.
void* operator new(size_t size) {
    size_t seen = g_largest.load();
    while (size > seen && !g_largest.compare_exchange_weak(seen, size)) {
    }
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, size_t) noexcept {
    std::free(block);
}
