// The habits every edit class shares, through the DLL in each class: one
// level of undo with its redo, Ctrl+A, the context menu from each of its
// triggers, read-only, WM_GETFONT, and refusals explained in a tip. The
// program runs with a theme and in the classic look.
//
// A beep is seen by what comes with it: refused input drops the window's
// pending keyboard messages, so a marker key posted before an action is
// gone afterwards exactly when the action beeped. Where the sound itself
// matters (QXES_NOBEEP, the spin's refusals) the DLL's calls of
// MessageBeep are counted.
#include <cctype>
#include <functional>

#include "../typed/edit_window.h"

namespace {

using namespace qxt;

const char *const E = "QXEdit", *I = "QXInteger", *F = "QXFloat", *P = "QXPicture", *T = "QXTime";
const char kPhone[] = "(999) 999-99";
// A bitmap font: the pixels of its text are exactly the text colour.
const HFONT g_font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");

LPARAM KeyParam(UINT vk, bool alt, bool up = false) {
    LPARAM lp = 1 | (static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) & 0xFF) << 16);
    if (alt) lp |= LPARAM(1) << 29;
    if (up) lp |= 0xC0000000;
    return lp;
}

// A key of the system kind (Alt held, or F10), with the character it makes
// queued behind it as the message loop would.
void SendSysKey(HWND h, UINT vk, char produced = 0, bool alt = true) {
    if (produced) PostMessageA(h, WM_SYSCHAR, static_cast<BYTE>(produced), KeyParam(vk, alt));
    SendMessageA(h, WM_SYSKEYDOWN, vk, KeyParam(vk, alt));
    SendMessageA(h, WM_SYSKEYUP, vk, KeyParam(vk, alt, true));
}

// Ctrl and a letter, its control character queued behind the key.
void SendCtrlLetter(HWND h, char letter) {
    PostMessageA(h, WM_CHAR, letter & 0x1F, KeyParam(static_cast<UINT>(letter), false));
    SendKey(h, static_cast<UINT>(letter), kCtrl);
}

class Habits : public EditWindowTest {
protected:
    // Runs action; true when it beeped (the marker was dropped).
    static bool Beeps(HWND h, const std::function<void()> &action) {
        PostMessageA(h, WM_KEYUP, VK_F24, KeyParam(VK_F24, false, true));
        action();
        MSG m;
        const bool kept = PeekMessageA(&m, h, WM_KEYUP, WM_KEYUP, PM_REMOVE) && m.wParam == VK_F24;
        Pump();
        return !kept;
    }

