#include "visual/spin_geometry.h"

namespace qx {

SpinGeometry SpinLayout(int left, int top, int width, int height, unsigned edges, int borderWidth,
                        int borderHeight) {
    SpinGeometry g;
    g.borderWidth = borderWidth;
    g.borderHeight = borderHeight;
    g.edges = edges;
    g.left = left;
    g.top = top;

    // The divider always takes a border row; the top and bottom edges one each.
    int available = height - borderHeight;
    if (edges & kSpinEdgeTop) available -= borderHeight;
    if (edges & kSpinEdgeBottom) available -= borderHeight;
    if (available < 0) available = 0;  // keeps the gap 0 or 1 in a tiny area
    g.upperHeight = g.lowerHeight = available / 2;
    g.gap = available % 2;

    int buttonWidth = width;
    if (edges & kSpinEdgeLeft) buttonWidth -= borderWidth;
    if (edges & kSpinEdgeRight) buttonWidth -= borderWidth;
    g.buttonWidth = buttonWidth < 0 ? 0 : buttonWidth;
    return g;
}

namespace {

// Top-left corner of the upper button.
POINT ButtonOrigin(const SpinGeometry &g) {
    POINT p;
    p.x = g.left + ((g.edges & kSpinEdgeLeft) ? g.borderWidth : 0);
    p.y = g.top + ((g.edges & kSpinEdgeTop) ? g.borderHeight : 0);
    return p;
}

}  // namespace

RECT SpinButtonRect(const SpinGeometry &g, SpinButton button) {
    const POINT o = ButtonOrigin(g);
    RECT r;
    r.left = o.x;
    r.right = o.x + g.buttonWidth - 1;
    if (button == kSpinLower) {
        r.top = o.y + g.upperHeight + g.borderHeight + g.gap;
        r.bottom = r.top + g.lowerHeight - 1;
    } else {
        r.top = o.y;
        r.bottom = o.y + g.upperHeight - 1;
    }
    return r;
}

RECT SpinThemedRect(const SpinGeometry &g, SpinButton button) {
    RECT r = SpinButtonRect(g, button);
    const int down = button == kSpinLower ? g.borderHeight : -g.borderHeight;  // where the top goes
    r.left -= g.borderWidth;
    r.right += 1 + g.borderWidth;
    r.top += down;
    r.bottom += 1 + g.borderHeight + (down > 0 ? down : 0);
    return r;
}

SpinButton SpinHitTest(const SpinGeometry &g, int x, int y) {
    const POINT p = {x, y};
    RECT r = SpinButtonRect(g, kSpinUpper);
    if (PtInRect(&r, p)) return kSpinUpper;
    r = SpinButtonRect(g, kSpinLower);
    if (PtInRect(&r, p)) return kSpinLower;
    return kSpinNone;
}

SpinFrame SpinFrameOf(const SpinGeometry &g) {
    const POINT o = ButtonOrigin(g);
    SpinFrame f;
    f.x1 = o.x + g.buttonWidth;
    f.y1 = o.y + g.upperHeight + g.borderHeight + g.gap + g.lowerHeight;
    f.xa = o.x;
    f.xb = (g.edges & kSpinEdgeRight) ? f.x1 - 1 : f.x1;  // up to the right line
    f.divider.left = f.xa;
    f.divider.top = o.y + g.upperHeight;
    f.divider.right = f.xb + 1;
    // Down to where the lower button's themed face begins, a line below its top.
    f.divider.bottom = o.y + g.upperHeight + 2 * g.borderHeight + g.gap;
    return f;
}

SpinArrow SpinArrowIn(const RECT &r, bool up) {
    const int h = r.bottom - r.top + 1;
    const int w = r.right - r.left + 1;
    int n = (2 * h) / 3;
    if (2 * n - 1 > w) n = (w + 1) / 2;
    SpinArrow a;
    a.rows = n > 0 ? n : 0;
    a.cx = r.left + w / 2;
    a.top = r.top + (h - a.rows) / 2;
    a.up = up;
    return a;
}

}  // namespace qx
