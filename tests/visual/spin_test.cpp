// The spin in a window: its drawing read back as pixels (classic, or themed
// with hot tracking), presses, auto-repeat, the wheel, and every way a press
// ends: release, a refused step, capture loss, a modal box, destruction.
// The same program runs with a theme in force and in the classic look.
#include <windows.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "harness.h"
#include "visual/spin_ctl.h"

namespace {

using qx::kSpinLower;
using qx::kSpinNone;
using qx::kSpinUpper;

// Steps counted outside the spin, so that they can be read after it is gone.
struct Steps {
    int up = 0, down = 0;
    bool answer = true;
    std::function<void()> during;  // runs inside every step
};

class CountingSpin : public qx::SpinBase {
public:
    CountingSpin(HWND hwnd, int width, int height, unsigned edges, Steps *steps)
        : SpinBase(hwnd, 20, 10, width, height, edges), steps_(steps) {}
    bool StepUp() override { return Step(&steps_->up); }
    bool StepDown() override { return Step(&steps_->down); }

private:
    bool Step(int *count) {
        ++*count;
        Steps *steps = steps_;  // `during` may delete this spin
        const bool answer = steps->answer;
        if (steps->during) steps->during();
        return answer;
    }
    Steps *steps_;
};

// A child window that feeds its spin as an edit window does.
struct SpinWindow {
    SpinWindow(qxt::ParentWindow &parent, int width = 16, int height = 40, unsigned edges = 11,
               int x = 20) {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = Proc;
            wc.hInstance = qxt::HostInstance();
            wc.lpszClassName = "QxSpinTestHost";
            registered = RegisterClassA(&wc) != 0;
        }
        hwnd = parent.CreateChild("QxSpinTestHost", "", 0, x, 20, 70, 90);
        spin = new CountingSpin(hwnd, width, height, edges, &steps);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        qxt::Repaint(hwnd);
    }
    ~SpinWindow() {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    POINT Centre(qx::SpinButton b) const {
        const RECT r = qx::SpinButtonRect(geometry, b);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Press(qx::SpinButton b) { qxt::MouseDown(hwnd, Centre(b).x, Centre(b).y); }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto *self = reinterpret_cast<SpinWindow *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        CountingSpin *spin = self ? self->spin : nullptr;
        const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
        switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            if (spin) spin->Paint(dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_LBUTTONDOWN: if (spin) spin->MouseDown(x, y); return 0;
        case WM_LBUTTONUP: if (spin) spin->MouseUp(x, y); return 0;
        case WM_MOUSEMOVE: if (spin) spin->MouseMove(x, y); return 0;
        case WM_MOUSELEAVE:
            if (self) ++self->leaves;
            if (spin) spin->MouseLeave(0, 0);
            return 0;
        case WM_MOUSEWHEEL:
            if (spin) spin->Wheel(GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA);
            return 0;
        case WM_CAPTURECHANGED:
            if (spin && self->routeCapture) spin->CaptureLost();
            return 0;
        case WM_NCDESTROY:
            if (self) {
                self->geometry = spin->Geometry();
                delete spin;
                self->spin = nullptr;
            }
            break;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }

    Steps steps;
    CountingSpin *spin = nullptr;
    HWND hwnd = nullptr;
    bool routeCapture = true;
    int leaves = 0;
    qx::SpinGeometry geometry = qx::SpinLayout(20, 10, 16, 40, 11, 1, 1);
};

// One pixel of a classic button (inclusive rectangle r) by the drawing rule:
// the arrow's runs, moved one pixel right and down when pressed (and then
// reaching over the bevel in a wide button); the white and shadow bevel
// (swapped when pressed, the off-diagonal corners always shadow); the face.
COLORREF ClassicPixel(const RECT &r, bool up, bool pressed, int x, int y) {
    const int shift = pressed ? 1 : 0;
    const int w = r.right - r.left - 1, h = r.bottom - r.top - 1;
    int n = 2 * h / 3;
    if (2 * n - 1 > w) n = (w + 1) / 2;
    const int cx = r.left + 1 + shift + w / 2, first = r.top + 1 + shift + (h - n) / 2;
    const int row = up ? y - first : first + n - 1 - y;
    if (row >= 0 && row < n && x >= cx - row && x <= cx + row) return RGB(0, 0, 0);
    const COLORREF white = RGB(255, 255, 255), shadow = GetSysColor(COLOR_BTNSHADOW);
    if ((x == r.right && y == r.top) || (x == r.left && y == r.bottom)) return shadow;
    if (x == r.left || y == r.top) return pressed ? shadow : white;
    if (x == r.right || y == r.bottom) return pressed ? white : shadow;
    return GetSysColor(COLOR_BTNFACE);
}

int ClassicMismatches(const qxt::Pixels &p, const qx::SpinGeometry &g, qx::SpinButton b,
                      bool pressed) {
    const RECT r = qx::SpinButtonRect(g, b);
    int n = 0;
    for (int y = r.top; y <= r.bottom; ++y)
        for (int x = r.left; x <= r.right; ++x)
            if (p.At(x, y) != ClassicPixel(r, b == kSpinUpper, pressed, x, y)) ++n;
    return n;
}

// Pixels that differ between two read-backs inside a button.
int Changed(const qxt::Pixels &a, const qxt::Pixels &b, const qx::SpinGeometry &g,
            qx::SpinButton button) {
    const RECT r = qx::SpinButtonRect(g, button);
    int n = 0;
    for (int y = r.top; y <= r.bottom; ++y)
        for (int x = r.left; x <= r.right; ++x) n += a.At(x, y) != b.At(x, y);
    return n;
}

bool Themed() { return !qxt::ClassicPrefix(); }

class Spin : public testing::Test {
protected:
    // The themed and the classic program may run at the same time: each
    // keeps its windows on its own part of the screen, away from the
    // harness's usual place, so that neither reads the other's pixels.
    void SetUp() override {
        SetWindowPos(parent.hwnd(), HWND_TOP, Themed() ? 440 : 860, 560, 0, 0, SWP_NOSIZE);
        qxt::Pump();
    }
    void TearDown() override { ReleaseCapture(); }
    qxt::ParentWindow parent{400, 200};
};

TEST_F(Spin, DrawsTheClassicLookOnlyWithoutATheme) {
    const struct { int width, height; unsigned edges; } sizes[] = {
        {16, 40, 11}, {16, 21, 11}, {17, 20, 11}, {24, 33, 1}, {12, 30, 15}};
    for (const auto &s : sizes) {
        SpinWindow w(parent, s.width, s.height, s.edges);
        const qx::SpinGeometry &g = w.spin->Geometry();
        const qxt::Pixels p(w.hwnd);
        SCOPED_TRACE(testing::Message() << s.width << "x" << s.height << " edges " << s.edges);
        for (qx::SpinButton b : {kSpinUpper, kSpinLower}) {
            const int wrong = ClassicMismatches(p, g, b, false);
            if (Themed()) EXPECT_GT(wrong, 10); else EXPECT_EQ(wrong, 0);
        }
        if (Themed()) continue;
        // The frame: each edge in its colour; a missing bottom edge leaves the
        // background. The divider is black.
        const qx::SpinFrame f = qx::SpinFrameOf(g);
        const COLORREF black = RGB(0, 0, 0), face = GetSysColor(COLOR_BTNFACE);
        const struct { unsigned edge; RECT r; COLORREF colour; bool blankWithout; } frame[] = {
            {qx::kSpinEdgeLeft, {g.left, g.top, g.left + 1, f.y1 + 1}, face, false},
            {qx::kSpinEdgeRight, {f.x1, g.top, f.x1 + 1, f.y1 + 1}, black, false},
            {qx::kSpinEdgeBottom, {f.xa, f.y1, f.xb + 1, f.y1 + 1}, black, true},
            {qx::kSpinEdgeTop, {f.xa, g.top, f.xb + 1, g.top + 1}, black, false},
            {~0u, {f.xa, f.divider.top, f.xb + 1, f.divider.top + 1 + g.gap}, black, false},
        };
        for (const auto &e : frame) {
            if (s.edges & e.edge) {
                EXPECT_EQ(p.CountOther(e.colour, e.r), 0) << e.edge;
            } else if (e.blankWithout) {
                EXPECT_EQ(p.CountOther(RGB(255, 255, 255), e.r), 0) << e.edge;
            }
        }
    }
}

TEST_F(Spin, PressShowsUntilReleaseOrRepaint) {
    SpinWindow w(parent);
    const qx::SpinGeometry g = w.spin->Geometry();
    const qxt::Pixels normal(w.hwnd);
    w.steps.answer = false;  // no repetition
    w.Press(kSpinUpper);
    EXPECT_EQ(w.spin->Pressed(), kSpinUpper);
    const qxt::Pixels held(w.hwnd);
    if (Themed()) EXPECT_GT(Changed(normal, held, g, kSpinUpper), 0);
    else EXPECT_EQ(ClassicMismatches(held, g, kSpinUpper, true), 0);
    EXPECT_EQ(Changed(normal, held, g, kSpinLower), 0);

    // A repaint while held draws both buttons normal.
    qxt::Repaint(w.hwnd);
    EXPECT_EQ(Changed(normal, qxt::Pixels(w.hwnd), g, kSpinUpper), 0);
    qxt::MouseUp(w.hwnd, 0, 0);
    EXPECT_EQ(w.spin->Pressed(), kSpinNone);
    EXPECT_NE(GetCapture(), w.hwnd);
    const qxt::Pixels released(w.hwnd);
    EXPECT_EQ(Changed(normal, released, g, kSpinUpper) + Changed(normal, released, g, kSpinLower), 0);
}

TEST_F(Spin, DisabledLooksDisabledOnlyWhenThemed) {
    SpinWindow w(parent);
    const qxt::Pixels enabled(w.hwnd);
    EnableWindow(w.hwnd, FALSE);
    qxt::Repaint(w.hwnd);
    const qxt::Pixels disabled(w.hwnd);
    for (qx::SpinButton b : {kSpinUpper, kSpinLower}) {
        const int changed = Changed(enabled, disabled, w.spin->Geometry(), b);
        if (Themed()) EXPECT_GT(changed, 0); else EXPECT_EQ(changed, 0);
    }
}

TEST_F(Spin, HotTrackingFollowsThePointerWhenThemed) {
    SpinWindow w(parent);
    const qx::SpinGeometry g = w.spin->Geometry();
    const qxt::Pixels normal(w.hwnd);
    for (qx::SpinButton hot : {kSpinUpper, kSpinLower}) {
        const qx::SpinButton other = hot == kSpinUpper ? kSpinLower : kSpinUpper;
        qxt::MouseMove(w.hwnd, w.Centre(hot).x, w.Centre(hot).y);
        const qxt::Pixels p(w.hwnd);
        if (Themed()) EXPECT_GT(Changed(normal, p, g, hot), 0); else EXPECT_EQ(Changed(normal, p, g, hot), 0);
        EXPECT_EQ(Changed(normal, p, g, other), 0);
    }
    SendMessageA(w.hwnd, WM_MOUSELEAVE, 0, 0);
    const qxt::Pixels left(w.hwnd);
    EXPECT_EQ(Changed(normal, left, g, kSpinUpper) + Changed(normal, left, g, kSpinLower), 0);

    // No hot look while a button is held.
    w.steps.answer = false;
    w.Press(kSpinUpper);
    const qxt::Pixels held(w.hwnd);
    qxt::MouseMove(w.hwnd, w.Centre(kSpinLower).x, w.Centre(kSpinLower).y, true);
    EXPECT_EQ(Changed(held, qxt::Pixels(w.hwnd), g, kSpinLower), 0);
}

// The pointer really goes over the spin and away again.
TEST_F(Spin, AsksForTheLeaveNotice) {
    SpinWindow w(parent);
    POINT p = w.Centre(kSpinUpper);
    ClientToScreen(w.hwnd, &p);
    SetCursorPos(p.x, p.y);
    qxt::PumpFor(100);
    qxt::MouseMove(w.hwnd, w.Centre(kSpinUpper).x, w.Centre(kSpinUpper).y);
    SetCursorPos(1200, 1000);
    EXPECT_TRUE(qxt::PumpUntil([&] { return w.leaves > 0; }, 3000));
}

TEST_F(Spin, PressesOffTheButtonsGoOn) {
    SpinWindow w(parent);
    const qx::SpinGeometry g = w.spin->Geometry();
    const RECT up = qx::SpinButtonRect(g, kSpinUpper), down = qx::SpinButtonRect(g, kSpinLower);
    const POINT misses[] = {{up.left, up.bottom + 1},  // divider
                            {up.right, up.top},        // last column
                            {down.left, down.bottom},  // last row
                            {g.left, up.top},          // left frame
                            {up.right + 1, down.top}};
    for (const POINT &m : misses) {
        EXPECT_FALSE(w.spin->MouseDown(m.x, m.y)) << m.x << "," << m.y;
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_FALSE(w.spin->MouseUp(m.x, m.y));
    }
    EXPECT_EQ(w.steps.up + w.steps.down, 0);
}

TEST_F(Spin, RefusedFirstStepHoldsAndSwallowsQueuedClicks) {
    SpinWindow w(parent);
    w.steps.answer = false;
    for (int i = 0; i < 3; ++i) PostMessageA(w.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 15));
    PostMessageA(w.hwnd, WM_APP, 0, 0);
    w.Press(kSpinLower);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, w.hwnd, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE));
    EXPECT_TRUE(PeekMessageA(&msg, w.hwnd, WM_APP, WM_APP, PM_NOREMOVE));
    qxt::PumpFor(500);
    EXPECT_EQ(w.steps.down, 1);
    EXPECT_EQ(w.spin->Pressed(), kSpinLower);
    EXPECT_EQ(GetCapture(), w.hwnd);
    EXPECT_TRUE(w.spin->MouseUp(0, 0));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Spin, RepeatsAfterADelayWhileHeld) {
    SpinWindow w(parent);
    w.Press(kSpinUpper);
    EXPECT_EQ(w.steps.up, 1);  // at once
    qxt::PumpFor(200);
    EXPECT_EQ(w.steps.up, 1);  // the first delay is longer
    ASSERT_TRUE(qxt::PumpUntil([&] { return w.steps.up == 2; }, 2000));
    // Then quickly, also with the pointer away from the button.
    qxt::MouseMove(w.hwnd, 0, 0, true);
    const int before = w.steps.up;
    qxt::PumpFor(600);
    EXPECT_GE(w.steps.up - before, 5);
    EXPECT_LE(w.steps.up - before, 16);
    EXPECT_EQ(w.steps.down, 0);

    // A refused step ends the repetition; the button stays held.
    w.steps.answer = false;
    ASSERT_TRUE(qxt::PumpUntil([&] { return qx::SpinRepeatTarget() == nullptr; }, 1000));
    const int last = w.steps.up;
    qxt::PumpFor(300);
    EXPECT_EQ(w.steps.up, last);
    EXPECT_EQ(w.spin->Pressed(), kSpinUpper);

    // The release ends a repetition at once.
    qxt::MouseUp(w.hwnd, 0, 0);
    w.steps.answer = true;
    w.Press(kSpinLower);
    ASSERT_TRUE(qxt::PumpUntil([&] { return w.steps.down == 3; }, 2000));
    qxt::MouseUp(w.hwnd, 0, 0);
    qxt::PumpFor(300);
    EXPECT_EQ(w.steps.down, 3);
}

