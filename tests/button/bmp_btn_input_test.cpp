// The bitmap button through real windows of the DLL: the press and hover
// state machine with its exact notifications, focus and dialog codes, the
// picture exports, ownership of pictures, and class registration. Runs with
// a theme and in the classic look.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "button_fixture.h"
#include "harness.h"
#include "qx_cntl.h"

namespace {

const int kW = 40, kH = 30, kId = 7;

class BmpBtnInput : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(classes.ok()); }

    HWND Make(DWORD style = 0, const char *cls = "QXBmpButton") {
        return parent.CreateChild(cls, "", style, 10, 10, kW, kH, kId);
    }
    qxt::Notification Clicked(HWND btn) const { return {kId, BN_CLICKED, btn}; }

    bt::ButtonClasses classes;
    qxt::ParentWindow parent;
};

// Whether the button, as painted now, shows its pressed look.
enum class Look { Up, Down, Unknown };

Look CurrentLook(HWND btn, bool repaint = true) {
    // Painted now, without dispatching anything else that is queued.
    if (repaint) RedrawWindow(btn, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    qxt::Pixels p(btn);
    const bool focused = GetFocus() == btn;
    if (bt::Themed()) {
        for (int state : {1, 2, 3}) {
            bt::Canvas c(kW, kH, 0);
            bt::DrawThemedPush(c, btn, state, focused);
            if (bt::Mismatches(p, c) == 0) return state == 3 ? Look::Down : Look::Up;
        }
        return Look::Unknown;
    }
    // The outermost ring of the bevel (inside the black focus ring).
    const COLORREF edge = p.At(focused ? 1 : 0, kH / 2);
    if (edge == GetSysColor(COLOR_BTNSHADOW)) return Look::Down;
    if (edge == GetSysColor(COLOR_3DLIGHT)) return Look::Up;
    return Look::Unknown;
}

const char *Name(Look l) { return l == Look::Up ? "up" : l == Look::Down ? "down" : "unknown"; }

void SpaceDown(HWND btn, int repeat = 1) {
    SendMessageA(btn, WM_KEYDOWN, VK_SPACE, repeat | (0x39 << 16));
}
void SpaceUp(HWND btn) { SendMessageA(btn, WM_KEYUP, VK_SPACE, 1 | (0x39 << 16) | 0xC0000000); }

// ---- Press state machine -----------------------------------------------------

struct Step {
    enum Kind { Down, Up, Drag, KeyDown, KeyUp, OtherKey } kind;
    int x = 0, y = 0;
};

TEST_F(BmpBtnInput, PressSequencesNotifyExactly) {
    const Step down{Step::Down, 5, 5}, keyDown{Step::KeyDown}, keyUp{Step::KeyUp};
    auto up = [](int x, int y) { return Step{Step::Up, x, y}; };
    struct Case {
        const char *name;
        std::vector<Step> steps;
        int clicks;
        Look endLook;
    } cases[] = {
        {"release inside", {down, up(5, 5)}, 1, Look::Up},
        {"release at the origin", {down, up(0, 0)}, 1, Look::Up},
        {"release at the last pixel", {down, up(kW - 1, kH - 1)}, 1, Look::Up},
        {"release at x = width", {down, up(kW, 5)}, 0, Look::Up},
        {"release at y = height", {down, up(5, kH)}, 0, Look::Up},
        {"release left of it", {down, up(-1, 5)}, 0, Look::Up},
        {"release far outside", {down, up(300, 150)}, 0, Look::Up},
        {"drag out and release outside", {down, {Step::Drag, 200, 100}, up(200, 100)}, 0, Look::Up},
        {"drag out and back in", {down, {Step::Drag, 200, 100}, {Step::Drag, 5, 5}, up(5, 5)}, 1, Look::Up},
        {"release without a press", {up(5, 5)}, 0, Look::Up},
        {"second release", {down, up(5, 5), up(5, 5)}, 1, Look::Up},
        {"held mouse", {down}, 0, Look::Down},
        {"space bar", {keyDown, keyUp}, 1, Look::Up},
        {"space bar auto-repeat", {keyDown, keyDown, keyDown, keyUp}, 1, Look::Up},
        {"space key-up alone", {keyUp}, 1, Look::Up},
        {"held space bar", {keyDown}, 0, Look::Down},
        {"space up during a mouse press, release inside", {down, keyUp, up(5, 5)}, 2, Look::Up},
        {"space up during a mouse press, release outside", {down, keyUp, up(kW, kH)}, 1, Look::Up},
        {"space up during a mouse press, still held", {down, keyUp}, 1, Look::Up},
        {"space down again while the mouse holds", {down, keyUp, keyDown}, 1, Look::Down},
        {"mouse during a held space bar, release inside", {keyDown, down, up(5, 5)}, 1, Look::Up},
        {"mouse during a held space bar, then space up", {keyDown, down, up(5, 5), keyUp}, 2, Look::Up},
        {"mouse during a held space bar, release outside", {keyDown, down, up(-5, 5), keyUp}, 1, Look::Up},
        {"other keys", {{Step::OtherKey}}, 0, Look::Up},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HWND btn = Make();
        ASSERT_NE(btn, nullptr);
        parent.ClearNotifications();
        for (const Step &s : c.steps) {
            switch (s.kind) {
            case Step::Down: qxt::MouseDown(btn, s.x, s.y); break;
            case Step::Up: qxt::MouseUp(btn, s.x, s.y); break;
            case Step::Drag: qxt::MouseMove(btn, s.x, s.y, true); break;
            case Step::KeyDown: SpaceDown(btn); break;
            case Step::KeyUp: SpaceUp(btn); break;
            case Step::OtherKey:
                for (UINT vk : {UINT(VK_RETURN), UINT(VK_ESCAPE), UINT('A'), UINT(VK_TAB)}) qxt::SendKey(btn, vk);
                break;
            }
        }
        EXPECT_TRUE(qxt::SameNotifications(std::vector<qxt::Notification>(c.clicks, Clicked(btn)),
                                           parent.Notifications()));
        const Look look = CurrentLook(btn);
        EXPECT_EQ(look, c.endLook) << Name(look);
        ReleaseCapture();
        DestroyWindow(btn);
    }
}

TEST_F(BmpBtnInput, CaptureTakenAwayKeepsThePressUntilTheNextRelease) {
    HWND btn = Make();
    HWND other = parent.CreateChild("STATIC", "", 0, 200, 10, 50, 20, 9);
    qxt::MouseDown(btn, 5, 5);
    EXPECT_EQ(GetCapture(), btn);
    SetCapture(other);
    ReleaseCapture();
    qxt::Pump();
    EXPECT_EQ(CurrentLook(btn), Look::Down);
    EXPECT_TRUE(parent.Notifications().empty());
    qxt::MouseUp(btn, 5, 5);
    EXPECT_TRUE(qxt::SameNotifications({Clicked(btn)}, parent.Notifications()));
    EXPECT_EQ(CurrentLook(btn), Look::Up);
}

TEST_F(BmpBtnInput, MouseReleaseGivesUpTheCapture) {
    HWND btn = Make();
    qxt::MouseDown(btn, 5, 5);
    EXPECT_EQ(GetCapture(), btn);
    qxt::MouseUp(btn, 100, 100);
    EXPECT_EQ(GetCapture(), nullptr);
}

// The parent may destroy the button while handling its click.
TEST_F(BmpBtnInput, ParentMayDestroyTheButtonInsideTheClick) {
    for (int viaKey = 0; viaKey < 2; ++viaKey) {
        HWND btn = Make();
        parent.onCommand = [&](const qxt::Notification &) { DestroyWindow(btn); };
        if (viaKey) {
            SpaceDown(btn);
            SpaceUp(btn);
        } else {
            qxt::Click(btn, 5, 5);
        }
        qxt::Pump();
        EXPECT_FALSE(IsWindow(btn)) << viaKey;
        EXPECT_EQ(parent.Notifications().size(), 1u) << viaKey;
        parent.onCommand = nullptr;
        parent.ClearNotifications();
    }
}

TEST_F(BmpBtnInput, ParentMayDestroyTheButtonWhenItTakesTheFocus) {
    HWND edit = parent.CreateChild("EDIT", "", 0, 200, 10, 80, 20, 9);
    HWND btn = Make();
    SetFocus(edit);
    parent.onCommand = [&](const qxt::Notification &n) {
        if (n.from == edit && n.code == EN_KILLFOCUS) DestroyWindow(btn);
    };
    qxt::MouseDown(btn, 5, 5);
    qxt::Pump();
    EXPECT_FALSE(IsWindow(btn));
    EXPECT_EQ(GetCapture(), nullptr);
    parent.onCommand = nullptr;
}

// ---- Focus and dialog codes ----------------------------------------------------

TEST_F(BmpBtnInput, MousePressTakesTheFocusAndDrawsPressedAtOnce) {
    HWND edit = parent.CreateChild("EDIT", "", 0, 200, 10, 80, 20, 9);
    HWND btn = Make();
    SetFocus(edit);
    qxt::Pump();
    qxt::MouseDown(btn, 5, 5);
    EXPECT_EQ(GetFocus(), btn);
    // Drawn by the press itself, before any WM_PAINT.
    EXPECT_EQ(CurrentLook(btn, false), Look::Down);
    qxt::MouseUp(btn, 5, 5);
    EXPECT_EQ(GetFocus(), btn);
    // A press on the focused button works the same.
    qxt::Click(btn, 5, 5);
    std::vector<qxt::Notification> fromButton;
    for (const auto &n : parent.Notifications())
        if (n.from == btn) fromButton.push_back(n);
    EXPECT_TRUE(qxt::SameNotifications({Clicked(btn), Clicked(btn)}, fromButton));
}

TEST_F(BmpBtnInput, DialogCodeFollowsFocusAndDefaultStyle) {
    HWND edit = parent.CreateChild("EDIT", "", 0, 200, 10, 80, 20, 9);
    struct {
        DWORD style;
        bool focus;
        LRESULT code;
    } cases[] = {
        {0, false, DLGC_UNDEFPUSHBUTTON},
        {0, true, DLGC_DEFPUSHBUTTON},
        {BS_DEFPUSHBUTTON, false, DLGC_DEFPUSHBUTTON},
        {BS_DEFPUSHBUTTON, true, DLGC_DEFPUSHBUTTON},
    };
    for (const auto &c : cases) {
        HWND btn = Make(c.style);
        SetFocus(c.focus ? btn : edit);
        EXPECT_EQ(SendMessageA(btn, WM_GETDLGCODE, 0, 0), c.code) << c.style << " " << c.focus;
        SetFocus(edit);
        EXPECT_EQ(SendMessageA(btn, WM_GETDLGCODE, 0, 0), c.style ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON)
            << "after losing the focus";
        DestroyWindow(btn);
    }
}

// Focus changes only invalidate; the next paint shows the focus mark.
TEST_F(BmpBtnInput, FocusMarkComesAndGoesWithThePaint) {
    HWND edit = parent.CreateChild("EDIT", "", 0, 200, 10, 80, 20, 9);
    HWND btn = Make();
    auto marked = [&] {
        qxt::Pump();
        qxt::Pixels p(btn);
        if (!bt::Themed()) return p.At(0, kH / 2) == RGB(0, 0, 0);
        bt::Canvas c(kW, kH, 0);
        bt::DrawThemedPush(c, btn, 1, true);
        return bt::Mismatches(p, c) == 0;
    };
    EXPECT_FALSE(marked());
    SetFocus(btn);
    EXPECT_TRUE(marked());
    SetFocus(edit);
    EXPECT_FALSE(marked());
}

// ---- Hover -------------------------------------------------------------------------

// Puts the cursor over the button (or away from it) and reports a move.
void HoverOver(HWND btn, bool over) {
    POINT p = {over ? kW / 2 : kW + 300, over ? kH / 2 : kH + 300};
    ClientToScreen(btn, &p);
    SetCursorPos(p.x, p.y);
    qxt::MouseMove(btn, kW / 2, kH / 2);
}

bool TracksLeave(HWND btn) {
    TRACKMOUSEEVENT q = {};
    q.cbSize = sizeof q;
    q.dwFlags = TME_QUERY;
    return TrackMouseEvent(&q) && q.hwndTrack == btn && (q.dwFlags & TME_LEAVE);
}

TEST_F(BmpBtnInput, HoverAsksForTheLeaveAndShowsTheHotLook) {
    HWND btn = Make();
    HoverOver(btn, true);
    EXPECT_TRUE(TracksLeave(btn));
    qxt::Pixels hot(btn);
    if (bt::Themed()) {
        bt::Canvas c(kW, kH, 0);
        bt::DrawThemedPush(c, btn, 2, false);
        EXPECT_EQ(bt::Mismatches(hot, c), 0) << "the themed hot state is drawn at once";
    }
    SendMessageA(btn, WM_MOUSELEAVE, 0, 0);
    qxt::Pixels cold(btn);
    if (bt::Themed()) {
        bt::Canvas c(kW, kH, 0);
        bt::DrawThemedPush(c, btn, 1, false);
        EXPECT_EQ(bt::Mismatches(cold, c), 0);
    } else {
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) ASSERT_EQ(hot.At(x, y), cold.At(x, y)) << "classic: hot looks the same";
    }
    // Hot again on the next move.
    HoverOver(btn, true);
    EXPECT_TRUE(TracksLeave(btn));
    SetCursorPos(0, 0);
}

