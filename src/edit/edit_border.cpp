// The non-client area of edit windows.
#include <vssym32.h>

#include "common/display.h"
#include "common/gdi.h"
#include "common/win_util.h"
#include "edit/edit_host.h"
#include "edit/old3d.h"
#include "visual/theme_api.h"

namespace qx {
namespace {

const COLORREF kDarkGrey = RGB(127, 127, 127);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kLightGrey = RGB(192, 192, 192);

}  // namespace

// Each edge is the top-left or bottom-right half of a frame, the outer one
// lighter than the inner. In high contrast the system's colours of the same
// parts take the place of the frame's own greys, black and white.
void DrawSunkenFrame(HDC dc, const RECT &r, int bx, int by) {
    const RECT outer = ExclusiveRect(r);
    const RECT inner = {outer.left + bx, outer.top + by, outer.right - bx, outer.bottom - by};
    const bool contrast = HighContrast();
    const struct {
        const RECT &rect;
        bool topLeft;
        COLORREF own;
        int system;
    } edges[] = {{outer, true, kDarkGrey, COLOR_BTNSHADOW},
                 {outer, false, kWhite, COLOR_BTNHIGHLIGHT},
                 {inner, true, kBlack, COLOR_3DDKSHADOW},
                 {inner, false, kLightGrey, COLOR_3DLIGHT}};
    for (const auto &e : edges) {
        Brush own(contrast ? nullptr : MakeBrush(e.own));
        const HBRUSH brush = contrast ? GetSysColorBrush(e.system) : own.get();
        if (e.topLeft)
            FillTopLeft(dc, e.rect, brush, bx, by);
        else
            FillBottomRight(dc, e.rect, brush, bx, by);
    }
}

bool EditHost::Old3d() const { return Old3dEnabled() && osMajor < 4; }

// With the old 3-D look the client area is the window less the frame's two
// lines on every side (never less than nothing).
LRESULT EditHost::OnNcCalcSize(WPARAM wp, LPARAM lp) {
    if (!Old3d() || !lp) return DefWindowProcA(Window(), WM_NCCALCSIZE, wp, lp);
    RECT *r = reinterpret_cast<RECT *>(lp);  // the first rectangle either way
    const UINT dpi = WindowDpi(Window());
    InflateRect(r, -2 * LineForDpi(SM_CXBORDER, dpi), -2 * LineForDpi(SM_CYBORDER, dpi));
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
    return WVR_REDRAW;
}

// The themed border covers the whole window, the client area included, which
// is then painted again. High contrast draws the system's border, never the
// theme's.
void EditHost::OnNcPaint(WPARAM wp) {
    ScopedTheme theme(Window(), L"EDIT", !HighContrast());
    RECT window;
    GetWindowRect(Window(), &window);
    const int width = window.right - window.left, height = window.bottom - window.top;
    if (Old3d()) {
        WholeWindowDC dc(Window());
        if (!dc) return;
        const RECT r = {0, 0, width - 1, height - 1};
        const UINT dpi = WindowDpi(Window());
        DrawSunkenFrame(dc.get(), r, LineForDpi(SM_CXBORDER, dpi), LineForDpi(SM_CYBORDER, dpi));
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

void EditHost::OnDpiChanged() {
    // The old 3-D frame's width follows the DPI: the client area is asked
    // for again, which sizes the parts (WM_SIZE) when it changes.
    if (Old3d())
        SetWindowPos(Window(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (Gone()) return;
    Layout();
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void EditHost::OnColorsChanged() { RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME); }

}  // namespace qx
