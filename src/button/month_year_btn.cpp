#include "button/month_year_btn.h"

#include <new>

#include "common/gdi.h"
#include "visual/theme_api.h"

namespace qx {

namespace {

// Parts of the themed "SPIN" class that hold horizontal arrows, and states.
constexpr int kArrowRightPart = 3;  // SPNP_UPHORZ
constexpr int kArrowLeftPart = 4;   // SPNP_DOWNHORZ
constexpr int kStateNormal = 1;
constexpr int kStatePressed = 3;

}  // namespace

RECT MonthYearBtn::DrawFace(HDC dc, const RECT &rect, bool pressedLook) {
    HTHEME theme = FaceTheme();
    if (!theme) return rect;
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    // The arrow is laid out on the whole button and clipped one pixel in,
    // so the black stays as a frame.
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    RECT outer = inner;
    InflateRect(&outer, 1, 1);
    Themes().DrawThemeBackground(theme, dc, leftArrow_ ? kArrowLeftPart : kArrowRightPart,
                                 pressedLook ? kStatePressed : kStateNormal, &outer, &inner);
    return inner;
}

void MonthYearBtn::OnThemeChanged() {
    spin_.Drop();
    BmpBtn::OnThemeChanged();
}

void MonthYearBtn::OnSetFocus() {
    if (passesFocus_) {
        SetFocus(GetParent(Window()));
        return;
    }
    BmpBtn::OnSetFocus();
}

void MonthYearBtn::OnKillFocus() {
    if (!passesFocus_) BmpBtn::OnKillFocus();
}

void MonthYearBtn::SetLeftArrow(bool left) {
    if (left == leftArrow_) return;
    leftArrow_ = left;
    InvalidateRect(Window(), nullptr, FALSE);
}

WindowObject *MonthYearBtn::Make(HWND hwnd, const CREATESTRUCTA &) {
    return new (std::nothrow) MonthYearBtn(hwnd);
}

bool SetMonthYearArrow(HWND button, bool left, bool passFocus) {
    return WindowObject::With<MonthYearBtn>(button, [&](MonthYearBtn &b) {
        b.SetLeftArrow(left);
        if (passFocus) b.PassFocusOn();
        return true;
    });
}

}  // namespace qx
