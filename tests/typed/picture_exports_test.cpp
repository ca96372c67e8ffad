// The picture mask exports and the empty picture box through the DLL.
#include "edit_window.h"

namespace {

// The mask language: escapes, the classes (ASCII only), case conversion, literals given or supplied.
TEST(QXPicFormatText, LaysRawTextIntoTheMask) {
    const struct { const char *mask, *raw, *out; } cases[] = {  // out null: refused
        {"UU-99", "ab12", "AB-12"}, {"UU-99", "AB-12", "AB-12"}, {"UU-99", "a", "A -  "}, {"UU-99", "a1", nullptr},
        {"/9-99", "12", "9-12"},    {"/9-99", "912", "9-12"},    {"99/", "1", "1 /"},     {"/x", "q", "x"},
        {"/b///", "", "/b//"},      {"/U9", "u5", nullptr},      {"99", " 1", " 1"},      {"U", "", " "},
        {"99AaHhNnXx", "09zZfA7q\xE9\x01", "09zZfA7q\xE9\x01"}, {"LlUu", "QqbB", "qqBB"},
        {"9", "a", nullptr}, {"A", "1", nullptr}, {"a", "\xE9", nullptr}, {"H", "g", nullptr},
        {"L", "1", nullptr}, {"U", "5", nullptr}, {"N", "-", nullptr},   {"n", "\xE9", nullptr},
    };
    for (const auto &c : cases) {
        char out[32] = "";
        EXPECT_EQ(QXPicFormatText(c.mask, c.raw, out, sizeof out), c.out ? 1 : 0) << c.mask << " / " << c.raw;
        EXPECT_STREQ(out, c.out ? c.out : "") << c.mask << " / " << c.raw;
    }
}

// Nothing is written past `size` bytes, and the output is the start of the whole one.
TEST(QXPicFormatText, NeverWritesPastSize) {
    const std::string x32(32, 'X');
    for (const char *mask : {"(999) 999-99", "/9/9/9/9-", x32.c_str()})
        for (const char *raw : {"", "1234567890abcdefghijklmnopqrstuvwxyz"})
            for (int size = 1; size <= 20; ++size) {
                char whole[64], buf[40];
                std::memset(buf, 'Z', sizeof buf);
                ASSERT_TRUE(QXPicFormatText(mask, raw, whole, sizeof whole));
                EXPECT_TRUE(QXPicFormatText(mask, raw, buf, size));
                EXPECT_EQ(std::string(whole).substr(0, size - 1), buf) << mask << " size " << size;
                EXPECT_EQ(std::string(buf + size, sizeof buf - size), std::string(sizeof buf - size, 'Z'));
            }
}

// The text's width plus 3, the borders (1, plus 2-pixel edges from version 4 or the old 3-D frame), the spin.
TEST(GetPictCtlWidth, RepresentativeCharactersAndBorders) {
    HDC dc = CreateCompatibleDC(nullptr);
    const auto width = [dc](const char *chars) {
        int sum = 0;
        for (SIZE s; *chars; ++chars) sum += GetTextExtentPoint32A(dc, chars, 1, &s) ? s.cx : 0;
        return sum;
    };
    const struct { const char *mask, *measured; } cases[] = {
        {"", ""}, {nullptr, ""}, {"9AaNnUuXx", "9WWWWWWWW"}, {"HhLl", "EEww"}, {"/9/A//", "9A/"},
        {"(999) 999-99", "(999) 999-99"}, {"99:99 am", "99:99 Wm"}};
    const UINT spin = qxt::ClassicPrefix() ? 16 : 17;
    for (QXBOOL old3d : {0, 1}) {
        QXEnableOld3d(old3d);
        const UINT borders = 2 + (qxt::OsMajor() >= 4 || old3d ? 4 : 0);
        for (const auto &c : cases) {
            const UINT expected = width(c.measured) + 3 + borders;
            EXPECT_EQ(GetPictCtlWidth(c.mask, dc, 0), expected) << (c.mask ? c.mask : "null") << old3d;
            EXPECT_EQ(GetPictCtlWidth(c.mask, dc, 1), expected + spin) << (c.mask ? c.mask : "null");
        }
    }
    QXEnableOld3d(0);
    // No device context: every character fails to measure and counts 0.
    EXPECT_EQ(GetPictCtlWidth("999", nullptr, 0), GetPictCtlWidth("", dc, 0));
    DeleteDC(dc);
}

class PictureBox : public qxt::EditWindowTest {};

// Pixels that are not the window colour in the client area.
int Ink(HWND h) {
    qxt::Repaint(h);
    qxt::Pixels px(h);
    return px.CountOther(GetSysColor(COLOR_WINDOW), RECT{0, 0, px.width(), px.height()});
}

// Empty and unfocused the box hides its literals unless asked; a paste while it picks colours stays.
TEST_F(PictureBox, EmptyAndUnfocusedHidesItsLiterals) {
    HWND h = Make("QXPicture", "(999) 999-99");
    EXPECT_EQ(Ink(h), 0);
    ASSERT_TRUE(QXPicHideEmptyValues(h, 0));
    const int literals = Ink(h);
    EXPECT_GT(literals, 0);
    ASSERT_TRUE(QXPicHideEmptyValues(h, 1));
    SetFocus(h);
    HideCaret(h);
    EXPECT_EQ(Ink(h), literals);
    SetFocus(parent.hwnd());
    SendMessageA(h, EM_SETSEL, 1, 1);
    ASSERT_TRUE(qxt::SetClipboardText("5"));
    std::string seen;
    parent.onMessage = [&](UINT msg, WPARAM, LPARAM) {
        if (msg == WM_CTLCOLOREDIT && seen.empty()) seen = Text(h), SendMessageA(h, WM_PASTE, 0, 0);
    };
    EXPECT_GT(Ink(h), literals);
    parent.onMessage = nullptr;
    EXPECT_EQ(seen, "(   )    -  ");
    EXPECT_EQ(Text(h), "(5  )    -  ");
}

}  // namespace
