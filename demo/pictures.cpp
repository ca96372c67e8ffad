#include "pictures.h"

#include "png.h"

namespace demo {

HBITMAP MakeDib32(int w, int h, DWORD **bits) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *p = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    *bits = static_cast<DWORD *>(p);
    return bmp;
}

HBITMAP MakeArrowBitmap() {
    DWORD *px = nullptr;
    HBITMAP bmp = MakeDib32(20, 16, &px);
    if (!bmp) return nullptr;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x) {
            const int dy = y < 8 ? 7 - y : y - 8;  // distance from the middle rows
            const bool shaft = x >= 2 && x < 11 && y >= 6 && y < 10;
            const bool head = x >= 11 && x < 18 && dy <= 17 - x;
            px[y * 20 + x] = shaft || head ? 0x00208020 : 0x00C0C0C0;
        }
    return bmp;
}

bool GrabRect(HWND window, const RECT &r, std::vector<uint8_t> *rgb) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    DWORD *px = nullptr;
    HBITMAP bmp = w > 0 && h > 0 ? MakeDib32(w, h, &px) : nullptr;
    if (!bmp) return false;
    HDC source = GetDC(window);
    HDC mem = CreateCompatibleDC(source);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, source, r.left, r.top, SRCCOPY);
    GdiFlush();
    rgb->resize(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
        (*rgb)[i * 3] = (px[i] >> 16) & 0xFF;
        (*rgb)[i * 3 + 1] = (px[i] >> 8) & 0xFF;
        (*rgb)[i * 3 + 2] = px[i] & 0xFF;
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(window, source);
    return true;
}

bool SaveRect(HWND window, const RECT &r, const char *path) {
    std::vector<uint8_t> rgb;
    return GrabRect(window, r, &rgb) && WritePng(path, r.right - r.left, r.bottom - r.top, rgb);
}

}  // namespace demo
