// Shared by the edit window tests: every class registered once for the
// program, as by a host; a bitmap font with fixed widths; text read back.
#pragma once
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "harness.h"
#include "qx_cntl.h"

namespace qxt {

class RegisteredControls : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_EQ(RegisterQXCtls(HostInstance()), 1); }
    void TearDown() override { UnregisterQXCtls(HostInstance()); }
};

// Text pixels of this font are exactly the text colour.
inline HFONT TestFont() {
    static HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                                    "MS Sans Serif");
    return font;
}

// Width of the first n characters of text in the test font.
inline int TestWidth(const char *text, int n) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, TestFont());
    SIZE s = {0, 0};
    GetTextExtentPoint32A(dc, text, n, &s);
    SelectObject(dc, old);
    DeleteDC(dc);
    return s.cx;
}

inline std::string Text(HWND e) {
    char buf[80] = {};
    SendMessageA(e, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return buf;
}

}  // namespace qxt
