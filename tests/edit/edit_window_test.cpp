// Edit windows through the DLL, as a host uses them: registration, keys, the
// clipboard, the mouse, the spin, a modal dialog, and painting read back.
#include <windows.h>
#include <uxtheme.h>
#include <vssym32.h>

#include "edit_window.h"

namespace {

using namespace qxt;

const COLORREF kBlue = RGB(0, 0, 255), kYellow = RGB(255, 255, 0);
// A bitmap font: the pixels of its text are exactly the text colour.
const HFONT g_font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");

bool OldSystem() { return RequestedVersion() == "nt351"; }
bool Themed() { return !OldSystem() && !ClassicPrefix(); }

// The width of the first n characters of text in a font, and its line height.
int Width(const char *text, int n, HFONT font = g_font, int *height = nullptr) {
    HDC dc = CreateCompatibleDC(nullptr);
    SIZE s = {0, 0};
    TEXTMETRICA tm = {};
    SelectObject(dc, font);
    GetTextExtentPoint32A(dc, text, n, &s);
    GetTextMetricsA(dc, &tm);
    DeleteDC(dc);
    if (height) *height = tm.tmHeight;
    return s.cx;
}

class Edit : public EditWindowTest {
protected:
    // An edit in the test font; its client area, where its spin's strip
    // begins and the centre of its upper arrow.
    HWND Make(const char *cls = "QXEdit", DWORD style = 0, const char *text = "", int width = 150) {
        HWND e = parent.CreateChild(cls, "", style, 10, 10, width, 20, 7);
        SendMessageA(e, WM_SETFONT, WPARAM(g_font), 0);
        Set(e, text, 0, 0);
        GetClientRect(e, &client);
        const int spin = style & QXES_SPIN ? std::min(GetSystemMetrics(SM_CXHTHUMB), int(client.right / 2)) : 0;
        spinLeft = client.right - spin;
        upper = SpinArrow(e, true);
        return e;
    }
    void Set(HWND e, const char *text, int anchor, int caret) {
        SetWindowTextA(e, text);
        SendMessageA(e, EM_SETSEL, anchor, caret);
        parent.ClearNotifications();
    }
    RECT client = {};
    int spinLeft = 0;
    POINT upper = {};
};

// Nested registrations count; registration stops at the first class it cannot
// register (a foreign one); registered anew by another module, they are its.
TEST(Registration, CountsAndStopsAtTheFirstFailure) {
    const char *const classes[] = {"QXEdit", "QXInteger", "QXFloat",     "QXPicture",
                                   "QXTime", "QXCalCntl", "QXBmpButton", "QXBmpButtonXP"};
    const HINSTANCE inst = HostInstance();
    auto registered = [&] {
        std::string s;
        WNDCLASSA wc;
        for (const char *c : classes) s += GetClassInfoA(inst, c, &wc) ? "1" : "0";
        return s;
    };
    EXPECT_TRUE(RegisterQXCtls(inst) && RegisterQXCtls(inst));
    UnregisterQXCtls(inst);
    for (const char *c : classes) EXPECT_NE(ParentWindow().CreateChild(c, "", 0, 0, 0, 200, 150), nullptr) << c;
    UnregisterQXCtls(inst);
    EXPECT_EQ(registered(), "00000000");
    for (const char *expected : {"10000000", "11100000", "11111100", "11111111"}) {
        const char *blocked = classes[std::string(expected).rfind('1')];
        WNDCLASSA foreign = {0, DefWindowProcA, 0, 0, inst, nullptr, nullptr, nullptr, nullptr, blocked};
        ASSERT_NE(RegisterClassA(&foreign), 0) << blocked;
        EXPECT_EQ(RegisterQXCtls(inst), 0) << blocked;
        EXPECT_EQ(registered(), expected) << blocked;
        UnregisterClassA(blocked, inst);
        UnregisterQXCtls(inst);
    }
    // Registered anew by another module after the last unregistration, the
    // classes are that module's, and go with its unregistration.
    const HINSTANCE other = GetModuleHandleA("qx_cntl.dll");
    ASSERT_TRUE(RegisterQXCtls(other));
    UnregisterQXCtls(other);
    WNDCLASSA wc;
    for (const char *c : classes) EXPECT_FALSE(GetClassInfoA(other, c, &wc)) << c;
}

// EN_UPDATE comes before the new text is painted, EN_CHANGE after it. A
// character that does not fit is refused, and what was typed after it dropped.
TEST_F(Edit, RoadOfATypedCharacter) {
    HWND e = Make();
    std::vector<int> ink;
    parent.onCommand = [&](const Notification &) { ink.push_back(Pixels(e).Count(GetSysColor(COLOR_WINDOWTEXT))); };
    SendChar(e, 'W');
    EXPECT_TRUE(SameNotifications({{7, EN_UPDATE, e}, {7, EN_CHANGE, e}}, parent.Notifications()));
    EXPECT_TRUE(ink.size() == 2 && ink[0] == 0 && ink[1] > 0) << ::testing::PrintToString(ink);
    Set(e, std::string(62, 'a').c_str(), 62, 62);
    PostText(e, "xy\bz");
    Pump();
    EXPECT_EQ(Text(e), std::string(62, 'a') + "x");
    EXPECT_EQ(parent.Notifications().size(), 2u);
}

// Keys and messages on a text with a selection, the clipboard holding CF_TEXT
// "XY" and, as another program's earlier copy may leave it, a different
// CF_UNICODETEXT "older" (or nothing, for a paste from an empty clipboard):
// what they leave (see Run), and the clipboard where it changed (its Unicode
// text after a slash where that differs).
TEST_F(Edit, KeysMessagesAndTheClipboard) {
    const std::string fullShown = "[s]" + std::string(62, 's'), refused = fullShown + " beep";
    const struct { const char *start, *keys, *after; } cases[] = {
        {"h[ell]o", "(+<)", "]h[ello"}, {"h]ell[o", "(+>)", "hell[o]"},  // from the low end, from the high end
        {"h[ell]o", "<", "h|ello"}, {"h]ell[o", ">", "hell|o"}, {"hel|lo", "(+^)", "]hel[lo"}, {"h[el]lo", "$", "hello|"},
        {"hello|", "#", "hello|"}, {"h]el[lo", "#", "h|lo u +1"}, {"h]ell[o", "~", "h|o u +1"}, {"|hello", "~", "|hello +1"},
        {"h[el]lo", "X", "hX|lo u +3"},  // removed, refreshed, typed
        {"h[ell]o", "(^c)", "h[ell]o ell"}, {"h]ell[o", "(^ins)", "h]ell[o ell"}, {"he|llo", "(^c)", "he|llo"},
        {"h]ell[o", "(^x)", "h|o u +1 ell"}, {"h[ell]o", "(+#)", "h|o u +1 ell"}, {"h]ell[o", "(copy)", "h]ell[o ell"},
        {"h[ell]o", "(cut)", "h|o u +1 ell"}, {"h[ell]o", "(^v)", "hXY|o u +1"}, {"hello|", "(+ins)", "helloXY| u +1"},
        // AltGr (Ctrl and Alt): no shortcut; the layout's character is typed
        {"h[ell]o", "(%v@)", "h@|o u +3"}, {"h[ell]o", "(%c&)", "h&|o u +3"}, {"h[ell]o", "(%x#)", "h#|o u +3"},
        {"h[ell]o", "(%ins)", "h[ell]o"}, {"h[ell]o", "(%a)", "h[ell]o"},
        {"|hello", "(paste)", "|hello (none)"}, {fullShown.c_str(), "(paste)", refused.c_str()},  // no fit, even without the selection
        {"hello", "(sel:0:-1)", "[hello]"}, {"hello", "(sel:-1:4)", "|hello"}, {"hello", "(sel:4:99)", "hell[o]"},
    };
    HWND e = Make();
    for (const auto &c : cases) {
        EmptyClipboardNow();
        if (!strstr(c.after, "(none)")) {
            ASSERT_TRUE(SetClipboardText("XY") && PumpUntil([] { return OpenClipboard(nullptr) != FALSE; }, 500));
            HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, sizeof L"older");
            memcpy(GlobalLock(mem), L"older", sizeof L"older");
            GlobalUnlock(mem);
            SetClipboardData(CF_UNICODETEXT, mem);
            CloseClipboard();
        }
        Start(e, c.start);
        std::string after = Run(e, c.keys), clip = "(none)", unicode = "(none)";
        ClipboardText(&clip);
        ClipboardUnicodeText(&unicode);
        if (clip != "XY" || unicode != "older") after += " " + clip + (unicode == clip ? "" : "/" + unicode);
        EXPECT_EQ(after, c.after) << c.start << " " << c.keys;
    }
    char buf[8] = "#######";
    EXPECT_EQ(SendMessageA(e, WM_GETTEXTLENGTH, 0, 0), 6);
    EXPECT_EQ(SendMessageA(e, WM_GETTEXT, 3, LPARAM(buf)), 2);
    EXPECT_STREQ(buf, "he");
    EXPECT_EQ(SendMessageA(e, WM_GETTEXT, 8, 0), 0);
    SendMessageA(e, WM_SETTEXT, 0, 0);
    EXPECT_EQ(Text(e), "");
    SetWindowTextA(e, std::string(70, 'z').c_str());
    EXPECT_EQ(Text(e), std::string(63, 'z'));
}

