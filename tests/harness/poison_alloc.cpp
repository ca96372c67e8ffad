#include "poison_alloc.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

int g_failAt = 0;
int g_live = 0;
// The live blocks of the nothrow allocations, each on pages of its own.
void *g_tracked[4096];
void **const g_end = g_tracked + 4096;

void *Allocate(std::size_t n) {
    if (g_failAt > 0 && --g_failAt == 0) return nullptr;
    void **slot = std::find(g_tracked, g_end, nullptr);
    if (slot == g_end) return std::malloc(n ? n : 1);
    void *p = VirtualAlloc(nullptr, n ? n : 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (p) *slot = p, ++g_live;
    return p;
}

// A freed block's pages stay reserved and untouchable: a use after the free faults at once.
void Free(void *p) {
    if (!p) return;
    void **slot = std::find(g_tracked, g_end, p);
    if (slot == g_end) return std::free(p);
    *slot = nullptr;
    --g_live;
    MEMORY_BASIC_INFORMATION info;
    VirtualQuery(p, &info, sizeof info);
    DWORD old;
    VirtualProtect(p, info.RegionSize, PAGE_NOACCESS, &old);
}

}  // namespace

namespace qxt {

void FailNthAllocation(int n) { g_failAt = n; }
int LiveAllocations() { return g_live; }

}  // namespace qxt

void *operator new(std::size_t n, const std::nothrow_t &) noexcept { return Allocate(n); }
void *operator new[](std::size_t n, const std::nothrow_t &) noexcept { return Allocate(n); }
void operator delete(void *p) noexcept { Free(p); }
void operator delete[](void *p) noexcept { Free(p); }
void operator delete(void *p, std::size_t) noexcept { Free(p); }
void operator delete[](void *p, std::size_t) noexcept { Free(p); }
