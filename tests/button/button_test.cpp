// The bitmap and month/year buttons through real windows, with a theme and
// (the _classic twin) in the classic look: presses, hover and focus with the
// notifications they send, the faces and pictures read back as pixels,
// greyed pictures, the bulk background replacement, and which windows are
// ours. Linked with the library's static twin to reach the month/year
// button's arrow, the replacement routine and the library's allocations.
#include "handle_counts.h"
#include "harness.h"

#include <memory>

#include "button/month_year_btn.h"
#include "button/picture_copies.h"
#include "qx_cntl.h"
#include "visual/theme_api.h"

static int g_refusals = 0;  // how many of the next nothrow allocations fail

// Every nothrow allocation of the library goes through here in this program.
void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
    if (g_refusals > 0) return --g_refusals, nullptr;
    return malloc(size ? size : 1);
}

namespace {

const int kW = 40, kH = 30, kId = 7;
const COLORREF kClear = RGB(192, 192, 192), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);
// Colours near the face colour, so that palettes must pick the nearest; the
// colour table of every bitmap of 8 bits or fewer.
const COLORREF kPool[] = {kClear, 0, RGB(210, 208, 200), RGB(216, 204, 196), kRed, RGB(0, 128, 0), RGB(191, 192, 192),
                          kWhite};
const bool kThemed = !qxt::ClassicPrefix();
const bool kRegistered =
    QXRegisterBmpBtnClass(qxt::HostInstance()) && QXRegisterMonthYearButtonXPClass(qxt::HostInstance());
using Paint = std::function<COLORREF(int, int)>;
using Draw = std::function<void(HDC)>;

// Runs `draw` on the bitmap selected into a memory device context.
void WithDC(HBITMAP bmp, const Draw &draw) {
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bmp);
    draw(mem);
    SelectObject(mem, old);
    DeleteDC(mem);
}

// A w x h DIB section of bpp bits.
HBITMAP MakeBitmap(int w, int h, const Paint &color, int bpp = 32) {
    struct { BITMAPINFOHEADER h; RGBQUAD t[256]; } bi = {{sizeof bi.h, w, h, 1, WORD(bpp), BI_RGB, 0, 0, 0, 0, 0}, {}};
    for (int i = 0; i < 8; ++i) bi.t[i] = {GetBValue(kPool[i]), GetGValue(kPool[i]), GetRValue(kPool[i]), 0};
    HBITMAP bmp = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO *>(&bi), DIB_RGB_COLORS, nullptr, nullptr, 0);
    WithDC(bmp, [&](HDC dc) { for (int i = 0; i < w * h; ++i) SetPixel(dc, i % w, i / w, color(i % w, i / w)); });
    return bmp;
}

// An opaque 16 x 16 icon.
HICON MakeIcon(const Paint &color) {
    const BYTE opaque[32] = {};
    ICONINFO info = {TRUE, 0, 0, CreateBitmap(16, 16, 1, 1, opaque), MakeBitmap(16, 16, color)};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask), DeleteObject(info.hbmColor);
    return icon;
}

// Pixels of a window that change when `draw` paints over it, outside `skip`:
// none when the window showed what `draw` paints.
int Differs(HWND on, const Draw &draw, RECT skip = {0, 0, 0, 0}) {
    const qxt::Pixels before(on);
    HDC dc = GetDC(on);
    draw(dc);
    ReleaseDC(on, dc);
    const qxt::Pixels after(on);
    int n = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) n += !PtInRect(&skip, POINT{x, y}) && before.At(x, y) != after.At(x, y);
    return n;
}

