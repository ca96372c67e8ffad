// The controls at every DPI (the system's the prefix's, others by the display seam) and in high contrast.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/display.h"
#include "harness.h"
#include "qx_cntl.h"
#include "screens.h"
#include "typed/float_rules.h"

#include <commctrl.h>

namespace {

using qx::ScaleForDpi;

const bool kAware = demo::BeDpiAware();
const bool kRegistered = RegisterQXCtls(qxt::HostInstance()) != 0;
const UINT kDpis[] = {96, 144, 192};

// The dialog font as a host makes it for a DPI: 8 points, never smoothed.
HFONT FontFor(UINT dpi) {
    static HFONT fonts[3];
    HFONT &f = fonts[dpi / 48 - 2];
    if (!f) f = CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, NONANTIALIASED_QUALITY, 0, "MS Sans Serif");
    return f;
}

struct Stage {
    explicit Stage(UINT d, int x = 20) : dpi(d) {
        if (dpi != qx::SystemDpi()) qx::SetDpiForTest(parent.hwnd(), dpi);
        SetWindowPos(parent.hwnd(), nullptr, x, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SetCursorPos(1270, 1010);  // nothing hot by chance
    }
    ~Stage() { qx::SetDpiForTest(parent.hwnd(), 0); }
    const UINT dpi;
    qxt::ParentWindow parent{640, 400};
};

// Every control at its 96-dpi size; a button's picture a 10 x 12 bitmap or a 32 x 32 icon, one colour each.
enum Picture { kNone, kBitmap, kIcon };
struct Kind { const char *cls, *mask; DWORD style; const char *text; int w, h; Picture picture; };
const Kind kKinds[] = {
    {"QXEdit", "", 0, "WW", 120, 21, kNone},          {"QXInteger", "9999", QXES_SPIN, "12", 120, 21, kNone},
    {"QXInteger", "9999", QXES_SPIN, "12", 30, 21, kNone},  // a spin half the width
    {"QXFloat", "99999.99", QXES_SPIN | QXES_RIGHT, "12.5", 120, 21, kNone},
    {"QXPicture", "(999) 999", 0, "(555) 123", 120, 21, kNone}, {"QXTime", "99:99 am", QXES_SPIN, "07:30 pm", 40, 21, kNone},
    {"QXBmpButton", "", 0, nullptr, 40, 30, kBitmap}, {"QXBmpButton", "", 0, nullptr, 40, 30, kIcon}};
const COLORREF kBitmapColor = RGB(0, 0, 200), kIconColor = RGB(200, 0, 0);
bool IsEdit(const Kind &k) { return k.text != nullptr; }
bool IsPicture(COLORREF c) { return c == kBitmapColor || c == kIconColor; }

HWND Make(Stage &s, const Kind &k, bool classic, int x = 10, int y = 10, UINT sizeDpi = 0) {
    std::unique_ptr<qxt::ClassicBirths> births(classic ? new qxt::ClassicBirths : nullptr);
    const UINT at = sizeDpi ? sizeDpi : s.dpi;
    HWND h = CreateWindowExA(k.text ? WS_EX_CLIENTEDGE : 0, k.cls, k.mask, WS_CHILD | WS_VISIBLE | k.style, x, y,
                             ScaleForDpi(k.w, at), ScaleForDpi(k.h, at), s.parent.hwnd(), nullptr,
                             qxt::HostInstance(), nullptr);
    births.reset();
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(at)), FALSE);
    if (k.text) SetWindowTextA(h, k.text);
    static const std::vector<uint32_t> red(32 * 32, 0xC80000), blue(10 * 12, 0x0000C8), mask(32, 0);
    static ICONINFO ii = {TRUE, 0, 0, CreateBitmap(32, 32, 1, 1, mask.data()), CreateBitmap(32, 32, 1, 32, red.data())};
    static const HICON icon = CreateIconIndirect(&ii);
    if (k.picture == kIcon) QXBtn_SetIcon(h, icon);
    if (k.picture == kBitmap) QXBtn_SetBitmap(h, CreateBitmap(10, 12, 1, 32, blue.data()));
    qxt::Repaint(h);
    return h;
}

