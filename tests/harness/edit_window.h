// Edit windows through the DLL: a recording parent, keys as a script, a line and its selection as
// one string ('|' the caret alone, '[' the anchor and ']' the caret: "12|3", "1[23]", "1]23[").
#pragma once
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "harness.h"
#include "qx_cntl.h"

namespace qxt {

class EditWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(RegisterQXCtls(HostInstance()), 1); }
    static void TearDownTestSuite() { UnregisterQXCtls(HostInstance()); }

    // The window text is the mask; the notifications of creation are dropped.
    HWND Make(const char *cls, const char *mask = "", DWORD style = 0) {
        HWND h = parent.CreateChild(cls, mask, style, 10, 10, 300, 22, 7);
        parent.ClearNotifications();
        return h;
    }
    // Sets the text of a marked line, then its selection; nothing is recorded.
    void Start(HWND h, const char *marked) {
        std::string text;
        int anchor = 0, caret = 0;
        for (const char *p = marked; *p; ++p) {
            if (*p == '|' || *p == '[') anchor = static_cast<int>(text.size());
            if (*p == '|' || *p == ']') caret = static_cast<int>(text.size());
            if (!std::strchr("|[]", *p)) text += *p;
        }
        SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageA(h, EM_SETSEL, anchor, caret);
        parent.ClearNotifications();
    }
    // Characters typed (a control character or a byte past ASCII as WM_CHAR alone); '<' '>' arrows,
    // '^' Home, '$' End, '#' Delete, '~' Backspace, '{' '}' a wheel notch up, down, '!' WM_CLEAR;
    // after '@' pasted, after '=' set. Steps "(x)": cut copy paste em wm empty (EM_EMPTYUNDOBUFFER);
    // a key with '+' Shift, '^' Ctrl, '%' AltGr (then the character it types); a-bs (Alt+Backspace);
    // click, drag (past the end), spin (the upper arrow); sel:a:c; range:lo:hi value:v time:h:m
    // format:f mask:m (the exports). Returns the last '=', em, wm or export's result (-1: none).
    static LRESULT Play(HWND h, const std::string &keys) {
        LRESULT result = -1;
        for (const char *p = keys.c_str(); *p; ++p) {
            if (*p == '@' && SetClipboardText(p + 1)) return SendMessageA(h, WM_PASTE, 0, 0), result;
            if (*p == '=') return SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(p + 1));
            if (*p == '(' && std::strchr(p, ')')) {
                const char *end = std::strchr(p, ')');
                result = Step(h, std::string(p + 1, end), result);
                p = end;
            } else if (const char *k = std::strchr(kNamed, *p)) {
                SendKey(h, kVks[k - kNamed]);
            } else if (*p == '{' || *p == '}') {
                Wheel(h, *p == '{' ? 120 : -120);
            } else if (*p == '!') {
                SendMessageA(h, WM_CLEAR, 0, 0);
            } else if (static_cast<BYTE>(*p) < 0x20 || static_cast<BYTE>(*p) >= 0x7f) {
                SendMessageA(h, WM_CHAR, static_cast<BYTE>(*p), 0);
            } else {
                SendChar(h, *p == '~' ? '\b' : *p);
            }
        }
        return result;
    }
    // Play, then the marked line, " u" if it can undo, what the parent heard but the focus (" +n"
    // changes, " up" " down" steps, other codes), " beep" if pending keys were dropped, " ->r".
    std::string Run(HWND h, const std::string &keys) {
        PostMessageA(h, WM_KEYUP, VK_F24, 0xC0000001);
        const LRESULT result = Play(h, keys);
        MSG m;
        const bool kept = PeekMessageA(&m, h, WM_KEYUP, WM_KEYUP, PM_REMOVE) && m.wParam == VK_F24;
        Pump();
        std::string seen = Seen(h) + (kept ? "" : " beep");
        return result == -1 ? seen : seen + " ->" + std::to_string(result);
    }
    std::string Seen(HWND h) {
        std::string seen = Shown(h), heard;
        if (SendMessageA(h, EM_CANUNDO, 0, 0)) seen += " u";
        const std::vector<Notification> &notes = parent.Notifications();
        int changes = 0;
        for (size_t i = 0; i < notes.size(); ++i) {
            const WORD code = notes[i].code;
            if (code == EN_SETFOCUS || code == EN_KILLFOCUS) continue;
            if (notes[i].from != h || notes[i].id != GetDlgCtrlID(h)) {
                heard += " from another";
            } else if (code == EN_UPDATE && i + 1 < notes.size() && notes[i + 1].code == EN_CHANGE) {
                ++changes, ++i;
            } else {
                heard += code == QXFN_STEPUP ? " up" : code == QXFN_STEPDOWN ? " down" : " " + std::to_string(code);
            }
        }
        parent.ClearNotifications();
        return seen + heard + (changes ? " +" + std::to_string(changes) : "");
    }