    // Steps of the scripts below, by name: "t:abc" types, "p:abc" pastes
    // (WM_PASTE), "set:abc" is WM_SETTEXT; "cut", "copy", "paste", "clear" the
    // messages; "del" "bs" "left" "home" "end" "shift-right" the keys;
    // "^x" Ctrl and a letter (also "^ins", "+ins", "+del" with Shift);
    // "up" and "down" a wheel notch; "a-bs" Alt+Backspace; "em" EM_UNDO,
    // "wm" WM_UNDO (both with their results), "empty" EM_EMPTYUNDOBUFFER;
    // "range:a:b" QXIntSetRange, "int:n" QXIntSetValue, "format:f"
    // QXFloatSetFormat, "mask:m" the class's mask export; "click" at the left
    // edge, "drag" from it past the right end, "spin" a click on the upper
    // arrow. What happened is told as the shown line, " u" when EM_CANUNDO
    // says so, " +n" for n changes notified (EN_CHANGE), " step" for each
    // step asked of the parent, " beep", " ->r" for an undo message's result.
    std::string Run(HWND h, const std::string &step) {
        static const struct { const char *name; UINT msg, vk; int mods; } kPlain[] = {
            {"cut", WM_CUT, 0, 0},           {"copy", WM_COPY, 0, 0},           {"paste", WM_PASTE, 0, 0},
            {"clear", WM_CLEAR, 0, 0},       {"empty", EM_EMPTYUNDOBUFFER, 0, 0}, {"del", 0, VK_DELETE, kNoMods},
            {"left", 0, VK_LEFT, kNoMods},   {"home", 0, VK_HOME, kNoMods},     {"end", 0, VK_END, kNoMods},
            {"+del", 0, VK_DELETE, kShift},  {"+ins", 0, VK_INSERT, kShift},    {"^ins", 0, VK_INSERT, kCtrl},
            {"shift-right", 0, VK_RIGHT, kShift},
        };
        const std::string arg = step.substr(step.find(':') + 1);
        LRESULT result = -1;
        const bool beeped = Beeps(h, [&] {
            for (const auto &p : kPlain)
                if (step == p.name) return p.msg ? (void)SendMessageA(h, p.msg, 0, 0) : SendKey(h, p.vk, p.mods);
            if (!step.compare(0, 2, "t:")) {
                for (char c : arg) SendChar(h, c);
            } else if (!step.compare(0, 2, "p:")) {
                SetClipboardText(arg.c_str());
                SendMessageA(h, WM_PASTE, 0, 0);
            } else if (!step.compare(0, 4, "set:")) {
                SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg.c_str()));
            } else if (!step.compare(0, 6, "range:")) {
                const double lo = std::atof(arg.c_str()), hi = std::atof(arg.substr(arg.find(':') + 1).c_str());
                if (!QXFloatSetRange(h, lo, hi)) QXIntSetRange(h, long(lo), long(hi));
            } else if (!step.compare(0, 4, "int:")) {
                QXIntSetValue(h, std::atol(arg.c_str()));
            } else if (!step.compare(0, 7, "format:")) {
                QXFloatSetFormat(h, arg.c_str());
            } else if (!step.compare(0, 5, "mask:")) {
                char cls[16] = "";
                GetClassNameA(h, cls, sizeof cls);
                (cls == std::string(I) ? QXIntSetMask : cls == std::string(F) ? QXFloatSetMask : QXPicSetMask)(
                    h, arg.c_str());  // a time edit's mask through the picture function, as hosts may
            } else if (step[0] == '^') {
                SendCtrlLetter(h, static_cast<char>(std::toupper(step[1])));
            } else if (step == "bs") {
                SendChar(h, '\b');
            } else if (step == "up" || step == "down") {
                Wheel(h, step == "up" ? 120 : -120);
            } else if (step == "a-bs") {
                SendSysKey(h, VK_BACK, '\b');
            } else if (step == "em" || step == "wm") {
                result = SendMessageA(h, step == "em" ? EM_UNDO : WM_UNDO, 0, 0);
            } else if (step == "click" || step == "drag") {
                MouseDown(h, 1, 5);
                if (step == "drag") MouseMove(h, 400, 5, true);
                MouseUp(h, step == "drag" ? 400 : 1, 5);
            } else if (step == "spin") {
                RECT r;
                GetClientRect(h, &r);
                const int w = std::min(GetSystemMetrics(SM_CXHTHUMB), int(r.right / 2));
                Click(h, r.right - w / 2, r.bottom / 4);
            } else {
                ADD_FAILURE() << "no step " << step;
            }
        });
        std::string seen = Seen(h);
        if (beeped) seen += " beep";
        if (result != -1) seen += " ->" + std::to_string(result);
        return seen;
    }
    // The shown line with what EM_CANUNDO and the parent heard, as above.
    std::string Seen(HWND h) {
        std::string seen = Shown(h);
        if (SendMessageA(h, EM_CANUNDO, 0, 0)) seen += " u";
        int changes = 0;
        for (const Notification &n : parent.Notifications()) {
            if (n.code == EN_CHANGE) ++changes;
            if (n.code == QXFN_STEPUP || n.code == QXFN_STEPDOWN) seen += " step";
        }
        parent.ClearNotifications();
        return changes ? seen + " +" + std::to_string(changes) : seen;
    }

    // A "QXFloat" parent steps the value by one when asked, as hosts do.
    HWND MakeStepping(const char *cls, const char *mask, DWORD style = QXES_SPIN) {
        HWND h = Make(cls, mask, style);
        if (cls == F)
            parent.onCommand = [h](const Notification &n) {
                double v = 0;
                if (n.code == QXFN_STEPUP || n.code == QXFN_STEPDOWN)
                    QXFloatGetValue(h, &v), QXFloatSetValue(h, v + (n.code == QXFN_STEPUP ? 1 : -1));
            };
        return h;
    }
};

struct Script {
    const char *cls, *mask, *start;
    std::vector<std::pair<const char *, const char *>> steps;  // step, what it shows
};

