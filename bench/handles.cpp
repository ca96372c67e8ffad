#include "handles.h"

namespace qxb {
namespace {

// Larger than either table (65,536 GDI and about 32,700 USER slots in Wine).
constexpr int kBound = 1 << 17;

}  // namespace

HandleGauge::HandleGauge(HandleKind kind, int reserve) : kind_(kind), reserve_(reserve) {}

HandleGauge::~HandleGauge() {
    for (HANDLE h : held_) Destroy(h);
}

HANDLE HandleGauge::Make() const {
    if (kind_ == HandleKind::kGdi) return CreateRectRgn(0, 0, 1, 1);
    return CreateMenu();
}

void HandleGauge::Destroy(HANDLE h) const {
    if (kind_ == HandleKind::kGdi) {
        DeleteObject(static_cast<HGDIOBJ>(h));
    } else {
        DestroyMenu(static_cast<HMENU>(h));
    }
}

bool HandleGauge::Fill() {
    while (static_cast<int>(held_.size()) < kBound) {
        HANDLE h = Make();
        if (!h) break;
        held_.push_back(h);
    }
    if (static_cast<int>(held_.size()) >= kBound) return false;
    for (int i = 0; i < reserve_ && !held_.empty(); ++i) {
        Destroy(held_.back());
        held_.pop_back();
    }
    return true;
}

int HandleGauge::FreeSlots() {
    std::vector<HANDLE> made;
    made.reserve(static_cast<size_t>(reserve_) * 2);
    bool refused = false;
    while (static_cast<int>(made.size()) < kBound) {
        HANDLE h = Make();
        if (!h) {
            refused = true;
            break;
        }
        made.push_back(h);
    }
    for (HANDLE h : made) Destroy(h);
    return refused ? static_cast<int>(made.size()) : -1;
}

void SettleDcCache() {
    static HDC dcs[128];
    for (HDC &dc : dcs) dc = GetDCEx(nullptr, nullptr, DCX_CACHE);
    for (HDC dc : dcs)
        if (dc) ReleaseDC(nullptr, dc);
}

int HandleGauge::Settle() {
    int free = FreeSlots();
    while (free >= 0 && free < reserve_ && !held_.empty()) {
        Destroy(held_.back());
        held_.pop_back();
        ++free;
    }
    return free;
}

}  // namespace qxb
