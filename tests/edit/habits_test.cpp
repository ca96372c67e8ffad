// Habits of every edit class: undo and redo, Ctrl+A, the context menu, read-only, refusals explained.
#include "edit_window.h"

namespace {

using namespace qxt;

const char *const E = "QXEdit", *I = "QXInteger", *F = "QXFloat", *P = "QXPicture", *T = "QXTime";
const char kPhone[] = "(999) 999-99";
// A bitmap font: the pixels of its text are exactly the text colour.
const HFONT g_font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");

class Habits : public EditWindowTest {
protected:
    // A "QXFloat" parent steps the value by one when asked, as hosts do; a "QXEdit" one sets its mask
    // as the text inside the EN_CHANGE after the start's.
    HWND MakeStepping(const char *cls, const char *mask, DWORD style = QXES_SPIN) {
        HWND h = Make(cls, mask, style);
        if (cls == E && *mask)
            parent.onCommand = [h, mask, changes = 0](const Notification &n) mutable {
                if (n.code == EN_CHANGE && ++changes == 2) SendMessageA(h, WM_SETTEXT, 0, LPARAM(mask));
            };
        if (cls == F)
            parent.onCommand = [h](const Notification &n) {
                double v = 0;
                if (n.code == QXFN_STEPUP || n.code == QXFN_STEPDOWN)
                    QXFloatGetValue(h, &v), QXFloatSetValue(h, v + (n.code == QXFN_STEPUP ? 1 : -1));
            };
        return h;
    }
};

struct Script { const char *cls, *mask, *start; std::vector<std::pair<const char *, const char *>> steps; };

// Undo and redo of each change in each class; typing in a row one step; refusals and host sets none.
TEST_F(Habits, UndoAndRedo) {
    const Script scripts[] = {
        {E, "", "ab|", {{"cd", "abcd| u +2"}, {"(^z)", "ab| u +1"}, {"(^z)", "abcd| u +1"}}},
        {E, "", "a[bc]d", {{"@XY", "aXY|d u +1"}, {"(a-bs)", "a[bc]d u +1"}, {"(em)", "aXY|d u +1 ->1"}}},
        {E, "", "a[bc]d", {{"(cut)", "a|d u +1"}, {"(wm)", "a[bc]d u +1 ->1"}, {"(wm)", "a|d u +1 ->1"}}},
        {E, "", "a]bc[d", {{"!", "a|d u +1"}, {"(^z)", "a]bc[d u +1"}}},
        {E, "", "a|bcd", {{"#", "a|cd u +1"}, {"(^z)", "a|bcd u +1"}}},
        {E, "", "ab|", {{"cd", "abcd| u +2"}, {"~", "abc| u +1"}, {"(^z)", "abcd| u +1"}, {"(^z)", "abc| u +1"}}},
        {E, "", "ab|c", {{"x", "abx|c u +1"}, {"<", "ab|xc u"}, {"y", "aby|xc u +1"}, {"(^z)", "ab|xc u +1"}}},
        {E, "", "a[bc]d", {{"xy", "axy|d u +4"}, {"(^z)", "a[bc]d u +1"}}},  // removed, refreshed, typed
        {E, "", "|", {{"(em)", "| ->0"}, {"a", "a| u +1"}, {"=zz", "|zz +1 ->1"}, {"(em)", "|zz ->0"}}},
        {E, "set", "ab|", {{"c", "|set +2"}, {"(^z)", "|set"}, {"x", "x|set u +1"}, {"(^z)", "|set u +1"}}},
        {E, "", "ab|", {{"c", "abc| u +1"}, {"(empty)", "abc|"}, {"(^z)", "abc|"}, {"d", "abcd| u +1"}}},
        {E, "", "ab|", {{"(copy)", "ab|"}, {"(^a)", "[ab]"}, {"(^z)", "[ab]"}}},  // Ctrl+A in every class:
        {E, "", "|", {{"(^a)", "|"}}}, {I, "", "-1|2", {{"(^a)", "[-12]"}}}, {F, "", "1.|5", {{"(^a)", "[1.5]"}}},
        {P, kPhone, "(5|  )    -  ", {{"(^a)", "[(5  )    -  ]"}}}, {T, "99:99", "1|2:30", {{"(^a)", "[12:30]"}}},
        {I, "", "12|", {{"3", "123| u +1"}, {"x", "123| u beep"}, {"4", "1234| u +1"}, {"(^z)", "12| u +1"}}},
        {I, "", "5|", {{"{", "|6 u +1"}, {"(^z)", "5| u +1"}, {"(^z)", "|6 u +1"}, {"}", "|5 u +1"}}},
        {I, "", "50|", {{"0", "500| u +1"}, {"(range:0:100)", "500| u ->1"}, {"(^z)", "50| u +1"}, {"(^z)", "50| u beep"}}},
        {I, "", "1|", {{"@23", "123| u +1"}, {"@x", "123| u beep"}, {"(^z)", "1| u +1"}, {"(value:7)", "7| ->1"}}},
        {F, "", "1.5|",
         {{"2", "1.52| u +1"}, {"(^z)", "1.5| u +1"}, {"{", "|2.50000 u up +1"}, {"(^z)", "1.5| u +1"}}},
        {F, "", "12.[34]5", {{"(cut)", "12.|5 u +1"}, {"(a-bs)", "12.[34]5 u +1"}}},
        {F, "", "[1,234.5]", {{"5", "5| u +3"}, {"(format: ,.)", "5| u ->1"}, {"(^z)", "[1.234,5] u +1"}}},
        {F, "", "1,234.5|", {{"6", "1,234.56| u +1"}, {"(format: ,.)", "1.234,56| u +1 ->1"}, {"(^z)", "1.234,5| u +1"}}},
        {F, "", "12.5|", {{"5", "12.55| u +1"}, {"(mask:99.9)", "12.55| u ->1"}, {"(mask:9.9)", "12.55| ->1"}, {"(^z)", "12.55|"}}},
        {I, "", "12|", {{"3", "123| u +1"}, {"(mask:99)", "| +1 ->1"}, {"(^z)", "|"}}},
        {T, "99:99", "12:3|0", {{"{", "12:[31] u +1"}, {"(mask:99:99 am)", "|  :    m +1 ->1"}, {"(^z)", "|  :    m"}}},
        {P, kPhone, "(|   )    -  ", {{"12", "(12| )    -   u +2"}, {"(^z)", "(|   )    -   u +1"}}},
        {P, kPhone, "(555) |123-45", {{"#", "(555)  |23-45 u +1"}, {"(^z)", "(555) |123-45 u +1"}}},
        {T, "99:99", "10:3|0", {{"{", "10:[31] u +1"}, {"(^z)", "10:3|0 u +1"}, {"(^z)", "10:[31] u +1"}}},
        {T, "99:99", "|  :  ", {{"12", "12|:   u +2"}, {"(^z)", "|  :   u +1"}}},
    };
    for (const Script &s : scripts) {
        HWND h = MakeStepping(s.cls, s.mask);
        Start(h, s.start);  // a text of the host's: nothing to undo; no font yet
        EXPECT_EQ(SendMessageA(h, EM_CANUNDO, 0, 0) + SendMessageA(h, WM_GETFONT, 0, 0), 0) << s.cls;
        SendMessageA(h, WM_SETFONT, WPARAM(g_font), TRUE);
        EXPECT_EQ(HFONT(SendMessageA(h, WM_GETFONT, 0, 0)), g_font) << s.cls;
        for (const auto &step : s.steps)
            EXPECT_EQ(Run(h, step.first), step.second) << s.cls << " from '" << s.start << "', step " << step.first;
        DestroyWindow(h);
        parent.onCommand = nullptr;
    }
}

// Read-only (after typing: a step to undo), "XY" on the clipboard, '=' the line as it was.
TEST_F(Habits, ReadOnly) {
    const struct { const char *cls, *mask, *typed; int anchor, caret; std::vector<std::pair<const char *, const char *>> steps; } cases[] = {
        {E, "", "hello", 1, 4, {{"x", "= beep"}, {"~", "= beep"}, {"#(+#)(^x)(cut)!(^v)(+ins)(paste)(^z)(a-bs)", "="},
            {"(em)", "= ->0"}, {"(wm)", "= ->0"}, {"(^c)", "= clip ell"}, {"(^ins)", "= clip ell"},
            {"(copy)", "= clip ell"}, {"(^a)", "[hello] u"}, {"<", "h|ello u"}, {"(+>)", "h[ello] u"},
            {"^", "|hello u"}, {"$", "hello| u"}, {"(click)", "|hello u"}, {"(drag)", "[hello] u"},
            {"=new", "|new +1 ->1"}}},
        {E, "", "hello", 1, 1, {{"#", "="}}},
        {I, "", "15", 2, 2, {{"{}(spin)", "="}, {"7", "= beep"}, {"(value:7)", "7| ->1"}}},
        {F, "", "2.5", 0, 0, {{"{(spin)", "="}}}, {T, "99:99", "12:30", 0, 0, {{"{", "="}, {"~", "= beep"}}},
        {P, kPhone, "55", 1, 1, {{"#", "="}, {"1", "= beep"}}},
    };
    for (const auto &c : cases) {
        for (const auto &step : c.steps) {
            HWND h = MakeStepping(c.cls, c.mask);
            Start(h, "|");
            for (const char *p = c.typed; *p; ++p) SendChar(h, *p);
            SendMessageA(h, EM_SETSEL, c.anchor, c.caret);
            ASSERT_EQ(SendMessageA(h, EM_SETREADONLY, TRUE, 0), TRUE);
            ASSERT_TRUE(SetClipboardText("XY"));
            parent.ClearNotifications();
            const std::string before = Shown(h) + " u";
            std::string after = Run(h, step.first), clip, expected = step.second;
            if (ClipboardText(&clip) && clip != "XY") after += " clip " + clip;
            if (expected[0] == '=') expected.replace(0, 1, before);
            EXPECT_EQ(after, expected) << c.cls << " " << c.typed << " " << step.first;
            DestroyWindow(h);
            parent.onCommand = nullptr;
        }
    }
}

// A string as the program's windows show it: its own, else the library's.
std::string WhyText(UINT id) {
    char text[128] = "";
    if (!LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text))
        LoadStringA(GetModuleHandleA("qx_cntl.dll"), id, text, sizeof text);
    return text;
}