// A click selects the boundary nearest to it, ties to the right, measured from
// where the text is painted (right-aligned, before the spin's strip); the
// rectangle's last column and row are outside it.
TEST_F(Edit, HitTesting) {
    const char text[] = "iWmil.W";
    for (DWORD style : {DWORD(0), DWORD(QXES_RIGHT | QXES_SPIN)}) {
        HWND e = Make("QXEdit", style, text);
        const int origin = style ? spinLeft - 2 - Width(text, 7) : 1;
        for (int x = std::max(origin - 3, 0); x <= std::min(origin + Width(text, 7) + 3, spinLeft + 1); ++x) {
            int best = 0;
            for (int j = 1; j <= 7; ++j)
                if (abs(origin + Width(text, j) - x) <= abs(origin + Width(text, best) - x)) best = j;
            SendMessageA(e, EM_SETSEL, 3, 3);
            Click(e, x, 5);
            EXPECT_EQ(SendMessageA(e, EM_GETSEL, 0, 0) >> 16, x < spinLeft - 1 ? best : 3) << x << " " << style;
        }
        SendMessageA(e, EM_SETSEL, 3, 3);
        Click(e, origin + 1, client.bottom - 1);
        EXPECT_EQ(Shown(e), "iWm|il.W");
    }
}

// While the button is down the selection follows the mouse, past either end,
// until the release or another window's capture; only its own is released.
TEST_F(Edit, DragSelection) {
    HWND e = Make("QXEdit", 0, "abcd");
    const int x2 = 1 + Width("ab", 2), x3 = 1 + Width("abc", 3);
    const struct { int from; bool captureTaken; std::vector<POINT> moves; const char *after; } drags[] = {
        {1 + Width("a", 1), false, {{x3, 5}, {-40, 5}, {400, 60}}, "a[bcd]"},
        {x3, false, {{x2, 5}, {-9, -30}}, "]abc[d"},
        {x3, true, {{x2, 5}}, "abc|d"}};
    for (const auto &d : drags) {
        MouseDown(e, d.from, 5);
        EXPECT_EQ(GetCapture(), e);
        if (d.captureTaken) SetCapture(parent.hwnd());
        for (const POINT &m : d.moves) MouseMove(e, m.x, m.y, true);
        EXPECT_EQ(Shown(e), d.after);
        MouseUp(e, 0, 5);
        EXPECT_EQ(GetCapture(), d.captureTaken ? parent.hwnd() : nullptr);
        ReleaseCapture();
        MouseMove(e, x2, 5, true);
        EXPECT_EQ(Shown(e), d.after);
    }
}

