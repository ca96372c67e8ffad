// The DLL's allocator. The library allocates through nothrow new and expects
// null on failure, so these take memory from the process heap and never
// throw. Linked into the DLL alone: with them the C++ runtime's operator new,
// which throws and so drags in the exception machinery, stays out. Every
// form is defined here so that no block is ever freed by another allocator
// than the one that made it.
#include <windows.h>

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

void *Take(std::size_t size) { return HeapAlloc(GetProcessHeap(), 0, size ? size : 1); }

// The plain forms cannot report a failure without exceptions; the library
// does not use them, and a caller of them could not go on without the memory.
void *TakeOrAbort(std::size_t size) {
    void *p = Take(size);
    if (!p) std::abort();
    return p;
}

void Give(void *p) {
    if (p) HeapFree(GetProcessHeap(), 0, p);
}

}  // namespace

void *operator new(std::size_t size, const std::nothrow_t &) noexcept { return Take(size); }
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept { return Take(size); }
void *operator new(std::size_t size) { return TakeOrAbort(size); }
void *operator new[](std::size_t size) { return TakeOrAbort(size); }
void operator delete(void *p) noexcept { Give(p); }
void operator delete[](void *p) noexcept { Give(p); }
void operator delete(void *p, std::size_t) noexcept { Give(p); }
void operator delete[](void *p, std::size_t) noexcept { Give(p); }
void operator delete(void *p, const std::nothrow_t &) noexcept { Give(p); }
void operator delete[](void *p, const std::nothrow_t &) noexcept { Give(p); }
