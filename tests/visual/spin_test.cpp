// The spin button: its layout, then a spin in a window of the test's own class driven as an edit drives it.
#include <atomic>
#include <thread>

#include "common/window_class.h"
#include "harness.h"
#include "visual/spin_ctl.h"
#include "visual/theme_api.h"

namespace {

using namespace qx;

// Equal buttons in what the divider and edges (1 left, 2 right, 4 top, 8 bottom) leave; hits, frame, themed rects.
TEST(SpinGeometry, WorkedExamples) {
    const struct { int w, h; unsigned edges; int height, width, gap, bw = 1, bh = 1; } layouts[] = {
        {16, 20, 11, 9, 14, 0}, {16, 21, 11, 9, 14, 1}, {16, 20, 1, 9, 15, 1}, {16, 20, 15, 8, 14, 1},
        {16, 20, 15, 5, 12, 1, 2, 3}, {1, 20, 3, 9, 0, 1}, {16, 1, 11, 0, 14, 0}};
    for (const auto &c : layouts) {
        const SpinGeometry g = SpinLayout(7, 3, c.w, c.h, c.edges, c.bw, c.bh);
        EXPECT_EQ(std::tie(g.upperHeight, g.lowerHeight, g.buttonWidth, g.gap),
                  std::tie(c.height, c.height, c.width, c.gap));
    }
    const SpinGeometry g = SpinLayout(30, 0, 16, 21, 11, 1, 1), top = SpinLayout(0, 5, 10, 20, 4, 1, 1);
    const struct { int x, y; SpinButton hit; } hits[] = {
        {31, 0, kSpinUpper}, {43, 7, kSpinUpper}, {30, 0, kSpinNone},  {44, 7, kSpinNone},  {43, 8, kSpinNone},
        {31, 10, kSpinNone}, {31, 11, kSpinLower}, {43, 18, kSpinLower}, {44, 18, kSpinNone}, {43, 19, kSpinNone}};
    for (const auto &c : hits) EXPECT_EQ(SpinHitTest(g, c.x, c.y), c.hit) << c.x << "," << c.y;
    EXPECT_EQ(SpinHitTest(top, 0, 5) * 10 + SpinHitTest(top, 0, 6), kSpinNone * 10 + kSpinUpper);
    const SpinFrame f = SpinFrameOf(g);
    const RECT d = f.divider, u = SpinThemedRect(g, kSpinUpper), l = SpinThemedRect(g, kSpinLower);
    EXPECT_EQ(std::vector<LONG>({f.x1, f.y1, f.xa, f.xb, d.left, d.top, d.right, d.bottom, u.left, u.top, u.right,
                                 u.bottom, l.left, l.top, l.right, l.bottom}),
              std::vector<LONG>({45, 20, 31, 44, 31, 9, 45, 12, 30, -1, 46, 10, 30, 12, 46, 22}));
}

// A white window whose object carries a spin at 20,10; steps counted and answered by `during` (may destroy it).
struct SpinWindow : WindowObject, SpinOwner {
    struct Shape { int width, height; unsigned edges; };
    static SpinWindow &Make(qxt::ParentWindow &parent, int width = 16, int height = 40, unsigned edges = 11) {
        static WindowClass cls = {"QxTestSpinWindow", &Proc, 0, 0};
        EXPECT_TRUE(RegisterCounted(cls, qxt::HostInstance()));
        Shape shape = {width, height, edges};
        HWND hwnd = CreateWindowExA(0, cls.name, "", WS_CHILD | WS_VISIBLE, 20, 20, 70, 90, parent.hwnd(), nullptr,
                                    qxt::HostInstance(), &shape);
        auto &w = *static_cast<SpinWindow *>(reinterpret_cast<WindowObject *>(GetWindowLongPtrA(hwnd, 0)));
        w.Redraw();
        return w;
    }
    SpinWindow(HWND hwnd, const Shape &s) : WindowObject(hwnd), spin(*this, 20, 10, s.width, s.height, s.edges) {}
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
        return Dispatch(h, m, wp, lp, [](HWND hwnd, const CREATESTRUCTA &cs) -> WindowObject * {
            return new SpinWindow(hwnd, *static_cast<const Shape *>(cs.lpCreateParams));
        });
    }
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg != WM_ERASEBKGND) return DefWindowProcA(Window(), msg, wp, lp);
        RECT r;
        GetClientRect(Window(), &r);
        return FillRect(HDC(wp), &r, HBRUSH(GetStockObject(WHITE_BRUSH)));
    }
    bool Step(bool up) override { return std::function<bool(int)>(during)(up ? ++ups : ++downs); }  // a copy
    WindowObject &SpinHost() override { return *this; }
    long AccChildCount() override { return SpinCtl::kAccParts; }
    long AccRole(long) override { return ROLE_SYSTEM_PUSHBUTTON; }
    void AccCaption(long child, qx::AccText *caption) override { if (child) spin.AccCaption(child, caption); }
    bool AccValue(long, qx::AccText *) override { return false; }
    long AccState(long child) override { return child ? spin.AccState(child) : 0; }
    void AccDefaultAction(long, qx::AccText *) override {}
    HRESULT AccDoDefaultAction(long child) override { return child ? spin.AccPress(child), S_OK : DISP_E_MEMBERNOTFOUND; }
    HRESULT AccSetValue(long, const char *) override { return DISP_E_MEMBERNOTFOUND; }
    bool AccChildRect(long child, RECT *rect) override { return child && spin.AccRect(child, rect); }
    void Redraw() {
        RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC dc = GetDC(Window());
        spin.Paint(dc);
        ReleaseDC(Window(), dc);
    }
    SpinCtl spin;
    int ups = 0, downs = 0;
    std::function<bool(int)> during = [](int) { return true; };  // with the step's number
};
const POINT kUp = {25, 15}, kDown = {25, 35};

