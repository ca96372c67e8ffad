// Typed edit windows through the DLL: the classes registered for the suite,
// a recording parent, keys played as a script, text and selection read back.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "harness.h"
#include "qx_cntl.h"

namespace qxt {

constexpr int kEditId = 7;

class EditWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(RegisterQXCtls(HostInstance()), 1); }
    static void TearDownTestSuite() { UnregisterQXCtls(HostInstance()); }

    // The mask is the window text; the notifications of creation are dropped.
    HWND Make(const char *cls, const char *mask, DWORD style = 0) {
        HWND h = parent.CreateChild(cls, mask, style, 10, 10, 160, 22, kEditId);
        parent.ClearNotifications();
        return h;
    }
    // Characters are typed; '\b' is Backspace, '\x7f' Delete, '\x01' Left.
    static void Play(HWND h, const char *keys) {
        for (; *keys; ++keys) {
            if (*keys == '\x7f')
                SendKey(h, VK_DELETE);
            else if (*keys == '\x01')
                SendKey(h, VK_LEFT);
            else
                SendChar(h, *keys);
        }
    }
    static std::string Text(HWND h) {
        char buf[80] = {};
        SendMessageA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
        return buf;
    }
    static std::pair<int, int> Sel(HWND h) {
        DWORD anchor = 0, caret = 0;
        SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&anchor), reinterpret_cast<LPARAM>(&caret));
        return {static_cast<int>(anchor), static_cast<int>(caret)};
    }
    // n accepted changes: EN_UPDATE and EN_CHANGE each.
    static std::vector<Notification> Changes(HWND h, int n) {
        std::vector<Notification> out;
        for (int i = 0; i < n; ++i) {
            out.push_back({kEditId, EN_UPDATE, h});
            out.push_back({kEditId, EN_CHANGE, h});
        }
        return out;
    }

    ParentWindow parent;
};

}  // namespace qxt