// The caret of the thread when h holds it (else an empty rectangle).
RECT CaretOf(HWND h) {
    GUITHREADINFO gui = {sizeof gui};
    return GetGUIThreadInfo(GetCurrentThreadId(), &gui) && gui.hwndCaret == h ? gui.rcCaret : RECT{0, 0, 0, 0};
}

// Runs of one colour down the middle column from the top.
int RunDown(const qxt::Pixels &p, int from, COLORREF color) {
    int n = 0;
    while (p.At(p.width() / 2, from + n) == color) ++n;
    return n;
}

// What a control shows of its sizes, read from its pixels and the caret.
struct Sizes { int spin = 0, margin = -1, caret = 0, frame = 0, ring = 0, pressedRing = 0, shift = 0, picture = 0; };

Sizes Measure(HWND h, const Kind &k, bool classic) {
    Sizes m;
    const qxt::Pixels p(h);
    if (IsEdit(k)) {
        // The spin begins right of the last column of the window's colour; its classic frame's right line black.
        int x = p.width() - 1;
        while (x >= 0 && p.Count(GetSysColor(COLOR_WINDOW), RECT{x, 0, x + 1, p.height()}) == 0) --x;
        m.spin = p.width() - 1 - x;
        while (classic && m.spin && p.At(p.width() - 1 - m.frame, p.height() / 4) == RGB(0, 0, 0)) ++m.frame;
        SetFocus(h);
        SendMessageA(h, EM_SETSEL, 0, -1);
        HideCaret(h);
        const qxt::Pixels sel(h);
        ShowCaret(h);
        for (int y = 0; y < sel.height() && m.margin < 0; ++y)
            for (int x2 = 0; x2 < sel.width() && m.margin < 0; ++x2)
                if (sel.At(x2, y) == GetSysColor(COLOR_HIGHLIGHT)) m.margin = std::min(x2, y);
        const RECT caret = CaretOf(h);
        m.caret = caret.right - caret.left;
        SetFocus(nullptr);
        return m;
    }
    m.picture = p.Count(kBitmapColor) + p.Count(kIconColor);
    const auto origin = [](const qxt::Pixels &q) {
        for (int i = 0; i < q.width() * q.height(); ++i)
            if (IsPicture(q.At(i % q.width(), i / q.width()))) return i % q.width() + i / q.width() * 1000;
        return -1;
    };
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));  // focused and pressed
    const qxt::Pixels pressed(h);
    m.shift = origin(pressed) - origin(p);
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(-5, -5));
    UpdateWindow(h);
    const qxt::Pixels focused(h);
    if (classic) {
        m.ring = RunDown(focused, 0, RGB(0, 0, 0));
        m.pressedRing = RunDown(pressed, m.ring, GetSysColor(COLOR_BTNSHADOW));
    } else {  // the dotted lines: upper rows whose middle third differs unfocused
        for (int y = 0, x; y < p.height() / 2; ++y) {
            for (x = p.width() / 3; x < p.width() * 2 / 3 && focused.At(x, y) == p.At(x, y);) ++x;
            m.ring += x < p.width() * 2 / 3;
        }
    }
    SetFocus(nullptr);
    return m;
}