// The face a bitmap button should show, drawn over it: the themed push
// button in a state (1 normal, 2 hot, 3 pressed) with the focus rectangle,
// or the classic rings from the outside in, each with its top-right and
// bottom-left corners in its bottom/right colour: black when focused, then
// light/dark shadow and highlight/shadow, or shadow alone when pressed; the
// face inside. A month/year button (arrow: the "SPIN" part, 4 pointing left,
// 3 right) shows the part in the normal or pressed state laid out on the
// whole button and clipped one pixel in, so that a black frame stays, and
// without a theme nothing at all: the class background.
Draw Face(HWND b, int state, bool focused, int arrow = 0) {
    return [=](HDC dc) {
        RECT r = {0, 0, kW, kH}, inner = {1, 1, kW - 1, kH - 1};
        const HBRUSH black = HBRUSH(GetStockObject(BLACK_BRUSH));
        FillRect(dc, &r, arrow && kThemed ? black : GetSysColorBrush(arrow ? COLOR_WINDOW : COLOR_BTNFACE));
        if (arrow && kThemed) qx::ScopedTheme(b, L"SPIN").DrawBackground(dc, arrow, state == 3 ? 3 : 1, r, &inner);
        if (arrow) return;
        if (kThemed) qx::ScopedTheme(b, L"BUTTON").DrawBackground(dc, 1, state, r);
        if (kThemed && focused) DrawFocusRect(dc, &r);
        auto ring = [&](HBRUSH topLeft, HBRUSH bottomRight) {
            const RECT top = {r.left, r.top, r.right - 1, r.top + 1}, left = {r.left, r.top, r.left + 1, r.bottom - 1};
            FillRect(dc, &r, bottomRight), FillRect(dc, &top, topLeft), FillRect(dc, &left, topLeft);
            InflateRect(&r, -1, -1);
        };
        if (!kThemed && focused) ring(black, black);
        if (!kThemed && state == 3) ring(GetSysColorBrush(COLOR_BTNSHADOW), GetSysColorBrush(COLOR_BTNSHADOW));
        if (!kThemed && state != 3) ring(GetSysColorBrush(COLOR_3DLIGHT), GetSysColorBrush(COLOR_3DDKSHADOW));
        if (!kThemed && state != 3) ring(GetSysColorBrush(COLOR_BTNHIGHLIGHT), GetSysColorBrush(COLOR_BTNSHADOW));
        if (!kThemed) FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    };
}

class Btn : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(kRegistered); }
    HWND Make(HBITMAP bmp = nullptr, HICON icon = nullptr, DWORD style = 0, const char *cls = "QXBmpButton") {
        HWND b = parent.CreateChild(cls, "", style, 10, 10, kW, kH, kId);
        QXBtn_SetBitmap(b, bmp), QXBtn_SetIcon(b, icon);
        qxt::Repaint(b);
        return b;
    }
    qxt::ParentWindow parent;
    HWND edit = parent.CreateChild("STATIC", "", 0, 200, 10, 80, 20, 9);  // takes the focus away
};

