// What a bitmap button draws, read back as pixels, with a theme and in the
// classic look: the face and its rings, centring of the picture, the pressed
// shift, transparency, icons, and the greyed pictures of a disabled button
// with their cache.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "button_fixture.h"
#include "harness.h"
#include "qx_cntl.h"
#include "qx_util.h"

namespace {

const COLORREF kClear = RGB(192, 192, 192);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

COLORREF Sys(int index) { return GetSysColor(index); }

class BmpBtnDraw : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(classes.ok()); }

    HWND Make(int w, int h, HBITMAP bmp = nullptr, HICON icon = nullptr, DWORD style = 0) {
        HWND btn = parent.CreateChild("QXBmpButton", "", style, 10, 10, w, h, 3);
        if (bmp) QXBtn_SetBitmap(btn, bmp);
        if (icon) QXBtn_SetIcon(btn, icon);
        qxt::Repaint(btn);
        return btn;
    }

    // The themed face of a w x h button, without picture.
    static void Reference(bt::Canvas &c, HWND btn, int state = 1, bool focus = false) {
        bt::DrawThemedPush(c, btn, state, focus);
    }

    bt::ButtonClasses classes;
    qxt::ParentWindow parent;
};

// Every visible pixel of the coded picture's box holds its own coordinates.
::testing::AssertionResult ShowsCodedPicture(const qxt::Pixels &p, POINT origin, int pw, int ph) {
    for (int y = 0; y < ph; ++y) {
        for (int x = 0; x < pw; ++x) {
            const int wx = origin.x + x, wy = origin.y + y;
            if (wx < 0 || wy < 0 || wx >= p.width() || wy >= p.height()) continue;
            if (p.At(wx, wy) != bt::Coded(x, y))
                return ::testing::AssertionFailure()
                       << "picture pixel " << x << "," << y << " at " << wx << "," << wy << " is "
                       << qxt::Describe(p.At(wx, wy));
        }
    }
    return ::testing::AssertionSuccess();
}

// ---- The face ------------------------------------------------------------------------

TEST_F(BmpBtnDraw, FaceRingsAndFocusMark) {
    const int w = 40, h = 30;
    struct Ring {
        COLORREF topLeft, bottomRight;
    };
    const COLORREF black = RGB(0, 0, 0);
    const Ring light{Sys(COLOR_3DLIGHT), Sys(COLOR_3DDKSHADOW)};
    const Ring inner{Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW)};
    const Ring sunk{Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW)};
    const Ring focus{black, black};
    struct {
        const char *name;
        bool pressed, focused;
        std::vector<Ring> rings;  // classic, outermost first; the face follows
        int themedState;
    } cases[] = {
        {"normal", false, false, {light, inner}, 1},
        {"pressed", true, false, {sunk}, 3},
        {"focused", false, true, {focus, light, inner}, 1},
        {"focused and pressed", true, true, {focus, sunk}, 3},
    };
    HWND edit = parent.CreateChild("EDIT", "", 0, 200, 10, 80, 20, 9);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        HWND btn = Make(w, h);
        SetFocus(c.focused ? btn : edit);
        if (c.pressed) SendMessageA(btn, WM_KEYDOWN, VK_SPACE, 1);
        qxt::Repaint(btn);
        qxt::Pixels p(btn);
        if (bt::Themed()) {
            bt::Canvas ref(w, h, 0);
            Reference(ref, btn, c.themedState, c.focused);
            EXPECT_EQ(bt::Mismatches(p, ref), 0);
        } else {
            int k = 0;
            for (const Ring &r : c.rings) {
                EXPECT_EQ(p.At(k, h / 2), r.topLeft) << "left of ring " << k;
                EXPECT_EQ(p.At(w / 2, k), r.topLeft) << "top of ring " << k;
                EXPECT_EQ(p.At(k, k), r.topLeft) << "top-left corner of ring " << k;
                EXPECT_EQ(p.At(w - 1 - k, h / 2), r.bottomRight) << "right of ring " << k;
                EXPECT_EQ(p.At(w / 2, h - 1 - k), r.bottomRight) << "bottom of ring " << k;
                EXPECT_EQ(p.At(w - 1 - k, k), r.bottomRight) << "top-right corner of ring " << k;
                EXPECT_EQ(p.At(k, h - 1 - k), r.bottomRight) << "bottom-left corner of ring " << k;
                ++k;
            }
            const RECT face = {k, k, w - k, h - k};
            EXPECT_EQ(p.CountOther(Sys(COLOR_BTNFACE), face), 0) << "face inside the rings";
        }
        DestroyWindow(btn);
    }
}

// ---- Where the picture goes --------------------------------------------------------

