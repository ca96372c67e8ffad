// The month/year button ("QXBmpButtonXP"): a bitmap button whose face is the
// left or right arrow of the themed horizontal spin inside a black frame
// (one pixel at 96 dpi). The calendar makes four of them while a theme is in
// force and sets each one's arrow right after creating it. Without a theme
// it draws nothing; in high contrast it draws the system's scroll arrow in
// system colours instead of the theme's. The calendar's buttons look
// disabled while they are (others look alike either way).
#pragma once
#include <windows.h>

#include "button/bmp_btn.h"

namespace qx {

class MonthYearBtn : public BmpBtn {
public:
    using BmpBtn::BmpBtn;
    // The factory of "QXBmpButtonXP".
    static WindowObject *Make(HWND hwnd, const CREATESTRUCTA &cs);

    RECT DrawFace(HDC dc, const RECT &rect, bool pressedLook) override;
    // It shows no picture.
    void DrawPicture(HDC, const RECT &, bool) override {}
    void OnThemeChanged() override;
    // Given the focus, a button that passes it on gives it to its parent at
    // once, and never shows it.
    void OnSetFocus() override;
    void OnKillFocus() override;
    // Points the arrow left or right; the button is drawn again.
    void SetLeftArrow(bool left);
    bool LeftArrow() const { return leftArrow_; }
    // From now on the button is one of a calendar's: it passes the focus on
    // to its parent (the calendar keeps the focus) and shows when it is
    // disabled.
    void ServeCalendar() { servesCalendar_ = true; }

protected:
    HTHEME FaceTheme() override;
    bool HasFace() override;
    unsigned FaceVariant() const override;

private:
    // The disabled look is shown.
    bool LooksDisabled() const { return servesCalendar_ && !Enabled(); }

    bool leftArrow_ = true;  // false: the arrow points right
    bool servesCalendar_ = false;
    KeptTheme spin_{L"SPIN"};
};

// Points the arrow of a month/year button of ours left or right, and makes
// it a calendar's button (ServeCalendar) when forCalendar is true; false for
// any other window.
bool SetMonthYearArrow(HWND button, bool left, bool forCalendar = false);

}  // namespace qx
