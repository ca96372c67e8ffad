// The bitmap button through real windows of the DLL, with a theme and (the
// _classic twin) in the classic look: presses and their notifications, focus,
// hover, the exports, and what it draws, read back as pixels.
#include <algorithm>

#include "button_fixture.h"
#include "qx_util.h"

namespace {

using bt::Sys;
const int kW = 40, kH = 30, kId = 7;
const COLORREF kClear = RGB(192, 192, 192), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

class BmpBtn : public bt::ButtonTest {
protected:
    HWND Make(HBITMAP bmp = nullptr, HICON icon = nullptr, DWORD style = 0) {
        HWND b = parent.CreateChild("QXBmpButton", "", style, 10, 10, kW, kH, kId);
        if (bmp) QXBtn_SetBitmap(b, bmp);
        if (icon) QXBtn_SetIcon(b, icon);
        qxt::Repaint(b);
        return b;
    }
    HWND Edit() { return parent.CreateChild("EDIT", "", 0, 200, 10, 80, 20, 9); }
};

void Space(HWND b, bool down) { SendMessageA(b, down ? WM_KEYDOWN : WM_KEYUP, VK_SPACE, down ? 1 : 0xC0000001); }

// The face the button shows: 1 normal, 2 hot, 3 pressed; 0 none of them.
// Painted first when asked, without dispatching anything else.
int FaceState(HWND b, bool paint = true) {
    if (paint) RedrawWindow(b, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    qxt::Pixels p(b);
    const bool focused = GetFocus() == b;
    if (bt::Themed()) {
        for (int state : {1, 2, 3})
            if (bt::Canvas(kW, kH).Push(b, state, focused).Mismatches(p) == 0) return state;
        return 0;
    }
    const COLORREF edge = p.At(focused ? 1 : 0, kH / 2);  // inside the black focus ring
    return edge == Sys(COLOR_BTNSHADOW) ? 3 : edge == Sys(COLOR_3DLIGHT) ? 1 : 0;
}

// ---- Presses, focus, hover ----------------------------------------------------

TEST_F(BmpBtn, PressSequencesNotifyExactly) {
    enum { Down, Up, Drag, KeyDown, KeyUp, Enter };
    struct Step {
        int kind, x, y;
    };
    const Step down{Down, 5, 5}, in{Up, 5, 5}, kd{KeyDown, 0, 0}, ku{KeyUp, 0, 0};
    struct {
        const char *name;
        std::vector<Step> steps;
        size_t clicks;
        bool pressedAtEnd;
    } cases[] = {
        {"release inside", {down, in}, 1, false},
        {"release at 0,0", {down, {Up, 0, 0}}, 1, false},
        {"release at the last pixel", {down, {Up, kW - 1, kH - 1}}, 1, false},
        {"release at x = width", {down, {Up, kW, 5}}, 0, false},
        {"release at y = height", {down, {Up, 5, kH}}, 0, false},
        {"release at x = -1", {down, {Up, -1, 5}}, 0, false},
        {"drag out, release outside", {down, {Drag, 200, 90}, {Up, 200, 90}}, 0, false},
        {"drag out and back", {down, {Drag, 200, 90}, {Drag, 5, 5}, in}, 1, false},
        {"release without press", {in}, 0, false},
        {"held mouse", {down}, 0, true},
        {"space", {kd, ku}, 1, false},
        {"space repeating", {kd, kd, kd, ku}, 1, false},
        {"space key-up alone", {ku}, 1, false},
        {"held space", {kd}, 0, true},
        {"space up while the mouse holds, release inside", {down, ku, in}, 2, false},
        {"space up while the mouse holds, release outside", {down, ku, {Up, kW, kH}}, 1, false},
        {"space down again while the mouse holds", {down, ku, kd}, 1, true},
        {"mouse while space is held", {kd, down, in}, 1, false},
        {"mouse while space is held, then space up", {kd, down, in, ku}, 2, false},
        {"other keys", {{Enter, 0, 0}}, 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        HWND b = Make();
        parent.ClearNotifications();
        for (const Step &s : c.steps) {
            if (s.kind == Down) qxt::MouseDown(b, s.x, s.y);
            if (s.kind == Up) qxt::MouseUp(b, s.x, s.y);
            if (s.kind == Drag) qxt::MouseMove(b, s.x, s.y, true);
            if (s.kind == KeyDown || s.kind == KeyUp) Space(b, s.kind == KeyDown);
            if (s.kind == Enter)
                for (UINT vk : {UINT(VK_RETURN), UINT(VK_ESCAPE), UINT('A')}) qxt::SendKey(b, vk);
        }
        EXPECT_TRUE(qxt::SameNotifications(std::vector<qxt::Notification>(c.clicks, {kId, BN_CLICKED, b}),
                                           parent.Notifications()));
        EXPECT_EQ(FaceState(b) == 3, c.pressedAtEnd);
        ReleaseCapture();
        DestroyWindow(b);
    }
}

TEST_F(BmpBtn, ParentMayDestroyItInsideTheClick) {
    for (bool key : {false, true}) {
        HWND b = Make();
        parent.onCommand = [&](const qxt::Notification &) { DestroyWindow(b); };
        key ? (Space(b, true), Space(b, false)) : qxt::Click(b, 5, 5);
        EXPECT_FALSE(IsWindow(b));
        EXPECT_EQ(parent.Notifications().size(), key ? 2u : 1u);
    }
    parent.onCommand = nullptr;
}

TEST_F(BmpBtn, PressTakesTheFocusAndDialogCodesFollowIt) {
    HWND edit = Edit(), b = Make(), def = Make(nullptr, nullptr, BS_DEFPUSHBUTTON);
    SetFocus(edit);
    EXPECT_EQ(SendMessageA(b, WM_GETDLGCODE, 0, 0), DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(SendMessageA(def, WM_GETDLGCODE, 0, 0), DLGC_DEFPUSHBUTTON);
    qxt::MouseDown(b, 5, 5);
    EXPECT_EQ(GetFocus(), b);
    EXPECT_EQ(FaceState(b, false), 3) << "drawn pressed by the press itself";
    qxt::MouseUp(b, 5, 5);
    EXPECT_EQ(SendMessageA(b, WM_GETDLGCODE, 0, 0), DLGC_DEFPUSHBUTTON);
    SetFocus(edit);
    EXPECT_EQ(SendMessageA(b, WM_GETDLGCODE, 0, 0), DLGC_UNDEFPUSHBUTTON);
}

TEST_F(BmpBtn, HoverShowsTheHotLookUntilTheLeave) {
    HWND b = Make();
    POINT centre = {kW / 2, kH / 2};
    ClientToScreen(b, &centre);
    SetCursorPos(centre.x, centre.y);
    qxt::MouseMove(b, kW / 2, kH / 2);
    TRACKMOUSEEVENT q = {sizeof q, TME_QUERY, nullptr, 0};
    ASSERT_TRUE(TrackMouseEvent(&q));
    EXPECT_EQ(q.hwndTrack, b);
    EXPECT_TRUE(q.dwFlags & TME_LEAVE);
    // Themed, hot draws state 2 at once; classic looks the same hot or not.
    EXPECT_EQ(FaceState(b, false), bt::Themed() ? 2 : 1);
    qxt::MouseDown(b, 5, 5);
    qxt::Pump();  // moves the system reports for the cursor find it hot
    EXPECT_EQ(FaceState(b, false), 3);
    // A leave during the press draws the unpressed look; a paint shows the press.
    SendMessageA(b, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(FaceState(b, false), 1);
    EXPECT_EQ(FaceState(b, true), 3);
    qxt::MouseUp(b, 5, 5);
    EXPECT_EQ(parent.Notifications().size(), 1u);
    SetCursorPos(0, 0);
}

TEST_F(BmpBtn, WholeWindowIsClientArea) {
    HWND b = Make(nullptr, nullptr, WS_BORDER | WS_DLGFRAME);
    RECT client, window;
    GetClientRect(b, &client);
    GetWindowRect(b, &window);
    EXPECT_EQ(client.right, window.right - window.left);
    EXPECT_EQ(client.bottom, window.bottom - window.top);
}

// ---- Exports and ownership -------------------------------------------------------

TEST_F(BmpBtn, PictureExportsAcceptOnlyButtonsOfOurs) {
    HWND dead = Make();
    DestroyWindow(dead);
    HWND plain = parent.CreateChild("BUTTON", "", 0, 0, 0, 9, 9, 9), edit = Edit();
    HICON icon = bt::MakeIcon(kBlue);
    const struct {
        HWND hwnd;
        QXBOOL ok;
    } cases[] = {{Make(), 1}, {parent.CreateChild("QXBmpButtonXP", "", 0, 0, 0, 9, 9), 1}, {nullptr, 0},
                 {dead, 0},   {plain, 0}, {edit, 0}, {parent.hwnd(), 0}, {reinterpret_cast<HWND>(INT_PTR(0x7654)), 0}};
    for (const auto &c : cases) {
        EXPECT_EQ(QXBtn_SetIcon(c.hwnd, icon), c.ok) << c.hwnd;
        EXPECT_EQ(QXBtn_SetBitmap(c.hwnd, nullptr), c.ok) << c.hwnd;
    }
    DestroyWindow(cases[0].hwnd);
    DestroyWindow(cases[1].hwnd);
    DestroyIcon(icon);
}

TEST_F(BmpBtn, DeletesOnlyTheBitmapItHoldsAtTheEnd) {
    HBITMAP first = bt::Solid(4, 4, kRed), second = bt::Solid(4, 4, kBlue);
    HICON icon = bt::MakeIcon(kBlue);
    HWND b = Make(first, icon);
    QXBtn_SetBitmap(b, second);
    EnableWindow(b, FALSE);  // greyed copies are made, and owned by the button
    qxt::Repaint(b);
    DestroyWindow(b);
    EXPECT_EQ(GetObjectType(first), DWORD(OBJ_BITMAP)) << "replaced: the caller's again";
    EXPECT_EQ(GetObjectType(second), 0u) << "held at the end: deleted";
    ICONINFO info;
    EXPECT_TRUE(GetIconInfo(icon, &info)) << "the icon stays the caller's";
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(icon);
    DeleteObject(first);
}

// ---- The face --------------------------------------------------------------------

TEST_F(BmpBtn, FaceRingsAndFocusMark) {
    struct Ring {
        COLORREF topLeft, bottomRight;
    };
    const Ring black{0, 0}, outer{Sys(COLOR_3DLIGHT), Sys(COLOR_3DDKSHADOW)},
        inner{Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW)}, sunk{Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW)};
    const struct {
        bool pressed, focused;
        std::vector<Ring> rings;  // classic, outermost first; the face follows
    } cases[] = {{false, false, {outer, inner}},
                 {true, false, {sunk}},
                 {false, true, {black, outer, inner}},
                 {true, true, {black, sunk}}};
    HWND edit = Edit();
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << "pressed " << c.pressed << ", focused " << c.focused);
        HWND b = Make();
        SetFocus(c.focused ? b : edit);
        if (c.pressed) Space(b, true);
        qxt::Repaint(b);
        qxt::Pixels p(b);
        if (bt::Themed()) {
            EXPECT_EQ(bt::Canvas(kW, kH).Push(b, c.pressed ? 3 : 1, c.focused).Mismatches(p), 0);
        } else {
            int k = 0;
            for (const Ring &r : c.rings) {
                const COLORREF tl = r.topLeft, br = r.bottomRight;
                EXPECT_EQ(std::vector<COLORREF>({p.At(k, kH / 2), p.At(kW / 2, k), p.At(k, k)}),
                          std::vector<COLORREF>({tl, tl, tl})) << "top and left of ring " << k;
                // The top-right and bottom-left corners take the bottom/right colour.
                EXPECT_EQ(std::vector<COLORREF>({p.At(kW - 1 - k, kH / 2), p.At(kW / 2, kH - 1 - k),
                                                 p.At(kW - 1 - k, k), p.At(k, kH - 1 - k)}),
                          std::vector<COLORREF>({br, br, br, br})) << "bottom and right of ring " << k;
                ++k;
            }
            EXPECT_EQ(p.CountOther(Sys(COLOR_BTNFACE), RECT{k, k, kW - k, kH - k}), 0);
        }
        DestroyWindow(b);
    }
}

// ---- The picture ------------------------------------------------------------------

// A red picture with one blue pixel at (mx, my) shows where it was drawn.
TEST_F(BmpBtn, PictureCentredOddPixelRightAndBelowShiftedWhenPressed) {
    const struct {
        int w, h;
        bool pressed;
        POINT classic, themed;  // where the picture's origin lands
    } cases[] = {
        {9, 7, false, {15, 11}, {15, 11}},  // classic interior 36 x 26: 27 spare, 13 left, 14 right
        {10, 8, false, {15, 11}, {15, 11}},
        {9, 7, true, {16, 12}, {15, 11}},
        {61, 51, false, {-10, -10}, {-10, -10}},  // larger: negative, truncated toward zero
        {61, 51, true, {-9, -9}, {-10, -10}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h << (c.pressed ? " pressed" : ""));
        const int mx = c.w > kW ? 30 : c.w - 1, my = c.h > kH ? 25 : c.h - 1;
        HWND b = Make(bt::MakeBitmap(c.w, c.h, [&](int x, int y) { return x == mx && y == my ? kBlue : kRed; }));
        if (c.pressed) Space(b, true);
        qxt::Pixels p(b);
        const POINT at = bt::Themed() ? c.themed : c.classic, blue = bt::Find(p, kBlue);
        EXPECT_EQ(blue.x - mx, at.x);
        EXPECT_EQ(blue.y - my, at.y);
        const RECT box = {std::max(at.x, 0L), std::max(at.y, 0L), std::min(at.x + c.w, LONG(kW)),
                          std::min(at.y + c.h, LONG(kH))};
        EXPECT_EQ(p.Count(kRed, box) + 1, (box.right - box.left) * (box.bottom - box.top));
        DestroyWindow(b);
    }
}

TEST_F(BmpBtn, TransparentColour) {
    // A border of the transparent colour around red; (3,3) too when the
    // corner is red: classic replaces the colour only when the top-left
    // pixel has it, themed makes it transparent everywhere.
    for (bool clearCorner : {true, false}) {
        auto pic = [&](int x, int y) {
            const bool border = x < 2 || y < 2 || x >= 6 || y >= 6;
            return (clearCorner ? border : x == 3 && y == 3) ? kClear : kRed;
        };
        HBITMAP bmp = bt::MakeBitmap(8, 8, pic);
        HWND b = Make(bmp);
        qxt::Pixels p(b);
        bt::Canvas ref(kW, kH);
        if (bt::Themed()) ref.Push(b, 1);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const COLORREF want = pic(x, y) == kRed ? kRed
                                      : bt::Themed()  ? ref.At(16 + x, 11 + y)
                                      : clearCorner   ? Sys(COLOR_BTNFACE)
                                                      : kClear;
                EXPECT_EQ(p.At(16 + x, 11 + y), want) << x << "," << y << " corner clear " << clearCorner;
            }
        // The classic look rewrites the bitmap itself; the themed look never does.
        EXPECT_EQ(bt::BitmapPixels(bmp)[0], clearCorner && !bt::Themed() ? Sys(COLOR_BTNFACE) : pic(0, 0));
        DestroyWindow(b);
    }
}

