// The greying library through its DLL: greyed copies of bitmaps of several
// formats and of icons of several kinds, their transparency, the untouched
// sources, and the null results of failures.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "qx_util.h"

namespace {

const COLORREF kClear = RGB(192, 192, 192);
const COLORREF kFace = RGB(212, 208, 200);
const COLORREF kShadow = RGB(128, 128, 128);

// Pixels of a bitmap as COLORREFs, top row first, read with GetDIBits.
std::vector<COLORREF> ReadPixels(HBITMAP bmp, int *w = nullptr, int *h = nullptr) {
    BITMAP bm;
    GetObjectA(bmp, sizeof bm, &bm);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> raw(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bmp, 0, bm.bmHeight, raw.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    std::vector<COLORREF> out;
    for (DWORD v : raw) out.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
    if (w) *w = bm.bmWidth;
    if (h) *h = bm.bmHeight;
    return out;
}

// A bitmap of the given kind holding `pixels` (w x h, top row first).
enum class Kind { Dib24, Dib32, Screen };
HBITMAP MakeBitmap(Kind kind, int w, int h, const std::vector<COLORREF> &pixels) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp;
    if (kind == Kind::Screen) {
        bmp = CreateCompatibleBitmap(screen, w, h);
    } else {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = kind == Kind::Dib24 ? 24 : 32;
        void *bits;
        bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(mem, x, y, pixels[y * w + x]);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return bmp;
}

bool IsGrey(COLORREF c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); }

TEST(CreateDisabledImage24, GreysEveryFormatAndKeepsTransparency) {
    const int w = 4, h = 2;
    const std::vector<COLORREF> source = {
        kClear,          RGB(0, 0, 0),   RGB(255, 255, 255), RGB(64, 64, 64),
        RGB(200, 0, 0),  RGB(0, 0, 200), RGB(160, 160, 160), kClear,
    };
    for (Kind kind : {Kind::Dib24, Kind::Dib32, Kind::Screen}) {
        SCOPED_TRACE(static_cast<int>(kind));
        HBITMAP src = MakeBitmap(kind, w, h, source);
        ASSERT_NE(src, nullptr);
        ASSERT_EQ(ReadPixels(src), source);
        int cw = -1, ch = -1;
        // Grey face and shadow: every picture pixel becomes a grey tone
        // between them, ordered by brightness.
        HBITMAP grey = CreateDisabledImage24(src, kClear, RGB(224, 224, 224), RGB(96, 96, 96), &cw, &ch,
                                     nullptr);
        ASSERT_NE(grey, nullptr);
        EXPECT_EQ(cw, w);
        EXPECT_EQ(ch, h);
        int gw, gh;
        const std::vector<COLORREF> out = ReadPixels(grey, &gw, &gh);
        ASSERT_EQ(gw, w);
        ASSERT_EQ(gh, h);
        EXPECT_EQ(out[0], kClear);
        EXPECT_EQ(out[7], kClear);
        EXPECT_EQ(out[1], RGB(96, 96, 96)) << "black takes the shadow colour";
        EXPECT_EQ(out[2], RGB(224, 224, 224)) << "white takes the face colour";
        for (int i : {3, 4, 5, 6}) {
            EXPECT_TRUE(IsGrey(out[i])) << i;
            EXPECT_GT(GetRValue(out[i]), 96) << i;
            EXPECT_LT(GetRValue(out[i]), 224) << i;
        }
        EXPECT_LT(GetRValue(out[3]), GetRValue(out[6])) << "darker stays darker";
        EXPECT_EQ(ReadPixels(src), source) << "the source is left untouched";
        // The copy is selectable into a memory device context.
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, grey);
        EXPECT_NE(old, nullptr);
        EXPECT_EQ(GetPixel(mem, 1, 0), RGB(96, 96, 96));
        SelectObject(mem, old);
        DeleteDC(mem);
        DeleteObject(grey);
        DeleteObject(src);
    }
}

// With the classic face colour equal to the transparent colour, the
// lightest picture pixels would turn transparent; they must stay opaque.
TEST(CreateDisabledImage24, PicturePixelsNeverTakeTheTransparentColour) {
    const std::vector<COLORREF> source = {kClear, RGB(255, 255, 255), RGB(0, 0, 0), kClear};
    HBITMAP src = MakeBitmap(Kind::Dib32, 2, 2, source);
    HBITMAP grey = CreateDisabledImage24(src, kClear, kClear, kShadow, nullptr, nullptr, nullptr);
    ASSERT_NE(grey, nullptr);
    const std::vector<COLORREF> out = ReadPixels(grey);
    EXPECT_EQ(out[0], kClear);
    EXPECT_EQ(out[3], kClear);
    EXPECT_NE(out[1], kClear);
    const int away = std::abs(GetRValue(out[1]) - 192) + std::abs(GetGValue(out[1]) - 192) +
                     std::abs(GetBValue(out[1]) - 192);
    EXPECT_EQ(away, 1) << "one step away from the face colour";
    EXPECT_EQ(out[2], kShadow);
    DeleteObject(grey);
    DeleteObject(src);
}

TEST(CreateDisabledImage24, ReadsThroughAGivenDeviceContext) {
    const std::vector<COLORREF> source = {RGB(0, 0, 0), kClear};
    HBITMAP src = MakeBitmap(Kind::Screen, 2, 1, source);
    HDC screen = GetDC(nullptr);
    HBITMAP grey = CreateDisabledImage24(src, kClear, kFace, kShadow, nullptr, nullptr, screen);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(grey, nullptr);
    EXPECT_EQ(ReadPixels(grey), (std::vector<COLORREF>{kShadow, kClear}));
    DeleteObject(grey);
    DeleteObject(src);
}