TEST_F(BmpBtnDraw, PictureCentredWithOddPixelRightAndBelow) {
    struct {
        int bw, bh, pw, ph;
        bool pressed;
        POINT classic, themed;
    } cases[] = {
        // Interior 36 x 26 in classic, 27 and 19 spare pixels: 13 left, 14 right.
        {40, 30, 9, 7, false, {15, 11}, {15, 11}},
        {40, 30, 9, 7, true, {16, 12}, {15, 11}},
        {41, 31, 10, 8, false, {15, 11}, {15, 11}},
        {41, 31, 10, 8, true, {16, 12}, {15, 11}},
        {20, 18, 16, 14, false, {2, 2}, {2, 2}},
        // Larger than the button: negative, truncated toward zero, clipped.
        {40, 30, 61, 51, false, {-10, -10}, {-10, -10}},
        {40, 30, 61, 51, true, {-9, -9}, {-10, -10}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.bw << "x" << c.bh << " " << c.pw << "x" << c.ph
                                          << (c.pressed ? " pressed" : ""));
        HWND btn = Make(c.bw, c.bh, bt::MakeBitmap(c.pw, c.ph, bt::Coded));
        if (c.pressed) SendMessageA(btn, WM_KEYDOWN, VK_SPACE, 1);
        qxt::Pixels p(btn);
        POINT origin;
        ASSERT_TRUE(bt::CodedOrigin(p, &origin));
        const POINT want = bt::Themed() ? c.themed : c.classic;
        EXPECT_EQ(origin.x, want.x);
        EXPECT_EQ(origin.y, want.y);
        EXPECT_TRUE(ShowsCodedPicture(p, origin, c.pw, c.ph));
        DestroyWindow(btn);
    }
}

// ---- Transparency ----------------------------------------------------------------------

TEST_F(BmpBtnDraw, TransparentColourShowsTheFace) {
    const int w = 40, h = 30;
    // 8 x 8: a two-pixel border of the transparent colour around red.
    auto framed = [](int x, int y) { return x < 2 || y < 2 || x >= 6 || y >= 6 ? kClear : kRed; };
    HBITMAP bmp = bt::MakeBitmap(8, 8, framed);
    HWND btn = Make(w, h, bmp);
    const POINT at = {16, 11};
    qxt::Pixels p(btn);
    bt::Canvas ref(w, h, 0);
    if (bt::Themed()) Reference(ref, btn);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const COLORREF want = framed(x, y) == kRed ? kRed
                                  : bt::Themed()     ? ref.At(at.x + x, at.y + y)
                                                     : Sys(COLOR_BTNFACE);
            ASSERT_EQ(p.At(at.x + x, at.y + y), want) << x << "," << y;
        }
    }
    // The classic look rewrites the bitmap itself; the themed look never does.
    const std::vector<COLORREF> now = bt::BitmapPixels(bmp);
    EXPECT_EQ(now[0], bt::Themed() ? kClear : Sys(COLOR_BTNFACE));
    EXPECT_EQ(now[3 * 8 + 3], kRed);
}

// The classic look replaces the colour only when the top-left pixel has it;
// the themed look makes every such pixel transparent.
TEST_F(BmpBtnDraw, TransparentColourAwayFromTheCorner) {
    const int w = 40, h = 30;
    auto dotted = [](int x, int y) { return x == 3 && y == 3 ? kClear : kRed; };
    HBITMAP bmp = bt::MakeBitmap(8, 8, dotted);
    HWND btn = Make(w, h, bmp);
    qxt::Pixels p(btn);
    bt::Canvas ref(w, h, 0);
    if (bt::Themed()) Reference(ref, btn);
    EXPECT_EQ(p.At(16 + 3, 11 + 3), bt::Themed() ? ref.At(19, 14) : kClear);
    EXPECT_EQ(p.At(16, 11), kRed);
    EXPECT_EQ(bt::BitmapPixels(bmp)[3 * 8 + 3], kClear);
}

// ---- Icons -----------------------------------------------------------------------------

// An icon-only button shows its icon at 16 x 16, centred, in both looks.
TEST_F(BmpBtnDraw, IconCentredWithItsTransparency) {
    const int w = 40, h = 30;
    HICON icon = bt::MakeIcon(kBlue, 4);
    for (bool pressed : {false, true}) {
        SCOPED_TRACE(pressed ? "pressed" : "normal");
        HWND btn = Make(w, h, nullptr, icon);
        if (pressed) SendMessageA(btn, WM_KEYDOWN, VK_SPACE, 1);
        qxt::Pixels p(btn);
        const POINT at = pressed && !bt::Themed() ? POINT{13, 8} : POINT{12, 7};
        bt::Canvas ref(w, h, 0);
        if (bt::Themed()) Reference(ref, btn, pressed ? 3 : 1);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const COLORREF want = x >= 4         ? kBlue
                                      : bt::Themed() ? ref.At(at.x + x, at.y + y)
                                                     : Sys(COLOR_BTNFACE);
                ASSERT_EQ(p.At(at.x + x, at.y + y), want) << x << "," << y;
            }
        }
        const RECT box = {at.x, at.y, at.x + 16, at.y + 16};
        EXPECT_EQ(p.Count(kBlue), p.Count(kBlue, box)) << "nothing blue outside the icon";
        DestroyWindow(btn);
    }
    DestroyIcon(icon);
}

