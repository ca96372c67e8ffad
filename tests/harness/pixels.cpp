#include <sstream>

#include "harness.h"

namespace qxt {

Pixels::Pixels(HWND hwnd, bool wholeWindow) {
    RECT r;
    if (wholeWindow) GetWindowRect(hwnd, &r), OffsetRect(&r, -r.left, -r.top);
    else GetClientRect(hwnd, &r);
    width_ = r.right;
    height_ = r.bottom;
    if (width_ <= 0 || height_ <= 0) return;

    HDC src = wholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd);
    HDC mem = CreateCompatibleDC(src);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof bi.bmiHeader, width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top-down
    void *bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, width_, height_, src, 0, 0, SRCCOPY);
    GdiFlush();
    data_.resize(static_cast<size_t>(width_) * height_);
    const DWORD *p = static_cast<const DWORD *>(bits);
    for (size_t i = 0; i < data_.size(); ++i) data_[i] = RGB(p[i] >> 16 & 0xFF, p[i] >> 8 & 0xFF, p[i] & 0xFF);
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

int Pixels::Count(COLORREF color) const { return Count(color, RECT{0, 0, width_, height_}); }

// A pixel outside the copy is of no colour, so of another than color.
int Pixels::CountOther(COLORREF color, const RECT &r) const {
    return (r.right - r.left) * (r.bottom - r.top) - Count(color, r);
}

int Pixels::Differences(const Pixels &other) const {
    if (width_ != other.width_ || height_ != other.height_)
        return static_cast<int>(data_.size() > other.data_.size() ? data_.size() : other.data_.size());
    int n = 0;
    for (size_t i = 0; i < data_.size(); ++i) n += data_[i] != other.data_[i];
    return n;
}

void Repaint(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
}

namespace {
const COLORREF kPrintText = RGB(1, 2, 3), kPrintBack = RGB(4, 5, 6);
}  // namespace

PrintTarget::PrintTarget(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof bi.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    font_ = CreateFontA(-13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    pen_ = CreatePen(PS_DOT, 1, RGB(7, 8, 9));
    brush_ = CreateSolidBrush(RGB(10, 11, 12));
    old_[0] = SelectObject(dc_, bitmap_);
    old_[1] = SelectObject(dc_, font_);
    old_[2] = SelectObject(dc_, pen_);
    old_[3] = SelectObject(dc_, brush_);
    SetTextColor(dc_, kPrintText);
    SetBkColor(dc_, kPrintBack);
    SetBkMode(dc_, OPAQUE);
    SetROP2(dc_, R2_COPYPEN);
    SetTextAlign(dc_, TA_TOP | TA_LEFT);
}

PrintTarget::~PrintTarget() {
    for (HGDIOBJ old : old_) SelectObject(dc_, old);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
    DeleteObject(font_);
    DeleteObject(pen_);
    DeleteObject(brush_);
}

void PrintTarget::Print(HWND hwnd) { SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT); }

std::string PrintTarget::Changed() const {
    std::string changed;
    auto check = [&](bool same, const char *name) {
        if (!same) changed += std::string(changed.empty() ? "" : " ") + name;
    };
    check(GetCurrentObject(dc_, OBJ_BITMAP) == bitmap_, "bitmap");
    check(GetCurrentObject(dc_, OBJ_FONT) == font_, "font");
    check(GetCurrentObject(dc_, OBJ_PEN) == pen_, "pen");
    check(GetCurrentObject(dc_, OBJ_BRUSH) == brush_, "brush");
    check(GetTextColor(dc_) == kPrintText, "text-colour");
    check(GetBkColor(dc_) == kPrintBack, "background-colour");
    check(GetBkMode(dc_) == OPAQUE, "background-mode");
    check(GetROP2(dc_) == R2_COPYPEN, "mix-mode");
    check(GetTextAlign(dc_) == (TA_TOP | TA_LEFT), "text-alignment");
    POINT origin;
    GetViewportOrgEx(dc_, &origin);
    check(origin.x == 0 && origin.y == 0, "origin");
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    check(GetClipRgn(dc_, clip) == 0, "clip");
    DeleteObject(clip);
    return changed;
}

int PrintTarget::DifferencesFrom(HWND hwnd) const {
    const Pixels own(hwnd);
    int n = 0;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) n += GetPixel(dc_, x, y) != own.At(x, y);
    return n;
}

}  // namespace qxt