// Press, hover and key sequences on buttons with pictures: the notifications
// they send; the face drawn at the end (1 normal, 2 hot, 3 pressed) with no
// paint; the focus that a mouse press takes, which the dialog code follows.
// The frame style changes nothing: the whole window is client area.
// A picture is centred with the odd spare pixel right and below (negative
// and truncated toward zero when larger), moved one pixel right and down
// when pressed in the classic look only; an icon shows at 16 x 16 in both
// looks, and a bitmap wins over it. Pixels of the transparent colour:
// themed, the face shows; classic, they take the face colour when the
// top-left pixel has the colour, and stay otherwise.
// Month/year buttons behave alike; their arrow points left until its owner
// says otherwise, is never hot nor disabled, and their bitmap is never drawn.
TEST_F(Btn, SequencesNotifyAndDrawExactly) {
    // Pictures: bitmap size (0: none); its transparent pixels, where x * y is
    // `clear` (0: the top row and left column, 1: the pixel at 1,1, -1:
    // none); an icon too; where the origin lands unpressed. Inside two rings
    // 36 x 26 are left (34 x 24 inside three): 9 x 7 leaves 27 x 19 spare,
    // 13 x 9 of them left and above.
    const struct { int w, h, clear; bool icon; POINT at; } pics[] = {
        {9, 7, 0, false, {15, 11}}, {10, 8, 1, false, {15, 11}}, {0, 0, -1, true, {12, 7}}, {9, 7, -1, true, {15, 11}},
        {61, 51, 1, false, {-10, -10}}};
    struct Step { UINT msg; WPARAM wp = 0; int x = 0, y = 0; };
    const Step down{WM_LBUTTONDOWN, MK_LBUTTON, 5, 5}, in{WM_LBUTTONUP, 0, 5, 5}, kd{WM_KEYDOWN, VK_SPACE, 1},
        ku{WM_KEYUP, VK_SPACE, 1, 0xC000}, hover{WM_MOUSEMOVE, 0, 5, 5}, leave{WM_MOUSELEAVE}, off{WM_ENABLE},
        cancel{WM_CANCELMODE}, taken{WM_APP};  // the system cancels modes; another window takes the capture
    auto up = [](int x, int y) { return Step{WM_LBUTTONUP, 0, x, y}; };
    const int left = 4, right = 3;  // month/year arrows, "SPIN" parts
    const struct { std::vector<Step> steps; size_t clicks; int face, pic = 0, arrow = 0; } cases[] = {
        {{down, in}, 1, 1}, {{down, up(0, 0)}, 1, 1}, {{down, up(kW - 1, kH - 1)}, 1, 1},  // inside, edges too
        {{down, up(kW, 5)}, 0, 1}, {{down, up(5, kH)}, 0, 1}, {{in}, 0, 1}, {{down}, 0, 3},  // outside; no press; held
        {{down, {WM_MOUSEMOVE, MK_LBUTTON, 200, 90}, {WM_MOUSEMOVE, MK_LBUTTON, 5, 5}, in}, 1, 2},  // out and back: hot
        {{kd, ku}, 1, 1}, {{kd, kd, kd, ku}, 1, 1}, {{ku}, 1, 1}, {{kd}, 0, 3},  // space: repeating; up alone; held
        {{down, ku, in}, 2, 1}, {{down, ku, up(kW, kH)}, 1, 1}, {{down, ku, kd}, 1, 3}, {{kd, down, in, ku}, 2, 1},
        {{{WM_KEYDOWN, VK_RETURN, 1}, {WM_KEYUP, VK_RETURN, 1, 0xC000}, {WM_KEYDOWN, 'A', 1}}, 0, 1},  // other keys
        {{hover}, 0, 2}, {{hover, down}, 0, 3}, {{hover, down, leave}, 0, 1},  // a leave draws unpressed
        {{down, taken}, 0, 1}, {{down, taken, in}, 0, 1}, {{down, cancel, in}, 0, 1}, {{kd, cancel, ku}, 1, 1},
        {{kd, {WM_KILLFOCUS}}, 0, 1},  // the focus goes while the space bar holds it
        // The other pictures: focused; the icon alone, held; a bitmap and an icon; larger than the button.
        {{down, in}, 1, 1, 1}, {{down}, 0, 3, 2}, {{}, 0, 1, 3}, {{kd}, 0, 3, 4}, {{down, in}, 1, 1, 4},
        {{}, 0, 1, 0, left}, {{down, in}, 1, 1, 0, right}, {{kd}, 0, 3, 0, right}, {{off, hover}, 0, 1, 0, left},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);  // the row
        const auto &pic = pics[c.pic];
        const int w = pic.w ? pic.w : 16, h = pic.w ? pic.h : 16, shift = c.face == 3 && !kThemed;
        const Paint color = [&](int x, int y) {  // any shift of the pattern shows
            return x * y == pic.clear ? kClear : (x * 3 + y) % 5 ? kRed : kBlue;
        };
        HICON icon = pic.icon ? MakeIcon(color) : nullptr;
        HWND b = Make(pic.w ? MakeBitmap(w, h, color) : nullptr, icon, c.arrow ? 0 : WS_BORDER | WS_DLGFRAME,
                      c.arrow ? "QXBmpButtonXP" : "QXBmpButton");
        if (c.arrow == right) qx::SetMonthYearArrow(b, false);
        SetFocus(edit);
        parent.ClearNotifications();
        bool pressed = false;
        for (const Step &s : c.steps)
            (pressed |= s.msg == WM_LBUTTONDOWN),
                s.msg == WM_APP ? (SetCapture(edit), (void)ReleaseCapture())
                                : (void)SendMessageA(b, s.msg, s.wp, MAKELPARAM(s.x, s.y));
        EXPECT_TRUE(qxt::SameNotifications(std::vector<qxt::Notification>(c.clicks, {kId, BN_CLICKED, b}),
                                           parent.Notifications()));
        EXPECT_EQ(GetFocus() == b, pressed);
        EXPECT_EQ(SendMessageA(b, WM_GETDLGCODE, 0, 0), pressed ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        EXPECT_EQ(Differs(b, [&](HDC dc) {
            Face(b, c.face, pressed, c.arrow)(dc);
            for (int i = 0; i < w * h && !c.arrow; ++i)
                if (color(i % w, i / w) != kClear || !(kThemed || pic.clear == 0))
                    SetPixel(dc, pic.at.x + shift + i % w, pic.at.y + shift + i / w, color(i % w, i / w));
        }), 0);
        DestroyWindow(b), DestroyIcon(icon);
    }
    // A press whose focus change runs the parent's message box (which takes
    // the capture, and the release of the mouse button with it) is over at
    // once: nothing held, nothing pressed.
    HWND field = parent.CreateChild("EDIT", "", 0, 200, 40, 80, 20, 8), b = Make();
    SetFocus(field);
    parent.onCommand = [](const qxt::Notification &n) { if (n.code == EN_KILLFOCUS) ReleaseCapture(); };
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    parent.onCommand = nullptr;
    EXPECT_TRUE(GetCapture() == nullptr && GetFocus() == b);
    UpdateWindow(b);
    EXPECT_EQ(Differs(b, Face(b, 1, true)), 0);
}

