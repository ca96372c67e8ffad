#pragma once
// A process-wide lock for the few places where threads meet (registration
// counts, the pending cross-thread calls, the visual-styles lookup). A slim
// reader/writer lock taken exclusively: statically initialised, so it is
// usable before any code of the library has run, and nothing to destroy.
#include <windows.h>

namespace qx {

class Lock {
public:
    constexpr Lock() = default;
    Lock(const Lock &) = delete;
    Lock &operator=(const Lock &) = delete;

    void Enter() { AcquireSRWLockExclusive(&srw_); }
    void Leave() { ReleaseSRWLockExclusive(&srw_); }

private:
    SRWLOCK srw_ = SRWLOCK_INIT;
};

// Holds a Lock for the life of a scope.
class Locked {
public:
    explicit Locked(Lock &lock) : lock_(lock) { lock_.Enter(); }
    ~Locked() { lock_.Leave(); }
    Locked(const Locked &) = delete;
    Locked &operator=(const Locked &) = delete;

private:
    Lock &lock_;
};

}  // namespace qx
