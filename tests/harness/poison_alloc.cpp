#include "poison_alloc.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

int g_failAt = 0;
int g_live = 0;
void *g_tracked[256];

void *Allocate(std::size_t n) {
    if (g_failAt > 0 && --g_failAt == 0) return nullptr;
    void *p = std::malloc(n ? n : 1);
    void **slot = std::find(g_tracked, g_tracked + 256, nullptr);
    if (p && slot != g_tracked + 256) *slot = p, ++g_live;
    return p;
}

void Free(void *p) {
    if (!p) return;
    void **slot = std::find(g_tracked, g_tracked + 256, p);
    if (slot != g_tracked + 256) *slot = nullptr, --g_live;
    std::memset(p, 0xDD, _msize(p));
    std::free(p);
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
