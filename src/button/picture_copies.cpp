#include "button/picture_copies.h"

#include <cstdint>
#include <cstring>

namespace qx {
namespace {

// A 32-bit copy of a picture into *copy (its memory reused where it fits),
// top row first; false (and *copy empty) when the picture cannot be read.
// Copied by the system's own conversion between memory device contexts:
// palettes give their colours, 16-bit pixels their widened values, and
// one-bit pixels without colours of their own black and white (a fresh
// device context's text and background colours).
bool ReadPixels(HBITMAP picture, Bitmap *copy, int *w, int *h, uint32_t **bits) {
    BITMAP bm;
    *bits = nullptr;
    if (!picture || !GetObjectA(picture, sizeof bm, &bm)) {
        copy->Reset();
        return false;
    }
    *bits = FitDib32(copy, bm.bmWidth, bm.bmHeight);
    MemoryDC from(nullptr), into(nullptr);
    bool read = *bits && from && into;
    if (read) {
        Select source(from.get(), picture), target(into.get(), copy->get());
        read = BitBlt(into.get(), 0, 0, bm.bmWidth, bm.bmHeight, from.get(), 0, 0, SRCCOPY) != FALSE;
    }
    GdiFlush();
    if (!read) copy->Reset();
    *w = bm.bmWidth;
    *h = bm.bmHeight;
    return read;
}

inline size_t PixelCount(int w, int h) { return static_cast<size_t>(w) * static_cast<size_t>(h); }

void Recolor(uint32_t *bits, size_t count, COLORREF from, COLORREF to) {
    const uint32_t key = DibPixel(from), fill = DibPixel(to);
    for (size_t i = 0; i < count; ++i)
        if ((bits[i] & 0xFFFFFF) == key) bits[i] = fill;
}

// Makes *mask a 1-bit top-down DIB section of w x h whose 0 is black and 1
// white unless it is one already, all black; gives its rows (padded to 32
// bits), null when none can be made.
uint8_t *FitMask(Bitmap *mask, int w, int h) {
    const size_t stride = ((static_cast<size_t>(w) + 31) / 32) * 4;
    DIBSECTION ds;
    void *p = nullptr;
    if (mask->get() && GetObjectA(mask->get(), sizeof ds, &ds) == sizeof ds && ds.dsBm.bmBits &&
        ds.dsBm.bmBitsPixel == 1 && ds.dsBm.bmWidth == w && ds.dsBm.bmHeight == h) {
        p = ds.dsBm.bmBits;
    } else {
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
        mask->Reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO *>(&bi), DIB_RGB_COLORS, &p, nullptr, 0));
        if (!*mask) return nullptr;
    }
    GdiFlush();
    std::memset(p, 0, stride * static_cast<size_t>(h));
    return static_cast<uint8_t *>(p);
}

// 24 and 32 bits hold the transparent colour exactly: the picture is read
// once (a bitmap of the display's may live far away) and both copies are
// made from what was read.
bool MakeExactPair(HBITMAP picture, COLORREF transparent, Bitmap *cutout, Bitmap *mask) {
    int w = 0, h = 0;
    uint32_t *bits = nullptr;
    uint8_t *maskBits = nullptr;
    if (!ReadPixels(picture, cutout, &w, &h, &bits) || !(maskBits = FitMask(mask, w, h))) {
        cutout->Reset();
        mask->Reset();
        return false;
    }
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
    return true;
}

}  // namespace

bool MakeClassicCopy(HBITMAP picture, COLORREF transparent, COLORREF face, Bitmap *copy) {
    int w = 0, h = 0;
    uint32_t *bits = nullptr;
    if (!ReadPixels(picture, copy, &w, &h, &bits)) return false;
    if ((bits[0] & 0xFFFFFF) == DibPixel(transparent)) Recolor(bits, PixelCount(w, h), transparent, face);
    GdiFlush();
    return true;
}

// Fewer bits: the mask is made by the system's own conversion to one bit
// per pixel, so that "the transparent colour" means what the picture's
// format stores for it (in 16 bits, every colour that shares its stored
// value). The cutout is the picture converted to 32 bits, and then the
// mask's white taken out of it.
bool MakeThemedPair(HBITMAP picture, COLORREF transparent, Bitmap *cutout, Bitmap *mask) {
    BITMAP bm;
    if (!picture || !GetObjectA(picture, sizeof bm, &bm)) {
        cutout->Reset();
        mask->Reset();
        return false;
    }
    if (bm.bmBitsPixel >= 24) return MakeExactPair(picture, transparent, cutout, mask);
    const int w = bm.bmWidth, h = bm.bmHeight;
    Bitmap copy(cutout->Release());
    mask->Reset();
    const bool fits = FitDib32(&copy, w, h) != nullptr;
    Bitmap ones(CreateBitmap(w, h, 1, 1, nullptr));
    MemoryDC from(nullptr), into(nullptr);
    if (!fits || !ones || !from || !into) return false;
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
    Bitmap copy;
    if (!ReadPixels(picture, &copy, &w, &h, &bits)) return nullptr;
    Recolor(bits, PixelCount(w, h), from, to);
    GdiFlush();
    return copy.Release();
}

}  // namespace qx