TEST(CreateDisabledImage24, NullOnFailureWithOutputsUntouched) {
    HBITMAP deleted = MakeBitmap(Kind::Dib32, 1, 1, {kClear});
    DeleteObject(deleted);
    HBRUSH brush = CreateSolidBrush(kFace);
    for (HBITMAP bad : {static_cast<HBITMAP>(nullptr), deleted, reinterpret_cast<HBITMAP>(brush),
                        reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x12345678))}) {
        int w = -7, h = -7;
        EXPECT_EQ(CreateDisabledImage24(bad, kClear, kFace, kShadow, &w, &h, nullptr), nullptr);
        EXPECT_EQ(w, -7);
        EXPECT_EQ(h, -7);
    }
    DeleteObject(brush);
}

// ---- Icons -------------------------------------------------------------------

// 16 x 16 icons whose left half is transparent and whose right half is
// opaque: black in the top half, white in the bottom half.
enum class IconKind { Masked, Alpha, Monochrome };

HICON MakeIcon(IconKind kind) {
    const int n = 16;
    // Mask rows are 2 bytes: left 8 pixels transparent (1), right 8 opaque (0).
    std::vector<BYTE> mask;
    for (int y = 0; y < n; ++y) {
        mask.push_back(kind == IconKind::Alpha ? 0x00 : 0xFF);
        mask.push_back(0x00);
    }
    ICONINFO info = {};
    info.fIcon = TRUE;
    if (kind == IconKind::Monochrome) {
        // The XOR half below the AND half: 1 (white) in the bottom right.
        for (int y = 0; y < n; ++y) {
            mask.push_back(0x00);
            mask.push_back(y >= n / 2 ? 0xFF : 0x00);
        }
        info.hbmMask = CreateBitmap(n, 2 * n, 1, 1, mask.data());
        HICON icon = CreateIconIndirect(&info);
        DeleteObject(info.hbmMask);
        return icon;
    }
    info.hbmMask = CreateBitmap(n, n, 1, 1, mask.data());
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = n;
    bi.bmiHeader.biHeight = -n;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *p;
    info.hbmColor = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    DWORD *bits = static_cast<DWORD *>(p);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            DWORD v = 0;
            if (x >= n / 2) v = y >= n / 2 ? 0xFFFFFF : 0x000000;
            if (kind == IconKind::Alpha) v |= x >= n / 2 ? 0xFF000000 : 0;
            bits[y * n + x] = v;
        }
    }
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return icon;
}

// An icon drawn at 16 x 16 on green.
std::vector<COLORREF> DrawOnGreen(HICON icon) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 16;
    bi.bmiHeader.biHeight = -16;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *p;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, dib);
    RECT r = {0, 0, 16, 16};
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(mem, &r, green);
    DeleteObject(green);
    DrawIconEx(mem, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    SelectObject(mem, old);
    DeleteDC(mem);
    std::vector<COLORREF> out = ReadPixels(dib);
    DeleteObject(dib);
    return out;
}

TEST(CreateDisabledIcon24, GreysOpaquePartsAndKeepsTransparentOnes) {
    for (IconKind kind : {IconKind::Masked, IconKind::Alpha, IconKind::Monochrome}) {
        SCOPED_TRACE(static_cast<int>(kind));
        HICON icon = MakeIcon(kind);
        ASSERT_NE(icon, nullptr);
        const std::vector<COLORREF> before = DrawOnGreen(icon);
        ASSERT_EQ(before[0], RGB(0, 255, 0));
        ASSERT_EQ(before[15], RGB(0, 0, 0));
        ASSERT_EQ(before[15 * 16 + 15], RGB(255, 255, 255));

        HICON grey = CreateDisabledIcon24(icon, kFace, kShadow);
        ASSERT_NE(grey, nullptr);
        const std::vector<COLORREF> out = DrawOnGreen(grey);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                COLORREF want = x < 8 ? RGB(0, 255, 0) : y < 8 ? kShadow : kFace;
                ASSERT_EQ(out[y * 16 + x], want) << x << "," << y;
            }
        }
        EXPECT_EQ(DrawOnGreen(icon), before) << "the source icon is left untouched";
        DestroyIcon(grey);
        DestroyIcon(icon);
    }
}

TEST(CreateDisabledIcon24, KeepsTheIconsOwnSize) {
    HICON big = static_cast<HICON>(
        LoadImageA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION), IMAGE_ICON, 32, 32, LR_SHARED));
    ASSERT_NE(big, nullptr);
    HICON grey = CreateDisabledIcon24(big, kFace, kShadow);
    ASSERT_NE(grey, nullptr);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(grey, &info));
    BITMAP bm;
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 32);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DestroyIcon(grey);
}

TEST(CreateDisabledIcon24, NullOnFailure) {
    HICON destroyed = MakeIcon(IconKind::Masked);
    DestroyIcon(destroyed);
    for (HICON bad : {static_cast<HICON>(nullptr), destroyed,
                      reinterpret_cast<HICON>(static_cast<INT_PTR>(0x12345678))})
        EXPECT_EQ(CreateDisabledIcon24(bad, kFace, kShadow), nullptr);
}

}  // namespace
