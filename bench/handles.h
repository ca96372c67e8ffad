// Counting GDI and USER handles where GetGuiResources cannot (Wine answers 0):
// a gauge fills one handle table with handles of its own, keeping a reserve
// free, and then counts the free slots by making handles until the system
// refuses one. A handle gained by the code under test takes a slot, so the
// count drops by one for each.
//
// GDI: regions (the process's own table). USER: menus (the table is the
// wineserver's, shared by the processes of the prefix, which are idle here).
#pragma once
#include <windows.h>

#include <vector>

namespace qxb {

enum class HandleKind { kGdi, kUser };

// The system lends windows device contexts from a cache that keeps what it
// made: a context stays with the window it last served (with a visible
// region of its own) until that window goes, and the cache grows whenever
// no context is free. Called before each count, it lends more contexts at
// once than the code under test ever holds and takes them all back, so that
// both counts find the cache holding the same contexts, each with the
// desktop's region.
void SettleDcCache();

class HandleGauge {
public:
    // reserve: the slots left free by Fill, room for the code under test.
    HandleGauge(HandleKind kind, int reserve);
    ~HandleGauge();
    HandleGauge(const HandleGauge &) = delete;
    HandleGauge &operator=(const HandleGauge &) = delete;

    // Takes every free slot but the reserve. False when the table did not
    // run out within the gauge's bound (nothing can be counted then).
    bool Fill();
    // The slots free now: makes handles until one is refused, then frees
    // them all again. -1 when no refusal came within the bound.
    int FreeSlots();
    // Frees held handles until the reserve is free again (what the code
    // under test kept took slots from it); the slots free then.
    int Settle();
    // Handles the gauge holds.
    int Held() const { return static_cast<int>(held_.size()); }
    int Reserve() const { return reserve_; }

private:
    HANDLE Make() const;
    void Destroy(HANDLE h) const;

    HandleKind kind_;
    int reserve_;
    std::vector<HANDLE> held_;
};

}  // namespace qxb