// Each reason in each class: a beep, the reason's words in the tip (the program's own for a letter).
TEST_F(Habits, RefusalsExplained) {
    const std::string full = "@" + std::string(63, 'a');
    const struct { const char *cls, *mask, *start, *setting, *step; UINT why; } cases[] = {
        {E, "", "|", "", "@a\tb", QXIDS_WHY_NOTACCEPTED}, {E, "", "|", full.c_str(), "x", QXIDS_WHY_NOROOM},
        {I, "", "|", "", "1a", QXIDS_WHY_NOTACCEPTED},    {I, "999", "|", "", "1234", QXIDS_WHY_NOROOM},
        {I, "", "|", "(range:0:100)", "101", QXIDS_WHY_ABOVEMAX},
        {I, "", "|", "(range:-100:100)", "-101", QXIDS_WHY_BELOWMIN},
        {I, "", "5|", "(range:0:5)", "{", QXIDS_WHY_ABOVEMAX}, {I, "", "0|", "(range:0:5)", "}", QXIDS_WHY_BELOWMIN},
        {F, "", "|", "", "1.5.", QXIDS_WHY_NOTACCEPTED},   {F, "99.9", "|", "", "123", QXIDS_WHY_NOROOM},
        {F, "", "|", "(range:-5:10)", "11", QXIDS_WHY_ABOVEMAX}, {F, "", "|", "(range:-5:10)", "9-", QXIDS_WHY_BELOWMIN},
        {P, kPhone, "(|   )    -  ", "", "a", QXIDS_WHY_DIGIT}, {P, "ulul", "", "", "1", QXIDS_WHY_LETTER},
        {P, kPhone, "(555) 123-45|", "", "6", QXIDS_WHY_NOROOM},
        {T, "99:99", "", "", "24", QXIDS_WHY_HOUR24},     {T, "99:99 am", "", "", "13", QXIDS_WHY_HOUR12},
        {T, "99:99", "", "", ":60", QXIDS_WHY_MINUTE},    {T, "99:99", "", "", "7p", QXIDS_WHY_DIGIT},
        {T, "99:99 am", "|00:30 am", "", "{", QXIDS_WHY_HOUR12},
    };
    BeepCounter beeper(GetModuleHandleA("qx_cntl.dll"));
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.cls << " '" << c.start << "' " << c.setting << " " << c.step);
        HWND h = Make(c.cls, c.mask, QXES_SPIN | QXES_EXPLAIN);
        Start(h, c.start);
        if (c.setting[0]) Run(h, c.setting);
        EXPECT_EQ(ShownTip(), nullptr);
        const int beeps = beeper.Beeps();
        Run(h, c.step);
        EXPECT_EQ(beeper.Beeps(), beeps + 1);
        EXPECT_EQ(WindowText(ShownTip()), WhyText(c.why));
        DestroyWindow(h);
        EXPECT_EQ(TipWindows(), 0);
    }
}

