#include "button/month_year_btn.h"

#include <new>

#include "common/display.h"
#include "common/gdi.h"
#include "visual/theme_api.h"

namespace qx {

namespace {

// Parts of the themed "SPIN" class that hold horizontal arrows, and states.
constexpr int kArrowRightPart = 3;  // SPNP_UPHORZ
constexpr int kArrowLeftPart = 4;   // SPNP_DOWNHORZ
constexpr int kStateNormal = 1;
constexpr int kStatePressed = 3;
constexpr int kStateDisabled = 4;

}  // namespace

HTHEME MonthYearBtn::FaceTheme() { return HighContrast() ? nullptr : spin_.Get(Window()); }

bool MonthYearBtn::HasFace() { return HighContrast() || spin_.Get(Window()) != nullptr; }

unsigned MonthYearBtn::FaceVariant() const {
    return (leftArrow_ ? 1u : 0u) | (LooksDisabled() ? 2u : 0u) | (HighContrast() ? 4u : 0u) |
           WindowDpi(Window()) << 3;
}

RECT MonthYearBtn::DrawFace(HDC dc, const RECT &rect, bool pressedLook) {
    if (HighContrast()) {
        RECT r = rect;
        DrawFrameControl(dc, &r, DFC_SCROLL,
                         (leftArrow_ ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT) | (pressedLook ? DFCS_PUSHED : 0) |
                             (LooksDisabled() ? DFCS_INACTIVE : 0));
        return rect;
    }
    HTHEME theme = FaceTheme();
    if (!theme) return rect;
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    // The arrow is laid out on the whole button and clipped a line in, so
    // the black stays as a frame.
    const int line = ScaleForDpi(1, WindowDpi(Window()));
    RECT inner = rect;
    InflateRect(&inner, -line, -line);
    RECT outer = inner;
    InflateRect(&outer, line, line);
    const int state = LooksDisabled() ? kStateDisabled : pressedLook ? kStatePressed : kStateNormal;
    Themes().DrawThemeBackground(theme, dc, leftArrow_ ? kArrowLeftPart : kArrowRightPart, state, &outer, &inner);
    return inner;
}

void MonthYearBtn::OnThemeChanged() {
    spin_.Drop();
    BmpBtn::OnThemeChanged();
}

void MonthYearBtn::OnSetFocus() {
    if (servesCalendar_) {
        SetFocus(GetParent(Window()));
        return;
    }
    BmpBtn::OnSetFocus();
}

void MonthYearBtn::OnKillFocus() {
    if (!servesCalendar_) BmpBtn::OnKillFocus();
}

void MonthYearBtn::SetLeftArrow(bool left) {
    if (left == leftArrow_) return;
    leftArrow_ = left;
    InvalidateRect(Window(), nullptr, FALSE);
}

WindowObject *MonthYearBtn::Make(HWND hwnd, const CREATESTRUCTA &) {
    return new (std::nothrow) MonthYearBtn(hwnd);
}

bool SetMonthYearArrow(HWND button, bool left, bool forCalendar) {
    return WindowObject::With<MonthYearBtn>(button, [&](MonthYearBtn &b) {
        b.SetLeftArrow(left);
        if (forCalendar) b.ServeCalendar();
        return true;
    });
}

}  // namespace qx
