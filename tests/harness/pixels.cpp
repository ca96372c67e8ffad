#include <cstdio>
#include <sstream>

#include "harness.h"

namespace qxt {

Pixels::Pixels(HWND hwnd, bool wholeWindow) {
    RECT r;
    if (wholeWindow) {
        GetWindowRect(hwnd, &r);
        OffsetRect(&r, -r.left, -r.top);
    } else {
        GetClientRect(hwnd, &r);
    }
    width_ = r.right;
    height_ = r.bottom;
    if (width_ <= 0 || height_ <= 0) return;

    HDC src = wholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd);
    HDC mem = CreateCompatibleDC(src);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, width_, height_, src, 0, 0, SRCCOPY);
    GdiFlush();
    data_.resize(static_cast<size_t>(width_) * height_);
    const DWORD *p = static_cast<const DWORD *>(bits);
    for (size_t i = 0; i < data_.size(); ++i) {
        const DWORD v = p[i];  // 0x00RRGGBB
        data_[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(hwnd, src);
}

COLORREF Pixels::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    return data_[static_cast<size_t>(y) * width_ + x];
}

int Pixels::Count(COLORREF color, const RECT &r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (At(x, y) == color) ++n;
    return n;
}

int Pixels::Count(COLORREF color) const {
    RECT all = {0, 0, width_, height_};
    return Count(color, all);
}

int Pixels::CountOther(COLORREF color, const RECT &r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (At(x, y) != color) ++n;
    return n;
}

void Repaint(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN |
                                              RDW_UPDATENOW);
    Pump();
}

std::string Describe(COLORREF c) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "RGB(%d,%d,%d)", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

}  // namespace qxt