// Lengths grow in proportion, never below a pixel; the system's metrics at its DPI; a window has its parent's.
TEST(Screens, DisplayRules) {
    (void)kAware;  // Wine may refuse a second call: the DPI read here is what counts
    const char *run = std::getenv("QX_TEST_DPI");
    const UINT sys = qx::SystemDpi();
    HDC screen = GetDC(nullptr);
    EXPECT_TRUE(GetDeviceCaps(screen, LOGPIXELSY) == (run ? std::atoi(run) : 96) && int(sys) == (run ? std::atoi(run) : 96));
    ReleaseDC(nullptr, screen);
    const struct { int length; UINT dpi; int scaled; } scales[] = {
        {0, 192, 0}, {1, 120, 1}, {1, 144, 2}, {1, 40, 1}, {16, 72, 12}, {3, 0, 3}, {17, 144, 26}, {-3, 192, -6}};
    for (const auto &c : scales) EXPECT_EQ(ScaleForDpi(c.length, c.dpi), c.scaled) << c.length << " at " << c.dpi;
    for (int index : {SM_CXBORDER, SM_CXEDGE, SM_CXHTHUMB, SM_CXVSCROLL}) {
        const int at96 = qx::MetricForDpi(index, 96), at192 = qx::MetricForDpi(index, 192);
        EXPECT_TRUE(qx::MetricForDpi(index, sys) == GetSystemMetrics(index) && at96 <= at192 && at192 <= 2 * at96 + 1) << index;
    }
    for (UINT dpi : kDpis) EXPECT_EQ(qx::LineForDpi(SM_CYBORDER, dpi), ScaleForDpi(1, dpi)) << dpi;
    qxt::ParentWindow top;
    qx::SetDpiForTest(top.hwnd(), 192);
    EXPECT_EQ(qx::WindowDpi(top.CreateChild("STATIC", "", 0, 0, 0, 10, 10)), 192u);  // the parent's
    qx::SetDpiForTest(top.hwnd(), 0);
}

// At each DPI and look: spin as wide as the thumb; margins, caret, rings, a pressed move a line; tip, icon scaled.
TEST(Screens, EveryControlAtEveryDpi) {
    ASSERT_TRUE(kRegistered);
    qxt::SysColors window({{COLOR_WINDOW, RGB(1, 2, 3)}});
    ASSERT_TRUE(qxt::SetClipboardText("a\tb"));  // a control character: every edit refuses it
    for (UINT dpi : kDpis) {
        Stage stage(dpi);
        const int line = ScaleForDpi(1, dpi);
        for (bool classic : {false, true}) {
            for (const Kind &k : kKinds) {
                SCOPED_TRACE(std::string(k.cls) + " " + std::to_string(k.w) + (k.picture == kIcon ? " icon" : "") +
                             " at " + std::to_string(dpi) + (classic ? " classic" : " themed"));
                HWND h = Make(stage, k, classic);
                const Sizes m = Measure(h, k, classic);
                if (IsEdit(k)) {
                    RECT client;
                    GetClientRect(h, &client);
                    const int thumb = qx::MetricForDpi(SM_CXHTHUMB, dpi);
                    const int spin = (k.style & QXES_SPIN) ? std::min(thumb, int(client.right) / 2) : 0;
                    EXPECT_EQ(m.spin, spin);
                    EXPECT_NEAR(thumb, ScaleForDpi(qx::MetricForDpi(SM_CXHTHUMB, 96), dpi), 1);
                    EXPECT_EQ(m.frame, classic && spin ? line : 0);
                    EXPECT_EQ(m.margin, line);
                    EXPECT_EQ(m.caret, dpi == 96 ? GetSystemMetrics(SM_CXBORDER) : line);
                    SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) | QXES_EXPLAIN | QXES_NOBEEP);
                    SendMessageA(h, WM_PASTE, 0, 0);
                    EXPECT_EQ(SendMessageA(qxt::ShownTip(), TTM_GETMAXTIPWIDTH, 0, 0), ScaleForDpi(240, dpi));
                } else {
                    const bool themed = !classic && !qxt::ClassicPrefix();
                    EXPECT_EQ(m.ring, line);
                    EXPECT_EQ(m.pressedRing, themed ? 0 : line);
                    EXPECT_EQ(m.shift, themed ? 0 : line * 1001);
                    const int icon = ScaleForDpi(16, dpi);
                    EXPECT_EQ(m.picture, k.picture == kIcon ? icon * icon : 10 * 12);
                }
                DestroyWindow(h);
            }
        }
    }
}

