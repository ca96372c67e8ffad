// The bitmap and month/year buttons through real windows, themed and (the _classic twin) classic.
#include "handle_counts.h"
#include "harness.h"

#include <memory>

#include "button/month_year_btn.h"
#include "qx_cntl.h"
#include "visual/theme_api.h"

namespace {

const int kW = 40, kH = 30, kId = 7;
const COLORREF kClear = RGB(192, 192, 192), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);
// The colour table of bitmaps of 8 bits or fewer: colours near the face's, for palettes to pick the nearest.
const COLORREF kPool[] = {kClear, 0, RGB(210, 208, 200), RGB(216, 204, 196), kRed, RGB(0, 128, 0), RGB(191, 192, 192), kWhite};
const bool kThemed = !qxt::ClassicPrefix();
const bool kRegistered =
    QXRegisterBmpBtnClass(qxt::HostInstance()) && QXRegisterMonthYearButtonXPClass(qxt::HostInstance());
using Paint = std::function<COLORREF(int, int)>;
using Draw = std::function<void(HDC)>;

void WithDC(HBITMAP bmp, const Draw &draw) {
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bmp);
    draw(mem);
    SelectObject(mem, old);
    DeleteDC(mem);
}

HBITMAP MakeBitmap(int w, int h, const Paint &color, int bpp = 32) {
    struct { BITMAPINFOHEADER h; RGBQUAD t[256]; } bi = {{sizeof bi.h, w, h, 1, WORD(bpp), BI_RGB, 0, 0, 0, 0, 0}, {}};
    for (int i = 0; i < 8; ++i) bi.t[i] = {GetBValue(kPool[i]), GetGValue(kPool[i]), GetRValue(kPool[i]), 0};
    HBITMAP bmp = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO *>(&bi), DIB_RGB_COLORS, nullptr, nullptr, 0);
    WithDC(bmp, [&](HDC dc) { for (int i = 0; i < w * h; ++i) SetPixel(dc, i % w, i / w, color(i % w, i / w)); });
    return bmp;
}

HICON MakeIcon(const Paint &color) {
    const BYTE opaque[32] = {};
    ICONINFO info = {TRUE, 0, 0, CreateBitmap(16, 16, 1, 1, opaque), MakeBitmap(16, 16, color)};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask), DeleteObject(info.hbmColor);
    return icon;
}

// Pixels outside `skip` that change when `draw` paints over the window.
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

// The face in a state (1 normal, 2 hot, 3 pressed), themed or classic; a month/year arrow the SPIN part on black.
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

// Sequences: notifications, the focus, the face and a centred picture (moved pressed, classic) with no paint.
TEST_F(Btn, SequencesNotifyAndDrawExactly) {
    // Bitmap size; transparent where x * y is `clear` (-1: none); an icon; where the origin lands.
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
    // A press whose focus change lets the capture go (a message box) is over at once.
    HWND field = parent.CreateChild("EDIT", "", 0, 200, 40, 80, 20, 8), b = Make();
    SetFocus(field);
    parent.onCommand = [](const qxt::Notification &n) { if (n.code == EN_KILLFOCUS) ReleaseCapture(); };
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    parent.onCommand = nullptr;
    EXPECT_TRUE(GetCapture() == nullptr && GetFocus() == b);
    UpdateWindow(b);
    EXPECT_EQ(Differs(b, Face(b, 1, true)), 0);
}