// Undo and redo of each kind of change, by each way of asking, in each class
// (and Select All, whose control character never reaches the text);
// typed characters in a row are one step; what is refused or set by the host
// leaves no step behind, and a restored text the class refuses stays out. A
// float's new separators show in its buffer too; a mask change drops a
// buffer its class now refuses (the number classes' masks empty the text).
// WM_GETFONT answers what WM_SETFONT gave, null before any and after a null.
TEST_F(Habits, UndoAndRedo) {
    const Script scripts[] = {
        {E, "", "ab|", {{"t:cd", "abcd| u +2"}, {"^z", "ab| u +1"}, {"^z", "abcd| u +1"}}},
        {E, "", "a[bc]d", {{"p:XY", "aXY|d u +1"}, {"a-bs", "a[bc]d u +1"}, {"em", "aXY|d u +1 ->1"}}},
        {E, "", "a[bc]d", {{"cut", "a|d u +1"}, {"wm", "a[bc]d u +1 ->1"}, {"wm", "a|d u +1 ->1"}}},
        {E, "", "a]bc[d", {{"clear", "a|d u +1"}, {"^z", "a]bc[d u +1"}}},
        {E, "", "a|bcd", {{"del", "a|cd u +1"}, {"^z", "a|bcd u +1"}}},
        {E, "", "a[bc]d", {{"+del", "a|d u +1"}, {"^z", "a[bc]d u +1"}}},
        {E, "", "ab|", {{"t:cd", "abcd| u +2"}, {"bs", "abc| u +1"}, {"^z", "abcd| u +1"}, {"^z", "abc| u +1"}}},
        {E, "", "ab|c", {{"t:x", "abx|c u +1"}, {"left", "ab|xc u"}, {"t:y", "aby|xc u +1"}, {"^z", "ab|xc u +1"}}},
        {E, "", "a[bc]d", {{"t:xy", "axy|d u +4"}, {"^z", "a[bc]d u +1"}}},  // removed, refreshed, typed
        {E, "", "|", {{"em", "| ->0"}, {"t:a", "a| u +1"}, {"set:zz", "|zz +1"}, {"em", "|zz ->0"}}},
        {E, "", "ab|", {{"t:c", "abc| u +1"}, {"empty", "abc|"}, {"^z", "abc|"}, {"t:d", "abcd| u +1"}}},
        {E, "", "ab|", {{"copy", "ab|"}, {"^a", "[ab]"}, {"^z", "[ab]"}}},  // Ctrl+A in every class:
        {E, "", "|", {{"^a", "|"}}}, {I, "", "-1|2", {{"^a", "[-12]"}}}, {F, "", "1.|5", {{"^a", "[1.5]"}}},
        {P, kPhone, "(5|  )    -  ", {{"^a", "[(5  )    -  ]"}}}, {T, "99:99", "1|2:30", {{"^a", "[12:30]"}}},
        {I, "", "12|", {{"t:3", "123| u +1"}, {"t:x", "123| u beep"}, {"t:4", "1234| u +1"}, {"^z", "12| u +1"}}},
        {I, "", "5|", {{"up", "|6 u +1"}, {"^z", "5| u +1"}, {"^z", "|6 u +1"}, {"down", "|5 u +1"}}},
        {I, "", "50|", {{"t:0", "500| u +1"}, {"range:0:100", "500| u"}, {"^z", "50| u +1"}, {"^z", "50| u beep"}}},
        {I, "", "1|", {{"p:23", "123| u +1"}, {"p:x", "123| u beep"}, {"^z", "1| u +1"}, {"int:7", "7|"}}},
        {F, "", "1.5|",
         {{"t:2", "1.52| u +1"}, {"^z", "1.5| u +1"}, {"up", "|2.50000 u step +1"}, {"^z", "1.5| u +1"}}},
        {F, "", "12.[34]5", {{"cut", "12.|5 u +1"}, {"a-bs", "12.[34]5 u +1"}}},
        {F, "", "[1,234.5]", {{"t:5", "5| u +3"}, {"format: ,.", "5| u"}, {"^z", "[1.234,5] u +1"}}},
        {F, "", "1,234.5|", {{"t:6", "1,234.56| u +1"}, {"format: ,.", "1.234,56| u +1"}, {"^z", "1.234,5| u +1"}}},
        {F, "", "12.5|", {{"t:5", "12.55| u +1"}, {"mask:99.9", "12.55| u"}, {"mask:9.9", "12.55|"}, {"^z", "12.55|"}}},
        {I, "", "12|", {{"t:3", "123| u +1"}, {"mask:99", "| +1"}, {"^z", "|"}}},
        {T, "99:99", "12:3|0", {{"up", "12:[31] u +1"}, {"mask:99:99 am", "|  :    m +1"}, {"^z", "|  :    m"}}},
        {P, kPhone, "(|   )    -  ", {{"t:12", "(12| )    -   u +2"}, {"^z", "(|   )    -   u +1"}}},
        {P, kPhone, "(555) |123-45", {{"del", "(555)  |23-45 u +1"}, {"^z", "(555) |123-45 u +1"}}},
        {T, "99:99", "10:3|0", {{"up", "10:[31] u +1"}, {"^z", "10:3|0 u +1"}, {"^z", "10:[31] u +1"}}},
        {T, "99:99", "|  :  ", {{"t:12", "12|:   u +2"}, {"^z", "|  :   u +1"}}},
    };
    for (const Script &s : scripts) {
        HWND h = MakeStepping(s.cls, s.mask);
        Start(h, s.start);  // a text of the host's: nothing to undo; no font yet
        EXPECT_EQ(SendMessageA(h, EM_CANUNDO, 0, 0) + SendMessageA(h, WM_GETFONT, 0, 0), 0) << s.cls;
        for (const auto &step : s.steps)
            EXPECT_EQ(Run(h, step.first), step.second) << s.cls << " from '" << s.start << "', step " << step.first;
        for (HFONT font : {g_font, HFONT(nullptr)}) {  // WM_GETFONT answers what WM_SETFONT gave
            SendMessageA(h, WM_SETFONT, WPARAM(font), TRUE);
            EXPECT_EQ(HFONT(SendMessageA(h, WM_GETFONT, 0, 0)), font) << s.cls;
        }
        DestroyWindow(h);
        parent.onCommand = nullptr;
    }
}