// A press on an arrow steps and focuses; held, it repeats until the release or
// another window's capture. A drag from the text selects over the spin.
TEST_F(Edit, SpinInsideTheWindow) {
    if (!Themed()) GTEST_SKIP() << "the same in every look";
    HWND e = Make("QXInteger", QXES_SPIN, "5");
    MouseDown(e, upper.x, upper.y);
    EXPECT_TRUE(Text(e) == "6" && GetFocus() == e) << Text(e);
    PumpFor(600);
    MouseUp(e, upper.x, upper.y);
    const std::string held = Text(e);
    PumpFor(200);
    EXPECT_TRUE(std::stoi(held) >= 8 && Text(e) == held) << held << " then " << Text(e);
    Set(e, "42", 0, 0);
    parent.onCommand = [&](const Notification &) { SetCapture(parent.hwnd()); };
    MouseDown(e, upper.x, upper.y);
    parent.onCommand = nullptr;
    PumpFor(600);
    ReleaseCapture();
    MouseDown(e, 1, 5);
    MouseMove(e, upper.x, upper.y, true);
    MouseUp(e, upper.x, upper.y);
    EXPECT_EQ(Shown(e), "[43]");
    Click(e, upper.x, upper.y);
    EXPECT_EQ(Text(e), "44");
}

