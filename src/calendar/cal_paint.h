// Drawing of the month calendar into a device context: the whole calendar at
// WM_PAINT, or single rows and cells at once after a change. The painter
// draws with what its caller gives it (the font selected into the device
// context, the theme, the kept faces of the day cells) and notes the areas it
// drew, so that an off-screen drawing shows only those.
#pragma once
#include <windows.h>
#include <uxtheme.h>

#include "calendar/cal_model.h"
#include "common/gdi.h"

namespace qx {

// Colour of the selected day in the classic look.
constexpr COLORREF kCalSelectedColor = RGB(192, 255, 255);

// What a painter draws with besides its device context.
struct CalLook {
    HTHEME theme = nullptr;  // null: the classic look
    // Device contexts holding the face of a normal and of a selected day
    // (CalNormalFaceRect and the whole cell in size), or null to draw each
    // face anew.
    HDC normalFace = nullptr;
    HDC selectedFace = nullptr;
};

class CalPainter {
public:
    // focused: whether the selected day shows the focus rectangle.
    CalPainter(HDC dc, const CalModel &model, bool focused, const CalLook &look);
    CalPainter(const CalPainter &) = delete;
    CalPainter &operator=(const CalPainter &) = delete;

    // Grid lines, year and month rows, weekday names, day grid (the
    // background under them is the caller's).
    void All();
    // Rows named by a set of CalRows bits.
    void Rows(unsigned rows);
    // One day of the shown month in its look (selected or normal); nothing
    // for an index that is not a day of the month.
    void Day(int index);

    // The areas drawn by Rows and Day so far (All notes none).
    int AreaCount() const { return areaCount_; }
    const RECT &Area(int k) const { return areas_[k]; }

private:
    void Note(const RECT &r);
    void GridLines();
    void HeaderRow(const RECT &r, const char *text);
    void YearRow();
    void MonthRow();
    void Weekdays();
    void DayGrid();
    void NormalDay(const RECT &cell, int index);
    void SelectedDay(const RECT &cell, int index);
    void Text(RECT r, const char *text, COLORREF color, UINT format);

    HDC dc_;
    const CalModel &model_;
    bool focused_;
    CalLook look_;
    SavedColors colors_;
    SavedBkMode mode_;
    RECT areas_[4] = {};
    int areaCount_ = 0;
};

// The area a normal day's face covers in its cell: the cell less the grid
// line's width at the right and its height at the bottom, plus one pixel.
RECT CalNormalFaceRect(const RECT &cell, int lineWidth, int lineHeight);
// The faces of a normal and of a selected day without their numbers, in
// the cell given: themed push buttons, or the classic raised rings and the
// pale selection colour.
void DrawCalNormalFace(HDC dc, const RECT &cell, int lineWidth, int lineHeight, HTHEME theme);
void DrawCalSelectedFace(HDC dc, const RECT &cell, HTHEME theme);

}  // namespace qx