// Moved to another DPI (resized or not) a window shows what one made there shows; its twin keeps its pixels.
TEST(Screens, OneWindowMovesToAnotherDpi) {
    ASSERT_TRUE(kRegistered);
    const UINT sys = qx::SystemDpi();
    const std::pair<UINT, UINT> moves[] = {{sys, sys == 192 ? 144 : 192}, {144, 192}};
    for (const auto &move : moves) {
        if (&move != moves && sys == 144) break;  // the same move
        Stage here(move.first), there(move.second, 650);
        for (bool resized : {true, false})
            for (bool classic : {false, true})
                for (const Kind &k : kKinds) {
                    SCOPED_TRACE(std::string(k.cls) + " " + std::to_string(k.w) + (k.picture == kIcon ? " icon " : " ") +
                                 std::to_string(move.first) + (resized ? " resized" : "") + (classic ? " classic" : ""));
                    HWND moved = Make(here, k, classic, 10, 10), alone = Make(here, k, classic, 10, 150);
                    // Held and released once: kept faces and images exist.
                    for (HWND h : {moved, alone}) {
                        SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ScaleForDpi(k.w, here.dpi) - 3, 3));
                        SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(-5, -5));
                    }
                    SetFocus(nullptr);
                    for (HWND h : {moved, alone}) UpdateWindow(h);
                    const qxt::Pixels before(alone, true);
                    qx::SetDpiForTest(moved, there.dpi);
                    if (resized) {
                        SetWindowPos(moved, nullptr, 0, 0, ScaleForDpi(k.w, there.dpi), ScaleForDpi(k.h, there.dpi),
                                     SWP_NOMOVE | SWP_NOZORDER);
                        SendMessageA(moved, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(there.dpi)), FALSE);
                    }
                    SendMessageA(moved, qx::kWmDpiChangedAfterParent, 0, 0);
                    UpdateWindow(moved);
                    HWND fresh = Make(there, k, classic, 10, 10, resized ? there.dpi : here.dpi);
                    EXPECT_EQ(qxt::Pixels(moved, true).Differences(qxt::Pixels(fresh, true)), 0);
                    EXPECT_EQ(qxt::Pixels(alone, true).Differences(before), 0);
                    qx::SetDpiForTest(moved, 0);
                    DestroyWindow(moved), DestroyWindow(alone), DestroyWindow(fresh);
                }
    }
}

