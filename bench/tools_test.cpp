// The bench's instruments: the summaries of its samples and the handle
// gauges that stand in for GetGuiResources.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "handles.h"
#include "stats.h"

namespace {

using qxb::HandleGauge;
using qxb::HandleKind;

TEST(BenchStats, QuartilesInterpolateBetweenRanks) {
    const struct {
        std::vector<double> sample;
        double q1, median, q3;
    } cases[] = {
        {{}, 0, 0, 0},
        {{5}, 5, 5, 5},
        {{3, 1, 2}, 1.5, 2, 2.5},
        {{4, 1, 3, 2}, 1.75, 2.5, 3.25},
        {{1, 1, 1, 100, 1}, 1, 1, 1},         // one outlier moves no quartile
        {{10, 20, 30, 1000}, 17.5, 25, 272.5},  // two: the top quartile only
    };
    for (const auto &c : cases) {
        const qxb::Summary s = qxb::Summarize(c.sample);
        EXPECT_DOUBLE_EQ(s.q1, c.q1) << c.sample.size() << " values";
        EXPECT_DOUBLE_EQ(s.median, c.median) << c.sample.size() << " values";
        EXPECT_DOUBLE_EQ(s.q3, c.q3) << c.sample.size() << " values";
        EXPECT_EQ(s.count, static_cast<int>(c.sample.size()));
    }
    EXPECT_DOUBLE_EQ(qxb::Quantile({4, 1, 3, 2}, 0), 1);
    EXPECT_DOUBLE_EQ(qxb::Quantile({4, 1, 3, 2}, 1), 4);
}

TEST(BenchStats, SpreadIsTheQuartileRangeOverTheMedian) {
    qxb::Summary s;
    s.median = 10;
    s.q1 = 9;
    s.q3 = 12;
    EXPECT_DOUBLE_EQ(qxb::SpreadPercent(s), 30);
    s.median = 0;
    EXPECT_DOUBLE_EQ(qxb::SpreadPercent(s), 0);
}

struct Tables {
    int gdi, user;
};

Tables Free(HandleGauge &gdi, HandleGauge &user) { return {gdi.FreeSlots(), user.FreeSlots()}; }

// Each kind of object kept takes its slots from the right table, and gives
// them back when it goes.
TEST(HandleGauge, CountsWhatIsKeptInEachTable) {
    HandleGauge gdi(HandleKind::kGdi, 512), user(HandleKind::kUser, 256);
    ASSERT_TRUE(gdi.Fill());
    ASSERT_TRUE(user.Fill());
    const Tables start = Free(gdi, user);
    EXPECT_EQ(start.gdi, 512);
    EXPECT_GE(start.user, 250);  // the table is the prefix's: others may hold a few

    const struct {
        const char *what;
        std::function<std::function<void()>()> make;  // makes and keeps; returns the release
        int gdi, user;
    } rows[] = {
        {"a brush",
         [] {
             HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
             return std::function<void()>([b] { DeleteObject(b); });
         },
         1, 0},
        {"three pens and a bitmap",
         [] {
             std::vector<HGDIOBJ> kept = {CreatePen(PS_SOLID, 1, 0), CreatePen(PS_SOLID, 2, 0),
                                          CreatePen(PS_DOT, 1, 0), CreateBitmap(8, 8, 1, 1, nullptr)};
             return std::function<void()>([kept] {
                 for (HGDIOBJ o : kept) DeleteObject(o);
             });
         },
         4, 0},
        {"a memory DC",
         [] {
             HDC dc = CreateCompatibleDC(nullptr);
             return std::function<void()>([dc] { DeleteDC(dc); });
         },
         1, 0},
        {"two menus",
         [] {
             HMENU a = CreateMenu(), b = CreatePopupMenu();
             return std::function<void()>([a, b] {
                 DestroyMenu(a);
                 DestroyMenu(b);
             });
         },
         0, 2},
    };
    for (const auto &row : rows) {
        row.make()();  // what the system makes on first use stays: not counted
        const Tables before = Free(gdi, user);
        const std::function<void()> release = row.make();
        const Tables kept = Free(gdi, user);
        EXPECT_EQ(before.gdi - kept.gdi, row.gdi) << row.what;
        EXPECT_EQ(before.user - kept.user, row.user) << row.what;
        release();
        const Tables after = Free(gdi, user);
        EXPECT_EQ(after.gdi, before.gdi) << row.what;
        EXPECT_EQ(after.user, before.user) << row.what;
    }

    // An icon is a USER object (its pictures are the system's business).
    BYTE bits[32 * 4] = {};
    DestroyIcon(CreateIcon(nullptr, 32, 32, 1, 1, bits, bits));
    const Tables before = Free(gdi, user);
    HICON icon = CreateIcon(nullptr, 32, 32, 1, 1, bits, bits);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(before.user - Free(gdi, user).user, 1);
    DestroyIcon(icon);
    EXPECT_EQ(Free(gdi, user).user, before.user);
}

// Handles kept by others take slots from the reserve; settling gives the
// gauge's own back until the reserve is free again, and no more.
TEST(HandleGauge, SettlingMakesTheReserveFreeAgain) {
    HandleGauge gdi(HandleKind::kGdi, 300);
    ASSERT_TRUE(gdi.Fill());
    const int held = gdi.Held();
    std::vector<HRGN> kept;
    for (int i = 0; i < 25; ++i) kept.push_back(CreateRectRgn(0, 0, 1, 1));
    EXPECT_EQ(gdi.FreeSlots(), 275);
    EXPECT_EQ(gdi.Settle(), 300);
    EXPECT_EQ(gdi.Held(), held - 25);
    for (HRGN r : kept) DeleteObject(r);
    EXPECT_EQ(gdi.Settle(), 325);  // more free than the reserve: nothing taken
    EXPECT_EQ(gdi.Held(), held - 25);
}

// What a gauge holds goes back when it goes: the table is usable again.
TEST(HandleGauge, GivesEverythingBack) {
    int held = 0;
    {
        HandleGauge gdi(HandleKind::kGdi, 0);
        ASSERT_TRUE(gdi.Fill());
        held = gdi.Held();
        EXPECT_EQ(gdi.FreeSlots(), 0);
        EXPECT_EQ(CreateRectRgn(0, 0, 1, 1), nullptr);  // full
    }
    EXPECT_GT(held, 60000);
    HRGN region = CreateRectRgn(0, 0, 1, 1);
    EXPECT_NE(region, nullptr);
    DeleteObject(region);
    HandleGauge again(HandleKind::kGdi, 100);
    ASSERT_TRUE(again.Fill());
    EXPECT_EQ(again.Held(), held - 100);
}

}  // namespace