// A text the parent sets, or a buffer it empties, from its notification
// handler leaves no step of the change that notified it. (The value a
// float's parent sets in answer to the step request is the user's step: see
// the scripts above.)
TEST_F(Habits, TextsSetInsideAChange) {
    HWND h = Make(E);
    Start(h, "ab|");
    bool once = true;
    parent.onCommand = [h, &once](const Notification &n) {
        if (n.code == EN_CHANGE && once) once = false, SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("set"));
    };
    EXPECT_EQ(Run(h, "t:c"), "|set +2");
    parent.onCommand = nullptr;
    EXPECT_EQ(Run(h, "^z"), "|set");
    parent.onCommand = [h](const Notification &n) {
        if (n.code == EN_CHANGE) SendMessageA(h, EM_EMPTYUNDOBUFFER, 0, 0);
    };
    EXPECT_EQ(Run(h, "t:x"), "x|set +1");
    parent.onCommand = nullptr;
    EXPECT_EQ(Run(h, "^z"), "x|set");
}

// ---- Read-only -------------------------------------------------------------

// A read-only edit (made so after the user typed, so there is a step to
// undo) against every key, clipboard message and mouse action: the text,
// the changes notified, the beep and the clipboard (which holds "XY"
// before each). '=' stands for the line as it was. Typing beeps; nothing
// else the user does changes the text, the host's own sets still do.
TEST_F(Habits, ReadOnly) {
    const struct { const char *cls, *mask, *typed; int anchor, caret; const char *step, *after; } cases[] = {
        {E, "", "hello", 1, 4, "t:x", "= beep"},        {E, "", "hello", 1, 4, "bs", "= beep"},
        {E, "", "hello", 1, 4, "del", "="},             {E, "", "hello", 1, 1, "del", "="},
        {E, "", "hello", 1, 4, "+del", "="},            {E, "", "hello", 1, 4, "^x", "="},
        {E, "", "hello", 1, 4, "cut", "="},             {E, "", "hello", 1, 4, "clear", "="},
        {E, "", "hello", 1, 4, "^v", "="},              {E, "", "hello", 1, 4, "+ins", "="},
        {E, "", "hello", 1, 4, "paste", "="},           {E, "", "hello", 1, 4, "^z", "="},
        {E, "", "hello", 1, 4, "a-bs", "="},            {E, "", "hello", 1, 4, "em", "= ->0"},
        {E, "", "hello", 1, 4, "wm", "= ->0"},          {E, "", "hello", 1, 4, "^c", "= clip ell"},
        {E, "", "hello", 1, 4, "^ins", "= clip ell"},   {E, "", "hello", 1, 4, "copy", "= clip ell"},
        {E, "", "hello", 1, 4, "^a", "[hello] u"},      {E, "", "hello", 1, 4, "left", "h|ello u"},
        {E, "", "hello", 1, 4, "shift-right", "h[ello] u"}, {E, "", "hello", 1, 4, "home", "|hello u"},
        {E, "", "hello", 1, 4, "end", "hello| u"},      {E, "", "hello", 1, 4, "click", "|hello u"},
        {E, "", "hello", 1, 4, "drag", "[hello] u"},    {E, "", "hello", 1, 4, "set:new", "|new +1"},
        {I, "", "15", 2, 2, "up", "="},                 {I, "", "15", 2, 2, "down", "="},
        {I, "", "15", 2, 2, "spin", "="},               {I, "", "15", 2, 2, "t:7", "= beep"},
        {I, "", "15", 2, 2, "int:7", "7|"},             {F, "", "2.5", 0, 0, "up", "="},
        {F, "", "2.5", 0, 0, "spin", "="},              {T, "99:99", "12:30", 0, 0, "up", "="},
        {T, "99:99", "12:30", 0, 0, "bs", "= beep"},    {P, kPhone, "55", 1, 1, "del", "="},
        {P, kPhone, "55", 1, 1, "t:1", "= beep"},
    };
    for (const auto &c : cases) {
        HWND h = MakeStepping(c.cls, c.mask);
        Start(h, "|");
        for (const char *p = c.typed; *p; ++p) SendChar(h, *p);
        SendMessageA(h, EM_SETSEL, c.anchor, c.caret);
        ASSERT_EQ(SendMessageA(h, EM_SETREADONLY, TRUE, 0), TRUE);
        ASSERT_TRUE(SetClipboardText("XY"));
        parent.ClearNotifications();
        const std::string before = Shown(h) + " u";
        std::string after = Run(h, c.step), clip;
        if (ClipboardText(&clip) && clip != "XY") after += " clip " + clip;
        std::string expected = c.after;
        if (expected[0] == '=') expected.replace(0, 1, before);
        EXPECT_EQ(after, expected) << c.cls << " " << c.typed << " " << c.step;
        DestroyWindow(h);
        parent.onCommand = nullptr;
    }
}

