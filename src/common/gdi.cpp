#include "common/gdi.h"

namespace qx {

HBITMAP MakeDib32(int w, int h, uint32_t **bits) {
    *bits = nullptr;
    if (w <= 0 || h <= 0 || static_cast<int64_t>(w) * h > INT32_MAX / 4) return nullptr;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void *p = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    if (bmp) *bits = static_cast<uint32_t *>(p);
    return bmp;
}

uint32_t *FitDib32(Bitmap *dib, int w, int h) {
    DIBSECTION ds;
    if (dib->get() && GetObjectA(dib->get(), sizeof ds, &ds) == sizeof ds && ds.dsBm.bmBits &&
        ds.dsBm.bmBitsPixel == 32 && ds.dsBm.bmWidth == w && ds.dsBm.bmHeight == h) {
        GdiFlush();  // what is still being drawn into it lands before it is written
        return static_cast<uint32_t *>(ds.dsBm.bmBits);
    }
    uint32_t *bits = nullptr;
    dib->Reset(MakeDib32(w, h, &bits));
    return bits;
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

}  // namespace qx
