// The greying library through its DLL: greyed copies of bitmaps of several
// formats and of icons of several kinds, their transparency, the untouched
// sources, and null for failures.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "qx_util.h"

namespace {

const COLORREF kClear = RGB(192, 192, 192), kWhite = RGB(255, 255, 255);

// Pixels of a bitmap through a memory DC, row by row.
std::vector<COLORREF> Pixels(HBITMAP bmp, int w, int h) {
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bmp);
    std::vector<COLORREF> out;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.push_back(GetPixel(mem, x, y));
    SelectObject(mem, old);
    DeleteDC(mem);
    return out;
}

// A bitmap of w x h with the given pixels: a DIB section of bpp bits, or
// (bpp 0) a bitmap compatible with the screen.
HBITMAP Make(int bpp, int w, int h, const std::function<COLORREF(int, int)> &color) {
    HDC screen = GetDC(nullptr);
    BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), w, h, 1, static_cast<WORD>(bpp), BI_RGB, 0, 0, 0, 0, 0}, {}};
    void *bits;
    HBITMAP bmp = bpp ? CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0)
                      : CreateCompatibleBitmap(screen, w, h);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(mem, x, y, color(x, y));
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return bmp;
}

TEST(CreateDisabledImage24, GreysBetweenShadowAndFaceKeepingTransparency) {
    const std::vector<COLORREF> src = {kClear,      0, kWhite, RGB(64, 64, 64), RGB(200, 0, 0),
                                       RGB(0, 0, 200), RGB(160, 160, 160), kClear};
    const COLORREF face = RGB(224, 224, 224), shadow = RGB(96, 96, 96);
    for (int bpp : {24, 32, 0}) {
        SCOPED_TRACE(bpp);
        HBITMAP bmp = Make(bpp, 4, 2, [&](int x, int y) { return src[y * 4 + x]; });
        int w = -1, h = -1;
        HBITMAP grey = CreateDisabledImage24(bmp, kClear, face, shadow, &w, &h, nullptr);
        ASSERT_NE(grey, nullptr);
        EXPECT_EQ(w, 4);
        EXPECT_EQ(h, 2);
        const std::vector<COLORREF> out = Pixels(grey, 4, 2);
        EXPECT_EQ(out[0], kClear);
        EXPECT_EQ(out[7], kClear);
        EXPECT_EQ(out[1], shadow);
        EXPECT_EQ(out[2], face);
        for (int i : {3, 4, 5, 6}) {
            EXPECT_EQ(GetRValue(out[i]) * 0x010101u, out[i]) << i << ": a grey";
            EXPECT_GT(GetRValue(out[i]), 96) << i;
            EXPECT_LT(GetRValue(out[i]), 224) << i;
        }
        EXPECT_LT(GetRValue(out[3]), GetRValue(out[6])) << "darker stays darker";
        EXPECT_EQ(Pixels(bmp, 4, 2), src) << "the source is untouched";
        DeleteObject(grey);
        DeleteObject(bmp);
    }
}

// With the face colour equal to the transparent colour, white would turn
// transparent: it stays one step away.
TEST(CreateDisabledImage24, PicturePixelsNeverTakeTheTransparentColour) {
    HBITMAP bmp = Make(32, 2, 1, [](int x, int) { return x ? kWhite : kClear; });
    HBITMAP grey = CreateDisabledImage24(bmp, kClear, kClear, 0, nullptr, nullptr, nullptr);
    const std::vector<COLORREF> out = Pixels(grey, 2, 1);
    EXPECT_EQ(out[0], kClear);
    EXPECT_EQ(out[1], RGB(192, 192, 193));
    DeleteObject(grey);
    DeleteObject(bmp);
}

TEST(QxUtil, NullOnFailure) {
    HBITMAP deleted = Make(32, 1, 1, [](int, int) { return 0; });
    DeleteObject(deleted);
    HICON destroyed = CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
    DestroyIcon(destroyed);
    HBRUSH brush = CreateSolidBrush(0);
    const HANDLE bogus = reinterpret_cast<HANDLE>(INT_PTR(0x12345678));
    for (HANDLE bad : {HANDLE(nullptr), HANDLE(deleted), HANDLE(brush), bogus}) {
        int w = -7;
        EXPECT_EQ(CreateDisabledImage24(HBITMAP(bad), kClear, 0, 0, &w, nullptr, nullptr), nullptr);
        EXPECT_EQ(w, -7);
    }
    for (HANDLE bad : {HANDLE(nullptr), HANDLE(destroyed), bogus})
        EXPECT_EQ(CreateDisabledIcon24(HICON(bad), 0, 0), nullptr);
    DeleteObject(brush);
}

// 16 x 16 icons: left half transparent, right half black above white.
HICON MakeIcon(int kind) {
    enum { Masked, Alpha, Monochrome };
    BYTE mask[64] = {};
    for (int y = 0; y < 16; ++y) {
        mask[2 * y] = kind == Alpha ? 0 : 0xFF;
        mask[32 + 2 * y + 1] = y >= 8 ? 0xFF : 0;  // the XOR half of a monochrome icon
    }
    ICONINFO info = {TRUE, 0, 0, CreateBitmap(16, kind == Monochrome ? 32 : 16, 1, 1, mask), nullptr};
    if (kind != Monochrome)
        info.hbmColor = Make(32, 16, 16, [](int x, int y) { return x < 8 ? 0 : y < 8 ? 0 : kWhite; });
    if (kind == Alpha) {  // opaque right half through the alpha bytes
        DIBSECTION ds;
        GetObjectA(info.hbmColor, sizeof ds, &ds);
        for (int i = 0; i < 256; ++i) static_cast<DWORD *>(ds.dsBm.bmBits)[i] |= (i % 16 >= 8) ? 0xFF000000 : 0;
    }
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return icon;
}

// An icon drawn at 16 x 16 on green.
std::vector<COLORREF> OnGreen(HICON icon) {
    HBITMAP canvas = Make(32, 16, 16, [](int, int) { return RGB(0, 255, 0); });
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, canvas);
    DrawIconEx(mem, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    SelectObject(mem, old);
    DeleteDC(mem);
    std::vector<COLORREF> out = Pixels(canvas, 16, 16);
    DeleteObject(canvas);
    return out;
}

TEST(CreateDisabledIcon24, GreysOpaquePartsKeepsTransparentOnes) {
    const COLORREF face = RGB(212, 208, 200), shadow = RGB(128, 128, 128);
    for (int kind : {0, 1, 2}) {
        SCOPED_TRACE(kind);
        HICON icon = MakeIcon(kind);
        const std::vector<COLORREF> before = OnGreen(icon);
        ASSERT_EQ(before[15 * 16 + 15], kWhite);
        HICON grey = CreateDisabledIcon24(icon, face, shadow);
        ASSERT_NE(grey, nullptr);
        const std::vector<COLORREF> out = OnGreen(grey);
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(out[i], i % 16 < 8 ? RGB(0, 255, 0) : i < 128 ? shadow : face) << i % 16 << "," << i / 16;
        EXPECT_EQ(OnGreen(icon), before) << "the source is untouched";
        DestroyIcon(grey);
        DestroyIcon(icon);
    }
}

}  // namespace
