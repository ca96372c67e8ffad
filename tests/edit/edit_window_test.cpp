// Edit windows through the DLL, as a host uses them: registration, keys, the clipboard, the mouse, painting.
#include "edit_window.h"

namespace {

using namespace qxt;

const COLORREF kBlue = RGB(0, 0, 255), kYellow = RGB(255, 255, 0);
// A bitmap font: the pixels of its text are exactly the text colour.
const HFONT g_font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");

// The width of text's first n characters in a font; its line height.
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
    // An edit in the test font, and its client area.
    HWND Make(const char *cls = "QXEdit", DWORD style = 0, const char *text = "", int width = 150) {
        HWND e = parent.CreateChild(cls, "", style, 10, 10, width, 20, 7);
        SendMessageA(e, WM_SETFONT, WPARAM(g_font), 0);
        Set(e, text, 0, 0);
        GetClientRect(e, &client);
        return e;
    }
    void Set(HWND e, const char *text, int anchor, int caret) {
        SetWindowTextA(e, text);
        SendMessageA(e, EM_SETSEL, anchor, caret);
        parent.ClearNotifications();
    }
    RECT client = {};
};

// Nested registrations count; registration stops at the first class it cannot register.
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
    // Registered anew by another module, the classes are its and go with its unregistration.
    const HINSTANCE other = GetModuleHandleA("qx_cntl.dll");
    ASSERT_TRUE(RegisterQXCtls(other));
    UnregisterQXCtls(other);
    WNDCLASSA wc;
    for (const char *c : classes) EXPECT_FALSE(GetClassInfoA(other, c, &wc)) << c;
}

// A dialog gets characters and arrows; EN_UPDATE before the paint, EN_CHANGE after; keys after a refusal go.
TEST_F(Edit, RoadOfATypedCharacter) {
    HWND e = Make();
    std::vector<int> ink;
    parent.onCommand = [&](const Notification &) { ink.push_back(Pixels(e).Count(GetSysColor(COLOR_WINDOWTEXT))); };
    EXPECT_EQ(SendMessageA(e, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_WANTARROWS);  // in a dialog: keys, not Tab
    SendChar(e, 'W');
    EXPECT_TRUE(SameNotifications({{7, EN_UPDATE, e}, {7, EN_CHANGE, e}}, parent.Notifications()));
    EXPECT_TRUE(ink.size() == 2 && ink[0] == 0 && ink[1] > 0) << ::testing::PrintToString(ink);
    Set(e, std::string(62, 'a').c_str(), 62, 62);
    PostText(e, "xy\bz");
    Pump();
    EXPECT_EQ(Text(e), std::string(62, 'a') + "x");
    EXPECT_EQ(parent.Notifications().size(), 2u);
}

// Keys and messages, CF_TEXT "XY" and a stale CF_UNICODETEXT "older" on the clipboard (see Run; "/" Unicode).
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
    EXPECT_EQ(SendMessageA(e, WM_GETTEXT, 8, 0), 0);
    SendMessageA(e, WM_SETTEXT, 0, 0);
    EXPECT_EQ(Text(e), "");
    SetWindowTextA(e, std::string(70, 'z').c_str());  // cut at 63 bytes
    EXPECT_EQ(Text(e), std::string(63, 'z'));
}

// The selection follows the held mouse past either end, until the release or a lost capture.
TEST_F(Edit, DragSelection) {
    HWND e = Make("QXEdit", 0, "abcd");
    const int x2 = 1 + Width("ab", 2), x3 = 1 + Width("abc", 3);
    const struct { int from; bool captureTaken; std::vector<POINT> moves; const char *after; } drags[] = {
        {1 + Width("a", 1), false, {{x3, 5}, {-40, 5}, {400, 60}}, "a[bcd]"},
        {x3, false, {{x2, 5}, {-9, -30}}, "]abc[d"}, {x3, true, {{x2, 5}}, "abc|d"}};
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

// After each change the caret stands where the text puts it, a line high, and shows (nothing pumped).
TEST_F(Edit, CaretShownWhereEachChangeLeavesIt) {
    const struct { const char *cls; DWORD style; const char *text; int anchor, at; UINT msg; WPARAM wp; int caret; } cases[] = {
        {"QXEdit", 0, "hello", 5, 5, WM_CHAR, 's', 6}, {"QXEdit", 0, "hello", 1, 4, WM_CHAR, 'X', 2},
        {"QXEdit", 0, "hello", 3, 3, WM_CHAR, '\b', 2}, {"QXEdit", 0, "hello", 3, 3, WM_KEYDOWN, VK_LEFT, 2},
        {"QXEdit", 0, "hello", 0, 0, WM_KEYDOWN, VK_END, 5}, {"QXEdit", QXES_RIGHT, "hello", 5, 5, WM_CHAR, 'W', 6},
        {"QXInteger", 0, "12", 1, 1, WM_CHAR, 'a', 1},  // refused
        {"QXEdit", 0, "hello", 5, 5, WM_SETFOCUS, 0, 5}, {"QXEdit", 0, "hello", 5, 5, WM_SETFONT, 0, 5},
    };
    const HFONT small = CreateFontA(-9, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        HWND e = Make(c.cls, c.style);
        SetFocus(e);
        Set(e, c.text, c.anchor, c.at);
        Pump();
        if (c.msg == WM_KEYDOWN) SendKey(e, static_cast<UINT>(c.wp));
        if (c.msg == WM_SETFOCUS) SetFocus(parent.hwnd()), SetFocus(e);
        if (c.msg == WM_SETFONT) SendMessageA(e, WM_SETFONT, WPARAM(small), TRUE), UpdateWindow(e);
        if (c.msg == WM_CHAR) SendChar(e, static_cast<char>(c.wp));
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

// Colours of the parent's answer (1), the default (0) or the edit's own (2: no brush); read-only made (0),
// by EM_SETREADONLY (1) or the style (2) shows the face after UpdateWindow alone and refuses typing.
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
        {0, 0, false, 0, text, face, WM_CTLCOLORSTATIC},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        c.colours == 1 ? parent.AnswerColors(kBlue, kYellow) : c.colours == 2 ? parent.AnswerNullBrush() : parent.AnswerDefault();
        HWND e = Make("QXEdit", c.style, "WW", 100);
        EnableWindow(e, c.enabled);
        Repaint(e);
        parent.ClearColorRequests();
        const bool readOnly = ((c.style & QXES_READONLY) != 0) != (c.change != 0);
        EXPECT_EQ(c.change == 1 ? SendMessageA(e, EM_SETREADONLY, readOnly, 0) : TRUE, TRUE);
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

}  // namespace
