// Greyed copies of bitmaps and icons. Both work on 32-bit top-down DIB
// sections: the source is read (or drawn) into one, every pixel is mapped by
// one rule, and the result is handed over as a bitmap or an icon.
#include "qx_util.h"

#include <cstdint>

namespace {

// ---- Scoped handles (every object made here is deleted here) ---------------

class ScopedBitmap {
public:
    explicit ScopedBitmap(HBITMAP h = nullptr) : h_(h) {}
    ~ScopedBitmap() {
        if (h_) DeleteObject(h_);
    }
    ScopedBitmap(const ScopedBitmap &) = delete;
    ScopedBitmap &operator=(const ScopedBitmap &) = delete;
    HBITMAP get() const { return h_; }
    void Reset(HBITMAP h) {
        if (h_) DeleteObject(h_);
        h_ = h;
    }
    HBITMAP Release() {
        HBITMAP h = h_;
        h_ = nullptr;
        return h;
    }

private:
    HBITMAP h_;
};

class ScopedMemoryDC {
public:
    ScopedMemoryDC() : dc_(CreateCompatibleDC(nullptr)) {}
    ~ScopedMemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    ScopedMemoryDC(const ScopedMemoryDC &) = delete;
    ScopedMemoryDC &operator=(const ScopedMemoryDC &) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~ScopedSelect() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    ScopedSelect(const ScopedSelect &) = delete;
    ScopedSelect &operator=(const ScopedSelect &) = delete;
    bool ok() const { return old_ && old_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC &) = delete;
    ScreenDC &operator=(const ScreenDC &) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// ---- Pixels ------------------------------------------------------------------

// A 32-bit DIB pixel is 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
inline uint32_t PixelOf(COLORREF c) {
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}
inline int Red(uint32_t p) { return (p >> 16) & 0xFF; }
inline int Green(uint32_t p) { return (p >> 8) & 0xFF; }
inline int Blue(uint32_t p) { return p & 0xFF; }
inline uint32_t Pack(int r, int g, int b) {
    return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}

// Brightness 0..255 of a pixel (luma weights).
inline int Brightness(uint32_t p) { return (Red(p) * 299 + Green(p) * 587 + Blue(p) * 114 + 500) / 1000; }

// The grey tone of a pixel: shadow at brightness 0, face at 255, linear in
// between. A tone that would equal `avoid` is moved by one step of blue, so
// that a picture pixel never turns into the transparent colour.
uint32_t GreyTone(uint32_t p, uint32_t face, uint32_t shadow, uint32_t avoid) {
    const int level = Brightness(p);
    auto mix = [level](int dark, int light) { return dark + ((light - dark) * level + 127) / 255; };
    uint32_t tone = Pack(mix(Red(shadow), Red(face)), mix(Green(shadow), Green(face)),
                         mix(Blue(shadow), Blue(face)));
    if (tone == avoid) tone = Blue(tone) < 255 ? tone + 1 : tone - 1;
    return tone;
}

// The format of 32-bit top-down pixels of w x h.
BITMAPINFO Dib32Info(int w, int h) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

// A 32-bit top-down DIB section of w x h; its pixels through *bits.
HBITMAP MakeDib32(int w, int h, uint32_t **bits) {
    BITMAPINFO bi = Dib32Info(w, h);
    void *p = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    *bits = static_cast<uint32_t *>(p);
    return bmp;
}

// Sizes whose 32-bit pixels fit in a signed 32-bit byte count.
bool SaneSize(int w, int h) {
    return w > 0 && h > 0 && static_cast<int64_t>(w) * h <= (INT32_MAX / 4);
}

// The size of an icon's image: the colour bitmap's, or half the height of a
// monochrome icon's mask (AND and XOR halves stacked).
bool IconSize(const ICONINFO &info, int *w, int *h) {
    BITMAP bm;
    if (info.hbmColor) {
        if (!GetObjectA(info.hbmColor, sizeof bm, &bm)) return false;
        *w = bm.bmWidth;
        *h = bm.bmHeight;
    } else {
        if (!info.hbmMask || !GetObjectA(info.hbmMask, sizeof bm, &bm)) return false;
        *w = bm.bmWidth;
        *h = bm.bmHeight / 2;
    }
    return SaneSize(*w, *h);
}

// Draws an icon on a uniform background into a new DIB.
HBITMAP RenderIcon(HICON icon, int w, int h, uint32_t background, uint32_t **bits) {
    ScopedBitmap dib(MakeDib32(w, h, bits));
    ScopedMemoryDC dc;
    if (!dib.get() || !dc.get()) return nullptr;
    for (int64_t i = 0, n = static_cast<int64_t>(w) * h; i < n; ++i) (*bits)[i] = background;
    {
        ScopedSelect sel(dc.get(), dib.get());
        if (!sel.ok() || !DrawIconEx(dc.get(), 0, 0, icon, w, h, 0, nullptr, DI_NORMAL)) return nullptr;
    }
    GdiFlush();
    return dib.Release();
}

}  // namespace

extern "C" HBITMAP __cdecl CreateDisabledImage24(HBITMAP bitmap, DWORD transparent, DWORD face,
                                                 DWORD shadow, int *width, int *height, HDC dc) {
    if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP) return nullptr;
    BITMAP bm;
    if (GetObjectA(bitmap, sizeof bm, &bm) != sizeof bm) return nullptr;
    const int w = bm.bmWidth, h = bm.bmHeight;
    if (!SaneSize(w, h)) return nullptr;