// In a modal dialog the dialog manager delivers characters and arrows, Tab
// moves on; the dialog hears each edit under its own identifier.
const int IDD_TWO_EDITS = 100, IDC_FIRST = 10, IDC_SECOND = 11;  // edit_dialog.rc
std::vector<Notification> g_notes;
std::string g_shown;

INT_PTR CALLBACK ModalProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    const HWND first = GetDlgItem(dlg, IDC_FIRST), second = GetDlgItem(dlg, IDC_SECOND);
    if (msg == WM_INITDIALOG) {  // typed into the first edit, Left, Tab, typed into the second
        PostMessageA(first, WM_CHAR, '4', 0);
        PostMessageA(first, WM_KEYDOWN, VK_LEFT, 0);
        PostMessageA(first, WM_KEYDOWN, VK_TAB, 0);
        PostMessageA(second, WM_CHAR, '2', 0);
        PostMessageA(dlg, WM_APP, 0, 0);
    } else if (msg == WM_COMMAND) {
        g_notes.push_back({LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)});
    } else if (msg == WM_APP) {
        g_shown = EditWindowTest::Shown(first) + " " + EditWindowTest::Shown(second);
        EndDialog(dlg, 1);
    }
    return msg == WM_INITDIALOG || msg == WM_COMMAND || msg == WM_APP;
}

TEST_F(Edit, ModalDialog) {
    ASSERT_EQ(DialogBoxParamA(HostInstance(), MAKEINTRESOURCEA(IDD_TWO_EDITS), parent.hwnd(), ModalProc, 0), 1);
    EXPECT_EQ(g_shown, "|4 2|");  // the mask is not the content
    ASSERT_FALSE(g_notes.empty());
    const HWND a = g_notes.front().from, b = g_notes.back().from;
    EXPECT_TRUE(SameNotifications({{IDC_FIRST, EN_SETFOCUS, a}, {IDC_FIRST, EN_UPDATE, a}, {IDC_FIRST, EN_CHANGE, a},
                                   {IDC_FIRST, EN_KILLFOCUS, a}, {IDC_SECOND, EN_SETFOCUS, b},
                                   {IDC_SECOND, EN_UPDATE, b}, {IDC_SECOND, EN_CHANGE, b},
                                   {IDC_SECOND, EN_KILLFOCUS, b}},
                                  g_notes));
}

// The wheel steps the spin; without a spin it goes on to the parent.
TEST_F(Edit, WheelWithoutASpinReachesTheParent) {
    int wheels = 0;
    parent.onMessage = [&](UINT msg, WPARAM, LPARAM) { wheels += msg == WM_MOUSEWHEEL; };
    for (DWORD style : {DWORD(0), DWORD(QXES_SPIN)}) {
        HWND e = Make("QXInteger", style, "5");
        wheels = 0;
        Wheel(e, 120);
        EXPECT_EQ(wheels, style ? 0 : 1) << style;
        EXPECT_EQ(Text(e), style ? "6" : "5") << style;
    }
}