// A parent that runs the message loop inside its notification never gets a
// step of the repetition inside another one.
TEST_F(Spin, AStepThatRunsTheMessageLoopIsNotEnteredAgain) {
    SpinWindow w(parent);
    int depth = 0, deepest = 0;
    w.steps.during = [&] {
        deepest = std::max(deepest, ++depth);
        if (depth == 1) qxt::PumpFor(120);
        --depth;
    };
    w.Press(kSpinUpper);
    EXPECT_TRUE(qxt::PumpUntil([&] { return w.steps.up >= 5; }, 3000));
    qxt::MouseUp(w.hwnd, 0, 0);
    EXPECT_EQ(deepest, 1) << w.steps.up;
}

TEST_F(Spin, APressOnAnotherSpinTakesOverTheRepetition) {
    SpinWindow a(parent), b(parent, 16, 40, 11, 120);
    a.Press(kSpinUpper);
    ASSERT_TRUE(qxt::PumpUntil([&] { return a.steps.up == 2; }, 2000));
    b.Press(kSpinLower);
    EXPECT_EQ(a.spin->Pressed(), kSpinNone);
    ASSERT_TRUE(qxt::PumpUntil([&] { return b.steps.down == 3; }, 2000));
    EXPECT_EQ(a.steps.up, 2);
}

