// The non-client area of edit windows.
#include <vssym32.h>

#include "common/gdi.h"
#include "edit/edit_host.h"
#include "edit/old3d.h"
#include "visual/theme_api.h"

namespace qx {
namespace {

const COLORREF kDarkGrey = RGB(127, 127, 127);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kLightGrey = RGB(192, 192, 192);

// A line from the current position to (x, y) with a pen made for it.
void Stroke(HDC dc, int x, int y, int width, COLORREF color) {
    Pen pen(MakePen(width, color));
    Select use(dc, pen.get());
    LineTo(dc, x, y);
}

// Left side upwards, then the top rightwards (its last pixel included).
void TopLeftEdge(HDC dc, const RECT &r, int bx, int by, COLORREF color) {
    MoveToEx(dc, r.left, r.bottom, nullptr);
    Stroke(dc, r.left, r.top, bx, color);
    Stroke(dc, r.right + 1, r.top, by, color);
}

// The bottom rightwards, then the right side upwards (its top included).
void BottomRightEdge(HDC dc, const RECT &r, int bx, int by, COLORREF color) {
    MoveToEx(dc, r.left, r.bottom, nullptr);
    Stroke(dc, r.right, r.bottom, by, color);
    Stroke(dc, r.right, r.top - 1, bx, color);
}

}  // namespace

void DrawSunkenFrame(HDC dc, const RECT &r, int bx, int by) {
    TopLeftEdge(dc, r, bx, by, kDarkGrey);
    BottomRightEdge(dc, r, bx, by, kWhite);
    const RECT inner = {r.left + bx, r.top + by, r.right - bx, r.bottom - by};
    TopLeftEdge(dc, inner, bx, by, kBlack);
    BottomRightEdge(dc, inner, bx, by, kLightGrey);
}

bool EditHost::Old3d() const { return Old3dEnabled() && osMajor < 4; }

// With the old 3-D look the client area is the window less 2 pixels on every
// side (never less than nothing).
LRESULT EditHost::OnNcCalcSize(WPARAM wp, LPARAM lp) {
    if (!Old3d() || !lp) return DefWindowProcA(Window(), WM_NCCALCSIZE, wp, lp);
    RECT *r = reinterpret_cast<RECT *>(lp);  // the first rectangle either way
    InflateRect(r, -2, -2);
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
    return WVR_REDRAW;
}

// The themed border covers the whole window, the client area included, which
// is then painted again.
void EditHost::OnNcPaint(WPARAM wp) {
    ScopedTheme theme(Window(), L"EDIT");
    RECT window;
    GetWindowRect(Window(), &window);
    const int width = window.right - window.left, height = window.bottom - window.top;
    if (Old3d()) {
        WholeWindowDC dc(Window());
        if (!dc) return;
        const RECT r = {0, 0, width - 1, height - 1};
        DrawSunkenFrame(dc.get(), r, GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER));
    } else if (theme) {
        WholeWindowDC dc(Window());
        if (!dc) return;
        const RECT r = {0, 0, width, height};
        const int state = !IsWindowEnabled(Window()) ? ETS_DISABLED
                          : edit && edit->ReadOnly()  ? ETS_READONLY
                                                      : ETS_NORMAL;
        theme.DrawBackground(dc.get(), EP_EDITTEXT, state, r);
        InvalidateRect(Window(), nullptr, TRUE);
    } else {
        DefWindowProcA(Window(), WM_NCPAINT, wp, 0);
    }
}

}  // namespace qx