// After a change made with the focus (or a caret made anew: the focus back,
// a smaller font) the caret stands where the text puts it, as high as a line,
// and is shown: hiding it takes exactly its column off the screen and leaves
// the line as a new paint draws it. Nothing is pumped, so it cannot blink.
TEST_F(Edit, CaretShownWhereEachChangeLeavesIt) {
    const struct { const char *cls; DWORD style; const char *text; int anchor, at; UINT msg; WPARAM wp; int caret; } cases[] = {
        {"QXEdit", 0, "hello", 5, 5, WM_CHAR, 's', 6},
        {"QXEdit", 0, "hello", 2, 2, WM_CHAR, 'X', 3},
        {"QXEdit", 0, "hello", 1, 4, WM_CHAR, 'X', 2},  // the selection removed, then typed
        {"QXEdit", 0, "hello", 3, 3, WM_CHAR, '\b', 2},
        {"QXEdit", 0, "hello", 3, 3, WM_KEYDOWN, VK_LEFT, 2},
        {"QXEdit", 0, "hello", 0, 0, WM_KEYDOWN, VK_END, 5},
        {"QXEdit", QXES_RIGHT, "hello", 5, 5, WM_CHAR, 'W', 6},
        {"QXInteger", 0, "12", 2, 2, WM_CHAR, '3', 3},
        {"QXInteger", 0, "12", 1, 1, WM_CHAR, 'a', 1},  // refused
        {"QXEdit", 0, "hello", 5, 5, WM_SETFOCUS, 0, 5},  // the focus taken away and given back
        {"QXEdit", 0, "hello", 5, 5, WM_SETFONT, 0, 5},   // a new caret for the font
    };
    const HFONT small = CreateFontA(-9, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        HWND e = Make(c.cls, c.style);
        SetFocus(e);
        Set(e, c.text, c.anchor, c.at);
        Pump();
        if (c.msg == WM_KEYDOWN)
            SendKey(e, static_cast<UINT>(c.wp));
        else if (c.msg == WM_SETFOCUS)
            SetFocus(parent.hwnd()), SetFocus(e);
        else if (c.msg == WM_SETFONT)
            SendMessageA(e, WM_SETFONT, WPARAM(small), TRUE), UpdateWindow(e);
        else
            SendChar(e, static_cast<char>(c.wp));
        const std::string text = Text(e);
        const HFONT font = c.msg == WM_SETFONT ? small : g_font;
        int height = 0;
        const int n = static_cast<int>(text.size()), width = Width(text.c_str(), n, font, &height);
        const int origin = c.style & QXES_RIGHT ? client.right - 2 - width : 1;
        POINT at = {};
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetCaretPos(&at) && GetGUIThreadInfo(GetCurrentThreadId(), &info) && info.hwndCaret == e);
        EXPECT_EQ(at.x, origin + Width(text.c_str(), c.caret, font));
        EXPECT_EQ(at.y, 1);
        EXPECT_EQ(info.rcCaret.bottom - info.rcCaret.top, height);
        const Pixels shown(e);
        HideCaret(e);
        const Pixels hidden(e);
        RedrawWindow(e, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const Pixels clean(e);  // painted anew with the caret hidden
        ShowCaret(e);
        EXPECT_EQ(hidden.Differences(clean), 0);
        int inColumn = 0;
        for (int y = 0; y < shown.height(); ++y) inColumn += shown.At(at.x, y) != hidden.At(at.x, y);
        EXPECT_EQ(inColumn, info.rcCaret.bottom - info.rcCaret.top);
        EXPECT_EQ(shown.Differences(hidden), inColumn);
        DestroyWindow(e);
    }
    DeleteObject(small);
}

