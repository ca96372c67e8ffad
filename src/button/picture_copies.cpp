#include "button/picture_copies.h"

#include <cstdint>

namespace qx {
namespace {

// A 32-bit copy of a picture, top row first; null when it cannot be read.
// Every format is read through the screen's device context: palettes give
// their colours, 16-bit pixels their widened values.
HBITMAP ReadPixels(HBITMAP picture, int *w, int *h, uint32_t **bits) {
    BITMAP bm;
    if (!picture || !GetObjectA(picture, sizeof bm, &bm)) return nullptr;
    Bitmap copy(MakeDib32(bm.bmWidth, bm.bmHeight, bits));
    WindowDC screen(nullptr);
    if (!copy || !screen) return nullptr;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    if (GetDIBits(screen.get(), picture, 0, bm.bmHeight, *bits, &bi, DIB_RGB_COLORS) != bm.bmHeight)
        return nullptr;
    *w = bm.bmWidth;
    *h = bm.bmHeight;
    return copy.Release();
}

inline size_t PixelCount(int w, int h) { return static_cast<size_t>(w) * static_cast<size_t>(h); }

void Recolor(uint32_t *bits, size_t count, COLORREF from, COLORREF to) {
    const uint32_t key = DibPixel(from), fill = DibPixel(to);
    for (size_t i = 0; i < count; ++i)
        if ((bits[i] & 0xFFFFFF) == key) bits[i] = fill;
}

// A 1-bit top-down DIB section whose 0 is black and 1 white, all black;
// rows are padded to 32 bits.
HBITMAP MakeMask(int w, int h, uint8_t **bits) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } bi = {};
    bi.header.biSize = sizeof bi.header;
    bi.header.biWidth = w;
    bi.header.biHeight = -h;
    bi.header.biPlanes = 1;
    bi.header.biBitCount = 1;
    bi.header.biCompression = BI_RGB;
    bi.colors[1] = {255, 255, 255, 0};
    void *p = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO *>(&bi), DIB_RGB_COLORS, &p, nullptr, 0);
    *bits = static_cast<uint8_t *>(p);
    return bmp;
}

// 24 and 32 bits hold the transparent colour exactly: the picture is read
// once (a bitmap of the display's may live far away) and both copies are
// made from what was read.
bool MakeExactPair(HBITMAP picture, COLORREF transparent, Bitmap *cutout, Bitmap *mask) {
    int w = 0, h = 0;
    uint32_t *bits = nullptr;
    Bitmap copy(ReadPixels(picture, &w, &h, &bits));
    uint8_t *maskBits = nullptr;
    Bitmap ones(copy ? MakeMask(w, h, &maskBits) : nullptr);
    if (!copy || !ones) return false;
    const size_t stride = ((static_cast<size_t>(w) + 31) / 32) * 4;
    const uint32_t key = DibPixel(transparent);
    for (int y = 0; y < h; ++y) {
        uint32_t *row = bits + PixelCount(w, y);
        uint8_t *maskRow = maskBits + stride * y;
        for (int x = 0; x < w; ++x) {
            if ((row[x] & 0xFFFFFF) != key) continue;
            row[x] = 0;
            maskRow[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
    }
    GdiFlush();
    cutout->Reset(copy.Release());
    mask->Reset(ones.Release());
    return true;
}

}  // namespace

HBITMAP MakeClassicCopy(HBITMAP picture, COLORREF transparent, COLORREF face) {
    int w = 0, h = 0;
    uint32_t *bits = nullptr;
    HBITMAP copy = ReadPixels(picture, &w, &h, &bits);
    if (!copy) return nullptr;
    if ((bits[0] & 0xFFFFFF) == DibPixel(transparent)) Recolor(bits, PixelCount(w, h), transparent, face);
    GdiFlush();
    return copy;
}

// Fewer bits: the mask is made by the system's own conversion to one bit
// per pixel, so that "the transparent colour" means what the picture's
// format stores for it (in 16 bits, every colour that shares its stored
// value). The cutout is the picture converted to 32 bits, and then the
// mask's white taken out of it.
bool MakeThemedPair(HBITMAP picture, COLORREF transparent, Bitmap *cutout, Bitmap *mask) {
    cutout->Reset();
    mask->Reset();
    BITMAP bm;
    if (!picture || !GetObjectA(picture, sizeof bm, &bm)) return false;
    if (bm.bmBitsPixel >= 24) return MakeExactPair(picture, transparent, cutout, mask);
    const int w = bm.bmWidth, h = bm.bmHeight;
    uint32_t *bits = nullptr;
    Bitmap copy(MakeDib32(w, h, &bits));
    Bitmap ones(CreateBitmap(w, h, 1, 1, nullptr));
    MemoryDC from(nullptr), into(nullptr);
    if (!copy || !ones || !from || !into) return false;
    Select source(from.get(), picture);
    SetBkColor(from.get(), transparent);
    {
        Select target(into.get(), ones.get());
        BitBlt(into.get(), 0, 0, w, h, from.get(), 0, 0, SRCCOPY);
    }
    Select target(into.get(), copy.get());
    BitBlt(into.get(), 0, 0, w, h, from.get(), 0, 0, SRCCOPY);
    // One bits take the background colour, zero bits the text colour:
    // white and black, and the copy keeps what lies under black only.
    SetBkColor(into.get(), RGB(255, 255, 255));
    SetTextColor(into.get(), RGB(0, 0, 0));
    {
        Select maskSource(from.get(), ones.get());
        BitBlt(into.get(), 0, 0, w, h, from.get(), 0, 0, 0x00220326);  // destination and not source
    }
    GdiFlush();
    cutout->Reset(copy.Release());
    mask->Reset(ones.Release());
    return true;
}

void DrawThemedPair(HDC dc, int x, int y, HBITMAP cutout, HBITMAP mask) {
    BITMAP bm;
    if (!GetObjectA(cutout, sizeof bm, &bm)) return;
    MemoryDC source(dc);
    if (!source) return;
    SavedColors colors(dc);
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
    {
        Select selected(source.get(), mask);
        BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, source.get(), 0, 0, SRCAND);
    }
    Select selected(source.get(), cutout);
    BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, source.get(), 0, 0, SRCPAINT);
}

HBITMAP MakeRecoloredCopy(HBITMAP picture, COLORREF from, COLORREF to) {
    int w = 0, h = 0;
    uint32_t *bits = nullptr;
    HBITMAP copy = ReadPixels(picture, &w, &h, &bits);
    if (!copy) return nullptr;
    Recolor(bits, PixelCount(w, h), from, to);
    GdiFlush();
    return copy;
}

}  // namespace qx