// Leaving while pressed draws the unpressed look; the press itself goes on.
TEST_F(BmpBtnInput, LeavingDuringAPressDrawsUnpressed) {
    HWND btn = Make();
    HoverOver(btn, true);
    qxt::MouseDown(btn, 5, 5);
    qxt::Pump();  // the moves that the system reports for the cursor find it hot
    EXPECT_EQ(CurrentLook(btn, false), Look::Down);
    SendMessageA(btn, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(CurrentLook(btn, false), Look::Up);
    EXPECT_EQ(CurrentLook(btn, true), Look::Down) << "a paint shows the press again";
    qxt::MouseUp(btn, 5, 5);
    EXPECT_EQ(parent.Notifications().size(), 1u);
    SetCursorPos(0, 0);
}

// ---- Window ------------------------------------------------------------------------

TEST_F(BmpBtnInput, WholeWindowIsClientArea) {
    HWND btn = Make(WS_BORDER | WS_DLGFRAME);
    RECT client, window;
    GetClientRect(btn, &client);
    GetWindowRect(btn, &window);
    EXPECT_EQ(client.right, window.right - window.left);
    EXPECT_EQ(client.bottom, window.bottom - window.top);
}

TEST_F(BmpBtnInput, ButtonMessagesAreNotHandled) {
    HWND btn = Make();
    SendMessageA(btn, BM_CLICK, 0, 0);
    SendMessageA(btn, BM_SETSTATE, TRUE, 0);
    qxt::Pump();
    EXPECT_TRUE(parent.Notifications().empty());
    EXPECT_EQ(CurrentLook(btn), Look::Up);
}

// ---- Exports and ownership -----------------------------------------------------------

HWND MakeForeignWithSlot(HWND parentWnd) {
    // A window of another class whose slot 0 holds a pointer-sized value.
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = qxt::HostInstance();
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.lpszClassName = "QxTestSlotWindow";
        registered = RegisterClassA(&wc) != 0;
    }
    HWND w = CreateWindowExA(0, "QxTestSlotWindow", "", WS_CHILD, 0, 0, 10, 10, parentWnd, nullptr,
                             qxt::HostInstance(), nullptr);
    SetWindowLongPtrA(w, 0, 0x1234);
    return w;
}

