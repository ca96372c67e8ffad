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

// Quartiles interpolate between ranks; the spread is the quartile range
// over the median.
TEST(BenchStats, QuartilesAndSpread) {
    const struct { std::vector<double> sample; double q1, median, q3; } cases[] = {
        {{}, 0, 0, 0}, {{5}, 5, 5, 5}, {{3, 1, 2}, 1.5, 2, 2.5}, {{4, 1, 3, 2}, 1.75, 2.5, 3.25},
        {{1, 1, 1, 100, 1}, 1, 1, 1},           // one outlier moves no quartile
        {{10, 20, 30, 1000}, 17.5, 25, 272.5}};  // two: the top quartile only
    for (const auto &c : cases) {
        const qxb::Summary s = qxb::Summarize(c.sample);
        EXPECT_TRUE(s.q1 == c.q1 && s.median == c.median && s.q3 == c.q3 && s.count == int(c.sample.size()))
            << c.sample.size() << " values";
    }
    EXPECT_TRUE(qxb::Quantile({4, 1, 3, 2}, 0) == 1 && qxb::Quantile({4, 1, 3, 2}, 1) == 4);
    qxb::Summary s;
    s.median = 10, s.q1 = 9, s.q3 = 12;
    EXPECT_DOUBLE_EQ(qxb::SpreadPercent(s), 30);
    s.median = 0;
    EXPECT_DOUBLE_EQ(qxb::SpreadPercent(s), 0);
}

struct Tables {
    int gdi, user;
};

Tables Free(HandleGauge &gdi, HandleGauge &user) { return {gdi.FreeSlots(), user.FreeSlots()}; }

// Each kind of object kept takes its slots from the right table (an icon is
// a USER object), and gives them back when it goes.
TEST(HandleGauge, CountsWhatIsKeptInEachTable) {
    HandleGauge gdi(HandleKind::kGdi, 512), user(HandleKind::kUser, 256);
    ASSERT_TRUE(gdi.Fill() && user.Fill());
    EXPECT_EQ(gdi.FreeSlots(), 512);
    EXPECT_GE(user.FreeSlots(), 250);  // the table is the prefix's: others may hold a few
    using Release = std::function<void()>;
    static BYTE bits[32 * 4];
    const struct { const char *what; Release (*make)(); int gdi, user; } rows[] = {
        {"a brush", [] { HBRUSH b = CreateSolidBrush(RGB(1, 2, 3)); return Release([b] { DeleteObject(b); }); }, 1, 0},
        {"three pens and a bitmap", [] {
             std::vector<HGDIOBJ> kept = {CreatePen(PS_SOLID, 1, 0), CreatePen(PS_SOLID, 2, 0), CreatePen(PS_DOT, 1, 0),
                                          CreateBitmap(8, 8, 1, 1, nullptr)};
             return Release([kept] { for (HGDIOBJ o : kept) DeleteObject(o); });
         }, 4, 0},
        {"a memory DC", [] { HDC dc = CreateCompatibleDC(nullptr); return Release([dc] { DeleteDC(dc); }); }, 1, 0},
        {"two menus", [] {
             HMENU a = CreateMenu(), b = CreatePopupMenu();
             return Release([a, b] { DestroyMenu(a), DestroyMenu(b); });
         }, 0, 2},
        {"an icon", [] {
             HICON i = CreateIcon(nullptr, 32, 32, 1, 1, bits, bits);
             return Release([i] { DestroyIcon(i); });
         }, -1, 1},  // its pictures are the system's business
    };
    for (const auto &row : rows) {
        row.make()();  // what the system makes on first use stays: not counted
        const Tables before = Free(gdi, user);
        const Release release = row.make();
        const Tables kept = Free(gdi, user);
        EXPECT_TRUE((row.gdi < 0 || before.gdi - kept.gdi == row.gdi) && before.user - kept.user == row.user) << row.what;
        release();
        const Tables after = Free(gdi, user);
        EXPECT_TRUE((row.gdi < 0 || after.gdi == before.gdi) && after.user == before.user) << row.what;
    }
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
