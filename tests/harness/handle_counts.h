// Handle counts over repeats, by the benchmark's gauges (bench/handles.h, linked in) of free slots.
#pragma once
#include "handles.h"
#include "harness.h"

namespace qxt {

// One kind of repeat: op runs with *round set to each round's number.
struct Repeat { const char *what; int times; std::function<void()> op; };

// Two rounds first (they make what is kept), then `times`: the free GDI (and USER) slots stay the same.
inline void ExpectHandleCountsFlat(const std::vector<Repeat> &repeats, int *round, bool countUser) {
    qxb::HandleGauge gdi(qxb::HandleKind::kGdi, 3000), user(qxb::HandleKind::kUser, 300);
    ASSERT_TRUE(gdi.Fill() && (!countUser || user.Fill()));
    for (const auto &r : repeats) {
        for (*round = 0; *round < 2; ++*round) r.op();
        Pump();
        qxb::SettleDcCache();
        const int freeGdi = gdi.Settle(), freeUser = countUser ? user.Settle() : 0;
        for (*round = 0; *round < r.times; ++*round) r.op();
        Pump();
        qxb::SettleDcCache();
        EXPECT_EQ(freeGdi - gdi.FreeSlots(), 0) << "GDI handles kept by " << r.what;
        EXPECT_EQ(countUser ? freeUser - user.FreeSlots() : 0, 0) << "USER handles kept by " << r.what;
    }
}

}  // namespace qxt