TEST_F(BmpBtnInput, PictureExportsAcceptOnlyButtonsOfOurs) {
    HWND bmpBtn = Make();
    HWND xpBtn = Make(0, "QXBmpButtonXP");
    HWND dead = Make();
    DestroyWindow(dead);
    HWND system = parent.CreateChild("BUTTON", "x", 0, 100, 10, 40, 20, 9);
    HWND foreign = MakeForeignWithSlot(parent.hwnd());
    HICON icon = bt::MakeIcon(RGB(0, 0, 255));
    struct {
        HWND hwnd;
        QXBOOL ok;
    } cases[] = {
        {bmpBtn, 1},  {xpBtn, 1},   {nullptr, 0}, {dead, 0},
        {system, 0},  {foreign, 0}, {parent.hwnd(), 0},
        {reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7654321)), 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(QXBtn_SetIcon(c.hwnd, icon), c.ok) << c.hwnd;
        EXPECT_EQ(QXBtn_SetBitmap(c.hwnd, nullptr), c.ok) << c.hwnd;
    }
    EXPECT_EQ(GetWindowLongPtrA(foreign, 0), 0x1234);
    DestroyWindow(bmpBtn);
    DestroyWindow(xpBtn);
    DestroyIcon(icon);
}

TEST_F(BmpBtnInput, TheButtonDeletesOnlyTheBitmapItHoldsAtTheEnd) {
    HWND btn = Make();
    HBITMAP first = bt::MakeBitmap(4, 4, [](int, int) { return RGB(255, 0, 0); });
    HBITMAP second = bt::MakeBitmap(4, 4, [](int, int) { return RGB(0, 255, 0); });
    HICON icon = bt::MakeIcon(RGB(0, 0, 255));
    ASSERT_EQ(QXBtn_SetBitmap(btn, first), 1);
    ASSERT_EQ(QXBtn_SetBitmap(btn, second), 1);
    ASSERT_EQ(QXBtn_SetIcon(btn, icon), 1);
    EnableWindow(btn, FALSE);  // greyed copies are made and owned by the button
    qxt::Repaint(btn);
    DestroyWindow(btn);
    EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BITMAP)) << "replaced: the caller's again";
    EXPECT_EQ(GetObjectType(second), 0u) << "held at the end: deleted";
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icon, &info)) << "the icon stays the caller's";
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(icon);
    DeleteObject(first);
}

