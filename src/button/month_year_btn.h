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
    void DrawFace(HDC dc, const RECT &rect, bool pressedLook) override;

    HWND ownWnd = nullptr;  // the button's window, set when the object is made
    bool leftArrow = true;  // false: the arrow points right
};

// The class procedure of "QXBmpButtonXP" windows: makes the MonthYearBtn at
// WM_NCCREATE, then hands every message to the bitmap button's dispatch. A
// window whose object cannot be made is not created.
LRESULT CALLBACK MonthYearBtnWndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

// The object of a "QXBmpButtonXP" window of ours; null for any other window.
MonthYearBtn *MonthYearBtnFromWindow(HWND window);

}  // namespace qx
