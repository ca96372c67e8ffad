// "QXEdit" painting read back as pixels. The same program runs with a theme,
// in the classic look, and where a version below 4 is reported; the border
// expected depends on which.
#include <windows.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "edit_test_util.h"

namespace {

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);

const auto *const g_registered = ::testing::AddGlobalTestEnvironment(new qxt::RegisteredControls);

using qxt::TestFont;

class EditPaint : public ::testing::Test {
protected:
    HWND Make(DWORD style, int width = 100, int height = 20, DWORD exStyle = 0) {
        HWND e = CreateWindowExA(exStyle, "QXEdit", "", WS_CHILD | WS_VISIBLE | style, 10, 10, width,
                                 height, parent.hwnd(), reinterpret_cast<HMENU>(7),
                                 qxt::HostInstance(), nullptr);
        SendMessageA(e, WM_SETFONT, reinterpret_cast<WPARAM>(TestFont()), 0);
        return e;
    }
    qxt::ParentWindow parent;
};

// Every pixel of the client area is the background or the text colour the
// parent's answer (or the defaults, without a brush) gives, margins included.
TEST_F(EditPaint, ColoursFromTheParent) {
    struct {
        bool enabled, answer;
        COLORREF text, back;
        UINT request;
    } cases[] = {
        {true, true, kBlue, kYellow, WM_CTLCOLOREDIT},
        {true, false, GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW), WM_CTLCOLOREDIT},
        {false, false, GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_BTNFACE), WM_CTLCOLORSTATIC},
        {false, true, kBlue, kYellow, WM_CTLCOLORSTATIC},
    };
    for (const auto &c : cases) {
        for (DWORD align : {DWORD(0), DWORD(QXES_RIGHT)}) {
            if (c.answer)
                parent.AnswerColors(kBlue, kYellow);
            else
                parent.AnswerNullBrush();
            HWND e = Make(align);
            SetWindowTextA(e, "WW");
            EnableWindow(e, c.enabled);
            parent.ClearColorRequests();
            qxt::Repaint(e);
            SCOPED_TRACE(::testing::Message() << "case " << &c - cases << " align " << align);
            ASSERT_FALSE(parent.ColorRequests().empty());
            EXPECT_EQ(parent.ColorRequests().back(), c.request);
            const qxt::Pixels px(e);
            const RECT all = {0, 0, px.width(), px.height()};
            const int text = px.Count(c.text, all);
            EXPECT_GT(text, 0);
            EXPECT_EQ(px.CountOther(c.back, all), text);
            // The text sits at its end of the line.
            const RECT leftHalf = {0, 0, px.width() / 2, px.height()};
            EXPECT_EQ(px.Count(c.text, leftHalf), align ? 0 : text);
            DestroyWindow(e);
        }
    }
}

WNDPROC g_parentProc;

// A parent that asks for a transparent background in its colour answer.
LRESULT CALLBACK TransparentParent(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CTLCOLOREDIT) SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
    return CallWindowProcA(g_parentProc, hwnd, msg, wp, lp);
}

// Selected text is highlighted only while the edit has the focus, also when
// the parent leaves a transparent background mode behind.
TEST_F(EditPaint, SelectionHighlightedWithFocusOnly) {
    const int one = qxt::TestWidth("WWW", 1), three = qxt::TestWidth("WWW", 3);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    for (bool transparent : {false, true}) {
        if (transparent)
            g_parentProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                parent.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TransparentParent)));
        HWND e = Make(0);
        SetWindowTextA(e, "WWWW");
        SendMessageA(e, EM_SETSEL, 1, 3);
        qxt::Repaint(e);
        EXPECT_EQ(qxt::Pixels(e).Count(highlight), 0);
        // EN_SETFOCUS comes when the highlight is already painted.
        int atSetFocus = 0;
        parent.onCommand = [&](const qxt::Notification &n) {
            if (n.code == EN_SETFOCUS) atSetFocus = qxt::Pixels(e).Count(highlight);
        };
        SetFocus(e);
        parent.onCommand = nullptr;
        const qxt::Pixels px(e);
        EXPECT_EQ(atSetFocus, px.Count(highlight));
        // The second and third character cells are all highlight, nothing else is.
        TEXTMETRICA tm;
        HDC dc = GetDC(e);
        HGDIOBJ old = SelectObject(dc, TestFont());
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(e, dc);
        const RECT sel = {1 + one, 1, 1 + three, 1 + tm.tmHeight};
        const int highlighted = px.Count(highlight, sel);
        EXPECT_GT(highlighted, 0) << transparent;
        EXPECT_EQ(px.Count(highlight), highlighted) << transparent;
        EXPECT_EQ(highlighted + px.Count(GetSysColor(COLOR_HIGHLIGHTTEXT), sel),
                  (sel.right - sel.left) * (sel.bottom - sel.top))
            << transparent;
        SetFocus(parent.hwnd());
        EXPECT_EQ(qxt::Pixels(e).Count(highlight), 0);
        DestroyWindow(e);
    }
}

