// Edits under code page 932: caret, selection, deletion and the 63-byte line keep whole characters.
#include "edit_window.h"

namespace {

const std::string A = "\x82\xa0", I = "\x82\xa2";  // two two-byte characters

class DoubleByte : public qxt::EditWindowTest {
protected:
    void SetUp() override { ASSERT_EQ(GetACP(), 932u); }
    static std::string Times(const std::string &s, int n) { return n > 0 ? s + Times(s, n - 1) : ""; }
};

// Keys on "a", A, "b", I (boundaries 0, 1, 3, 4, 6); EM_SETSEL with both ends inside characters.
TEST_F(DoubleByte, KeysStepOverWholeCharacters) {
    const struct { std::string start; const char *keys; std::string shown; } cases[] = {
        {"a" + A + "|b" + I, "<", "a|" + A + "b" + I}, {"a|" + A + "b" + I, ">", "a" + A + "|b" + I},
        {"a" + A + "b|" + I, ">", "a" + A + "b" + I + "|"}, {"a" + A + "|b" + I, "(+<)", "a]" + A + "[b" + I},
        {"a" + A + "b|" + I, "(+>)", "a" + A + "b[" + I + "]"}, {"a" + A + "|b" + I, "~", "a|b" + I},
        {"a|" + A + "b" + I, "#", "a|b" + I}, {A + I + "|", "~", A + "|"}, {"a" + A + "b" + I, "(sel:2:5)", "a[" + A + "b]" + I},
    };
    HWND h = Make("QXEdit");
    for (const auto &c : cases) {
        Start(h, c.start.c_str());
        Play(h, c.keys);
        EXPECT_EQ(Shown(h), c.shown) << c.start << " keys " << c.keys;
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

// A text or paste is cut before a character that does not fit; a typed one is refused whole.
TEST_F(DoubleByte, TheLineHoldsWholeCharacters) {
    HWND h = Make("QXEdit");
    const std::string a31 = "a" + Times(A, 31), a30 = "a" + Times(A, 30);
    const struct { std::string how, in, start, after; } cases[] = {  // how: set, paste or typed
        {"=", Times(A, 32), "", Times(A, 31)}, {"=", "a" + Times(A, 32), "", a31}, {"@", Times(A, 35), "", Times(A, 31)},
        {"", I, a30, a30 + I}, {"", I, Times(A, 31), Times(A, 31)}, {"", A + "b", "", A + "b"},
        {"=", "a\x82", "", "a"}};  // a lead byte that ends the text is no character
    for (const auto &c : cases) {
        Start(h, (c.start + "|").c_str());
        Play(h, c.how + c.in);
        EXPECT_EQ(Text(h), c.after) << c.how << " " << c.in.size() << " bytes after " << c.start.size();
    }
    // A separator of the floating-point edit is never a lead byte.
    EXPECT_FALSE(QXFloatSetFormat(Make("QXFloat"), "x\x82,"));
}

// A picture position holds one byte: no lead byte typed, a two-byte literal shows its first byte.
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
