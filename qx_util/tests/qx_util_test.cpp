// The greying library through its DLL: greyed copies of bitmaps and of icons
// of three kinds, their transparency, the untouched sources, and null for
// failures. Pixels are 32-bit values, 0x00RRGGBB; the colours given to the
// library are greys, the same either way round.
#include <gtest/gtest.h>

#include <vector>

#include "qx_util.h"

const DWORD kClear = 0xC0C0C0, kWhite = 0xFFFFFF, kGreen = 0x00FF00, kFace = 0xD0D0D0, kShadow = 0x808080;

// Writes `px` into a w x h bitmap when given; reads its pixels back.
static std::vector<DWORD> Bits(HBITMAP bmp, int w, int h, std::vector<DWORD> px = {}) {
    BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    HDC dc = CreateCompatibleDC(nullptr);
    if (!px.empty()) SetDIBits(dc, bmp, 0, h, px.data(), &bi, DIB_RGB_COLORS);
    px.resize(w * h);
    GetDIBits(dc, bmp, 0, h, px.data(), &bi, DIB_RGB_COLORS), DeleteDC(dc);
    return px;
}
// A w x h DIB section of bpp bits holding `px`, row by row.
static HBITMAP Make(int bpp, int w, int h, const std::vector<DWORD> &px) {
    BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), w, -h, 1, WORD(bpp), BI_RGB, 0, 0, 0, 0, 0}, {}};
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, nullptr, nullptr, 0);
    return Bits(bmp, w, h, px), bmp;
}

// Black takes the shadow colour, white the face colour, other colours a grey
// in between, darker staying darker; pixels of the transparent colour keep it
// and no other pixel takes it (white, on a face of that very colour, lands a
// step off). The copy has the source's size; the source is untouched. No
// bitmap or icon, a handle of nothing or of another object gives null and
// leaves the size alone.
TEST(QxUtil, GreyedBitmapsAndFailures) {
    const std::vector<DWORD> src = {kClear, 0, kWhite, 0x404040, 0xC80000, 0xA0A0A0};
    const struct { int bpp; DWORD face, shadow, white; } cases[] = {
        {24, kFace, kShadow, kFace}, {32, kFace, kShadow, kFace}, {32, kClear, 0, 0xC0C0C1}};
    for (const auto &c : cases) {
        HBITMAP bmp = Make(c.bpp, 3, 2, src);
        int w = 0, h = 0;
        HBITMAP grey = CreateDisabledImage24(bmp, kClear, c.face, c.shadow, &w, &h, nullptr);
        const std::vector<DWORD> out = Bits(grey, 3, 2);
        EXPECT_EQ(std::vector<DWORD>(out.begin(), out.begin() + 3), std::vector<DWORD>({kClear, c.shadow, c.white}));
        for (int i : {3, 4, 5}) EXPECT_TRUE(out[i] % 0x010101 == 0 && out[i] > c.shadow && out[i] < c.face) << i;
        EXPECT_TRUE(out[3] < out[5] && w == 3 && h == 2 && Bits(bmp, 3, 2) == src) << c.bpp;
        DeleteObject(grey), DeleteObject(bmp);
    }
    int w = -7;
    for (HANDLE bad : {HANDLE(nullptr), HANDLE(INT_PTR(0x12345678)), GetStockObject(BLACK_BRUSH)})
        EXPECT_TRUE(!CreateDisabledImage24(HBITMAP(bad), kClear, 0, 0, &w, nullptr, nullptr) &&
                    !CreateDisabledIcon24(HICON(bad), 0, 0) && w == -7) << bad;
}

// Exact tones, rounded to the nearest at both steps: the brightness of a
// pixel (luma weights), and its place between the shadow and the face
// colours. A grey of brightness 105 lies 32.94 steps above the shadow on a
// range of 80; a red of 2 has a brightness of 0.598.
TEST(QxUtil, ExactTones) {
    const struct { DWORD pixel, face, shadow, tone; } cases[] = {
        {0x696969, 0xD0D0D0, 0x808080, 0xA1A1A1}, {0x020000, 0xFFFFFF, 0x000000, 0x010101}};
    for (const auto &c : cases) {
        HBITMAP bmp = Make(32, 1, 1, {c.pixel});
        HBITMAP grey = CreateDisabledImage24(bmp, kClear, c.face, c.shadow, nullptr, nullptr, nullptr);
        EXPECT_EQ(Bits(grey, 1, 1)[0] & 0xFFFFFF, c.tone) << std::hex << c.pixel;
        DeleteObject(grey), DeleteObject(bmp);
    }
}

// 16 x 16 icons whose left half is transparent (by the mask, by the alpha
// bytes, or in a monochrome icon), the right half black above white: greyed
// and drawn on green, the left half shows green, the right half the shadow
// colour above the face colour.
TEST(QxUtil, GreyedIcons) {
    for (int kind : {0, 1, 2}) {  // masked, alpha, monochrome
        BYTE mask[64] = {};
        std::vector<DWORD> px(256), out(256, kGreen);
        for (int y = 0; y < 16; ++y) mask[2 * y] = kind == 1 ? 0 : 0xFF, mask[33 + 2 * y] = y < 8 ? 0 : 0xFF;
        for (int i = 0; i < 256; ++i) px[i] = i & 8 ? (i < 128 ? 0 : kWhite) | (kind == 1 ? 0xFF000000 : 0) : 0;
        ICONINFO info = {TRUE, 0, 0, CreateBitmap(16, kind == 2 ? 32 : 16, 1, 1, mask),
                         kind == 2 ? nullptr : Make(32, 16, 16, px)};
        HICON icon = CreateIconIndirect(&info), grey = CreateDisabledIcon24(icon, kFace, kShadow);
        HBITMAP canvas = Make(32, 16, 16, out);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, canvas);
        DrawIconEx(dc, 0, 0, grey, 16, 16, 0, nullptr, DI_NORMAL);
        SelectObject(dc, old), DeleteDC(dc), out = Bits(canvas, 16, 16);
        for (int i = 0; i < 256; ++i)
            EXPECT_EQ(out[i], i & 8 ? (i < 128 ? kShadow : kFace) : kGreen) << "kind " << kind << ", pixel " << i;
        DeleteObject(info.hbmMask), DeleteObject(info.hbmColor), DeleteObject(canvas);
        DestroyIcon(icon), DestroyIcon(grey);
    }
}