public:
    static std::string Text(HWND h) { return WindowText(h); }
    static std::string Shown(HWND h) {
        std::string text = Text(h);
        DWORD a = 0, c = 0;  // EM_GETSEL both stores the ends and returns them
        const LRESULT packed = SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&c));
        if (packed != LRESULT(c << 16 | a)) return "EM_GETSEL returned " + std::to_string(packed);
        if (std::max(a, c) > text.size())
            return "'" + text + "' selected " + std::to_string(a) + " to " + std::to_string(c);
        if (a == c) return text.insert(c, 1, '|');
        return text.insert(std::max(a, c), 1, a < c ? ']' : '[').insert(std::min(a, c), 1, a < c ? '[' : ']');
    }

protected:
    // The parent saw n changes (EN_UPDATE, EN_CHANGE each) and nothing else; the record is cleared.
    ::testing::AssertionResult Saw(HWND h, int n) {
        std::vector<Notification> expected;
        for (int i = 0; i < 2 * n; ++i) expected.push_back({7, WORD(i % 2 ? EN_CHANGE : EN_UPDATE), h});
        auto result = SameNotifications(expected, parent.Notifications());
        parent.ClearNotifications();
        return result;
    }

    ParentWindow parent;

private:
    static constexpr const char *kNamed = "<>^$#";
    static constexpr UINT kVks[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE};
    static LRESULT Step(HWND h, const std::string &step, LRESULT result) {
        static const struct { const char *name; UINT msg; } plain[] = {
            {"cut", WM_CUT}, {"copy", WM_COPY}, {"paste", WM_PASTE}, {"empty", EM_EMPTYUNDOBUFFER}};
        for (const auto &s : plain)
            if (step == s.name) return SendMessageA(h, s.msg, 0, 0), result;
        if (const int mods = step.size() < 2 ? 0 : step[0] == '+' ? kShift : step[0] == '^' ? kCtrl : step[0] == '%' ? kAltGr : 0) {
            const char *k = std::strchr(kNamed, step[1]);
            const UINT vk = step.substr(1) == "ins" ? VK_INSERT : k ? kVks[k - kNamed] : UINT(std::toupper(step[1]));
            if (mods == kCtrl && !k && vk != VK_INSERT) PostMessageA(h, WM_CHAR, vk & 0x1F, KeyParam(vk));
            if (mods == kAltGr && step.size() == 3) PostMessageA(h, WM_CHAR, static_cast<BYTE>(step[2]), 0);
            return SendKey(h, vk, mods), result;
        }
        const std::string arg = step.substr(step.find(':') + 1);
        const double n = arg == "nan" ? NAN : std::atof(arg.c_str()), n2 = std::atof(arg.substr(arg.find(':') + 1).c_str());
        const auto is = [&step](const char *name) { return step.compare(0, std::strlen(name), name) == 0; };
        char cls[16] = "";
        GetClassNameA(h, cls, sizeof cls);
        if (step == "em" || step == "wm") return SendMessageA(h, step == "em" ? EM_UNDO : WM_UNDO, 0, 0);
        if (is("range:")) return cls[2] == 'F' ? QXFloatSetRange(h, n, n2) : QXIntSetRange(h, long(n), long(n2));
        if (is("value:"))
            return cls[2] == 'I' ? QXIntSetValue(h, long(n)) : cls[2] == 'F' ? QXFloatSetValue(h, n) : QXPicSetValue(h, arg.c_str());
        if (is("time:")) return QXTime_SetTime(h, WORD(n), WORD(n2));
        if (is("format:")) return QXFloatSetFormat(h, arg.c_str());
        if (is("mask:"))  // a time edit's mask through the picture export, as hosts may
            return (cls == std::string("QXInteger") ? QXIntSetMask : cls == std::string("QXFloat") ? QXFloatSetMask
                                                                                                : QXPicSetMask)(h, arg.c_str());
        if (step == "a-bs") {  // its character queued behind, as the message loop would
            PostMessageA(h, WM_SYSCHAR, '\b', KeyParam(VK_BACK, false, true));
            SendMessageA(h, WM_SYSKEYDOWN, VK_BACK, KeyParam(VK_BACK, false, true));
            SendMessageA(h, WM_SYSKEYUP, VK_BACK, KeyParam(VK_BACK, true, true));
        } else if (is("sel:")) {
            SendMessageA(h, EM_SETSEL, WPARAM(long(n)), LPARAM(long(n2)));
        } else if (step == "click" || step == "drag") {
            MouseDown(h, 1, 5);
            if (step == "drag") MouseMove(h, 400, 5, true);
            MouseUp(h, step == "drag" ? 400 : 1, 5);
        } else if (step == "spin") {
            const POINT up = SpinArrow(h, true);
            Click(h, up.x, up.y);
        } else {
            ADD_FAILURE() << "no step " << step;
        }
        return result;
    }
};

}  // namespace qxt
