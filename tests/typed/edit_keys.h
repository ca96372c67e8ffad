// Driving an edit window as a user would, and reading it back, for the typed
// edits' tests.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "harness.h"
#include "text_notation.h"

namespace qxt {

// Plays a key sequence: printable characters are typed; '<' and '>' are the
// Left and Right arrows, '^' Home, '$' End, '#' Delete and '~' Backspace.
inline void Play(HWND hwnd, const char *keys) {
    for (const char *p = keys; *p; ++p) {
        switch (*p) {
        case '<': SendKey(hwnd, VK_LEFT); break;
        case '>': SendKey(hwnd, VK_RIGHT); break;
        case '^': SendKey(hwnd, VK_HOME); break;
        case '$': SendKey(hwnd, VK_END); break;
        case '#': SendKey(hwnd, VK_DELETE); break;
        case '~': SendChar(hwnd, '\b'); break;
        default: SendChar(hwnd, *p); break;
        }
    }
}

inline std::string TextOf(HWND hwnd) {
    char buf[128] = {};
    SendMessageA(hwnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return buf;
}

// The text with its selection marked (see text_notation.h).
inline std::string Shown(HWND hwnd) {
    DWORD anchor = 0, caret = 0;
    SendMessageA(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&anchor),
                 reinterpret_cast<LPARAM>(&caret));
    return Marked(TextOf(hwnd), static_cast<int>(anchor), static_cast<int>(caret));
}

// What the parent sees for n accepted changes of a control.
inline std::vector<Notification> Changes(HWND hwnd, int n) {
    const WORD id = static_cast<WORD>(GetDlgCtrlID(hwnd));
    std::vector<Notification> out;
    for (int i = 0; i < n; ++i) {
        out.push_back({id, EN_UPDATE, hwnd});
        out.push_back({id, EN_CHANGE, hwnd});
    }
    return out;
}

}  // namespace qxt
