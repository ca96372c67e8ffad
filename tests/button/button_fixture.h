// Shared pieces of the button tests: class registration for a test, pictures
// whose pixels tell where they were drawn, and reference renderings of the
// themed parts that a button face is built from.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "harness.h"

namespace bt {

// A theme is in force in this test program's prefix.
inline bool Themed() { return !qxt::ClassicPrefix(); }

// Registers both button classes for the host instance, for one scope.
class ButtonClasses {
public:
    ButtonClasses();
    ~ButtonClasses();
    bool ok() const { return ok_; }

private:
    bool ok_;
};

// A picture pixel that tells its own coordinates (x, y < 60): red and green
// carry them, blue is a marker no frame colour has.
COLORREF Coded(int x, int y);
bool Decode(COLORREF c, int *x, int *y);
// Where the picture's (0, 0) lies in the window, from the first coded pixel;
// false when no coded pixel shows.
bool CodedOrigin(const qxt::Pixels &p, POINT *origin);

// A bitmap of w x h with the given pixels. bpp 24 or 32: a DIB section; 8, 4
// or 1: a DIB section with a colour table of the colours used; 0: a bitmap
// compatible with the screen.
HBITMAP MakeBitmap(int w, int h, const std::function<COLORREF(int, int)> &color, int bpp = 32);

// Pixels of a bitmap (GetPixel through a memory DC), row by row.
std::vector<COLORREF> BitmapPixels(HBITMAP bmp);

// A 16 x 16 icon: `color` where opaque, transparent in its left `clearColumns`.
HICON MakeIcon(COLORREF color, int clearColumns = 0);

// A rendering of w x h as a button face would draw it, into a 32-bit DIB.
class Canvas {
public:
    Canvas(int w, int h, COLORREF fill);
    ~Canvas();
    HDC dc() const { return dc_; }
    COLORREF At(int x, int y) const;
    int width() const { return w_; }
    int height() const { return h_; }

private:
    int w_, h_;
    HDC dc_;
    HBITMAP bmp_;
    HGDIOBJ old_;
    DWORD *bits_;
};

// The themed push button of w x h in a state (1 normal, 2 hot, 3 pressed) on
// the face colour, with the dotted focus rectangle when asked.
void DrawThemedPush(Canvas &c, HWND themeWindow, int state, bool focusRect);
// The themed horizontal spin part (3 right, 4 left) in a state inside a
// one-pixel black frame.
void DrawThemedArrow(Canvas &c, HWND themeWindow, int part, int state);

// Pixels of the window that differ from the canvas, outside `skip`.
int Mismatches(const qxt::Pixels &p, const Canvas &c, const RECT &skip = RECT{0, 0, 0, 0});

}  // namespace bt
