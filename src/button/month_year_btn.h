// The month/year button ("QXBmpButtonXP"): a bitmap button whose face is the
// left or right arrow of the themed horizontal spin inside a one-pixel black
// frame. The calendar makes four of them while a theme is in force and sets
// each one's arrow right after creating it. Without a theme it draws nothing.
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
    // From now on the button passes the focus on to its parent (the
    // calendar's buttons: the calendar keeps the focus).
    void PassFocusOn() { passesFocus_ = true; }

protected:
    HTHEME FaceTheme() override { return spin_.Get(Window()); }
    bool HasFace() override { return FaceTheme() != nullptr; }
    unsigned FaceVariant() const override { return leftArrow_ ? 1 : 0; }

private:
    bool leftArrow_ = true;  // false: the arrow points right
    bool passesFocus_ = false;
    KeptTheme spin_{L"SPIN"};
};

// Points the arrow of a month/year button of ours left or right, and makes
// it pass the focus on to its parent when passFocus is true; false for any
// other window.
bool SetMonthYearArrow(HWND button, bool left, bool passFocus = false);

}  // namespace qx