    uint32_t *bits = nullptr;
    ScopedBitmap copy(MakeDib32(w, h, &bits));
    if (!copy.get()) return nullptr;

    BITMAPINFO bi = Dib32Info(w, h);
    ScreenDC screen;
    HDC reader = dc ? dc : screen.get();
    if (!reader || GetDIBits(reader, bitmap, 0, h, bits, &bi, DIB_RGB_COLORS) != h) return nullptr;

    const uint32_t clear = PixelOf(transparent);
    const uint32_t light = PixelOf(face), dark = PixelOf(shadow);
    for (int64_t i = 0, n = static_cast<int64_t>(w) * h; i < n; ++i) {
        const uint32_t p = bits[i] & 0xFFFFFF;
        bits[i] = p == clear ? clear : GreyTone(p, light, dark, clear);
    }
    GdiFlush();
    if (width) *width = w;
    if (height) *height = h;
    return copy.Release();
}

extern "C" HICON __cdecl CreateDisabledIcon24(HICON icon, DWORD face, DWORD shadow) {
    if (!icon) return nullptr;
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return nullptr;
    // GetIconInfo hands out copies of the icon's bitmaps.
    ScopedBitmap infoMask(info.hbmMask), infoColor(info.hbmColor);
    int w = 0, h = 0;
    if (!IconSize(info, &w, &h)) return nullptr;

    // Drawn once on black and once on white: a pixel that shows the
    // background in both is transparent; one that keeps its colour on both
    // is opaque; in between, the coverage decides (at least half: opaque).
    uint32_t *onBlack = nullptr, *onWhite = nullptr;
    ScopedBitmap black(RenderIcon(icon, w, h, 0x000000, &onBlack));
    ScopedBitmap white(RenderIcon(icon, w, h, 0xFFFFFF, &onWhite));
    if (!black.get() || !white.get()) return nullptr;

    uint32_t *color = nullptr;
    ScopedBitmap colorDib(MakeDib32(w, h, &color));
    if (!colorDib.get()) return nullptr;
    // Monochrome mask rows are padded to 16 bits; 1 = transparent.
    const int stride = ((w + 15) / 16) * 2;
    const size_t maskBytes = static_cast<size_t>(stride) * h;
    BYTE *mask = static_cast<BYTE *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, maskBytes));
    if (!mask) return nullptr;

    const uint32_t light = PixelOf(face), dark = PixelOf(shadow);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const size_t i = static_cast<size_t>(y) * w + x;
            const uint32_t b = onBlack[i] & 0xFFFFFF, wt = onWhite[i] & 0xFFFFFF;
            const int spread = ((Red(wt) - Red(b)) + (Green(wt) - Green(b)) + (Blue(wt) - Blue(b))) / 3;
            const int alpha = 255 - spread;
            if (alpha < 128) {
                color[i] = 0;
                mask[y * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
            } else {
                // The colour itself, undoing the blend with black.
                auto unblend = [alpha](int v) { return v * 255 / alpha > 255 ? 255 : v * 255 / alpha; };
                const uint32_t own = Pack(unblend(Red(b)), unblend(Green(b)), unblend(Blue(b)));
                // Opaque colour bits only: an all-zero alpha byte keeps the mask in force.
                color[i] = GreyTone(own, light, dark, 0xFFFFFFFF);
            }
        }
    }
    GdiFlush();
    ScopedBitmap maskBitmap(CreateBitmap(w, h, 1, 1, mask));
    HeapFree(GetProcessHeap(), 0, mask);
    if (!maskBitmap.get()) return nullptr;

    ICONINFO made = {};
    made.fIcon = TRUE;
    made.hbmMask = maskBitmap.get();
    made.hbmColor = colorDib.get();
    // CreateIconIndirect copies both bitmaps; ours are deleted on return.
    return CreateIconIndirect(&made);
}