// EM_SETREADONLY (or SetWindowLong) sets and clears the style bit, which
// also works given at creation. Each change paints the face anew (nothing
// but the change invalidates it here): the parent's WM_CTLCOLORSTATIC, or
// WM_CTLCOLOREDIT when editable, with the parent's default colours or,
// where it gives no brush, the edit's own: the window text on the button
// face when read-only, grey text when disabled too.
TEST_F(Habits, ReadOnlyStyleAndFace) {
    HWND h = Make(E, "", QXES_READONLY);
    SendMessageA(h, WM_SETFONT, WPARAM(g_font), 0);
    EXPECT_EQ(Run(h, "t:a"), "| beep");
    EXPECT_EQ(SendMessageA(h, EM_SETREADONLY, FALSE, 0), TRUE);
    EXPECT_EQ(Run(h, "t:WWW"), "WWW| u +3");
    Repaint(h);
    ASSERT_NE(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_BTNFACE));
    RECT client;
    GetClientRect(h, &client);
    const struct { bool setReadOnly, nullBrush, disabled; UINT request; int text, back; } cases[] = {
        {true, false, false, WM_CTLCOLORSTATIC, COLOR_WINDOWTEXT, COLOR_BTNFACE},
        {false, false, false, WM_CTLCOLOREDIT, COLOR_WINDOWTEXT, COLOR_WINDOW},
        {true, true, false, WM_CTLCOLORSTATIC, COLOR_WINDOWTEXT, COLOR_BTNFACE},
        {false, true, false, WM_CTLCOLOREDIT, COLOR_WINDOWTEXT, COLOR_WINDOW},
        {true, true, true, WM_CTLCOLORSTATIC, COLOR_GRAYTEXT, COLOR_BTNFACE},
    };
    for (const auto &c : cases) {
        const bool was = (GetWindowLongA(h, GWL_STYLE) & QXES_READONLY) != 0;
        SCOPED_TRACE(testing::Message() << "read-only " << !was << (c.setReadOnly ? " by message" : " by style")
                                        << (c.nullBrush ? ", no brush" : "") << (c.disabled ? ", disabled" : ""));
        if (c.nullBrush) parent.AnswerNullBrush();
        if (c.disabled) EnableWindow(h, FALSE), Repaint(h);
        parent.ClearColorRequests();
        if (c.setReadOnly)
            EXPECT_EQ(SendMessageA(h, EM_SETREADONLY, !was, 0), TRUE);
        else
            SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) ^ QXES_READONLY);
        EXPECT_EQ((GetWindowLongA(h, GWL_STYLE) & QXES_READONLY) != 0, !was);
        UpdateWindow(h);
        std::vector<UINT> requests = parent.ColorRequests();
        EXPECT_FALSE(requests.empty());
        requests.erase(std::remove(requests.begin(), requests.end(), c.request), requests.end());
        EXPECT_TRUE(requests.empty());
        const Pixels px(h);
        EXPECT_EQ(Describe(px.At(client.right - 3, client.bottom / 2)), Describe(GetSysColor(c.back)));
        EXPECT_GT(px.Count(GetSysColor(c.text)), 10);
    }
}

