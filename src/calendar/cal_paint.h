// Drawing of the month calendar into a device context: the whole calendar at
// WM_PAINT, or single rows and cells at once after a change. Each painter
// makes its own font and opens the "BUTTON" theme for the calendar; both are
// released when it goes out of scope.
#pragma once
#include <windows.h>

#include "calendar/cal_model.h"
#include "common/gdi.h"
#include "visual/theme_api.h"

namespace qx {

// Colour of the selected day in the classic look.
constexpr COLORREF kCalSelectedColor = RGB(192, 255, 255);

class CalPainter {
public:
    // focused: whether the selected day shows the focus rectangle.
    CalPainter(HWND window, HDC dc, const CalModel &model, bool focused);
    CalPainter(const CalPainter &) = delete;
    CalPainter &operator=(const CalPainter &) = delete;

    // Grid lines, year and month rows, weekday names, day grid.
    void All();
    // Rows named by a set of CalRows bits.
    void Rows(unsigned rows);
    // One day of the shown month in its look (selected or normal); nothing
    // for an index that is not a day of the month.
    void Day(int index);

private:
    static HFONT MakeFont(int height);
    void GridLines();
    void HeaderRow(const RECT &r, const char *text);
    void YearRow();
    void MonthRow();
    void Weekdays();
    void DayGrid();
    void NormalDay(const RECT &cell, int index);
    void SelectedDay(const RECT &cell, int index);
    void Ring(const RECT &r);
    void Text(RECT r, const char *text, COLORREF color, UINT format);

    HWND window_;
    HDC dc_;
    const CalModel &model_;
    bool focused_;
    Font font_;
    Select fontSelection_;
    SavedColors colors_;
    SavedBkMode mode_;
    ScopedTheme theme_;
};

}  // namespace qx
