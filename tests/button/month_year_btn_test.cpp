// The month/year button, linked with the library's static twin to reach its
// object as the calendar does: with a theme, the spin arrow in a black frame;
// without one (the _classic twin), nothing drawn; in both, a bitmap button's
// behaviour.
#include "button/month_year_btn.h"
#include "button_fixture.h"

namespace {

const int kW = 21, kH = 17;

class MonthYearBtn : public bt::ButtonTest {
protected:
    HWND Make(const char *cls = "QXBmpButtonXP") { return parent.CreateChild(cls, "", 0, 10, 10, kW, kH, 5); }
};

TEST_F(MonthYearBtn, ObjectOnlyOnItsOwnWindowsAndPointingLeftAtFirst) {
    HWND xp = Make();
    qx::MonthYearBtn *btn = qx::MonthYearBtnFromWindow(xp);
    ASSERT_NE(btn, nullptr);
    EXPECT_EQ(btn->ownWnd, xp);
    EXPECT_EQ(btn->hwnd, xp);
    EXPECT_TRUE(btn->leftArrow);
    for (HWND other : {Make("QXBmpButton"), parent.hwnd(), HWND(nullptr)})
        EXPECT_EQ(qx::MonthYearBtnFromWindow(other), nullptr);
    // The calendar replaces its buttons' procedure: the class still tells.
    SetWindowLongPtrA(xp, GWLP_WNDPROC, LONG_PTR(DefWindowProcA));
    EXPECT_EQ(qx::MonthYearBtnFromWindow(xp), btn);
    SetWindowLongPtrA(xp, GWLP_WNDPROC, LONG_PTR(qx::MonthYearBtnWndProc));
}

TEST_F(MonthYearBtn, ThemedArrowInABlackFrame) {
    if (!bt::Themed()) GTEST_SKIP() << "draws only with a theme";
    const int right = SPNP_UPHORZ, left = SPNP_DOWNHORZ;
    const struct {
        const char *name;
        bool pointRight, press, disable, hover;
        int part, state;
    } cases[] = {
        {"left", false, false, false, false, left, 1},       {"right", true, false, false, false, right, 1},
        {"left pressed", false, true, false, false, left, 3}, {"right pressed", true, true, false, false, right, 3},
        {"disabled", true, false, true, false, right, 1},     {"hovered", false, false, false, true, left, 1},
    };
    HWND probe = Make();
    bt::Canvas l(kW, kH), r(kW, kH);
    l.Themed(probe, L"SPIN", left, 1, 0, true);
    r.Themed(probe, L"SPIN", right, 1, 0, true);
    int differ = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) differ += l.At(x, y) != r.At(x, y);
    ASSERT_GT(differ, 0) << "the two arrows must be told apart";
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        HWND xp = Make();
        qx::MonthYearBtnFromWindow(xp)->leftArrow = !c.pointRight;
        EXPECT_EQ(QXBtn_SetBitmap(xp, bt::Solid(8, 8, RGB(255, 0, 0))), 1) << "stored, never drawn";
        if (c.disable) EnableWindow(xp, FALSE);
        qxt::Repaint(xp);
        if (c.press) SendMessageA(xp, WM_KEYDOWN, VK_SPACE, 1);
        if (c.hover) {
            POINT p = {kW / 2, kH / 2};
            ClientToScreen(xp, &p);
            SetCursorPos(p.x, p.y);
            qxt::MouseMove(xp, kW / 2, kH / 2);
        }
        qxt::Pixels p(xp);
        EXPECT_EQ(bt::Canvas(kW, kH).Themed(xp, L"SPIN", c.part, c.state, 0, true).Mismatches(p), 0);
        EXPECT_EQ(p.Count(0) - p.Count(0, RECT{1, 1, kW - 1, kH - 1}), 2 * (kW + kH) - 4) << "black frame";
        SetCursorPos(0, 0);
        DestroyWindow(xp);
    }
}

// Without a theme nothing is painted, yet it takes the focus and clicks.
TEST_F(MonthYearBtn, BehavesAsABitmapButtonAndDrawsNothingWithoutATheme) {
    HWND xp = Make();
    HDC dc = GetDC(xp);
    const RECT all = {0, 0, kW, kH};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(xp, dc);
    qxt::Click(xp, 3, 3);
    SendMessageA(xp, WM_KEYDOWN, VK_SPACE, 1);
    RedrawWindow(xp, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (!bt::Themed()) {
        EXPECT_EQ(qxt::Pixels(xp).Count(RGB(255, 255, 255)), kW * kH);
    }
    SendMessageA(xp, WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(GetFocus(), xp);
    const qxt::Notification click{5, BN_CLICKED, xp};
    EXPECT_TRUE(qxt::SameNotifications({click, click}, parent.Notifications()));
}

}  // namespace