// The tip goes at the next key taken, the focus lost, its timer; no tip, nothing heard without the style.
TEST_F(Habits, RefusalTipComesAndGoes) {
    BeepCounter beeper(GetModuleHandleA("qx_cntl.dll"));
    HWND h = Make(I, "99", QXES_EXPLAIN);
    SetFocus(h);
    const struct { const char *step; UINT shows; } steps[] = {
        {"x", QXIDS_WHY_NOTACCEPTED}, {"1", 0}, {"x", QXIDS_WHY_NOTACCEPTED}, {"2", 0},
        {"x", QXIDS_WHY_NOTACCEPTED}, {"3", QXIDS_WHY_NOROOM}, {"^", 0},
        {"x", QXIDS_WHY_NOTACCEPTED}, {"blur", 0}, {"x", QXIDS_WHY_NOTACCEPTED}, {"timer", 0},
        {"nobeep", 0}, {"x", QXIDS_WHY_NOTACCEPTED},
    };
    int refusals = 0;
    HWND tip = nullptr;
    for (const auto &s : steps) {
        const std::string step = s.step;
        if (step == "blur") SetFocus(parent.hwnd());
        if (step == "timer") SendMessageA(h, WM_TIMER, 0x5157, 0);  // the identifier of the tip's timer in the library
        if (step == "nobeep") SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) | QXES_NOBEEP);
        if (step.size() == 1) refusals += Run(h, step).find(" beep") != std::string::npos;  // pending keys dropped
        const HWND shown = ShownTip();
        EXPECT_EQ(WindowText(shown), s.shows ? WhyText(s.shows) : "") << s.step;
        if (shown && !tip) tip = shown;
        EXPECT_EQ(TipWindows(), 1) << s.step;
        EXPECT_TRUE(!shown || shown == tip) << s.step;
    }
    EXPECT_EQ(refusals, 7);
    EXPECT_EQ(beeper.Beeps(), 6);
    DestroyWindow(h);
    EXPECT_FALSE(IsWindow(tip));
    h = Make(I, "99");
    int heard = 0;
    parent.onMessage = [&heard](UINT, WPARAM, LPARAM) { ++heard; };
    EXPECT_EQ(Run(h, "x"), "| beep");
    EXPECT_EQ(heard, 0);
    EXPECT_EQ(TipWindows(), 0);
    EXPECT_EQ(beeper.Beeps(), 7);
    parent.onMessage = nullptr;
}

