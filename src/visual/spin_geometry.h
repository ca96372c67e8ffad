// Geometry of a spin button as plain numbers: the layout of its two arrow
// buttons, their rectangles, the hit test, the frame and the arrow shape.
// Nothing here needs a window.
#pragma once
#include <windows.h>

namespace qx {

// Border edges of a spin.
enum SpinEdge : unsigned { kSpinEdgeLeft = 1, kSpinEdgeRight = 2, kSpinEdgeTop = 4, kSpinEdgeBottom = 8 };

// Which arrow button: the upper steps up, the lower steps down.
enum SpinButton : int { kSpinUpper = 0, kSpinLower = 1, kSpinNone = 2 };

// The numbers a spin keeps from its last layout.
struct SpinGeometry {
    int upperHeight;   // height of the upper button
    int lowerHeight;   // height of the lower button (equal to the upper)
    int buttonWidth;   // width of both buttons
    int borderWidth;   // the border lines' widths at the layout (SM_CXBORDER
    int borderHeight;  // and SM_CYBORDER for the window's DPI)
    int gap;           // 0 or 1: the odd row left over, added to the divider
    unsigned edges;    // SpinEdge bits: the sides that carry a border
    int left;          // the spin's area in the window's client coordinates
    int top;
};

// Splits an area among two equal buttons, the divider and the border edges.
// A height or width too small for the borders gives buttons of size 0.
SpinGeometry SpinLayout(int left, int top, int width, int height, unsigned edges, int borderWidth,
                        int borderHeight);

// Rectangle of a button with right and bottom inclusive (the last pixel).
RECT SpinButtonRect(const SpinGeometry &g, SpinButton button);

// Rectangle a themed button is drawn in (right and bottom exclusive): the
// theme's images carry their own border, so they reach one border line over
// the frame (the lower one starts a line below its top).
RECT SpinThemedRect(const SpinGeometry &g, SpinButton button);

// The button under a point. The inclusive numbers go to the system's
// point-in-rectangle rule, so a button's last column and row do not hit.
SpinButton SpinHitTest(const SpinGeometry &g, int x, int y);

// Where the frame goes: x1 is the column right of the buttons, y1 the row
// below them; the top and bottom lines run from xa to xb inclusive; the
// divider is a rectangle with right and bottom exclusive, which reaches a
// line into the lower button (its themed face begins there).
struct SpinFrame {
    int x1;
    int y1;
    int xa;
    int xb;
    RECT divider;
};
SpinFrame SpinFrameOf(const SpinGeometry &g);

// A triangle of `rows` horizontal runs centred on column cx: run i covers
// cx - i to cx + i. An up arrow has run 0 on row `top`, a down arrow its
// widest run there. rows is 0 when nothing fits.
struct SpinArrow {
    int rows;
    int cx;
    int top;
    bool up;
    int RowY(int i) const { return up ? top + i : top + rows - 1 - i; }
};
// The arrow that fits in an inclusive rectangle: two thirds of its height,
// no wider than the rectangle, centred.
SpinArrow SpinArrowIn(const RECT &inclusive, bool up);

}  // namespace qx