// What a button shows follows every change of what it depends on, drawn by
// UpdateWindow alone (no forced repaint): the pixels of a button made afresh
// in the end state (hidden until then, so drawn once, in full). Enabling;
// the system colours (the host passes WM_SYSCOLORCHANGE on, as to the
// system's controls): the greyed copies and the face behind transparent
// pixels; visual styles switched for the window (WM_THEMECHANGED). Each
// change shows (but switching styles in the classic look, where there are
// none to switch).
TEST_F(Btn, LooksFollowEveryChange) {
    const Paint color = [](int x, int y) { return x * y == 0 ? kClear : (x + y) % 3 == 0 ? kRed : (x + y) % 3 ? kWhite : 0; };
    HICON icon = MakeIcon([](int x, int y) { return (x + y) % 2 ? kRed : kWhite; });
    enum Change { kDisable, kEnable, kColors, kStylesOff, kStylesOn };
    const struct { const char *cls; bool icon, disabled, classic; Change change; } rows[] = {
        {"QXBmpButton", false, false, false, kDisable}, {"QXBmpButton", true, false, false, kDisable},
        {"QXBmpButton", false, true, false, kEnable},   {"QXBmpButton", false, true, false, kColors},
        {"QXBmpButton", false, false, false, kColors},  {"QXBmpButton", true, true, false, kColors},
        {"QXBmpButton", false, false, false, kStylesOff}, {"QXBmpButton", false, true, false, kStylesOff},
        {"QXBmpButton", false, false, true, kStylesOn}, {"QXBmpButtonXP", false, false, false, kStylesOff},
        {"QXBmpButtonXP", false, false, true, kStylesOn}};
    for (const auto &r : rows) {
        SCOPED_TRACE(&r - rows);  // the row
        const bool disabled = r.change == kDisable || (r.disabled && r.change != kEnable);
        const bool classic = r.change == kStylesOff || (r.classic && r.change != kStylesOn);
        // Made hidden, so that nothing is drawn before it is shown.
        auto make = [&](bool off, bool born, int x) {
            std::unique_ptr<qxt::ClassicBirths> births(born ? new qxt::ClassicBirths : nullptr);
            HWND b = CreateWindowExA(0, r.cls, "", WS_CHILD | (off ? WS_DISABLED : 0), x, 10, kW, kH, parent.hwnd(),
                                     nullptr, qxt::HostInstance(), nullptr);
            QXBtn_SetBitmap(b, r.icon ? nullptr : MakeBitmap(9, 7, color)), QXBtn_SetIcon(b, icon);
            ShowWindow(b, SW_SHOWNA), qxt::Repaint(b);
            return b;
        };
        HWND b = make(r.disabled, r.classic, 10);
        const qxt::Pixels before(b);
        std::unique_ptr<qxt::SysColors> colors;
        switch (r.change) {
        case kDisable: EnableWindow(b, FALSE); break;
        case kEnable: EnableWindow(b, TRUE); break;
        case kColors:
            colors.reset(new qxt::SysColors({{COLOR_BTNFACE, RGB(200, 220, 240)}, {COLOR_BTNSHADOW, RGB(90, 60, 30)}}));
            SendMessageA(b, WM_SYSCOLORCHANGE, 0, 0);
            break;
        case kStylesOff: qxt::SetWindowStyles(b, false); break;
        case kStylesOn: qxt::SetWindowStyles(b, true); break;
        }
        UpdateWindow(b);
        const qxt::Pixels after(b);
        HWND fresh = make(disabled, classic, 60);
        EXPECT_EQ(after.Differences(qxt::Pixels(fresh)), 0);
        EXPECT_EQ(before.Differences(after) > 0, kThemed || r.change < kStylesOff) << "the change shows";
        DestroyWindow(b), DestroyWindow(fresh);
    }
    DestroyIcon(icon);
}