// After each change UpdateWindow alone shows what a button made afresh shows, and the change shows.
TEST_F(Btn, LooksFollowEveryChange) {
    const Paint color = [](int x, int y) { return x * y == 0 ? kClear : (x + y) % 3 == 0 ? kRed : (x + y) % 3 ? kWhite : 0; };
    HICON icon = MakeIcon([](int x, int y) { return (x + y) % 2 ? kRed : kWhite; });
    enum Change { kDisable, kEnable, kColors, kStylesOff, kStylesOn };
    const struct { const char *cls; bool icon, disabled, classic; Change change; } rows[] = {
        {"QXBmpButton", false, false, false, kDisable}, {"QXBmpButton", true, false, false, kDisable},
        {"QXBmpButton", false, true, false, kEnable}, {"QXBmpButton", false, true, false, kColors},
        {"QXBmpButton", false, false, false, kColors}, {"QXBmpButton", true, true, false, kColors},
        {"QXBmpButton", false, true, false, kStylesOff}, {"QXBmpButton", false, false, true, kStylesOn},
        {"QXBmpButtonXP", false, false, false, kStylesOff}, {"QXBmpButtonXP", false, false, true, kStylesOn}};
    for (const auto &r : rows) {
        SCOPED_TRACE(&r - rows);  // the row
        const bool disabled = r.change == kDisable || (r.disabled && r.change != kEnable);
        const bool classic = r.change == kStylesOff || (r.classic && r.change != kStylesOn);
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

// Greyed pictures made once, dropped with a new picture, 8-bit ones embossed; only the held bitmap deleted.
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

// Printing in every state leaves the caller's DC as it was and shows the window; repeats keep no handle.
TEST_F(Btn, DeviceContextsAndHandleCounts) {
    const Paint color = [](int x, int y) { return x == y ? kClear : (x + y) % 2 ? kRed : kBlue; };
    HICON icon = MakeIcon([](int x, int y) { return x > y ? kRed : kWhite; });
    const struct { const char *cls; bool bitmap, icon; DWORD style; UINT msg; int width; } prints[] = {
        {"QXBmpButton", true, false, WS_DISABLED, 0, kW}, {"QXBmpButton", false, true, WS_DISABLED, 0, kW},
        {"QXBmpButton", true, false, 0, WM_LBUTTONDOWN, kW}, {"QXBmpButton", true, false, 0, WM_MOUSEMOVE, kW},
        {"QXBmpButtonXP", false, false, 0, WM_LBUTTONDOWN, kW}, {"QXBmpButton", true, true, WS_DISABLED, 0, 30000}};
    for (const auto &r : prints) {
        SCOPED_TRACE(&r - prints);
        HWND b = parent.CreateChild(r.cls, "", r.style, 10, 10, r.width, r.width > kW ? 20000 : kH, kId);
        QXBtn_SetBitmap(b, r.bitmap ? MakeBitmap(9, 7, color) : nullptr), QXBtn_SetIcon(b, r.icon ? icon : nullptr);
        if (r.msg) SendMessageA(b, r.msg, MK_LBUTTON, MAKELPARAM(5, 5));
        UpdateWindow(b);
        for (int pass = 0; pass < 2; ++pass) {  // drawn anew, then from what it kept
            qxt::PrintTarget target(kW, kH);
            target.Print(b);
            EXPECT_EQ(target.Changed(), "") << pass;
            const bool draws = kThemed || std::string(r.cls) == "QXBmpButton";
            EXPECT_TRUE(r.width > kW || !draws || target.DifferencesFrom(b) == 0) << pass;
        }
        ReleaseCapture(), DestroyWindow(b);
    }
    HBITMAP shown = MakeBitmap(9, 7, color);
    HWND b = Make(shown, nullptr, WS_DISABLED), c = Make(nullptr, icon, WS_DISABLED),
         arrow = Make(nullptr, nullptr, 0, "QXBmpButtonXP");
    qxt::PrintTarget target(kW, kH);
    int k = 0;
    auto both = [&](const std::function<void(HWND)> &op) { op(b), op(c), UpdateWindow(b), UpdateWindow(c); };
    const std::vector<qxt::Repeat> rows = {
        {"repaint and print", 40, [&] { for (HWND h : {b, c, arrow}) qxt::Repaint(h), target.Print(h); }},
        {"colours", 6, [&] {
            std::unique_ptr<qxt::SysColors> colors(new qxt::SysColors({{COLOR_BTNFACE, RGB(200, 220, 240)}, {COLOR_BTNSHADOW, 0}}));
            both([](HWND h) { SendMessageA(h, WM_SYSCOLORCHANGE, 0, 0); });
            colors.reset(), both([](HWND h) { SendMessageA(h, WM_SYSCOLORCHANGE, 0, 0); });
        }},
        {"size", 20, [&] { both([&](HWND h) { SetWindowPos(h, nullptr, 0, 0, kW + k % 2 * 4, kH, SWP_NOMOVE | SWP_NOZORDER); }); }},
        {"picture", 40, [&] {
            HBITMAP old = shown;
            shown = MakeBitmap(9, 7, color);
            QXBtn_SetBitmap(b, shown), DeleteObject(old), QXBtn_SetIcon(c, icon);
            both([&](HWND h) { EnableWindow(h, k % 2); });  // every other one greyed
        }},
        {"press", 20, [&] {
            for (HWND h : {b, c, arrow}) {
                SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)), SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
                SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)), SendMessageA(h, WM_MOUSELEAVE, 0, 0);
            }
        }},
        {"styles", 10, [&] { for (HWND h : {b, c, arrow}) qxt::SetWindowStyles(h, k % 2 != 0), UpdateWindow(h); }},
        {"made", 10, [&] { DestroyWindow(Make(MakeBitmap(9, 7, color), icon, WS_DISABLED)); }},
    };
    qxt::ExpectHandleCountsFlat(rows, &k, kThemed);
    ReleaseCapture();
    DestroyWindow(b), DestroyWindow(c), DestroyWindow(arrow);
    DeleteObject(shown), DestroyIcon(icon);
}

}  // namespace