// The menu seen from inside its loop: items as letters (small: disabled; '|'), count, Paste's text, corner.
struct MenuSeen { std::string states, paste; int items = 0; POINT at = {-1, -1}; };
MenuSeen g_seen;
int g_choose = -1;  // the item chosen by its mnemonic; -1: the menu is closed

void CALLBACK InspectMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND window = FindWindowA("#32768", nullptr);
    if (!window || !IsWindowVisible(window)) return;
    KillTimer(nullptr, timer);
    RECT r;
    GetWindowRect(window, &r);
    g_seen.at = {r.left, r.top};
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    char mnemonic = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        const char letter = "U|TCPD|A?"[std::min(i, 8)];
        char text[80] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        g_seen.states += state & MF_SEPARATOR ? '|' : state & (MF_GRAYED | MF_DISABLED) ? char(std::tolower(letter)) : letter;
        if (state & MF_SEPARATOR) continue;
        if (g_seen.items++ == g_choose && std::strchr(text, '&')) mnemonic = std::strchr(text, '&')[1];
        if (letter == 'P') g_seen.paste = text;
    }
    mnemonic ? (void)PostMessageA(window, WM_CHAR, std::tolower(mnemonic), 0) : (void)EndMenu();
}

// Each trigger opens the menu at the pointer or below the caret; the parent hears no WM_CONTEXTMENU.
TEST_F(Habits, ContextMenu) {
    const struct { const char *start, *keys; bool readOnly, enabled, clip; const char *states; int choose; const char *after, *clipAfter; } cases[] = {
        {"|", "hello(empty)(sel:3:3)", false, true, false, "u|tcpd|A", -1, "hel|lo", "(none)"},
        {"|", "hello(sel:1:4)", false, true, true, "U|TCPD|A", -1, "h[ell]o u", "XY"},
        {"|", "hello(sel:4:1)", true, true, true, "u|tCpd|A", -1, "h]ell[o u", "XY"},
        {"|", "", false, true, true, "u|tcPd|a", -1, "|", "XY"},
        {"|", "hello(sel:1:4)", false, false, true, "", -1, "h[ell]o u", "XY"},
        {"ab|", "c", false, true, true, "U|tcPd|A", 0, "ab| u +1", "XY"},
        {"a[bc]d", "", false, true, true, "u|TCPD|A", 1, "a|d u +1", "bc"},
        {"a[bc]d", "", false, true, true, "u|TCPD|A", 2, "a[bc]d", "bc"},
        {"a[bc]d", "", false, true, true, "u|TCPD|A", 3, "aXY|d u +1", "XY"},
        {"a]bc[d", "", false, true, true, "u|TCPD|A", 4, "a|d u +1", "XY"},
        {"ab|cd", "", false, true, true, "u|tcPd|A", 5, "[abcd]", "XY"},
    };
    int parentMenus = 0;
    parent.onMessage = [&parentMenus](UINT msg, WPARAM, LPARAM) { parentMenus += msg == WM_CONTEXTMENU; };
    for (const char *how : {"right-click", "Shift+F10", "Apps key"}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << how << " " << c.start << " " << c.keys << " " << c.choose);
            HWND h = Make(E);
            SendMessageA(h, WM_SETFONT, WPARAM(g_font), 0);
            Start(h, c.start);
            Play(h, c.keys);
            c.clip ? (void)SetClipboardText("XY") : EmptyClipboardNow();
            SendMessageA(h, EM_SETREADONLY, c.readOnly, 0);
            if (c.enabled) SetFocus(h);
            EnableWindow(h, c.enabled);
            parent.ClearNotifications();
            GUITHREADINFO info = {};  // a key opens the menu below the caret
            info.cbSize = sizeof info;
            GetGUIThreadInfo(GetCurrentThreadId(), &info);
            POINT at = {20, 6}, below = {info.rcCaret.left, info.rcCaret.bottom};
            ClientToScreen(h, &below);
            g_seen = MenuSeen();
            g_choose = c.choose;
            const UINT_PTR timer = SetTimer(nullptr, 0, 30, InspectMenu);
            if (how[0] == 'r') {
                SendMessageA(h, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
                SendMessageA(h, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
                ClientToScreen(h, &at);
            } else if (how[0] == 'S') {
                HeldKeys shift(kShift);
                SendMessageA(h, WM_SYSKEYDOWN, VK_F10, 1);
                SendMessageA(h, WM_SYSKEYUP, VK_F10, 0xC0000001);
                at = below;
            } else {
                SendKey(h, VK_APPS);
                at = below;
            }
            KillTimer(nullptr, timer);
            Pump();
            std::string clip = "(none)";
            ClipboardText(&clip);
            EXPECT_EQ(g_seen.states, c.states);
            EXPECT_EQ(g_seen.paste, c.enabled ? WhyText(QXIDS_MENU_PASTE) : "");
            EXPECT_TRUE(!c.enabled || (g_seen.at.x == at.x && g_seen.at.y == at.y)) << g_seen.at.x << "," << g_seen.at.y;
            EXPECT_EQ(Seen(h), c.after);
            EXPECT_EQ(clip, c.clipAfter);
            EXPECT_EQ(parentMenus, 0);
            DestroyWindow(h);
        }
    }
    parent.onMessage = nullptr;
}

}  // namespace