// A classic button's pixel (r inclusive): the arrow two thirds high, a pixel right and down pressed; the bevel.
COLORREF ClassicPixel(const RECT &r, bool up, bool pressed, int x, int y) {
    const int w = r.right - r.left - 1, h = r.bottom - r.top - 1;
    int n = 2 * h / 3;
    if (2 * n - 1 > w) n = (w + 1) / 2;
    const int cx = r.left + 1 + pressed + w / 2, first = r.top + 1 + pressed + (h - n) / 2;
    const int row = up ? y - first : first + n - 1 - y;
    if (row >= 0 && row < n && x >= cx - row && x <= cx + row) return RGB(0, 0, 0);
    const COLORREF light = RGB(255, 255, 255), shadow = GetSysColor(COLOR_BTNSHADOW);
    if ((x == r.right && y == r.top) || (x == r.left && y == r.bottom)) return shadow;
    if (x == r.left || y == r.top) return pressed ? shadow : light;
    return x == r.right || y == r.bottom ? (pressed ? light : shadow) : GetSysColor(COLOR_BTNFACE);
}

// Pixels of a button unlike its look in a state (1 normal, 2 hot, 3 pressed, 4 disabled); themed, drawn over it.
int Wrong(const SpinWindow &w, SpinButton b, int state) {
    const RECT r = SpinButtonRect(w.spin.Geometry(), b), t = SpinThemedRect(w.spin.Geometry(), b);
    const qxt::Pixels p(w.Window());
    ScopedTheme theme(w.Window(), L"SPIN");
    HDC dc = GetDC(w.Window());
    if (theme) FillRect(dc, &t, HBRUSH(GetStockObject(WHITE_BRUSH))), theme.DrawBackground(dc, b + 1, state, t);
    ReleaseDC(w.Window(), dc);
    const qxt::Pixels themed(w.Window());
    int n = 0;
    for (int y = r.top; y <= r.bottom; ++y)
        for (int x = r.left; x <= r.right; ++x)
            n += p.At(x, y) != (theme ? themed.At(x, y) : ClassicPixel(r, b == kSpinUpper, state == 3, x, y));
    return n;
}