// Every pixel of the client area is the background or the text colour of
// the parent's answer, its default one (0) or, without a brush (2), the
// edit's own, margins included; the text sits at its end of the line. The
// read-only style, given at creation, by EM_SETREADONLY (1) or the style bits
// (2), asks WM_CTLCOLORSTATIC and shows the button face; its change alone
// paints the face anew (UpdateWindow), and typing then beeps or is taken.
TEST_F(Edit, ColoursFromTheParent) {
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT), gray = GetSysColor(COLOR_GRAYTEXT);
    const COLORREF window = GetSysColor(COLOR_WINDOW), face = GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(window, face);
    const struct { DWORD style; int change; bool enabled; int colours; COLORREF text, back; UINT request; } cases[] = {
        {0, 0, true, 1, kBlue, kYellow, WM_CTLCOLOREDIT}, {QXES_RIGHT, 0, true, 2, text, window, WM_CTLCOLOREDIT},
        {0, 0, false, 2, gray, face, WM_CTLCOLORSTATIC}, {QXES_RIGHT, 0, false, 1, kBlue, kYellow, WM_CTLCOLORSTATIC},
        {QXES_READONLY, 0, true, 0, text, face, WM_CTLCOLORSTATIC}, {0, 1, true, 0, text, face, WM_CTLCOLORSTATIC},
        {QXES_READONLY, 2, true, 0, text, window, WM_CTLCOLOREDIT}, {0, 2, true, 2, text, face, WM_CTLCOLORSTATIC},
        {QXES_READONLY, 1, true, 2, text, window, WM_CTLCOLOREDIT}, {0, 1, false, 2, gray, face, WM_CTLCOLORSTATIC},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        c.colours == 1 ? parent.AnswerColors(kBlue, kYellow) : c.colours == 2 ? parent.AnswerNullBrush() : parent.AnswerDefault();
        HWND e = Make("QXEdit", c.style, "WW", 100);
        EnableWindow(e, c.enabled);
        Repaint(e);
        parent.ClearColorRequests();
        const bool readOnly = ((c.style & QXES_READONLY) != 0) != (c.change != 0);
        if (c.change == 1) {
            EXPECT_EQ(SendMessageA(e, EM_SETREADONLY, readOnly, 0), TRUE);
        }
        if (c.change == 2) SetWindowLongA(e, GWL_STYLE, GetWindowLongA(e, GWL_STYLE) ^ QXES_READONLY);
        c.change ? (void)UpdateWindow(e) : Repaint(e);
        EXPECT_EQ((GetWindowLongA(e, GWL_STYLE) & QXES_READONLY) != 0, readOnly);
        const std::vector<UINT> &asked = parent.ColorRequests();
        EXPECT_EQ(asked, std::vector<UINT>(std::max<size_t>(asked.size(), 1), c.request));  // all of it
        const Pixels px(e);
        const int ink = px.Count(c.text);
        EXPECT_GT(ink, 0);
        EXPECT_EQ(px.CountOther(c.back, client), ink);
        EXPECT_EQ(px.Count(c.text, {0, 0, px.width() / 2, px.height()}), c.style & QXES_RIGHT ? 0 : ink);
        EXPECT_TRUE(!c.enabled || (Run(e, "W").find(" beep") != std::string::npos) == readOnly);
        DestroyWindow(e);
    }
}

WNDPROC g_parentProc;

// A parent that leaves a transparent background mode in its colour answer.
LRESULT CALLBACK TransparentParent(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CTLCOLOREDIT) SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
    return CallWindowProcA(g_parentProc, hwnd, msg, wp, lp);
}

// Selected text is highlighted only with the focus, whatever background mode
// the parent leaves, painted before EN_SETFOCUS, in whole character cells.
TEST_F(Edit, SelectionHighlightedWithFocusOnly) {
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    g_parentProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(parent.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TransparentParent)));
    HWND e = Make("QXEdit", 0, "WWWW");
    SendMessageA(e, EM_SETSEL, 1, 3);
    Repaint(e);
    EXPECT_EQ(Pixels(e).Count(highlight), 0);
    int atSetFocus = -1;
    parent.onCommand = [&](const Notification &) { atSetFocus = Pixels(e).Count(highlight); };
    SetFocus(e);
    const Pixels px(e);
    const RECT cells = {1 + Width("W", 1), 1, 1 + Width("WWW", 3), client.bottom - 1};
    const int inCells = px.Count(highlight, cells) + px.Count(GetSysColor(COLOR_HIGHLIGHTTEXT), cells);
    EXPECT_GT(px.Count(highlight), 0);
    EXPECT_EQ(px.Count(highlight), atSetFocus);
    EXPECT_EQ(px.Count(highlight, cells), px.Count(highlight));
    EXPECT_EQ(inCells % (cells.right - cells.left), 0);  // whole rows of the cells
    SetFocus(parent.hwnd());
    EXPECT_EQ(Pixels(e).Count(highlight), 0);
}