TEST_F(BmpBtnDraw, BitmapWinsOverIconUntilRemoved) {
    HICON icon = bt::MakeIcon(kBlue);
    HWND btn = Make(40, 30, bt::MakeBitmap(9, 7, bt::Coded), icon);
    qxt::Pixels both(btn);
    POINT origin;
    EXPECT_TRUE(bt::CodedOrigin(both, &origin));
    EXPECT_EQ(both.Count(kBlue), 0);
    ASSERT_EQ(QXBtn_SetBitmap(btn, nullptr), 1);
    qxt::Repaint(btn);
    qxt::Pixels iconOnly(btn);
    EXPECT_FALSE(bt::CodedOrigin(iconOnly, &origin));
    EXPECT_EQ(iconOnly.Count(kBlue), 16 * 16);
    DestroyWindow(btn);
    DestroyIcon(icon);
}

// ---- Greyed pictures -------------------------------------------------------------------

// What the greying library makes of one colour, with the current colours.
COLORREF GreyOf(COLORREF c) {
    HBITMAP one = bt::MakeBitmap(1, 1, [c](int, int) { return c; });
    HBITMAP grey = CreateDisabledImage24(one, kClear, Sys(COLOR_BTNFACE), Sys(COLOR_BTNSHADOW), nullptr,
                                         nullptr, nullptr);
    const COLORREF out = bt::BitmapPixels(grey)[0];
    DeleteObject(grey);
    DeleteObject(one);
    return out;
}

COLORREF GreyIconOf(COLORREF c) {
    HICON icon = bt::MakeIcon(c);
    HICON grey = CreateDisabledIcon24(icon, Sys(COLOR_BTNFACE), Sys(COLOR_BTNSHADOW));
    bt::Canvas canvas(16, 16, RGB(0, 255, 0));
    DrawIconEx(canvas.dc(), 0, 0, grey, 16, 16, 0, nullptr, DI_NORMAL);
    DestroyIcon(grey);
    DestroyIcon(icon);
    return canvas.At(8, 8);
}

TEST_F(BmpBtnDraw, CreatedDisabledShowsTheNormalPictureUntilWmEnable) {
    const RECT box = {15, 11, 24, 18};
    HWND btn = Make(40, 30, bt::MakeBitmap(9, 7, [](int, int) { return kRed; }), nullptr, WS_DISABLED);
    EXPECT_EQ(qxt::Pixels(btn).Count(kRed, box), 9 * 7);
    SendMessageA(btn, WM_ENABLE, FALSE, 0);
    qxt::Pump();
    qxt::Pixels p(btn);
    const COLORREF grey = GreyOf(kRed);
    ASSERT_NE(grey, kRed);
    EXPECT_EQ(p.Count(grey, box), 9 * 7);
    // The frame stays the normal one.
    if (bt::Themed()) {
        bt::Canvas ref(40, 30, 0);
        Reference(ref, btn);
        EXPECT_EQ(bt::Mismatches(p, ref, box), 0);
    } else {
        EXPECT_EQ(p.At(0, 15), Sys(COLOR_3DLIGHT));
        EXPECT_EQ(p.At(1, 15), Sys(COLOR_BTNHIGHLIGHT));
    }
    SendMessageA(btn, WM_ENABLE, TRUE, 0);
    qxt::Pump();
    EXPECT_EQ(qxt::Pixels(btn).Count(kRed, box), 9 * 7);
}

TEST_F(BmpBtnDraw, DisabledIconIsGreyed) {
    HICON icon = bt::MakeIcon(kBlue, 4);
    HWND btn = Make(40, 30, nullptr, icon);
    EnableWindow(btn, FALSE);
    qxt::Pump();
    qxt::Pixels p(btn);
    const COLORREF grey = GreyIconOf(kBlue);
    ASSERT_NE(grey, kBlue);
    EXPECT_EQ(p.Count(kBlue), 0);
    EXPECT_EQ(p.Count(grey, RECT{16, 7, 28, 23}), 12 * 16);
    bt::Canvas ref(40, 30, 0);
    if (bt::Themed()) Reference(ref, btn);
    EXPECT_EQ(p.At(12, 7), bt::Themed() ? ref.At(12, 7) : Sys(COLOR_BTNFACE)) << "clear columns stay clear";
    DestroyWindow(btn);
    DestroyIcon(icon);
}