// An icon shows at 16 x 16, centred, in both looks (also themed); a bitmap
// wins over it until removed.
TEST_F(BmpBtn, IconCentredBitmapFirst) {
    HICON icon = bt::MakeIcon(kBlue, 4);
    for (bool pressed : {false, true}) {
        HWND b = Make(nullptr, icon);
        if (pressed) Space(b, true);
        qxt::Pixels p(b);
        const POINT at = pressed && !bt::Themed() ? POINT{13, 8} : POINT{12, 7};
        EXPECT_EQ(p.Count(kBlue), 12 * 16);
        EXPECT_EQ(p.Count(kBlue, RECT{at.x + 4, at.y, at.x + 16, at.y + 16}), 12 * 16) << pressed;
        EXPECT_EQ(p.At(at.x, at.y), p.At(at.x - 1, at.y)) << "transparent columns show the face";
        DestroyWindow(b);
    }
    HWND b = Make(bt::Solid(9, 7, kRed), icon);
    EXPECT_EQ(qxt::Pixels(b).Count(kBlue), 0);
    EXPECT_EQ(qxt::Pixels(b).Count(kRed), 9 * 7);
    QXBtn_SetBitmap(b, nullptr);
    qxt::Repaint(b);
    EXPECT_EQ(qxt::Pixels(b).Count(kBlue), 12 * 16);
    DestroyWindow(b);
    DestroyIcon(icon);
}