// The spin draws its strip, which a long line typed in never runs over; with
// a theme hovering an arrow changes its look, without one it does not.
TEST_F(Edit, SpinPaintedAndHotTracked) {
    for (DWORD align : {DWORD(0), DWORD(QXES_RIGHT)}) {
        parent.AnswerColors(kBlue, kYellow);
        HWND e = Make("QXEdit", QXES_SPIN | align, "", 60);
        TypeText(e, "WWWWWWWWWWWWWWWW");
        const Pixels before(e);
        const RECT strip = {spinLeft, 0, client.right, client.bottom};
        EXPECT_GT(before.Count(kBlue, {0, 0, spinLeft, client.bottom}), 0) << align;
        EXPECT_EQ(before.Count(kBlue, strip) + before.Count(kYellow, strip), 0) << align;
        EXPECT_GT(before.CountOther(GetSysColor(COLOR_WINDOW), strip), 20) << align;
        MouseMove(e, upper.x, upper.y);
        const Pixels hot(e);
        int changed = 0;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = spinLeft; x < client.right; ++x) changed += hot.At(x, y) != before.At(x, y);
        EXPECT_EQ(changed > 0, Themed()) << align;
        DestroyWindow(e);
    }
}

// The border is the "EDIT" theme's (disabled after the next non-client
// paint), else the system's; where a version below 4 is reported and the
// option is on, a 2-pixel sunken frame drawn by hand.
TEST_F(Edit, Borders) {
    const struct { RECT r; COLORREF c; } old3d[] = {
        {{0, 0, 99, 1}, RGB(127, 127, 127)}, {{0, 1, 1, 23}, RGB(127, 127, 127)},
        {{0, 23, 100, 24}, RGB(255, 255, 255)}, {{99, 0, 100, 24}, RGB(255, 255, 255)},
        {{1, 1, 98, 2}, RGB(0, 0, 0)}, {{1, 2, 2, 22}, RGB(0, 0, 0)},
        {{1, 22, 98, 23}, RGB(192, 192, 192)}, {{98, 1, 99, 23}, RGB(192, 192, 192)}};
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, CreateBitmap(100, 24, 1, 32, nullptr));
    for (int option : {0, 1}) {
        QXEnableOld3d(option);  // read at every non-client calculation and paint
        HWND e = CreateWindowExA(WS_EX_CLIENTEDGE, "QXEdit", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 24,
                                 parent.hwnd(), nullptr, HostInstance(), nullptr);
        GetClientRect(e, &client);
        EXPECT_EQ(client.right * 100 + client.bottom, 96 * 100 + 20);
        for (int state : {ETS_NORMAL, ETS_DISABLED}) {
            EnableWindow(e, state == ETS_NORMAL);
            Repaint(e);
            RECT r = {0, 0, 100, 24};  // each way below covers the whole 2-pixel frame
            if (option && OldSystem()) {
                for (const auto &run : old3d) {
                    SetDCBrushColor(dc, run.c);
                    FillRect(dc, &run.r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
                }
            } else if (Themed()) {
                HTHEME theme = OpenThemeData(e, L"EDIT");
                DrawThemeBackground(theme, dc, EP_EDITTEXT, state, &r, nullptr);
                CloseThemeData(theme);
            } else {
                DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
            }
            const Pixels px(e, true);
            int differences = 0;
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 100; ++x)
                    differences += (x < 2 || y < 2 || x >= 98 || y >= 22) && px.At(x, y) != GetPixel(dc, x, y);
            EXPECT_EQ(differences, 0) << "option " << option << " state " << state;
        }
    }
    QXEnableOld3d(0);
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
}

}  // namespace
