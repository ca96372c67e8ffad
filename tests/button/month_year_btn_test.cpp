// The month/year button: with a theme, the spin arrow inside a black frame
// in its two directions and two states; without one, nothing at all; in both,
// the bitmap button's behaviour. Linked with the library's static twin to
// reach the object as the calendar does.
#include <windows.h>

#include <gtest/gtest.h>

#include "button/month_year_btn.h"
#include "button_fixture.h"
#include "harness.h"
#include "qx_cntl.h"

namespace {

const int kW = 21, kH = 17;
const int kRightPart = 3, kLeftPart = 4;

class MonthYearBtnTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(classes.ok()); }
    HWND Make(const char *cls = "QXBmpButtonXP") {
        return parent.CreateChild(cls, "", 0, 10, 10, kW, kH, 5);
    }
    bt::ButtonClasses classes;
    qxt::ParentWindow parent;
};

TEST_F(MonthYearBtnTest, ObjectReachableOnlyOnItsOwnWindows) {
    HWND xp = Make();
    HWND plain = Make("QXBmpButton");
    qx::MonthYearBtn *btn = qx::MonthYearBtnFromWindow(xp);
    ASSERT_NE(btn, nullptr);
    EXPECT_EQ(btn->ownWnd, xp);
    EXPECT_EQ(btn->hwnd, xp);
    EXPECT_TRUE(btn->leftArrow) << "a new button points left";
    EXPECT_EQ(qx::MonthYearBtnFromWindow(plain), nullptr);
    EXPECT_EQ(qx::MonthYearBtnFromWindow(parent.hwnd()), nullptr);
    EXPECT_EQ(qx::MonthYearBtnFromWindow(nullptr), nullptr);
    // A calendar replaces the window procedure of its buttons; the object is
    // still found through the class.
    SetWindowLongPtrA(xp, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
    EXPECT_EQ(qx::MonthYearBtnFromWindow(xp), btn);
    SetWindowLongPtrA(xp, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(qx::MonthYearBtnWndProc));
}

TEST_F(MonthYearBtnTest, ThemedArrowInsideABlackFrame) {
    if (!bt::Themed()) GTEST_SKIP() << "draws only with a theme";
    struct {
        const char *name;
        bool setRight, press, disable, hover;
        int part, state;
    } cases[] = {
        {"new: left", false, false, false, false, kLeftPart, 1},
        {"right", true, false, false, false, kRightPart, 1},
        {"left pressed", false, true, false, false, kLeftPart, 3},
        {"right pressed", true, true, false, false, kRightPart, 3},
        {"disabled looks enabled", true, false, true, false, kRightPart, 1},
        {"hovering changes nothing", false, false, false, true, kLeftPart, 1},
    };
    {
        HWND probe = Make();
        bt::Canvas left(kW, kH, 0), right(kW, kH, 0);
        bt::DrawThemedArrow(left, probe, kLeftPart, 1);
        bt::DrawThemedArrow(right, probe, kRightPart, 1);
        int differ = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) differ += left.At(x, y) != right.At(x, y);
        ASSERT_GT(differ, 0) << "the two arrows must be told apart";
        DestroyWindow(probe);
    }
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        HWND xp = Make();
        if (c.setRight) qx::MonthYearBtnFromWindow(xp)->leftArrow = false;
        // A picture is stored but never drawn.
        EXPECT_EQ(QXBtn_SetBitmap(xp, bt::MakeBitmap(8, 8, bt::Coded)), 1);
        if (c.disable) EnableWindow(xp, FALSE);
        qxt::Repaint(xp);
        if (c.press) SendMessageA(xp, WM_KEYDOWN, VK_SPACE, 1);
        if (c.hover) {
            POINT p = {kW / 2, kH / 2};
            ClientToScreen(xp, &p);
            SetCursorPos(p.x, p.y);
            qxt::MouseMove(xp, kW / 2, kH / 2);
        }
        qxt::Pixels pixels(xp);
        bt::Canvas ref(kW, kH, 0);
        bt::DrawThemedArrow(ref, xp, c.part, c.state);
        EXPECT_EQ(bt::Mismatches(pixels, ref), 0);
        const RECT inner = {1, 1, kW - 1, kH - 1};
        const RECT all = {0, 0, kW, kH};
        EXPECT_EQ(pixels.Count(RGB(0, 0, 0), all) - pixels.Count(RGB(0, 0, 0), inner), 2 * (kW + kH) - 4)
            << "the outermost ring is black";
        DestroyWindow(xp);
        SetCursorPos(0, 0);
    }
}

TEST_F(MonthYearBtnTest, DrawsNothingWithoutATheme) {
    if (bt::Themed()) GTEST_SKIP() << "runs where no theme is in force";
    HWND xp = Make();
    const COLORREF magenta = RGB(255, 0, 255);
    {
        HDC dc = GetDC(xp);
        RECT all = {0, 0, kW, kH};
        HBRUSH b = CreateSolidBrush(magenta);
        FillRect(dc, &all, b);
        DeleteObject(b);
        ReleaseDC(xp, dc);
    }
    RedrawWindow(xp, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    SetFocus(xp);
    SendMessageA(xp, WM_KEYDOWN, VK_SPACE, 1);
    qxt::Pump();
    EXPECT_EQ(qxt::Pixels(xp).Count(magenta), kW * kH);
}

// Whatever the look, it presses, takes the focus and notifies like a
// bitmap button.
TEST_F(MonthYearBtnTest, BehavesAsABitmapButton) {
    HWND xp = Make();
    qxt::Click(xp, 3, 3);
    EXPECT_EQ(GetFocus(), xp);
    qxt::MouseDown(xp, 3, 3);
    qxt::MouseUp(xp, kW, 3);
    SendMessageA(xp, WM_KEYDOWN, VK_SPACE, 1);
    SendMessageA(xp, WM_KEYUP, VK_SPACE, 0xC0000001);
    const qxt::Notification click{5, BN_CLICKED, xp};
    EXPECT_TRUE(qxt::SameNotifications({click, click}, parent.Notifications()));
    EXPECT_EQ(SendMessageA(xp, WM_GETDLGCODE, 0, 0), DLGC_DEFPUSHBUTTON);
}

}  // namespace