// Greyed pictures on the normal face: made when a disabled button is drawn
// (black takes the shadow colour, white the face colour), made once, dropped
// when the picture is set again. Bitmaps of 8 bits per pixel are embossed by
// the system onto the transparent colour, so that their background stays
// background. At the end the button deletes only the bitmap it holds.
TEST_F(Btn, GreyedPictures) {
    const RECT box = {15, 11, 24, 18}, icons = {12, 7, 28, 23};
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), face = GetSysColor(COLOR_BTNFACE);
    HBITMAP first = MakeBitmap(9, 7, [](int, int) { return 0; });
    HICON dark = MakeIcon([](int, int) { return 0; }), light = MakeIcon([](int, int) { return kWhite; });
    HWND b = Make(nullptr, dark);
    EnableWindow(b, FALSE);
    auto shown = [&](COLORREF c, RECT r) { return qxt::Repaint(b), qxt::Pixels(b).Count(c, r); };
    EXPECT_EQ(shown(shadow, icons), 256);
    QXBtn_SetIcon(b, light);
    EXPECT_EQ(shown(face, icons), 256) << "dropped";
    QXBtn_SetBitmap(b, first);  // shown instead of the icon
    EXPECT_EQ(shown(shadow, box), 63);
    WithDC(first, [](HDC dc) { PatBlt(dc, 0, 0, 9, 7, WHITENESS); });
    EXPECT_EQ(shown(shadow, box), 63) << "made once";
    QXBtn_SetBitmap(b, first);
    EXPECT_EQ(shown(face, box) + shown(RGB(192, 192, 193), box), 63) << "dropped";  // white, off the clear colour
    HBITMAP few = MakeBitmap(12, 10, [](int x, int y) { return x >= 4 && x < 8 && y >= 3 && y < 7 ? 0 : kClear; }, 8);
    QXBtn_SetBitmap(b, few);
    EXPECT_EQ(shown(shadow, {18, 13, 22, 17}), 16);
    EXPECT_EQ(Differs(b, Face(b, 1, false), {18, 13, 23, 18}), 0) << "the square and its highlight on the face";
    DestroyWindow(b);
    EXPECT_EQ(GetObjectType(few), 0u) << "held at the end: deleted";
    EXPECT_TRUE(DestroyIcon(light) && DestroyIcon(dark) && DeleteObject(first)) << "the icons and the replaced bitmap";
}