// ---- Registration ----------------------------------------------------------------------

bool CanCreate(const char *cls) {
    HWND w = CreateWindowExA(0, cls, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, qxt::HostInstance(), nullptr);
    if (w) DestroyWindow(w);
    return w != nullptr;
}

TEST(BmpBtnRegistration, CountedPerClass) {
    HINSTANCE inst = qxt::HostInstance();
    struct {
        const char *name;
        QXBOOL(WINAPI *reg)(HINSTANCE);
        void(WINAPI *unreg)(HINSTANCE);
    } classes[] = {
        {"QXBmpButton", QXRegisterBmpBtnClass, QXUnregisterBmpBtnClass},
        {"QXBmpButtonXP", QXRegisterMonthYearButtonXPClass, QXUnregisterMonthYearButtonXPClass},
    };
    for (const auto &c : classes) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(CanCreate(c.name));
        EXPECT_EQ(c.reg(inst), 1);
        EXPECT_EQ(c.reg(inst), 1) << "registered again: counted";
        WNDCLASSA wc;
        ASSERT_TRUE(GetClassInfoA(inst, c.name, &wc));
        EXPECT_EQ(wc.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
        EXPECT_GE(wc.cbWndExtra, static_cast<int>(sizeof(LONG_PTR)));
        c.unreg(inst);
        EXPECT_TRUE(CanCreate(c.name)) << "one registration left";
        c.unreg(inst);
        EXPECT_FALSE(CanCreate(c.name));
        c.unreg(inst);  // below zero: nothing breaks
        EXPECT_EQ(c.reg(inst), 1);
        c.unreg(inst);
        EXPECT_FALSE(CanCreate(c.name));
    }
}

TEST(BmpBtnRegistration, FirstRegistrationFailsWhenTheNameIsTaken) {
    HINSTANCE inst = qxt::HostInstance();
    for (const char *name : {"QXBmpButton", "QXBmpButtonXP"}) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = inst;
        wc.lpszClassName = name;
        ASSERT_NE(RegisterClassA(&wc), 0);
        const bool bmp = std::string(name) == "QXBmpButton";
        EXPECT_EQ(bmp ? QXRegisterBmpBtnClass(inst) : QXRegisterMonthYearButtonXPClass(inst), 0) << name;
        UnregisterClassA(name, inst);
    }
}

}  // namespace