// ---- Greyed pictures ----------------------------------------------------------------

// The greying library's tone for a colour, bitmap or icon, in the colours of now.
COLORREF Grey(COLORREF c, bool icon) {
    if (icon) {
        HICON src = bt::MakeIcon(c), grey = CreateDisabledIcon24(src, Sys(COLOR_BTNFACE), Sys(COLOR_BTNSHADOW));
        bt::Canvas canvas(16, 16);
        DrawIconEx(canvas.dc(), 0, 0, grey, 16, 16, 0, nullptr, DI_NORMAL);
        DestroyIcon(src);
        DestroyIcon(grey);
        return canvas.At(0, 0);
    }
    HBITMAP src = bt::Solid(1, 1, c);
    HBITMAP grey = CreateDisabledImage24(src, kClear, Sys(COLOR_BTNFACE), Sys(COLOR_BTNSHADOW), nullptr, nullptr,
                                         nullptr);
    const COLORREF out = bt::BitmapPixels(grey)[0];
    DeleteObject(grey);
    DeleteObject(src);
    return out;
}

// Greyed copies: made when a disabled button is drawn (not for a window
// merely created disabled), made once, dropped when the picture changes.
TEST_F(BmpBtn, GreyedCopiesMadeOnceAndDroppedWithThePicture) {
    const RECT box = {15, 11, 24, 18}, iconBox = {12, 7, 28, 23};
    HBITMAP red = bt::Solid(9, 7, kRed), blue = bt::Solid(9, 7, kBlue);
    HWND b = Make(red, nullptr, WS_DISABLED);
    EXPECT_EQ(qxt::Pixels(b).Count(kRed, box), 63) << "created disabled: the normal picture";
    SendMessageA(b, WM_ENABLE, FALSE, 0);
    qxt::Pump();
    qxt::Pixels p(b);
    EXPECT_EQ(p.Count(Grey(kRed, false), box), 63);
    if (bt::Themed()) {
        EXPECT_EQ(bt::Canvas(kW, kH).Push(b, 1).Mismatches(p, box), 0) << "normal face";
    }
    // The host paints into the bitmap: the copy made before is still shown.
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, red);
    BitBlt(mem, 0, 0, 9, 7, nullptr, 0, 0, WHITENESS);
    SelectObject(mem, old);
    DeleteDC(mem);
    qxt::Repaint(b);
    EXPECT_EQ(qxt::Pixels(b).Count(Grey(kRed, false), box), 63) << "made once";
    QXBtn_SetBitmap(b, blue);
    qxt::Pump();
    EXPECT_EQ(qxt::Pixels(b).Count(Grey(kBlue, false), box), 63) << "dropped by SetBitmap";
    QXBtn_SetBitmap(b, nullptr);
    DeleteObject(red);
    DeleteObject(blue);

    HICON black = bt::MakeIcon(0), white = bt::MakeIcon(RGB(255, 255, 255));
    QXBtn_SetIcon(b, black);
    qxt::Pump();
    EXPECT_EQ(qxt::Pixels(b).Count(Grey(0, true), iconBox), 256);
    QXBtn_SetIcon(b, white);
    qxt::Pump();
    EXPECT_EQ(qxt::Pixels(b).Count(Grey(RGB(255, 255, 255), true), iconBox), 256) << "dropped by SetIcon";
    DestroyWindow(b);
    DestroyIcon(black);
    DestroyIcon(white);
}