// Bitmaps of 8 bits per pixel or fewer are greyed by the system's embossing;
// their transparent background stays background, not a grey block.
TEST_F(BmpBtnDraw, DisabledPaletteBitmapKeepsItsBackground) {
    const int w = 40, h = 30;
    auto square = [](int x, int y) { return x >= 4 && x < 8 && y >= 3 && y < 7 ? RGB(0, 0, 0) : kClear; };
    for (int bpp : {8, 4, 1}) {
        SCOPED_TRACE(bpp);
        HWND btn = Make(w, h, bt::MakeBitmap(12, 10, square, bpp));
        EnableWindow(btn, FALSE);
        qxt::Pump();
        qxt::Pixels p(btn);
        const POINT at = {14, 10};
        bt::Canvas ref(w, h, 0);
        if (bt::Themed()) Reference(ref, btn);
        int shadow = 0;
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 12; ++x) {
                const COLORREF got = p.At(at.x + x, at.y + y);
                EXPECT_NE(got, RGB(0, 0, 0)) << x << "," << y;
                if (got == Sys(COLOR_BTNSHADOW)) ++shadow;
                // Away from the embossed square (and its one-pixel shift):
                // the face, as if transparent.
                const bool nearSquare = x >= 4 && x <= 8 && y >= 3 && y <= 7;
                if (!nearSquare) {
                    const COLORREF face = bt::Themed() ? ref.At(at.x + x, at.y + y) : Sys(COLOR_BTNFACE);
                    EXPECT_EQ(got, face) << x << "," << y;
                }
            }
        }
        EXPECT_EQ(shadow, 16) << "the square is drawn in the shadow colour";
        DestroyWindow(btn);
    }
}

// A greyed copy is made once, kept while the picture stays, and dropped when
// the picture is replaced.
TEST_F(BmpBtnDraw, GreyedCopiesAreCachedUntilThePictureChanges) {
    const RECT box = {15, 11, 24, 18};
    HBITMAP red = bt::MakeBitmap(9, 7, [](int, int) { return kRed; });
    HWND btn = Make(40, 30, red);
    EnableWindow(btn, FALSE);
    qxt::Repaint(btn);
    const COLORREF greyRed = GreyOf(kRed), greyBlue = GreyOf(kBlue);
    ASSERT_NE(greyRed, greyBlue);
    EXPECT_EQ(qxt::Pixels(btn).Count(greyRed, box), 9 * 7);

    // The host paints into the bitmap it handed over: the copy made before
    // is still the one shown.
    {
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, red);
        RECT all = {0, 0, 9, 7};
        HBRUSH blue = CreateSolidBrush(kBlue);
        FillRect(mem, &all, blue);
        DeleteObject(blue);
        SelectObject(mem, old);
        DeleteDC(mem);
    }
    qxt::Repaint(btn);
    EXPECT_EQ(qxt::Pixels(btn).Count(greyRed, box), 9 * 7) << "made once";

    HBITMAP blue = bt::MakeBitmap(9, 7, [](int, int) { return kBlue; });
    ASSERT_EQ(QXBtn_SetBitmap(btn, blue), 1);
    qxt::Pump();
    EXPECT_EQ(qxt::Pixels(btn).Count(greyBlue, box), 9 * 7) << "dropped by SetBitmap";
    DeleteObject(red);

    // The same for icons.
    HICON black = bt::MakeIcon(RGB(0, 0, 0)), white = bt::MakeIcon(RGB(255, 255, 255));
    const RECT iconBox = {12, 7, 28, 23};
    ASSERT_EQ(QXBtn_SetBitmap(btn, nullptr), 1);
    ASSERT_EQ(QXBtn_SetIcon(btn, black), 1);
    qxt::Pump();
    const COLORREF greyBlack = GreyIconOf(RGB(0, 0, 0)), greyWhite = GreyIconOf(RGB(255, 255, 255));
    ASSERT_NE(greyBlack, greyWhite);
    EXPECT_EQ(qxt::Pixels(btn).Count(greyBlack, iconBox), 256);
    ASSERT_EQ(QXBtn_SetIcon(btn, white), 1);
    qxt::Pump();
    EXPECT_EQ(qxt::Pixels(btn).Count(greyWhite, iconBox), 256) << "dropped by SetIcon";
    DestroyWindow(btn);
    DestroyIcon(black);
    DestroyIcon(white);
    DeleteObject(blue);
}

}  // namespace
