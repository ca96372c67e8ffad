// Drawing of the month calendar into a device context: the whole calendar at
// WM_PAINT, or single rows and cells at once after a change. The painter
// draws with what its caller gives it (the font selected into the device
// context, the theme, the kept faces of the day cells) and notes the areas it
// drew, so that an off-screen drawing shows only those.
#pragma once
#include <windows.h>
#include <uxtheme.h>

#include "calendar/cal_date_name.h"
#include "calendar/cal_model.h"
#include "common/display.h"
#include "common/gdi.h"

namespace qx {

// Colour of the selected day in the classic look, and of the frame that
// marks today (the selection's hue, dark enough to read on every face).
constexpr COLORREF kCalSelectedColor = RGB(192, 255, 255);
constexpr COLORREF kCalTodayColor = RGB(0, 128, 128);

// What a painter draws with besides its device context.
struct CalLook {
    HTHEME theme = nullptr;  // null: the classic look
    // Device contexts holding the face of a normal, a selected and an
    // unavailable day (CalNormalFaceRect, the whole cell and
    // CalNormalFaceRect in size), or null to draw each face anew.
    HDC normalFace = nullptr;
    HDC selectedFace = nullptr;
    HDC unavailableFace = nullptr;
    // System colours only, and no theme (the caller passes none).
    bool highContrast = false;
    const CalNames *names = nullptr;  // null: the English ones
    int today = -1;                   // index of the day marked as today; -1: none
    UINT dpi = kBaseDpi;              // of the window drawn
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
    void WeekNumbers();
    void AnyDay(const RECT &cell, int index);
    void NormalDay(const RECT &cell, int index, bool available);
    void SelectedDay(const RECT &cell, int index);
    void TodayMark(const RECT &cell, int index);
    void Line(int x, int y, int w, int h);
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
// The faces of a normal, a selected and an unavailable day without their
// numbers, in the cell given, as look draws them (its theme, contrast and
// DPI): themed push buttons (normal, pressed, disabled), or the classic
// raised rings, the selection colour and the flat button face.
void DrawCalNormalFace(HDC dc, const RECT &cell, int lineWidth, int lineHeight, const CalLook &look);
void DrawCalSelectedFace(HDC dc, const RECT &cell, const CalLook &look);
void DrawCalUnavailableFace(HDC dc, const RECT &cell, int lineWidth, int lineHeight, const CalLook &look);

}  // namespace qx
