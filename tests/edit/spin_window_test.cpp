// The spin inside an edit window, through the DLL: presses are routed to the
// spin or the edit, a held arrow repeats the typed edit's step, the capture
// and the pointer move between them, and the spin is painted in the window.
#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "edit_test_util.h"

namespace {

using qxt::Text;

const auto *const g_registered = ::testing::AddGlobalTestEnvironment(new qxt::RegisteredControls);

class SpinWindow : public ::testing::Test {
protected:
    // A 120 x 20 edit with a spin; the arrows' centres from the client size.
    HWND Make(const char *cls, const char *text) {
        HWND e = parent.CreateChild(cls, "", QXES_SPIN, 10, 10, 120, 20, 7);
        SetWindowTextA(e, text);
        RECT rc;
        GetClientRect(e, &rc);
        const int s = std::min(GetSystemMetrics(SM_CXHTHUMB), int(rc.right / 2));
        const int half = (rc.bottom - 2) / 2;  // a divider and a bottom edge of 1 pixel
        spinLeft = rc.right - s;
        upper = {rc.right - s / 2, half / 2};
        lower = {rc.right - s / 2, half + 1 + half / 2};
        parent.ClearNotifications();
        return e;
    }
    static long Value(HWND e) { return std::atol(Text(e).c_str()); }

    qxt::ParentWindow parent;
    int spinLeft = 0;
    POINT upper = {}, lower = {};
};

// A press on an arrow steps once at once and gives the window the focus;
// held, it repeats; the release stops it.
TEST_F(SpinWindow, HeldArrowRepeatsTheStep) {
    HWND e = Make("QXInteger", "5");
    SetFocus(parent.hwnd());
    qxt::MouseDown(e, upper.x, upper.y);
    EXPECT_EQ(Value(e), 6);
    EXPECT_EQ(GetFocus(), e);
    qxt::PumpFor(700);
    const long held = Value(e);
    EXPECT_GE(held, 10);
    qxt::MouseUp(e, upper.x, upper.y);
    qxt::PumpFor(300);
    EXPECT_EQ(Value(e), held);

    qxt::Click(e, lower.x, lower.y);
    EXPECT_EQ(Value(e), held - 1);
}

// A press on the spin does not move the edit's caret or selection; a drag
// that starts in the edit selects over the spin without stepping it.
TEST_F(SpinWindow, PressesGoToWhoeverHoldsTheButton) {
    HWND e = Make("QXEdit", "abcdef");
    SendMessageA(e, EM_SETSEL, 1, 3);
    qxt::Click(e, upper.x, upper.y);
    DWORD a = 0, c = 0;
    SendMessageA(e, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&c));
    EXPECT_EQ(a, 1u);
    EXPECT_EQ(c, 3u);

    HWND n = Make("QXInteger", "42");
    qxt::MouseDown(n, 1, 5);
    qxt::MouseMove(n, upper.x, upper.y, true);
    qxt::MouseUp(n, upper.x, upper.y);
    EXPECT_EQ(Text(n), "42");
    SendMessageA(n, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&c));
    EXPECT_EQ(a, 0u);
    EXPECT_EQ(c, 2u);
    // The spin takes presses again once the edit let go.
    qxt::Click(n, upper.x, upper.y);
    EXPECT_EQ(Text(n), "43");
}

// Another window taking the capture (as a modal window does) while an arrow
// is held stops the repetition for good.
TEST_F(SpinWindow, CaptureTakenAwayStopsTheRepetition) {
    HWND e = Make("QXInteger", "0");
    bool taken = false;
    parent.onCommand = [&](const qxt::Notification &n) {
        if (n.code == EN_CHANGE && !taken) {
            taken = true;
            SetCapture(parent.hwnd());
        }
    };
    qxt::MouseDown(e, upper.x, upper.y);
    qxt::PumpFor(600);
    ReleaseCapture();
    EXPECT_EQ(Value(e), 1);
    qxt::MouseUp(e, upper.x, upper.y);
}

// The spin strip is drawn by the spin; with a theme, hovering an arrow
// changes its look, without one it does not.
TEST_F(SpinWindow, PaintedAndHotTracked) {
    HWND e = Make("QXInteger", "1");
    qxt::Repaint(e);
    const qxt::Pixels before(e);
    RECT strip = {spinLeft, 0, before.width(), before.height()};
    EXPECT_GT(before.CountOther(GetSysColor(COLOR_WINDOW), strip), 20);
    if (qxt::ClassicPrefix()) {  // classic arrows are black on the face
        EXPECT_GT(before.Count(RGB(0, 0, 0), strip), 6);
    }
    qxt::MouseMove(e, upper.x, upper.y);
    const qxt::Pixels hot(e);
    int changed = 0;
    for (int y = 0; y < hot.height(); ++y)
        for (int x = spinLeft; x < hot.width(); ++x) changed += hot.At(x, y) != before.At(x, y);
    if (qxt::ClassicPrefix())
        EXPECT_EQ(changed, 0);
    else
        EXPECT_GT(changed, 0);
}

}  // namespace