TEST_F(Spin, WheelStepsOncePerNotch) {
    const struct { int delta, up, down; } cases[] = {
        {120, 1, 0}, {360, 3, 0}, {-240, 0, 2}, {119, 0, 0}, {-119, 0, 0}};
    for (bool answer : {true, false}) {
        for (const auto &c : cases) {
            SpinWindow w(parent);
            w.steps.answer = answer;  // results do not matter
            qxt::Wheel(w.hwnd, c.delta);
            EXPECT_EQ(w.steps.up, c.up) << c.delta;
            EXPECT_EQ(w.steps.down, c.down) << c.delta;
            EXPECT_EQ(qx::SpinRepeatTarget(), nullptr);
        }
    }
}

// A spin whose window goes away is never stepped again, whenever that happens.
TEST_F(Spin, DestroyedSpinIsNeverSteppedAgain) {
    enum How { kBetweenTicks, kInRepeatedStep, kInFirstStep, kInWheel };
    const struct { How how; int steps; } cases[] = {
        {kBetweenTicks, 3}, {kInRepeatedStep, 3}, {kInFirstStep, 1}, {kInWheel, 2}};
    for (const auto &c : cases) {
        SpinWindow w(parent);
        if (c.how != kBetweenTicks)
            w.steps.during = [&] { if (w.steps.up == c.steps) DestroyWindow(w.hwnd); };
        if (c.how == kInWheel) qxt::Wheel(w.hwnd, 5 * WHEEL_DELTA);
        else w.Press(kSpinUpper);
        qxt::PumpUntil([&] { return w.steps.up == c.steps; }, 2000);
        if (c.how == kBetweenTicks) DestroyWindow(w.hwnd);
        EXPECT_EQ(w.spin, nullptr) << c.how;
        EXPECT_EQ(qx::SpinRepeatTarget(), nullptr) << c.how;
        qxt::PumpFor(300);
        EXPECT_EQ(w.steps.up, c.steps) << c.how;
    }
}