// ---- Refusals explained -------------------------------------------------------

// A string as the program's windows show it: the program's own, else the
// library's.
std::string WhyText(UINT id) {
    char text[128] = "";
    if (!LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text))
        LoadStringA(GetModuleHandleA("qx_cntl.dll"), id, text, sizeof text);
    return text;
}

// Each reason in each class that gives it, typed, pasted or stepped after a
// setting step: the refusal beeps and the tip shows the reason's words (the
// program's own for a letter), gone with its edit.
TEST_F(Habits, RefusalsExplained) {
    const std::string full = "p:" + std::string(63, 'a');
    const struct { const char *cls, *mask, *start, *setting, *step; UINT why; } cases[] = {
        {E, "", "|", "", "p:a\tb", QXIDS_WHY_NOTACCEPTED}, {E, "", "|", full.c_str(), "t:x", QXIDS_WHY_NOROOM},
        {I, "", "|", "", "t:1a", QXIDS_WHY_NOTACCEPTED},    {I, "999", "|", "", "t:1234", QXIDS_WHY_NOROOM},
        {I, "", "|", "range:0:100", "t:101", QXIDS_WHY_ABOVEMAX},
        {I, "", "|", "range:-100:100", "t:-101", QXIDS_WHY_BELOWMIN},
        {I, "", "5|", "range:0:5", "up", QXIDS_WHY_ABOVEMAX}, {I, "", "0|", "range:0:5", "down", QXIDS_WHY_BELOWMIN},
        {F, "", "|", "", "t:1.5.", QXIDS_WHY_NOTACCEPTED},   {F, "99.9", "|", "", "t:123", QXIDS_WHY_NOROOM},
        {F, "", "|", "range:-5:10", "t:11", QXIDS_WHY_ABOVEMAX}, {F, "", "|", "range:-5:10", "t:9-", QXIDS_WHY_BELOWMIN},
        {P, kPhone, "(|   )    -  ", "", "t:a", QXIDS_WHY_DIGIT}, {P, "ulul", "", "", "t:1", QXIDS_WHY_LETTER},
        {P, kPhone, "(555) 123-45|", "", "t:6", QXIDS_WHY_NOROOM},
        {T, "99:99", "", "", "t:24", QXIDS_WHY_HOUR24},     {T, "99:99 am", "", "", "t:13", QXIDS_WHY_HOUR12},
        {T, "99:99", "", "", "t::60", QXIDS_WHY_MINUTE},    {T, "99:99", "", "", "t:7p", QXIDS_WHY_DIGIT},
        {T, "99:99 am", "|00:30 am", "", "up", QXIDS_WHY_HOUR12},
    };
    EXPECT_EQ(WhyText(QXIDS_WHY_LETTER), "A letter goes here (host)");
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

// The tip goes at the next key taken (a character, a caret move), at the
// loss of the focus and when its timer runs out; a refusal while it is up
// replaces its text in the same window. The beep stays with the tip and
// goes with QXES_NOBEEP (the pending keys are dropped all the same);
// without QXES_EXPLAIN there is no tip and the parent hears nothing more.
TEST_F(Habits, RefusalTipComesAndGoes) {
    BeepCounter beeper(GetModuleHandleA("qx_cntl.dll"));
    HWND h = Make(I, "99", QXES_EXPLAIN);
    SetFocus(h);
    const struct { const char *step; UINT shows; } steps[] = {
        {"t:x", QXIDS_WHY_NOTACCEPTED}, {"t:1", 0}, {"t:x", QXIDS_WHY_NOTACCEPTED}, {"t:2", 0},
        {"t:x", QXIDS_WHY_NOTACCEPTED}, {"t:3", QXIDS_WHY_NOROOM}, {"home", 0},
        {"t:x", QXIDS_WHY_NOTACCEPTED}, {"blur", 0}, {"t:x", QXIDS_WHY_NOTACCEPTED}, {"timer", 0},
        {"nobeep", 0}, {"t:x", QXIDS_WHY_NOTACCEPTED},
    };
    int refusals = 0;
    HWND tip = nullptr;
    for (const auto &s : steps) {
        const std::string step = s.step;
        if (step == "blur")
            SetFocus(parent.hwnd());
        else if (step == "timer")
            SendMessageA(h, WM_TIMER, 0x5157, 0);  // the identifier of the tip's timer in the library
        else if (step == "nobeep")
            SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) | QXES_NOBEEP);
        else
            refusals += Run(h, step).find(" beep") != std::string::npos;  // the pending keys dropped
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
    EXPECT_EQ(Run(h, "t:x"), "| beep");
    EXPECT_EQ(heard, 0);
    EXPECT_EQ(TipWindows(), 0);
    EXPECT_EQ(beeper.Beeps(), 7);
    parent.onMessage = nullptr;
}

