// Scoped GDI helpers: every object created here is deleted, every object
// selected is selected back, every DC taken is given back, when the scope ends.
#pragma once
#include <windows.h>

#include <cstdint>

namespace qx {

// How an owned handle is given back: DeleteObject for GDI objects,
// DestroyIcon for icons.
struct DeleteGdiObject {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct DestroyIconHandle {
    void operator()(HICON h) const { DestroyIcon(h); }
};

// An owned GDI object (pen, brush, font, bitmap, region) or icon, given back
// at the end.
template <typename H, typename Free = DeleteGdiObject>
class GdiObject {
public:
    explicit GdiObject(H h = nullptr) : h_(h) {}
    ~GdiObject() { Reset(); }
    GdiObject(const GdiObject &) = delete;
    GdiObject &operator=(const GdiObject &) = delete;

    H get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void Reset(H h = nullptr) {
        if (h_ && h_ != h) Free()(h_);
        h_ = h;
    }
    H Release() {
        H h = h_;
        h_ = nullptr;
        return h;
    }

private:
    H h_;
};

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using OwnedIcon = GdiObject<HICON, DestroyIconHandle>;

inline HPEN MakePen(int width, COLORREF color) { return CreatePen(PS_SOLID, width, color); }
inline HBRUSH MakeBrush(COLORREF color) { return CreateSolidBrush(color); }

// Selects an object into a DC and selects the previous one back at the end.
// A null object selects nothing.
class Select {
public:
    Select(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~Select() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    Select(const Select &) = delete;
    Select &operator=(const Select &) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// GetDC / ReleaseDC of a window.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC &) = delete;
    WindowDC &operator=(const WindowDC &) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// GetWindowDC / ReleaseDC: the whole window, non-client area included.
class WholeWindowDC {
public:
    explicit WholeWindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetWindowDC(hwnd)) {}
    ~WholeWindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WholeWindowDC(const WholeWindowDC &) = delete;
    WholeWindowDC &operator=(const WholeWindowDC &) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint of a window.
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    ~PaintDC() { EndPaint(hwnd_, &ps_); }
    PaintDC(const PaintDC &) = delete;
    PaintDC &operator=(const PaintDC &) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_;
    HDC dc_;
};

// A memory DC compatible with another, deleted at the end.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC &) = delete;
    MemoryDC &operator=(const MemoryDC &) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// Text and background colours of a DC, put back at the end.
class SavedColors {
public:
    explicit SavedColors(HDC dc) : dc_(dc), text_(GetTextColor(dc)), back_(GetBkColor(dc)) {}
    ~SavedColors() {
        SetTextColor(dc_, text_);
        SetBkColor(dc_, back_);
    }
    SavedColors(const SavedColors &) = delete;
    SavedColors &operator=(const SavedColors &) = delete;

private:
    HDC dc_;
    COLORREF text_;
    COLORREF back_;
};

// Background mode of a DC, put back at the end.
class SavedBkMode {
public:
    SavedBkMode(HDC dc, int mode) : dc_(dc), old_(SetBkMode(dc, mode)) {}
    ~SavedBkMode() {
        if (old_) SetBkMode(dc_, old_);
    }
    SavedBkMode(const SavedBkMode &) = delete;
    SavedBkMode &operator=(const SavedBkMode &) = delete;

private:
    HDC dc_;
    int old_;
};

// The whole state of a DC (selected objects, colours, modes, clip region),
// put back at the end with RestoreDC.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), id_(dc ? SaveDC(dc) : 0) {}
    ~SavedDC() {
        if (id_) RestoreDC(dc_, id_);
    }
    SavedDC(const SavedDC &) = delete;
    SavedDC &operator=(const SavedDC &) = delete;

private:
    HDC dc_;
    int id_;
};

// Fills a rectangle (right and bottom exclusive) with a solid colour.
inline void FillColor(HDC dc, const RECT &r, COLORREF color) {
    Brush brush(MakeBrush(color));
    if (brush) FillRect(dc, &r, brush.get());
}

// The two halves of a bevel or frame of a rectangle (right and bottom
// exclusive): the strip along the top (h high), then the one along the left
// (w wide); the strip along the bottom, then the one along the right. Drawn
// in that order, the bottom and right take the top-right and bottom-left
// corners.
void FillTopLeft(HDC dc, const RECT &rect, HBRUSH brush, int w, int h);
void FillBottomRight(HDC dc, const RECT &rect, HBRUSH brush, int w, int h);

// A memory DC kept by a control for drawing off-screen, made at the first
// Get (compatible with the screen) and deleted with its owner. Nothing stays
// selected into it between drawings: whoever selects a bitmap into it
// selects it back (Select).
class KeptDC {
public:
    KeptDC() = default;
    ~KeptDC() {
        if (dc_) DeleteDC(dc_);
    }
    KeptDC(const KeptDC &) = delete;
    KeptDC &operator=(const KeptDC &) = delete;
    // Null when no DC can be made.
    HDC Get() {
        if (!dc_) dc_ = CreateCompatibleDC(nullptr);
        return dc_;
    }

private:
    HDC dc_ = nullptr;
};

// A 32-bit top-down DIB section of w x h (w * h pixels 0x00RRGGBB, row
// after row from the top, through *bits); null when w or h is not positive
// or it cannot be made. Drawing from and into DIB sections stays in the
// process, where bitmaps compatible with the screen can cost a trip to the
// display for every copy.
HBITMAP MakeDib32(int w, int h, uint32_t **bits);

// Makes *dib such a DIB section of w x h unless it holds one (one that
// MakeDib32 made) already, and gives its pixels; null (and *dib empty)
// when none can be made. Memory fresh from the system costs more to touch
// the first time than a copy into memory already used: what is made again
// and again (a picture's copies, an image) reuses its memory this way.
uint32_t *FitDib32(Bitmap *dib, int w, int h);

// The 32-bit pixel (0x00RRGGBB) of a colour, as DIB sections hold it.
inline uint32_t DibPixel(COLORREF c) {
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

}  // namespace qx
