// Typed edit windows through the DLL: the classes registered for the suite, a
// recording parent, keys played as a script, and a line with its selection
// written as one string: '|' marks the caret with no selection, '[' the
// anchor and ']' the caret of a selection ("12|3", "1[23]", "1]23[").
#pragma once
#include <windows.h>

#include <algorithm>
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
    // Characters are typed; '<' and '>' are the arrows, '^' Home, '$' End,
    // '#' Delete, '~' Backspace, '{' and '}' a wheel notch up and down, '!'
    // clears the selection; what follows '@' is pasted, what follows '=' set.
    static void Play(HWND h, const char *keys) {
        static const char named[] = "<>^$#";
        static const UINT vks[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE};
        for (const char *p = keys; *p; ++p) {
            if (*p == '@' && SetClipboardText(p + 1)) return (void)SendMessageA(h, WM_PASTE, 0, 0);
            if (*p == '=') return (void)SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(p + 1));
            if (const char *k = std::strchr(named, *p))
                SendKey(h, vks[k - named]);
            else if (*p == '{' || *p == '}')
                Wheel(h, *p == '{' ? 120 : -120);
            else if (*p == '!')
                SendMessageA(h, WM_CLEAR, 0, 0);
            else
                SendChar(h, *p == '~' ? '\b' : *p);
        }
    }
public:
    static std::string Text(HWND h) {
        char buf[80] = {};
        SendMessageA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
        return buf;
    }
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
    // The parent saw n accepted changes (EN_UPDATE and EN_CHANGE each), then
    // the codes given; the record is cleared.
    ::testing::AssertionResult Saw(HWND h, int n, std::vector<WORD> codes = {}) {
        std::vector<Notification> expected;
        for (int i = 0; i < 2 * n; ++i) expected.push_back({7, WORD(i % 2 ? EN_CHANGE : EN_UPDATE), h});
        for (WORD code : codes) expected.push_back({7, code, h});
        auto result = SameNotifications(expected, parent.Notifications());
        parent.ClearNotifications();
        return result;
    }

    ParentWindow parent;
};

}  // namespace qxt