// Painted into a device context of the caller's (WM_PRINTCLIENT), a button
// leaves its selected objects, colours and modes as they were, and shows
// what its window shows (a month/year button without a theme: nothing), in
// every state and look: drawn anew, then from what it kept. A window too large to keep an image of draws straight onto
// the device context.
TEST_F(Btn, PrintsLeaveTheDeviceContextAlone) {
    HICON icon = MakeIcon([](int x, int y) { return x > y ? kRed : kWhite; });
    const struct { const char *cls; bool bitmap, icon; DWORD style; UINT msg; int width; } rows[] = {
        {"QXBmpButton", true, false, 0, 0, kW},           {"QXBmpButton", true, false, WS_DISABLED, 0, kW},
        {"QXBmpButton", false, true, WS_DISABLED, 0, kW}, {"QXBmpButton", true, false, 0, WM_LBUTTONDOWN, kW},
        {"QXBmpButton", true, false, 0, WM_MOUSEMOVE, kW}, {"QXBmpButtonXP", false, false, 0, WM_LBUTTONDOWN, kW},
        {"QXBmpButton", true, true, WS_DISABLED, WM_LBUTTONDOWN, 30000}};
    for (const auto &r : rows) {
        SCOPED_TRACE(&r - rows);  // the row
        HWND b = parent.CreateChild(r.cls, "", r.style, 10, 10, r.width, r.width > kW ? 20000 : kH, kId);
        QXBtn_SetBitmap(b, r.bitmap ? MakeBitmap(9, 7, [](int x, int y) { return x == y ? kClear : kBlue; }) : nullptr);
        QXBtn_SetIcon(b, r.icon ? icon : nullptr);
        if (r.msg) SendMessageA(b, r.msg, MK_LBUTTON, MAKELPARAM(5, 5));
        UpdateWindow(b);
        for (int pass = 0; pass < 2; ++pass) {
            qxt::PrintTarget target(kW, kH);
            target.Print(b);
            EXPECT_EQ(target.Changed(), "") << "pass " << pass;
            // A month/year button without a theme draws nothing at all.
            const bool draws = kThemed || std::string(r.cls) == "QXBmpButton";
            if (r.width == kW && draws) {
                EXPECT_EQ(target.DifferencesFrom(b), 0) << "pass " << pass;
            }
        }
        ReleaseCapture(), DestroyWindow(b);
    }
    DestroyIcon(icon);
}

// What a button keeps is deleted when it is replaced and with the button:
// the greyed copies when the colours change and when the picture is set
// again, the images of the last drawing (whole and face) when the size
// changes.
TEST_F(Btn, KeptCopiesAreDeleted) {
    HICON icon = MakeIcon([](int x, int y) { return x > y ? kRed : kWhite; });
    HWND b = Make(MakeBitmap(9, 7, [](int x, int y) { return x == y ? kClear : kBlue; }), nullptr, WS_DISABLED),
         c = Make(nullptr, icon, WS_DISABLED);
    struct Kept { HBITMAP greyed, image, face; HICON greyedIcon; };
    auto kept = [](HWND w) {
        Kept k = {};
        EXPECT_TRUE(qx::WindowObject::With<qx::BmpBtn>(w, [&](qx::BmpBtn &o) {
            k = {o.DisabledBitmap(), o.KeptImage(), o.KeptFace(), o.DisabledIcon()};
            return true;
        }));
        return k;
    };
    auto gone = [](HGDIOBJ h) { return GetObjectType(h) == 0; };
    auto destroyed = [](HICON h) { ICONINFO info; return !GetIconInfo(h, &info); };
    Kept before = kept(b), icons = kept(c);
    ASSERT_TRUE(before.greyed && before.image && icons.greyedIcon);
    {
        qxt::SysColors colors({{COLOR_BTNSHADOW, RGB(90, 60, 30)}});
        qxt::Repaint(b), qxt::Repaint(c);
        const Kept now = kept(b);
        EXPECT_TRUE(gone(before.greyed) && now.greyed && !gone(now.greyed) && destroyed(icons.greyedIcon));
    }
    qxt::Repaint(b), qxt::Repaint(c);  // in the colours put back
    before = kept(b), icons = kept(c);
    QXBtn_SetBitmap(b, MakeBitmap(5, 5, [](int, int) { return kRed; })), QXBtn_SetIcon(c, nullptr);
    EXPECT_TRUE(gone(before.greyed) && destroyed(icons.greyedIcon));
    SetWindowPos(b, nullptr, 0, 0, kW + 4, kH, SWP_NOMOVE | SWP_NOZORDER);
    qxt::Repaint(b);
    const Kept last = kept(b);
    EXPECT_TRUE(gone(before.image) && gone(before.face) && last.image && last.face && last.greyed);
    DestroyWindow(b);
    EXPECT_TRUE(gone(last.image) && gone(last.face) && gone(last.greyed));
    DestroyIcon(icon);
}

