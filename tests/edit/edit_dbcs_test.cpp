// Edit windows under code page 932, where a lead byte and the byte after it
// are one character: the caret, the selection by keys, by the mouse and by
// EM_SETSEL, deletion, the 63-byte line, typing, paste and new text all step
// over whole characters; a picture's positions hold one byte each. A
// character is typed as the system delivers it to a window of this code
// page: its lead byte, then its trail byte, each a WM_CHAR.
#include <cstdlib>

#include "edit_window.h"

namespace {

const std::string A = "\x82\xa0", I = "\x82\xa2";  // two two-byte characters

class DoubleByte : public qxt::EditWindowTest {
protected:
    void SetUp() override { ASSERT_EQ(GetACP(), 932u); }
    static void Type(HWND h, const std::string &chars) {
        for (char b : chars) SendMessageA(h, WM_CHAR, static_cast<BYTE>(b), 0);
    }
    static std::string Times(const std::string &s, int n) {
        std::string all;
        while (n-- > 0) all += s;
        return all;
    }
};

// Keys on "a", A, "b", I (boundaries 0, 1, 3, 4 and 6); VK_BACK is a typed
// Backspace, and the last row is EM_SETSEL with both ends inside characters.
TEST_F(DoubleByte, KeysStepOverWholeCharacters) {
    const struct { std::string start; UINT vk; int mods; std::string shown; } cases[] = {
        {"a" + A + "|b" + I, VK_LEFT, qxt::kNoMods, "a|" + A + "b" + I},
        {"a|" + A + "b" + I, VK_RIGHT, qxt::kNoMods, "a" + A + "|b" + I},
        {"a" + A + "b|" + I, VK_RIGHT, qxt::kNoMods, "a" + A + "b" + I + "|"},
        {"a" + A + "|b" + I, VK_LEFT, qxt::kShift, "a]" + A + "[b" + I},
        {"a" + A + "b|" + I, VK_RIGHT, qxt::kShift, "a" + A + "b[" + I + "]"},
        {"a" + A + "|b" + I, VK_BACK, qxt::kNoMods, "a|b" + I},
        {"a|" + A + "b" + I, VK_DELETE, qxt::kNoMods, "a|b" + I},
        {A + I + "|", VK_BACK, qxt::kNoMods, A + "|"},
        {"a" + A + "b" + I, EM_SETSEL, 0, "a[" + A + "b]" + I},
    };
    HWND h = Make("QXEdit");
    for (const auto &c : cases) {
        Start(h, c.start.c_str());
        if (c.vk == EM_SETSEL)
            SendMessageA(h, EM_SETSEL, 2, 5);
        else if (c.vk == VK_BACK)
            qxt::SendChar(h, '\b');
        else
            qxt::SendKey(h, c.vk, c.mods);
        EXPECT_EQ(Shown(h), c.shown) << c.start << " key " << c.vk;
    }
}

// A click puts the caret on the boundary between characters nearest to it.
TEST_F(DoubleByte, ClicksLandBetweenCharacters) {
    const std::string text = A + "a" + I + I + "b" + A;
    const int bounds[] = {0, 2, 3, 5, 7, 8, 10};
    HWND h = Make("QXEdit");  // in the system font
    Start(h, text.c_str());
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    int x[7];
    for (int i = 0; i < 7; ++i) {
        SIZE s = {0, 0};
        GetTextExtentPoint32A(dc, text.c_str(), bounds[i], &s);
        x[i] = 1 + s.cx;
    }
    DeleteDC(dc);
    for (int px = 0; px <= x[6] + 2; ++px) {
        int best = 0;
        for (int i = 1; i < 7; ++i) best = abs(x[i] - px) <= abs(x[best] - px) ? i : best;
        qxt::Click(h, px, 5);
        EXPECT_EQ(SendMessageA(h, EM_GETSEL, 0, 0) >> 16, bounds[best]) << px;
    }
}

// The 63 bytes of the line hold whole characters only: a text or a paste is
// cut before a character that does not fit (or is cut short), and a typed
// character that does not fit is refused whole.
TEST_F(DoubleByte, TheLineHoldsWholeCharacters) {
    HWND h = Make("QXEdit");
    const std::string a31 = "a" + Times(A, 31), a30 = "a" + Times(A, 30);
    const struct { const char *how; std::string in, start, after; } cases[] = {
        {"set", Times(A, 32), "", Times(A, 31)}, {"set", "a" + Times(A, 32), "", a31},
        {"paste", Times(A, 35), "", Times(A, 31)}, {"type", I, a30, a30 + I}, {"type", I, Times(A, 31), Times(A, 31)},
        {"type", A + "b", "", A + "b"}, {"set", "a\x82", "", "a"}};  // a lead byte that ends the text is no character
    for (const auto &c : cases) {
        Start(h, (c.start + "|").c_str());
        if (c.how[0] == 's')
            SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.in.c_str()));
        else if (c.how[0] == 'p')
            Play(h, ("@" + c.in).c_str());
        else
            Type(h, c.in);
        EXPECT_EQ(Text(h), c.after) << c.how << " " << c.in.size() << " bytes after " << c.start.size();
    }
    // A separator of the floating-point edit is never a lead byte.
    EXPECT_FALSE(QXFloatSetFormat(Make("QXFloat"), "x\x82,"));
}

// In a picture a position holds one byte, so no placeholder takes a lead
// byte, and a two-byte literal of the mask is one position showing its
// first byte.
TEST_F(DoubleByte, PictureHoldsOneByteAPosition) {
    const std::string literal = "\x81\x40";
    HWND h = Make("QXPicture", (literal + "XX9").c_str());
    Start(h, (literal + A + "1").c_str());
    EXPECT_EQ(Shown(h), "|\x81 1 ");
    Play(h, "\xb1");  // a one-byte character of the code page
    EXPECT_EQ(Shown(h), "\x81\xb1|1 ");
    Play(h, ("@" + A).c_str());
    EXPECT_EQ(Shown(h), "\x81\xb1|1 ");
    EXPECT_TRUE(Saw(h, 1));
}

}  // namespace