// ---- The context menu ---------------------------------------------------------

// What the last popup menu showed, read from a thread timer inside its
// modal loop: each item's letter (Undo U, Cut T, Copy C, Paste P, Delete D,
// Select All A) in capitals when enabled, '|' for a separator; its texts;
// its top-left corner on the screen.
struct MenuSeen {
    bool shown = false;
    std::string states;
    std::vector<std::string> texts;
    POINT at = {-1, -1};
};
MenuSeen g_seen;
std::string g_choose;  // the text of the item to choose; empty: close the menu

void CALLBACK InspectMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND window = FindWindowA("#32768", nullptr);
    if (!window || !IsWindowVisible(window)) return;
    KillTimer(nullptr, timer);
    g_seen.shown = true;
    RECT r;
    GetWindowRect(window, &r);
    g_seen.at = {r.left, r.top};
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    const char letters[] = "U|TCPD|A";
    char mnemonic = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        const char letter = i < 8 ? letters[i] : '?';
        if (state & MF_SEPARATOR) {
            g_seen.states += '|';
            continue;
        }
        g_seen.states += state & (MF_GRAYED | MF_DISABLED) ? char(std::tolower(letter)) : letter;
        char text[80] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        g_seen.texts.push_back(text);
        if (g_choose == text && std::strchr(text, '&')) mnemonic = std::strchr(text, '&')[1];
    }
    if (mnemonic)
        PostMessageA(window, WM_CHAR, std::tolower(mnemonic), 0);
    else
        EndMenu();
}

enum Trigger { kRightClick, kShiftF10, kAppsKey };
const char *const kTriggerNames[] = {"right-click", "Shift+F10", "Apps key"};
const POINT kClickAt = {20, 6};

class ContextMenu : public Habits {
protected:
    // Opens the menu with a trigger, choosing the item of the given text
    // (none: the menu is closed).
    static MenuSeen Open(HWND h, Trigger how, const std::string &choose = "") {
        g_seen = MenuSeen();
        g_choose = choose;
        const UINT_PTR timer = SetTimer(nullptr, 0, 30, InspectMenu);
        const LPARAM at = MAKELPARAM(kClickAt.x, kClickAt.y);
        switch (how) {
        case kRightClick:
            SendMessageA(h, WM_RBUTTONDOWN, MK_RBUTTON, at);
            SendMessageA(h, WM_RBUTTONUP, 0, at);
            break;
        case kShiftF10: {
            HeldKeys shift(kShift);
            SendSysKey(h, VK_F10, 0, false);
            break;
        }
        case kAppsKey: SendKey(h, VK_APPS); break;
        }
        KillTimer(nullptr, timer);
        Pump();
        return g_seen;
    }
    // The texts the menu should show: the library's, the test program's
    // own Paste (habits.rc).
    static std::vector<std::string> ExpectedTexts() {
        std::vector<std::string> texts;
        for (UINT id : {QXIDS_MENU_UNDO, QXIDS_MENU_CUT, QXIDS_MENU_COPY, QXIDS_MENU_PASTE, QXIDS_MENU_DELETE,
                        QXIDS_MENU_SELECTALL})
            texts.push_back(WhyText(id));
        return texts;
    }
    HWND MakeMenuEdit(const char *marked) {
        HWND h = Make(E);
        SendMessageA(h, WM_SETFONT, WPARAM(g_font), 0);
        Start(h, marked);
        parent.onMessage = [this](UINT msg, WPARAM, LPARAM) {
            if (msg == WM_CONTEXTMENU) ++parentMenus;
        };
        return h;
    }
    // The screen point below the caret, where a key opens the menu.
    static POINT BelowCaret(HWND h) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetCurrentThreadId(), &info);
        POINT p = {info.rcCaret.left, info.rcCaret.bottom};
        ClientToScreen(h, &p);
        return p;
    }
    void TearDown() override { parent.onMessage = nullptr; }
    int parentMenus = 0;
};