// Nothing a button does again and again keeps a GDI or USER handle: after
// two rounds of a kind of repeat (which make what is kept), the free slots
// of both tables are the same after many more. A disabled bitmap and icon
// button each: repaints, enabling and disabling, new pictures (the one
// replaced is the caller's again), presses and hovering, paints into a
// device context of the caller's, colours changed and put back, visual
// styles switched off and on; a month/year button's presses and styles.
// (New pictures are shown enabled and disabled in turn.)
TEST_F(Btn, HandleCountsStayFlat) {
    const Paint color = [](int x, int y) { return x == y ? kClear : (x + y) % 2 ? kRed : kBlue; };
    HICON icon = MakeIcon([](int x, int y) { return x > y ? kRed : kWhite; });
    HBITMAP shown = MakeBitmap(9, 7, color);
    HWND b = Make(shown, nullptr, WS_DISABLED), c = Make(nullptr, icon, WS_DISABLED),
         arrow = Make(nullptr, nullptr, 0, "QXBmpButtonXP");
    qxt::PrintTarget target(kW, kH);
    int k = 0;
    auto both = [&](const std::function<void(HWND)> &op) { op(b), op(c), UpdateWindow(b), UpdateWindow(c); };
    const std::vector<qxt::Repeat> rows = {
        {"repaint", 40, [&] { qxt::Repaint(b), qxt::Repaint(c), qxt::Repaint(arrow); }},
        {"enable", 40, [&] { both([&](HWND h) { EnableWindow(h, k % 2); }); }},
        {"picture", 40, [&] {
            HBITMAP old = shown;
            shown = MakeBitmap(9, 7, color);
            QXBtn_SetBitmap(b, shown), DeleteObject(old), QXBtn_SetIcon(c, icon);
            both([&](HWND h) { EnableWindow(h, k % 2); });  // every other one greyed
        }},
        {"press", 20, [&] {
            for (HWND h : {b, c, arrow}) {
                SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
                SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
                SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
                SendMessageA(h, WM_MOUSELEAVE, 0, 0);
            }
        }},
        {"print", 40, [&] { target.Print(b), target.Print(c), target.Print(arrow); }},
        {"colours", 6, [&] {
            {
                qxt::SysColors colors({{COLOR_BTNFACE, RGB(200, 220, 240)}, {COLOR_BTNSHADOW, RGB(90, 60, 30)}});
                both([](HWND h) { SendMessageA(h, WM_SYSCOLORCHANGE, 0, 0); });
            }
            // Back in the usual colours, told as the system tells top-level
            // windows: each round ends drawn as it began, whenever the
            // system's own notice arrives.
            both([](HWND h) { SendMessageA(h, WM_SYSCOLORCHANGE, 0, 0); });
        }},
        {"styles", 10, [&] {
            for (HWND h : {b, c, arrow}) qxt::SetWindowStyles(h, k % 2 != 0), UpdateWindow(h);
        }},
    };
    // USER handles (icons, windows) are counted in one look: filling their
    // table takes seconds, and no USER object is made by one look only.
    qxt::ExpectHandleCountsFlat(rows, &k, kThemed);
    ReleaseCapture();
    DestroyWindow(b), DestroyWindow(c), DestroyWindow(arrow);
    DeleteObject(shown), DestroyIcon(icon);
}