// A line longer than the edit area never runs over the spin's strip.
TEST_F(EditPaint, TextStaysInsideTheEditArea) {
    for (DWORD align : {DWORD(0), DWORD(QXES_RIGHT)}) {
        parent.AnswerColors(kBlue, kYellow);
        HWND e = Make(QXES_SPIN | align, 60, 20);
        qxt::Repaint(e);
        qxt::TypeText(e, "WWWWWWWWWWWWWWWW");
        RECT rc;
        GetClientRect(e, &rc);
        const int spin = std::min(GetSystemMetrics(SM_CXHTHUMB), int(rc.right / 2));
        const RECT strip = {rc.right - spin, 0, rc.right, rc.bottom};
        const RECT area = {0, 0, rc.right - spin, rc.bottom};
        const qxt::Pixels px(e);
        EXPECT_GT(px.Count(kBlue, area), 0) << align;
        EXPECT_EQ(px.Count(kBlue, strip), 0) << align;
        EXPECT_EQ(px.Count(kYellow, strip), 0) << align;
        DestroyWindow(e);
    }
}

// ---- Borders ----------------------------------------------------------------

// Pixels of the 2-pixel frame of a window that differ from the same frame
// drawn by `draw` into a bitmap of the window's size.
int FrameDifferences(HWND e, const std::function<void(HDC, RECT &)> &draw) {
    const qxt::Pixels px(e, true);
    HDC dc = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, px.width(), px.height());
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT r = {0, 0, px.width(), px.height()};
    draw(dc, r);
    int n = 0;
    for (int y = 0; y < px.height(); ++y)
        for (int x = 0; x < px.width(); ++x)
            if ((x < 2 || y < 2 || x >= r.right - 2 || y >= r.bottom - 2) &&
                px.At(x, y) != GetPixel(dc, x, y))
                ++n;
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return n;
}

bool OldSystem() { return qxt::RequestedVersion() == "nt351"; }

// With a theme in force the border is the "EDIT" theme's over the whole
// window, in the disabled state after the next non-client paint; otherwise
// the system draws the border the style asks for. The old 3-D option has no
// effect from version 4 on, nor when it is off.
TEST_F(EditPaint, ThemedOrDefaultBorder) {
    const bool themed = !OldSystem() && !qxt::ClassicPrefix();
    QXEnableOld3d(!OldSystem());
    HWND e = Make(0, 100, 24, WS_EX_CLIENTEDGE);
    qxt::Repaint(e);
    RECT rc;
    GetClientRect(e, &rc);
    EXPECT_EQ(rc.right, 100 - 4);
    for (int state : {ETS_NORMAL, ETS_DISABLED}) {
        EnableWindow(e, state == ETS_NORMAL);
        qxt::Repaint(e);
        EXPECT_EQ(FrameDifferences(e, [&](HDC dc, RECT &r) {
                      if (!themed) {
                          FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
                          DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
                          return;
                      }
                      HTHEME theme = OpenThemeData(e, L"EDIT");
                      DrawThemeBackground(theme, dc, EP_EDITTEXT, state, &r, nullptr);
                      CloseThemeData(theme);
                  }),
                  0)
            << state;
    }
    QXEnableOld3d(0);
}

// Where a version below 4 is reported and the option is on: a hand-drawn
// 2-pixel sunken frame, whatever border the style asks for.
TEST_F(EditPaint, Old3dBorder) {
    if (!OldSystem()) GTEST_SKIP() << "version 4 or later";
    QXEnableOld3d(1);  // read at every non-client calculation and paint
    HWND e = Make(WS_BORDER, 100, 24);
    qxt::Repaint(e);
    RECT rc;
    GetClientRect(e, &rc);
    EXPECT_EQ(rc.right, 100 - 4);
    EXPECT_EQ(rc.bottom, 24 - 4);
    const COLORREF dark = RGB(127, 127, 127), white = RGB(255, 255, 255), black = RGB(0, 0, 0),
                   light = RGB(192, 192, 192);
    const struct {
        RECT r;
        COLORREF c;
    } runs[] = {{{0, 0, 99, 1}, dark},    {{0, 1, 1, 23}, dark},   {{0, 23, 100, 24}, white},
                {{99, 0, 100, 24}, white}, {{1, 1, 98, 2}, black}, {{1, 2, 2, 22}, black},
                {{1, 22, 98, 23}, light},  {{98, 1, 99, 23}, light}};
    const qxt::Pixels px(e, true);
    QXEnableOld3d(0);
    for (const auto &run : runs)
        EXPECT_EQ(px.CountOther(run.c, run.r), 0) << qxt::Describe(run.c) << " at " << run.r.left
                                                   << "," << run.r.top;
}

}  // namespace