// Each trigger opens the same menu, at the pointer or below the caret, its
// items enabled as they apply; the edit keeps WM_CONTEXTMENU from the
// parent; a disabled edit shows none; a closed menu changes nothing.
TEST_F(ContextMenu, ItemsAndPlaces) {
    // The text is typed, so there is a step to undo unless it is emptied.
    const struct {
        const char *typed;
        int anchor, caret;
        bool undo, readOnly, enabled, clip;
        const char *states;
    } cases[] = {
        {"hello", 3, 3, false, false, true, false, "u|tcpd|A"},
        {"hello", 1, 4, true, false, true, true, "U|TCPD|A"},
        {"hello", 4, 1, true, true, true, true, "u|tCpd|A"},
        {"", 0, 0, false, false, true, true, "u|tcPd|a"},
        {"hello", 1, 4, true, false, false, true, ""},
    };
    for (Trigger how : {kRightClick, kShiftF10, kAppsKey}) {
        for (const auto &c : cases) {
            HWND h = MakeMenuEdit("|");
            for (const char *p = c.typed; *p; ++p) SendChar(h, *p);
            if (!c.undo) SendMessageA(h, EM_EMPTYUNDOBUFFER, 0, 0);
            SendMessageA(h, EM_SETSEL, c.anchor, c.caret);
            if (c.clip)
                SetClipboardText("XY");
            else
                EmptyClipboardNow();
            SendMessageA(h, EM_SETREADONLY, c.readOnly, 0);
            if (c.enabled) SetFocus(h);
            EnableWindow(h, c.enabled);
            const std::string before = Shown(h);
            parent.ClearNotifications();
            parentMenus = 0;
            const POINT below = BelowCaret(h);
            const MenuSeen seen = Open(h, how);
            const char *name = kTriggerNames[how];
            EXPECT_EQ(seen.shown, c.enabled) << name << " " << c.states;
            EXPECT_EQ(seen.states, c.states) << name << " " << c.states;
            EXPECT_EQ(parentMenus, 0) << name;
            EXPECT_EQ(Shown(h), before) << name;
            EXPECT_TRUE(Saw(h, 0)) << name;
            if (seen.shown) {
                EXPECT_EQ(seen.texts, ExpectedTexts()) << name;
                POINT expected = kClickAt;
                if (how == kRightClick)
                    ClientToScreen(h, &expected);
                else
                    expected = below;
                EXPECT_EQ(seen.at.x, expected.x) << name << " " << c.states;
                EXPECT_EQ(seen.at.y, expected.y) << name << " " << c.states;
            }
            DestroyWindow(h);
        }
    }
}

// Each item chosen once, through the three triggers in turn: the command
// runs as its message does, one change to undo where it changes the text.
TEST_F(ContextMenu, EachItemChosen) {
    const std::vector<std::string> texts = ExpectedTexts();
    const struct { int item; const char *start, *after, *clip; } cases[] = {
        {0, "abc|", "ab| u +1", "XY"},      {1, "a[bc]d", "a|d u +1", "bc"}, {2, "a[bc]d", "a[bc]d", "bc"},
        {3, "a[bc]d", "aXY|d u +1", "XY"},  {4, "a]bc[d", "a|d u +1", "XY"}, {5, "ab|cd", "[abcd]", "XY"},
    };
    int turn = 0;
    for (const auto &c : cases) {
        HWND h = MakeMenuEdit(c.item == 0 ? "ab|" : c.start);
        if (c.item == 0) SendChar(h, 'c');
        ASSERT_TRUE(SetClipboardText("XY"));
        parent.ClearNotifications();
        const MenuSeen seen = Open(h, Trigger(turn++ % 3), texts[c.item]);
        EXPECT_TRUE(seen.shown) << texts[c.item];
        std::string clip;
        EXPECT_EQ(Seen(h), c.after) << texts[c.item];
        EXPECT_TRUE(ClipboardText(&clip));
        EXPECT_EQ(clip, c.clip) << texts[c.item];
        DestroyWindow(h);
    }
}

}  // namespace
