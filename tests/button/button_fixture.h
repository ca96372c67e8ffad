// Shared pieces of the button tests: both classes registered for a test,
// pictures, and reference renderings of the themed parts a face is made of.
#pragma once
#include <windows.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "harness.h"
#include "qx_cntl.h"

namespace bt {

inline bool Themed() { return !qxt::ClassicPrefix(); }
inline COLORREF Sys(int index) { return GetSysColor(index); }

// Both classes registered for one test; its windows (children of `parent`)
// are gone before the classes are unregistered.
class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(classes.ok); }

private:
    struct Classes {
        bool ok = QXRegisterBmpBtnClass(qxt::HostInstance()) == 1 &&
                  QXRegisterMonthYearButtonXPClass(qxt::HostInstance()) == 1;
        ~Classes() {
            QXUnregisterMonthYearButtonXPClass(qxt::HostInstance());
            QXUnregisterBmpBtnClass(qxt::HostInstance());
        }
    } classes;

protected:
    qxt::ParentWindow parent;
};

// A bitmap of w x h. bpp 24 or 32: a DIB section; 8, 4 or 1: a DIB section
// whose colour table holds the colours used; 0: compatible with the screen.
inline HBITMAP MakeBitmap(int w, int h, const std::function<COLORREF(int, int)> &color, int bpp = 32) {
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD table[256];
    } bi = {{sizeof(BITMAPINFOHEADER), w, h, 1, static_cast<WORD>(bpp), BI_RGB, 0, 0, 0, 0, 0}, {}};
    for (int y = 0, used = 0; bpp && bpp <= 8 && y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const RGBQUAD q = {GetBValue(color(x, y)), GetGValue(color(x, y)), GetRValue(color(x, y)), 0};
            int i = 0;
            while (i < used && std::memcmp(&bi.table[i], &q, sizeof q)) ++i;
            if (i == used && used < 256) bi.table[used++] = q;
        }
    HDC screen = GetDC(nullptr), mem = CreateCompatibleDC(screen);
    void *bits;
    HBITMAP bmp = bpp ? CreateDIBSection(screen, reinterpret_cast<BITMAPINFO *>(&bi), DIB_RGB_COLORS, &bits,
                                         nullptr, 0)
                      : CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(mem, x, y, color(x, y));
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return bmp;
}
inline HBITMAP Solid(int w, int h, COLORREF c) { return MakeBitmap(w, h, [c](int, int) { return c; }); }

inline std::vector<COLORREF> BitmapPixels(HBITMAP bmp) {
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

// A 16 x 16 icon of one colour, transparent in its left `clear` columns.
inline HICON MakeIcon(COLORREF color, int clear = 0) {
    const unsigned row = (0xFFFFu << (16 - clear)) & 0xFFFF;  // leftmost pixel in the top bit
    BYTE mask[32];
    for (int y = 0; y < 16; ++y) mask[2 * y] = static_cast<BYTE>(row >> 8), mask[2 * y + 1] = row & 0xFF;
    ICONINFO info = {TRUE, 0, 0, CreateBitmap(16, 16, 1, 1, mask),
                     MakeBitmap(16, 16, [&](int x, int) { return x < clear ? 0 : color; }, 24)};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return icon;
}

// Where a colour first shows in the window, row by row ({-1, -1}: nowhere).
inline POINT Find(const qxt::Pixels &p, COLORREF c) {
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (p.At(x, y) == c) return {x, y};
    return {-1, -1};
}

// A w x h rendering into a 32-bit DIB, as a face of that size is drawn.
class Canvas {
public:
    Canvas(int w, int h) : w_(w), h_(h), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        void *bits;
        bmp_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<const DWORD *>(bits);
        old_ = SelectObject(dc_, bmp_);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bmp_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const DWORD v = bits_[y * w_ + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // The themed "BUTTON" or "SPIN" part on a fill, clipped one pixel in
    // when asked, with the dotted focus rectangle when asked.
    Canvas &Themed(HWND hwnd, const wchar_t *cls, int part, int state, COLORREF fill, bool inset = false,
                   bool focus = false) {
        RECT r = {0, 0, w_, h_}, inner = {1, 1, w_ - 1, h_ - 1};
        HBRUSH b = CreateSolidBrush(fill);
        FillRect(dc_, &r, b);
        DeleteObject(b);
        HTHEME theme = OpenThemeData(hwnd, cls);
        EXPECT_NE(theme, nullptr);
        DrawThemeBackground(theme, dc_, part, state, &r, inset ? &inner : nullptr);
        CloseThemeData(theme);
        if (focus) DrawFocusRect(dc_, &r);
        return *this;
    }
    // The themed push button face of a bitmap button.
    Canvas &Push(HWND hwnd, int state, bool focus = false) {
        return Themed(hwnd, L"BUTTON", BP_PUSHBUTTON, state, Sys(COLOR_BTNFACE), false, focus);
    }
    // Pixels of the window that differ, outside `skip`.
    int Mismatches(const qxt::Pixels &p, RECT skip = {0, 0, 0, 0}) const {
        int n = 0;
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) n += !PtInRect(&skip, POINT{x, y}) && p.At(x, y) != At(x, y);
        return n;
    }

private:
    int w_, h_;
    HDC dc_;
    HBITMAP bmp_;
    HGDIOBJ old_;
    const DWORD *bits_;
};

}  // namespace bt