// The copies a picture is drawn from follow the rules of each look, in every
// format, and leave the picture as it was. Classic: when the top-left pixel
// reads back as the transparent colour, every pixel that does shows the face
// colour, exactly; else the picture shows as it is (16 bits never hold the
// colour exactly). Themed, drawn over green: green wherever the picture
// holds what its format stores for the transparent colour (in 16 bits, the
// colours that share that value), whatever its top-left pixel. The copies
// of one case are made into those of the case before (memory reused where
// the size is the same): nothing of the earlier picture shows.
TEST(PictureCopies, FollowTheRules) {
    const COLORREF face = RGB(10, 20, 30), green = RGB(0, 255, 0);
    const struct { int bpp, used, w, h; } cases[] = {{32, 8, 23, 17}, {24, 8, 23, 17}, {16, 8, 23, 17},
        {8, 8, 23, 17}, {4, 8, 23, 17}, {1, 2, 23, 17}, {32, 8, 700, 300}};
    qx::Bitmap classic, cutout, mask;
    for (int k = 0; k < 14; ++k) {
        const auto &c = cases[k / 2];
        const COLORREF corner = k % 2 ? kClear : 0;  // the top-left pixel
        const Paint color = [&](int x, int y) { return x || y ? kPool[(x * 7 + y * 3 + x * y % 5) % c.used] : corner; };
        HBITMAP source = MakeBitmap(c.w, c.h, color, c.bpp);
        std::vector<COLORREF> read(c.w * c.h);  // as the format holds them
        WithDC(source, [&](HDC dc) { for (int i = 0; i < c.w * c.h; ++i) read[i] = GetPixel(dc, i % c.w, i / c.w); });
        COLORREF stored = 0;  // the transparent colour in the format
        HBITMAP one = MakeBitmap(1, 1, [](int, int) { return kClear; }, c.bpp);
        WithDC(one, [&](HDC dc) { stored = GetPixel(dc, 0, 0); });
        DeleteObject(one);
        HBITMAP canvas = MakeBitmap(c.w, c.h, [&](int, int) { return green; });
        ASSERT_TRUE(qx::MakeClassicCopy(source, kClear, face, &classic) && qx::MakeThemedPair(source, kClear, &cutout, &mask)) << k;
        WithDC(canvas, [&](HDC dc) { qx::DrawThemedPair(dc, 0, 0, cutout.get(), mask.get()); });
        int wrong[3] = {};
        WithDC(source, [&](HDC s) { WithDC(classic.get(), [&](HDC cl) { WithDC(canvas, [&](HDC th) {
            for (int i = 0; i < c.w * c.h; ++i) {
                const int x = i % c.w, y = i / c.w;
                wrong[0] += GetPixel(s, x, y) != read[i];
                wrong[1] += GetPixel(cl, x, y) != (read[i] == kClear && read[0] == kClear ? face : read[i]);
                wrong[2] += GetPixel(th, x, y) != (read[i] == stored ? green : read[i]);
            }
        }); }); });
        EXPECT_EQ(std::vector<int>(wrong, wrong + 3), std::vector<int>(3, 0))
            << "source, classic, themed: " << c.bpp << " bpp " << c.w << "x" << c.h << " corner " << corner;
        DeleteObject(source), DeleteObject(canvas);
    }
}

// Only buttons of ours take pictures. A window whose object cannot be made
// is not created, and nothing faults; a month/year window never falls back
// to a plain button's object. (And an unfocused default button says so.)
TEST_F(Btn, WindowsOfOurs) {
    HWND dead = Make();
    DestroyWindow(dead);
    EXPECT_EQ(SendMessageA(Make(nullptr, nullptr, BS_DEFPUSHBUTTON), WM_GETDLGCODE, 0, 0), DLGC_DEFPUSHBUTTON);
    const struct { HWND hwnd; int ok; } cases[] = {
        {Make(), 1}, {Make(nullptr, nullptr, 0, "QXBmpButtonXP"), 1}, {nullptr, 0}, {dead, 0}, {edit, 0},
        {parent.CreateChild("BUTTON", "", 0, 0, 0, 9, 9, 9), 0}, {parent.hwnd(), 0}, {HWND(INT_PTR(0x7654)), 0}};
    for (const auto &c : cases) EXPECT_EQ(QXBtn_SetIcon(c.hwnd, nullptr) + QXBtn_SetBitmap(c.hwnd, nullptr), 2 * c.ok);
    const qxt::FaultCounter faults;
    for (const char *cls : {"QXBmpButton", "QXBmpButtonXP"})
        EXPECT_EQ((g_refusals = 1, parent.CreateChild(cls, "", 0, 0, 0, 20, 20)), nullptr) << cls;
    g_refusals = 0;
    EXPECT_EQ(faults.Faults(), 0);
}

}  // namespace
