// Helpers for tests of typed edit windows through the DLL: a registered
// library, a recording parent, keys typed as a script, the text and the
// selection read back with the standard messages.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "harness.h"
#include "qx_cntl.h"

namespace qxt {

constexpr int kEditId = 7;
// Keys of a script that are not characters.
constexpr char kDeleteKey = '\x7f';
constexpr char kLeftKey = '\x01';

class EditWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(RegisterQXCtls(HostInstance()), 1); }
    static void TearDownTestSuite() { UnregisterQXCtls(HostInstance()); }

    // An edit window of the class with the mask as its window text; the
    // notifications of its creation are forgotten.
    HWND Make(const char *cls, const char *mask, DWORD style = 0) {
        HWND h = parent.CreateChild(cls, mask, style, 10, 10, 160, 22, kEditId);
        parent.ClearNotifications();
        return h;
    }
    // Plays a script: characters are typed, '\b' is Backspace, kDeleteKey
    // the Delete key, kLeftKey the Left arrow.
    static void Play(HWND h, const char *keys) {
        for (; *keys; ++keys) {
            if (*keys == kDeleteKey)
                SendKey(h, VK_DELETE);
            else if (*keys == kLeftKey)
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
    // `changes` accepted changes of window h: EN_UPDATE and EN_CHANGE each.
    static std::vector<Notification> Changes(HWND h, int changes) {
        std::vector<Notification> out;
        for (int i = 0; i < changes; ++i) {
            out.push_back({kEditId, EN_UPDATE, h});
            out.push_back({kEditId, EN_CHANGE, h});
        }
        return out;
    }

    ParentWindow parent;
};

}  // namespace qxt
