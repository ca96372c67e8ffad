#include "button/month_year_btn.h"

#include <new>

#include "common/gdi.h"
#include "common/window_class.h"
#include "common/window_object.h"
#include "qx_cntl.h"
#include "visual/theme_api.h"

namespace qx {

namespace {

WindowClass g_monthYearClass = {"QXBmpButtonXP", MonthYearBtnWndProc, CS_HREDRAW | CS_VREDRAW, 0};

// Parts of the themed "SPIN" class that hold horizontal arrows, and states.
constexpr int kArrowRightPart = 3;  // SPNP_UPHORZ
constexpr int kArrowLeftPart = 4;   // SPNP_DOWNHORZ
constexpr int kStateNormal = 1;
constexpr int kStatePressed = 3;

}  // namespace

void MonthYearBtn::DrawFace(HDC dc, const RECT &rect, bool pressedLook) {
    ScopedTheme theme(ownWnd, L"SPIN");
    if (!theme) return;
    FillColor(dc, rect, RGB(0, 0, 0));
    // The arrow is laid out on the whole button and clipped one pixel in,
    // so the black stays as a frame.
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    RECT outer = inner;
    InflateRect(&outer, 1, 1);
    theme.DrawBackground(dc, leftArrow ? kArrowLeftPart : kArrowRightPart,
                         pressedLook ? kStatePressed : kStateNormal, outer, &inner);
}

LRESULT CALLBACK MonthYearBtnWndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE && !SlotObject(window)) {
        auto *button = new (std::nothrow) MonthYearBtn;
        // Not created rather than given a plain bitmap button's object.
        if (!button) return FALSE;
        button->ownWnd = window;
        SetSlotObject(window, button);
    }
    return BmpBtnWndProc(window, msg, wp, lp);
}

MonthYearBtn *MonthYearBtnFromWindow(HWND window) {
    return static_cast<MonthYearBtn *>(WindowObject(window, MonthYearBtnWndProc));
}

}  // namespace qx

extern "C" QXBOOL WINAPI QXRegisterMonthYearButtonXPClass(HINSTANCE instance) {
    return qx::RegisterCounted(qx::g_monthYearClass, instance) ? 1 : 0;
}

extern "C" void WINAPI QXUnregisterMonthYearButtonXPClass(HINSTANCE instance) {
    qx::UnregisterCounted(qx::g_monthYearClass, instance);
}