// High contrast switched while open: system colours only, the host's answer wins; switched off, as one made then.
TEST(Screens, HighContrastSwitchedWhileOpen) {
    ASSERT_TRUE(kRegistered);
    Stage stage(qx::SystemDpi()), side(qx::SystemDpi(), 650);
    const std::vector<std::pair<int, COLORREF>> scheme = {
        {COLOR_WINDOW, RGB(16, 32, 48)},      {COLOR_WINDOWTEXT, RGB(240, 230, 60)}, {COLOR_HIGHLIGHT, RGB(30, 60, 200)},
        {COLOR_HIGHLIGHTTEXT, RGB(250, 250, 120)}, {COLOR_BTNFACE, RGB(50, 10, 50)}, {COLOR_BTNTEXT, RGB(100, 250, 250)},
        {COLOR_BTNSHADOW, RGB(90, 90, 20)},   {COLOR_BTNHIGHLIGHT, RGB(220, 180, 250)}, {COLOR_3DDKSHADOW, RGB(5, 70, 5)},
        {COLOR_3DLIGHT, RGB(150, 150, 250)},  {COLOR_GRAYTEXT, RGB(120, 200, 120)}, {COLOR_WINDOWFRAME, RGB(255, 140, 0)}};
    struct Open { HWND h; const Kind *k; bool classic; };
    std::vector<Open> all;
    for (bool classic : {false, true})
        for (const Kind &k : kKinds)
            all.push_back({Make(stage, k, classic, classic ? 330 : 10, 10 + 45 * int(&k - kKinds)), &k, classic});
    HWND focused = all[1].h;
    SetFocus(focused);
    SendMessageA(focused, EM_SETSEL, 0, -1);
    {
        qxt::SysColors colors(scheme);
        qx::SetHighContrastForTest(1);
        for (const Open &o : all) {
            SCOPED_TRACE(std::string(o.k->cls) + " " + std::to_string(&o - all.data()));
            if (!IsEdit(*o.k)) SetFocus(o.h);  // its focus ring
            SendMessageA(o.h, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0), UpdateWindow(o.h);
            if (o.h == focused) HideCaret(o.h);
            const qxt::Pixels p(o.h, true);
            if (o.h == focused) ShowCaret(o.h);
            int foreign = 0;  // neither the scheme's nor the host's pictures'
            for (int j = 0; j < p.width() * p.height(); ++j) {
                const COLORREF c = p.At(j % p.width(), j / p.width());
                foreign += !IsPicture(c) && std::none_of(scheme.begin(), scheme.end(), [c](auto s) { return s.second == c; });
            }
            EXPECT_EQ(foreign, 0);
            EXPECT_TRUE(IsEdit(*o.k) || p.Count(RGB(100, 250, 250), RECT{0, 0, p.width(), 1}) == p.width()) << "focus ring";
            EXPECT_TRUE(o.h != focused || (CaretOf(o.h).bottom > CaretOf(o.h).top &&
                                           p.Count(RGB(30, 60, 200)) * p.Count(RGB(250, 250, 120)) > 0)) << "caret, selection";
        }
        Stage host(qx::SystemDpi(), 650);
        host.parent.AnswerColors(RGB(1, 2, 3), RGB(4, 5, 6));
        for (const Kind &k : kKinds) {
            if (!IsEdit(k)) continue;
            HWND answered = Make(host, k, false);
            const qxt::Pixels p(answered, true);
            EXPECT_GT(p.Count(RGB(4, 5, 6)) * p.Count(RGB(1, 2, 3)), 0) << k.cls << " answered";
            DestroyWindow(answered);
        }
        qx::SetHighContrastForTest(0);
    }
    SetFocus(nullptr);
    for (const Open &o : all) {
        SendMessageA(o.h, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0), UpdateWindow(o.h);
        HWND fresh = Make(side, *o.k, o.classic);
        EXPECT_EQ(qxt::Pixels(o.h, true).Differences(qxt::Pixels(fresh, true)), 0) << o.k->cls << " off";
        DestroyWindow(fresh), DestroyWindow(o.h);
    }
    qx::SetHighContrastForTest(-1);
}

// A locale's separators as a format when each is one byte; an edit re-shown in the user's (German: a comma).
TEST(Screens, FloatSeparatorsFromTheLocale) {
    ASSERT_TRUE(kRegistered);
    const struct { const char *decimal, *group, *format; } pairs[] = {
        {",", ".", "x,."}, {",", "\xa0", "x,\xa0"}, {",", "", ""}, {",.", ".", ""}, {"?", ",", ""}, {",", "?", ""}};
    for (const auto &c : pairs) {
        char format[4] = "";
        EXPECT_EQ(qx::LocaleFloatFormat(c.decimal, c.group, 'x', format), *c.format != 0) << c.decimal << c.group;
        EXPECT_STREQ(*c.format ? format : "", c.format);
    }
    wchar_t d[8], g[8];
    ASSERT_TRUE(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, d, 8) && GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, g, 8));
    const char *lang = std::getenv("LANG");
    EXPECT_TRUE(!lang || std::string(lang).rfind("de_", 0) != 0 || std::wstring(d) + g == L",.");
    qxt::ParentWindow parent;
    HWND f = parent.CreateChild("QXFloat", "", 0, 10, 10, 150, 21);
    char before[64], after[64];
    ASSERT_TRUE(QXFloatSetValue(f, 1234567.5) && GetWindowTextA(f, before, sizeof before) && QXFloatSetLocaleFormat(f));
    GetWindowTextA(f, after, sizeof after);
    std::string expected = before;
    for (char &c : expected) c = c == ',' ? char(g[0]) : c == '.' ? char(d[0]) : c;
    EXPECT_TRUE(after == expected && std::string(before).substr(0, 11) == "1,234,567.5") << after;
    double value = 0;
    EXPECT_TRUE(QXFloatGetValue(f, &value) && value == 1234567.5);
    EXPECT_FALSE(QXFloatSetLocaleFormat(parent.CreateChild("QXEdit", "", 0, 10, 40, 50, 21)));
}

}  // namespace