// Another window takes the capture while the spin repeats: with the capture
// change passed on, and with only the timer to notice.
TEST_F(Spin, CaptureLossEndsThePress) {
    for (bool route : {true, false}) {
        SpinWindow w(parent);
        w.routeCapture = route;
        const qxt::Pixels normal(w.hwnd);
        w.Press(kSpinUpper);
        ASSERT_TRUE(qxt::PumpUntil([&] { return w.steps.up == 3; }, 2000));
        SetCapture(parent.hwnd());
        qxt::PumpFor(300);
        EXPECT_EQ(w.steps.up, 3) << route;
        EXPECT_EQ(w.spin->Pressed(), kSpinNone) << route;
        EXPECT_EQ(qx::SpinRepeatTarget(), nullptr) << route;
        EXPECT_EQ(Changed(normal, qxt::Pixels(w.hwnd), w.spin->Geometry(), kSpinUpper), 0) << route;
        ReleaseCapture();
        EXPECT_FALSE(w.spin->MouseUp(0, 0));
    }
}

HWND g_box = nullptr;
// The box's title names this process: another test program may show one too.
const char *BoxTitle() {
    static char title[40];
    wsprintfA(title, "spin test box %lu", GetCurrentProcessId());
    return title;
}
void CALLBACK CloseBox(HWND, UINT, UINT_PTR id, DWORD) {
    if (HWND box = FindWindowA("#32770", BoxTitle())) {
        KillTimer(nullptr, id);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        g_box = box;
    }
}

// The parent shows a message box from inside a step, at the press or while
// repeating; the user's release goes to the box, so the press ends there.
TEST_F(Spin, MessageBoxInsideAStepEndsThePress) {
    for (int at : {1, 3}) {
        SpinWindow w(parent);
        g_box = nullptr;
        w.steps.during = [&] {
            if (w.steps.up != at) return;
            SetTimer(nullptr, 0, 150, CloseBox);
            MessageBoxA(parent.hwnd(), "stop", BoxTitle(), MB_OK);
        };
        w.Press(kSpinUpper);
        ASSERT_TRUE(qxt::PumpUntil([&] { return g_box != nullptr; }, 3000)) << at;
        qxt::PumpFor(400);
        EXPECT_EQ(w.steps.up, at);
        EXPECT_NE(GetCapture(), w.hwnd) << at;
        EXPECT_EQ(w.spin->Pressed(), kSpinNone) << at;
        EXPECT_EQ(qx::SpinRepeatTarget(), nullptr) << at;
    }
}

}  // namespace