// A press, even refused, holds the capture and drops queued clicks; the other button takes over; hot tracking.
TEST(Spin, LooksPressesAndHotTracking) {
    qxt::ParentWindow parent;
    enum { PressUp, PressDown, Release, Paint, OverUp, OverDown, Leave, Disable, Miss };
    const struct { int width, height; unsigned edges; std::vector<int> steps; int upper, lower; } cases[] = {
        {16, 21, 11, {}, 1, 1}, {12, 30, 15, {Disable}, 4, 4}, {24, 33, 1, {PressUp}, 3, 1},
        {16, 40, 11, {PressDown}, 1, 3}, {16, 40, 11, {PressDown, Paint}, 1, 1}, {16, 40, 11, {PressUp, Release}, 1, 1},
        {16, 40, 11, {OverUp}, 2, 1}, {16, 40, 11, {OverDown}, 1, 2}, {16, 40, 11, {OverUp, Leave}, 1, 1},
        {16, 40, 11, {PressUp, OverDown}, 3, 1}, {16, 40, 11, {PressUp, Miss}, 3, 1},
        {16, 40, 11, {PressUp, PressDown}, 1, 3}, {16, 40, 11, {PressDown, PressUp}, 3, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        SpinWindow &w = SpinWindow::Make(parent, c.width, c.height, c.edges);
        w.during = [](int) { return false; };
        PostMessageA(w.Window(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
        POINT over = kUp;
        ClientToScreen(w.Window(), &over);
        SetCursorPos(over.x, over.y);  // the pointer really over the spin
        bool held = false, pressed = false, tracked = false;
        for (int s : c.steps) {
            const POINT at = s == PressUp || s == OverUp ? kUp : kDown;
            if (s == PressUp || s == PressDown) pressed = held = w.spin.MouseDown(at.x, at.y);
            if (s == Release) held = !w.spin.MouseUp(at.x, at.y);
            if (s == Miss) held = w.spin.MouseDown(0, 0);
            if (s == Paint || s == Disable) EnableWindow(w.Window(), s == Paint), w.Redraw();
            if (s == OverUp || s == OverDown) tracked |= !held, w.spin.MouseMove(at.x, at.y);
            if (s == Leave) w.spin.MouseLeave(0, 0);
        }
        MSG m;
        TRACKMOUSEEVENT q = {sizeof q, TME_QUERY, nullptr, 0};
        EXPECT_EQ(PeekMessageA(&m, w.Window(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE) == 0, pressed);
        EXPECT_EQ(TrackMouseEvent(&q) && q.hwndTrack == w.Window() && (q.dwFlags & TME_LEAVE), tracked);
        EXPECT_EQ((GetCapture() == w.Window()) * 10 + (w.spin.Pressed() != kSpinNone), held * 11);
        EXPECT_EQ(Wrong(w, kSpinUpper, c.upper) + Wrong(w, kSpinLower, c.lower), 0);
        DestroyWindow(w.Window());
    }
    SetCursorPos(0, 0);
}

// Steps at the press, after 350 ms, then every 50 ms; ends when refused, released, destroyed, capture lost.
TEST(Spin, RepeatsUntilRefusedReleasedDeletedOrCaptureLost) {
    qxt::ParentWindow parent;
    SpinWindow &held = SpinWindow::Make(parent);
    held.during = [&](int n) {
        if (n == 3) qxt::PumpFor(120);
        return held.ups == n;  // not a step within a step
    };
    held.spin.MouseDown(kUp.x, kUp.y);
    EXPECT_EQ(held.ups, 1);
    qxt::PumpFor(200);
    EXPECT_EQ(held.ups, 1);
    ASSERT_TRUE(qxt::PumpUntil([&] { return held.ups == 2; }, 1000));
    qxt::PumpFor(400);
    EXPECT_GE(held.ups, 5);
    EXPECT_NE(SpinRepeatTarget(), nullptr) << "every step answered yes";
    held.spin.MouseUp(0, 0);
    DestroyWindow(held.Window());
    enum { Refuse, Release, Delete, Capture, Unrouted };
    const struct { int how, at, notches, steps; } cases[] = {
        {Refuse, 1, 0, 1}, {Refuse, 3, 0, 3}, {Release, 3, 0, 3}, {Delete, 1, 0, 1}, {Delete, 3, 0, 3}, {Delete, 2, 5, 2},
        {Capture, 3, 0, 3}, {Unrouted, 1, 0, 1}, {Unrouted, 3, 0, 3}, {Refuse, 1, 3, 3}, {Refuse, 1, -2, 2}};
    for (const auto &c : cases) {
        SpinWindow *w = &SpinWindow::Make(parent);
        int steps = 0;
        w->during = [&](int n) {
            steps = n;
            if (n == c.at && c.how == Release) w->spin.MouseUp(0, 0);
            if (n == c.at && c.how == Delete) DestroyWindow(w->Window()), w = nullptr;
            if (n == c.at && c.how >= Capture) SetCapture(parent.hwnd());
            if (n == c.at && c.how == Capture) w->spin.CaptureLost();
            return n != c.at || c.how != Refuse;
        };
        c.notches ? w->spin.Wheel(c.notches) : void(w->spin.MouseDown(kUp.x, kUp.y));
        qxt::PumpUntil([&] { return steps >= c.steps; }, 1000);
        qxt::PumpFor(150);
        EXPECT_EQ(steps, c.steps) << &c - cases;
        EXPECT_EQ(SpinRepeatTarget(), nullptr) << &c - cases;
        EXPECT_TRUE(!w || ((c.notches < 0 ? w->downs : w->ups) == c.steps &&
                           w->spin.MouseUp(0, 0) == (c.how == Refuse && !c.notches) &&
                           w->spin.Pressed() == kSpinNone && !Wrong(*w, kSpinUpper, 1))) << &c - cases;
        if (w) DestroyWindow(w->Window());
    }
}

// Spins held on two threads repeat at once; a release ends its own thread's repetition only.
TEST(Spin, EachThreadRepeatsItsOwnSpin) {
    qxt::ParentWindow parent;
    SpinWindow &mine = SpinWindow::Make(parent);  // registers the class before the thread starts
    std::atomic<int> mySteps(0), otherSteps(0);
    std::atomic<const SpinCtl *> otherTarget(nullptr);
    mine.during = [&](int n) { return mySteps = n, true; };
    HANDLE pressed = CreateEventA(nullptr, TRUE, FALSE, nullptr), release = CreateEventA(nullptr, TRUE, FALSE, nullptr),
           released = CreateEventA(nullptr, TRUE, FALSE, nullptr), finish = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread other([&] {
        qxt::ParentWindow otherParent;
        SpinWindow &w = SpinWindow::Make(otherParent);
        w.during = [&](int n) { return otherSteps = n, true; };
        if (w.spin.MouseDown(kUp.x, kUp.y)) SetEvent(pressed);
        qxt::PumpUntilSignaled(release, 10000);
        otherTarget = SpinRepeatTarget();
        if (w.spin.MouseUp(0, 0)) SetEvent(released);
        qxt::PumpUntilSignaled(finish, 10000);
        DestroyWindow(w.Window());
    });
    ASSERT_TRUE(qxt::PumpUntilSignaled(pressed, 5000));
    mine.spin.MouseDown(kUp.x, kUp.y);
    EXPECT_TRUE(qxt::PumpUntil([&] { return mySteps >= 4 && otherSteps >= 4; }, 3000)) << mySteps << " " << otherSteps;
    EXPECT_EQ(SpinRepeatTarget(), &mine.spin);
    SetEvent(release);
    EXPECT_TRUE(qxt::PumpUntilSignaled(released, 5000));
    EXPECT_TRUE(otherTarget.load() != nullptr && otherTarget.load() != &mine.spin);
    const int otherAt = otherSteps, mineAt = mySteps;
    EXPECT_TRUE(qxt::PumpUntil([&] { return mySteps >= mineAt + 3; }, 2000)) << "this thread's spin stopped too";
    EXPECT_EQ(otherSteps, otherAt) << "the released spin goes on";
    EXPECT_TRUE(mine.spin.MouseUp(0, 0));
    const int stoppedAt = mySteps;
    qxt::PumpFor(200);
    EXPECT_TRUE(mySteps == stoppedAt && SpinRepeatTarget() == nullptr) << "repeating after its release";
    SetEvent(finish);
    other.join();
    for (HANDLE e : {pressed, release, released, finish}) CloseHandle(e);
    DestroyWindow(mine.Window());
}

}  // namespace
