#include "button_fixture.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <cstring>

#include "qx_cntl.h"

namespace bt {

ButtonClasses::ButtonClasses()
    : ok_(QXRegisterBmpBtnClass(qxt::HostInstance()) == 1 &&
          QXRegisterMonthYearButtonXPClass(qxt::HostInstance()) == 1) {}

ButtonClasses::~ButtonClasses() {
    QXUnregisterMonthYearButtonXPClass(qxt::HostInstance());
    QXUnregisterBmpBtnClass(qxt::HostInstance());
}

COLORREF Coded(int x, int y) { return RGB(10 + 3 * x, 10 + 3 * y, 77); }

bool Decode(COLORREF c, int *x, int *y) {
    if (GetBValue(c) != 77 || (GetRValue(c) - 10) % 3 || (GetGValue(c) - 10) % 3) return false;
    *x = (GetRValue(c) - 10) / 3;
    *y = (GetGValue(c) - 10) / 3;
    return true;
}

bool CodedOrigin(const qxt::Pixels &p, POINT *origin) {
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            int px, py;
            if (Decode(p.At(x, y), &px, &py)) {
                origin->x = x - px;
                origin->y = y - py;
                return true;
            }
        }
    }
    return false;
}

HBITMAP MakeBitmap(int w, int h, const std::function<COLORREF(int, int)> &color, int bpp) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = nullptr;
    if (bpp == 0) {
        bmp = CreateCompatibleBitmap(screen, w, h);
    } else {
        struct {
            BITMAPINFOHEADER h;
            RGBQUAD colors[256];
        } bi = {};
        bi.h.biSize = sizeof bi.h;
        bi.h.biWidth = w;
        bi.h.biHeight = h;
        bi.h.biPlanes = 1;
        bi.h.biBitCount = static_cast<WORD>(bpp);
        if (bpp <= 8) {
            // The colours used, in order of first use.
            std::vector<COLORREF> table;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const COLORREF c = color(x, y);
                    bool known = false;
                    for (COLORREF t : table) known = known || t == c;
                    if (!known) table.push_back(c);
                }
            if (table.size() > (1u << bpp)) {
                ReleaseDC(nullptr, screen);
                return nullptr;
            }
            for (size_t i = 0; i < table.size(); ++i) {
                bi.colors[i].rgbRed = GetRValue(table[i]);
                bi.colors[i].rgbGreen = GetGValue(table[i]);
                bi.colors[i].rgbBlue = GetBValue(table[i]);
            }
            bi.h.biClrUsed = static_cast<DWORD>(1u << bpp);
        }
        void *bits;
        bmp = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO *>(&bi), DIB_RGB_COLORS, &bits,
                               nullptr, 0);
    }
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(mem, x, y, color(x, y));
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return bmp;
}

std::vector<COLORREF> BitmapPixels(HBITMAP bmp) {
    BITMAP bm;
    GetObjectA(bmp, sizeof bm, &bm);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bmp);
    std::vector<COLORREF> out;
    for (int y = 0; y < bm.bmHeight; ++y)
        for (int x = 0; x < bm.bmWidth; ++x) out.push_back(GetPixel(mem, x, y));
    SelectObject(mem, old);
    DeleteDC(mem);
    return out;
}

HICON MakeIcon(COLORREF color, int clearColumns) {
    BYTE mask[16 * 2] = {};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < clearColumns; ++x) mask[y * 2 + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmMask = CreateBitmap(16, 16, 1, 1, mask);
    info.hbmColor = MakeBitmap(16, 16, [&](int x, int) { return x < clearColumns ? RGB(0, 0, 0) : color; }, 24);
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return icon;
}

Canvas::Canvas(int w, int h, COLORREF fill) : w_(w), h_(h) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *bits;
    dc_ = CreateCompatibleDC(nullptr);
    bmp_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<DWORD *>(bits);
    old_ = SelectObject(dc_, bmp_);
    RECT r = {0, 0, w, h};
    HBRUSH b = CreateSolidBrush(fill);
    FillRect(dc_, &r, b);
    DeleteObject(b);
}

Canvas::~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
}

COLORREF Canvas::At(int x, int y) const {
    GdiFlush();
    const DWORD v = bits_[y * w_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void DrawThemedPush(Canvas &c, HWND themeWindow, int state, bool focusRect) {
    RECT r = {0, 0, c.width(), c.height()};
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    FillRect(c.dc(), &r, face);
    DeleteObject(face);
    HTHEME theme = OpenThemeData(themeWindow, L"BUTTON");
    ASSERT_NE(theme, nullptr);
    DrawThemeBackground(theme, c.dc(), BP_PUSHBUTTON, state, &r, nullptr);
    CloseThemeData(theme);
    if (focusRect) DrawFocusRect(c.dc(), &r);
}

void DrawThemedArrow(Canvas &c, HWND themeWindow, int part, int state) {
    RECT r = {0, 0, c.width(), c.height()};
    FillRect(c.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT inner = {1, 1, c.width() - 1, c.height() - 1};
    HTHEME theme = OpenThemeData(themeWindow, L"SPIN");
    ASSERT_NE(theme, nullptr);
    DrawThemeBackground(theme, c.dc(), part, state, &r, &inner);
    CloseThemeData(theme);
}

int Mismatches(const qxt::Pixels &p, const Canvas &c, const RECT &skip) {
    int n = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            const POINT at = {x, y};
            if (PtInRect(&skip, at)) continue;
            if (p.At(x, y) != c.At(x, y)) ++n;
        }
    return n;
}

}  // namespace bt