// Bitmaps of 8 bits per pixel or fewer are embossed by the system; their
// transparent background stays background, not a grey block.
TEST_F(BmpBtn, DisabledPaletteBitmapKeepsItsBackground) {
    auto square = [](int x, int y) { return x >= 4 && x < 8 && y >= 3 && y < 7 ? RGB(0, 0, 0) : kClear; };
    for (int bpp : {8, 4, 1}) {
        SCOPED_TRACE(bpp);
        HWND b = Make(bt::MakeBitmap(12, 10, square, bpp));
        EnableWindow(b, FALSE);
        qxt::Pump();
        qxt::Pixels p(b);
        bt::Canvas ref(kW, kH);
        if (bt::Themed()) ref.Push(b, 1);
        // The square in the shadow colour; away from it (and its one-pixel
        // highlight), the face as if transparent.
        EXPECT_EQ(p.Count(Sys(COLOR_BTNSHADOW), RECT{18, 13, 22, 17}), 16);
        EXPECT_EQ(p.Count(0), 0);
        for (int y = 10; y < 20; ++y)
            for (int x = 14; x < 26; ++x)
                if (x < 18 || x > 22 || y < 13 || y > 17) {
                    EXPECT_EQ(p.At(x, y), bt::Themed() ? ref.At(x, y) : Sys(COLOR_BTNFACE)) << x << "," << y;
                }
        DestroyWindow(b);
    }
}

}  // namespace
