// How a bitmap button draws itself: the classic bevel or the themed push
// button, the centred picture, and the greyed copies of the picture that a
// disabled button shows.
#include <cstdint>
#include <memory>
#include <new>

#include "button/bmp_btn.h"
#include "common/gdi.h"
#include "qx_util.h"
#include "visual/theme_api.h"

namespace qx {

namespace {

// Part and states of the themed "BUTTON" class.
constexpr int kPushButtonPart = 1;
constexpr int kStateNormal = 1;
constexpr int kStateHot = 2;
constexpr int kStatePressed = 3;

// Pixels of one strip of rows in ReplaceBackground: bounded memory, few calls.
constexpr int kStripPixels = 64 * 1024;

// A 32-bit DIB pixel (0x00RRGGBB) of a colour.
inline uint32_t PixelOf(COLORREF c) {
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

BITMAPINFOHEADER Rows32(int w, int h) {
    BITMAPINFOHEADER bi = {};
    bi.biSize = sizeof bi;
    bi.biWidth = w;
    bi.biHeight = h;  // bottom-up: scan line 0 is the bottom row
    bi.biPlanes = 1;
    bi.biBitCount = 32;
    bi.biCompression = BI_RGB;
    return bi;
}

bool BitmapSize(HBITMAP bmp, int *w, int *h) {
    BITMAP bm;
    if (!bmp || !GetObjectA(bmp, sizeof bm, &bm)) return false;
    *w = bm.bmWidth;
    *h = bm.bmHeight;
    return true;
}

}  // namespace

// ---- Rules -----------------------------------------------------------------------

POINT PictureOrigin(const RECT &rect, int w, int h, bool pressedLook) {
    // Signed division truncating toward zero: the odd pixel goes right and down.
    POINT p = {rect.left + (rect.right - rect.left - w) / 2, rect.top + (rect.bottom - rect.top - h) / 2};
    if (pressedLook) {
        ++p.x;
        ++p.y;
    }
    return p;
}

void FillTopLeft(HDC dc, const RECT &r, HBRUSH brush, int w, int h) {
    const RECT top = {r.left, r.top, r.right, r.top + h};
    const RECT left = {r.left, r.top, r.left + w, r.bottom};
    FillRect(dc, &top, brush);
    FillRect(dc, &left, brush);
}

void FillBottomRight(HDC dc, const RECT &r, HBRUSH brush, int w, int h) {
    const RECT bottom = {r.left, r.bottom - h, r.right, r.bottom};
    const RECT right = {r.right - w, r.top, r.right, r.bottom};
    FillRect(dc, &bottom, brush);
    FillRect(dc, &right, brush);
}

bool ReplaceColor(HDC dc, HBITMAP bmp, COLORREF from, COLORREF to, bool onlyWhenTopLeft) {
    int w, h;
    if (!BitmapSize(bmp, &w, &h) || w <= 0 || h <= 0) return false;
    const int rowsPerStrip = w >= kStripPixels ? 1 : kStripPixels / w;
    const size_t count = static_cast<size_t>(rowsPerStrip < h ? rowsPerStrip : h) * w;
    std::unique_ptr<uint32_t[]> rows(new (std::nothrow) uint32_t[count]);
    if (!rows) return false;

    const uint32_t key = PixelOf(from), fill = PixelOf(to);
    BITMAPINFO bi = {};
    if (onlyWhenTopLeft) {
        // The top row is the last scan line.
        bi.bmiHeader = Rows32(w, h);
        if (GetDIBits(dc, bmp, h - 1, 1, rows.get(), &bi, DIB_RGB_COLORS) != 1) return false;
        if ((rows[0] & 0xFFFFFF) != key) return false;
    }
    for (int first = 0; first < h; first += rowsPerStrip) {
        const int n = rowsPerStrip < h - first ? rowsPerStrip : h - first;
        bi.bmiHeader = Rows32(w, h);
        if (GetDIBits(dc, bmp, first, n, rows.get(), &bi, DIB_RGB_COLORS) != n) return false;
        bool changed = false;
        for (size_t i = 0, end = static_cast<size_t>(n) * w; i < end; ++i) {
            if ((rows[i] & 0xFFFFFF) == key) {
                rows[i] = fill;
                changed = true;
            }
        }
        bi.bmiHeader = Rows32(w, h);
        if (changed) SetDIBits(dc, bmp, first, n, rows.get(), &bi, DIB_RGB_COLORS);
    }
    return true;
}

bool ReplaceBackground(HDC dc, HBITMAP bmp, COLORREF from, COLORREF to) {
    return ReplaceColor(dc, bmp, from, to, true);
}

// ---- The face --------------------------------------------------------------------

void BmpBtn::DrawFace(HDC dc, const RECT &rect, bool pressedLook) {
    RECT r = rect;
    const int bx = GetSystemMetrics(SM_CXBORDER), by = GetSystemMetrics(SM_CYBORDER);
    ScopedTheme theme(Window(), L"BUTTON");

    if (focused && !theme) {
        HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        FillTopLeft(dc, r, black, bx, by);
        FillBottomRight(dc, r, black, bx, by);
        InflateRect(&r, -bx, -by);
    }

    if (theme) {
        RECT around = r;
        InflateRect(&around, 1, 1);
        FillColor(dc, around, GetSysColor(COLOR_BTNFACE));
        const int state = pressedLook ? kStatePressed : hot ? kStateHot : kStateNormal;
        theme.DrawBackground(dc, kPushButtonPart, state, r);
    } else {
        Brush shadow(MakeBrush(GetSysColor(COLOR_BTNSHADOW)));
        Brush darkShadow(MakeBrush(GetSysColor(COLOR_3DDKSHADOW)));
        Brush highlight(MakeBrush(GetSysColor(COLOR_BTNHIGHLIGHT)));
        Brush light(MakeBrush(GetSysColor(COLOR_3DLIGHT)));
        if (pressedLook) {
            FillTopLeft(dc, r, shadow.get(), bx, by);
            FillBottomRight(dc, r, shadow.get(), bx, by);
            InflateRect(&r, -bx, -by);
        } else {
            FillTopLeft(dc, r, light.get(), bx, by);
            FillBottomRight(dc, r, darkShadow.get(), bx, by);
            InflateRect(&r, -bx, -by);
            FillTopLeft(dc, r, highlight.get(), bx, by);
            FillBottomRight(dc, r, shadow.get(), bx, by);
            InflateRect(&r, -bx, -by);
        }
        FillColor(dc, r, GetSysColor(COLOR_BTNFACE));
    }

    // Themed: r is still the whole button, so the dots run along its edge.
    if (focused && theme) DrawFocusRect(dc, &r);

    if (theme) {
        DrawImageMasked(dc, r, false);  // the themed picture never moves
    } else {
        DrawImage(dc, r, pressedLook);
    }
}

// ---- The picture -----------------------------------------------------------------

HBITMAP BmpBtn::PickBitmap() {
    if (enabled) return bitmap.get();
    if (!disabledBitmap) MakeDisabledBitmap();
    return disabledBitmap ? disabledBitmap.get() : bitmap.get();
}

HICON BmpBtn::PickIcon() {
    if (enabled) return icon;
    if (!disabledIcon) MakeDisabledIcon();
    return disabledIcon ? disabledIcon.get() : icon;
}

void BmpBtn::DrawIconPicture(HDC dc, const RECT &rect, bool pressedLook) {
    const POINT at = PictureOrigin(rect, kIconSize, kIconSize, pressedLook);
    HICON picked = PickIcon();
    DrawIconEx(dc, at.x, at.y, picked, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
}

void BmpBtn::DrawImage(HDC dc, const RECT &rect, bool pressedLook) {
    int w, h;
    if (BitmapSize(bitmap.get(), &w, &h)) {
        // The size is the bitmap's, also when its greyed copy is drawn.
        const POINT at = PictureOrigin(rect, w, h, pressedLook);
        HBITMAP picked = PickBitmap();
        // Once replaced, the top-left pixel no longer has the transparent
        // colour: this runs on the first classic drawing of each bitmap.
        ReplaceBackground(dc, picked, kTransparentColor, GetSysColor(COLOR_BTNFACE));
        MemoryDC memory(dc);
        if (!memory) return;
        Select selected(memory.get(), picked);
        BitBlt(dc, at.x, at.y, w, h, memory.get(), 0, 0, SRCCOPY);
    } else if (icon) {
        DrawIconPicture(dc, rect, pressedLook);
    }
}

void BmpBtn::DrawImageMasked(HDC dc, const RECT &rect, bool pressedLook) {
    int w, h;
    if (!BitmapSize(bitmap.get(), &w, &h)) {
        // An icon-only button shows its icon in this look as well.
        if (icon) DrawIconPicture(dc, rect, pressedLook);
        return;
    }
    const POINT at = PictureOrigin(rect, w, h, pressedLook);
    HBITMAP picked = PickBitmap();

    SavedColors savedColors(dc);
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
    MemoryDC image(dc), maskDC(dc);
    Bitmap mask(CreateBitmap(w, h, 1, 1, nullptr));
    if (!image || !maskDC || !mask) return;
    Select imageSelected(image.get(), picked);
    Select maskSelected(maskDC.get(), mask.get());
    // White in the mask where the picture has the transparent colour.
    SetBkColor(image.get(), kTransparentColor);
    BitBlt(maskDC.get(), 0, 0, w, h, image.get(), 0, 0, SRCCOPY);
    BitBlt(dc, at.x, at.y, w, h, image.get(), 0, 0, SRCINVERT);
    BitBlt(dc, at.x, at.y, w, h, maskDC.get(), 0, 0, SRCAND);
    BitBlt(dc, at.x, at.y, w, h, image.get(), 0, 0, SRCINVERT);
}

// ---- Greyed copies ---------------------------------------------------------------

bool BmpBtn::MakeDisabledBitmap() {
    disabledBitmap.Reset();
    BITMAP bm;
    if (!bitmap || !GetObjectA(bitmap.get(), sizeof bm, &bm)) return false;
    const int w = bm.bmWidth, h = bm.bmHeight;

    if (bm.bmBitsPixel > 8) {
        disabledBitmap.Reset(CreateDisabledImage24(bitmap.get(), kTransparentColor, GetSysColor(COLOR_BTNFACE),
                                                   GetSysColor(COLOR_BTNSHADOW), nullptr, nullptr, nullptr));
        return static_cast<bool>(disabledBitmap);
    }

    // Few colours: the system's embossed rendering, which leaves only white
    // untouched. It is given a copy whose transparent colour is white, and
    // draws onto the transparent colour: the picture's background stays
    // background in the greyed copy instead of turning into a grey block.
    WindowDC window(Window());
    if (!window) return false;
    MemoryDC memory(window.get()), from(window.get());
    Bitmap source(CreateCompatibleBitmap(window.get(), w, h));
    Bitmap copy(CreateCompatibleBitmap(window.get(), w, h));
    if (!memory || !from || !source || !copy) return false;
    {
        Select into(memory.get(), source.get());
        Select out(from.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, w, h, from.get(), 0, 0, SRCCOPY);
    }
    ReplaceColor(window.get(), source.get(), kTransparentColor, RGB(255, 255, 255), false);
    {
        Select selected(memory.get(), copy.get());
        const RECT all = {0, 0, w, h};
        FillColor(memory.get(), all, kTransparentColor);
        DrawStateA(memory.get(), nullptr, nullptr, reinterpret_cast<LPARAM>(source.get()), 0, 0, 0, w,
                   h, DST_BITMAP | DSS_DISABLED);
    }
    disabledBitmap.Reset(copy.Release());
    return true;
}

bool BmpBtn::MakeDisabledIcon() {
    disabledIcon.Reset(CreateDisabledIcon24(icon, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW)));
    return static_cast<bool>(disabledIcon);
}

}  // namespace qx
