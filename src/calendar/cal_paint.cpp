#include "calendar/cal_paint.h"

#include "common/number_text.h"
#include "common/win_util.h"
#include "visual/theme_api.h"

namespace qx {
namespace {

// Parts and states of the "BUTTON" visual-styles class.
const int kPushButton = 1;
const int kStateNormal = 1;
const int kStatePressed = 3;

const UINT kCentered = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

RECT Shrunk(RECT r, int dx, int dy) {
    InflateRect(&r, -dx, -dy);
    return r;
}

void FillSys(HDC dc, const RECT &r, int colorIndex) { FillRect(dc, &r, GetSysColorBrush(colorIndex)); }

// The inner rectangle R of a normal day (right and bottom inclusive).
RECT NormalInner(const RECT &cell, int bw, int bh) {
    return {cell.left, cell.top, cell.right - bw, cell.bottom - bh};
}

// A raised ring on r (right and bottom inclusive): white along the top and
// left, the shadow colour along the bottom and right, one grid line thick.
void Ring(HDC dc, const RECT &r, int bw, int bh) {
    HBRUSH light = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    const RECT all = ExclusiveRect(r);
    const RECT top = {r.left, r.top, r.right, r.top + bh};
    const RECT left = {r.left, r.top, r.left + bw, r.bottom};
    const RECT bottom = {all.left, all.bottom - bh, all.right, all.bottom};
    const RECT right = {all.right - bw, all.top, all.right, all.bottom};
    FillRect(dc, &top, light);
    FillRect(dc, &left, light);
    FillRect(dc, &bottom, shadow);
    FillRect(dc, &right, shadow);
}

// Copies a kept face to r.
void CopyFace(HDC dc, const RECT &r, HDC face) {
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, face, 0, 0, SRCCOPY);
}

}  // namespace

RECT CalNormalFaceRect(const RECT &cell, int lineWidth, int lineHeight) {
    return ExclusiveRect(NormalInner(cell, lineWidth, lineHeight));
}

// Both looks cover exactly CalNormalFaceRect: the themed part is laid out
// beyond it and clipped to it, the rings and the face fill it.
void DrawCalNormalFace(HDC dc, const RECT &cell, int bw, int bh, HTHEME theme) {
    const RECT r = NormalInner(cell, bw, bh);
    const RECT clip = ExclusiveRect(r);
    if (theme) {
        RECT part = clip;
        InflateRect(&part, 3, 3);
        Themes().DrawThemeBackground(theme, dc, kPushButton, kStateNormal, &part, &clip);
    } else {
        Ring(dc, r, bw, bh);
        const RECT inner = Shrunk(r, bw, bh);
        Ring(dc, inner, bw, bh);
        FillSys(dc, ExclusiveRect(Shrunk(inner, bw, bh)), COLOR_BTNFACE);
    }
}

void DrawCalSelectedFace(HDC dc, const RECT &cell, HTHEME theme) {
    if (theme) {
        RECT part = cell;
        InflateRect(&part, 4, 4);
        Themes().DrawThemeBackground(theme, dc, kPushButton, kStatePressed, &part, &cell);
    } else {
        FillColor(dc, cell, kCalSelectedColor);
    }
}

CalPainter::CalPainter(HDC dc, const CalModel &model, bool focused, const CalLook &look)
    : dc_(dc), model_(model), focused_(focused), look_(look), colors_(dc), mode_(dc, TRANSPARENT) {}

void CalPainter::Note(const RECT &r) {
    if (areaCount_ < static_cast<int>(sizeof areas_ / sizeof areas_[0])) areas_[areaCount_++] = r;
}

void CalPainter::All() {
    GridLines();
    YearRow();
    MonthRow();
    Weekdays();
    DayGrid();
    areaCount_ = 0;
}

void CalPainter::Rows(unsigned rows) {
    if (rows & kCalYearRow) {
        YearRow();
        Note(model_.YearRowRect());
    }
    if (rows & kCalMonthRow) {
        MonthRow();
        Note(model_.MonthRowRect());
    }
    if (rows & kCalDayGrid) {
        DayGrid();
        const CalModel &m = model_;
        Note({m.borderWidth, m.GridTop(), m.width - m.borderWidth, m.height - m.borderHeight});
    }
}

// Black lines of the grid's line sizes: ten across, two down the whole
// height, six down the day rows only (the header rows have no columns).
void CalPainter::GridLines() {
    const CalModel &m = model_;
    const int bw = m.borderWidth, bh = m.borderHeight;
    const int headerBottom = 3 * (m.headerRowHeight + bh);
    PatBlt(dc_, 0, 0, bw, m.height, BLACKNESS);
    PatBlt(dc_, m.width - bw, 0, bw, m.height, BLACKNESS);
    for (int k = 1; k <= 6; ++k)
        PatBlt(dc_, k * (bw + m.cellWidth), headerBottom, bw, m.height - headerBottom, BLACKNESS);
    for (int k = 0; k < 3; ++k) PatBlt(dc_, 0, k * (m.headerRowHeight + bh), m.width, bh, BLACKNESS);
    for (int k = 0; k <= 6; ++k)
        PatBlt(dc_, 0, headerBottom + k * (m.dayRowHeight + bh), m.width, bh, BLACKNESS);
}

void CalPainter::HeaderRow(const RECT &r, const char *text) {
    FillSys(dc_, r, COLOR_BTNFACE);
    Text(r, text, GetSysColor(COLOR_BTNTEXT), kCentered);
}

void CalPainter::YearRow() {
    char text[16];
    FormatDecimal(model_.year, 1, text, sizeof text);
    HeaderRow(model_.YearRowRect(), text);
}

void CalPainter::MonthRow() { HeaderRow(model_.MonthRowRect(), MonthName(model_.month)); }

// The weekday row is not filled: it shows the window's background.
void CalPainter::Weekdays() {
    for (int k = 0; k < 7; ++k)
        Text(model_.WeekdayRect(k), WeekdayName(k), GetSysColor(COLOR_WINDOWTEXT),
             DT_CENTER | DT_SINGLELINE);
}

void CalPainter::DayGrid() {
    const int first = CalModel::FirstColumn(model_.month, model_.year);
    const int days = CalModel::DaysInMonth(model_.month, model_.year);
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 7; ++column) {
            const int index = row * 7 + column - first;
            const RECT cell = model_.CellRect(column, row);
            if (index < 0 || index >= days)
                FillSys(dc_, cell, COLOR_BTNFACE);
            else if (index == model_.selected)
                SelectedDay(cell, index);
            else
                NormalDay(cell, index);
        }
    }
}

void CalPainter::Day(int index) {
    int column, row;
    if (!model_.DayCell(index, &column, &row)) return;
    const RECT cell = model_.CellRect(column, row);
    if (index == model_.selected)
        SelectedDay(cell, index);
    else
        NormalDay(cell, index);
    Note(cell);
}

// A raised cell; its number is centred on the face inside the rings.
void CalPainter::NormalDay(const RECT &cell, int index) {
    const int bw = model_.borderWidth, bh = model_.borderHeight;
    if (look_.normalFace)
        CopyFace(dc_, CalNormalFaceRect(cell, bw, bh), look_.normalFace);
    else
        DrawCalNormalFace(dc_, cell, bw, bh, look_.theme);
    const RECT r = NormalInner(cell, bw, bh);
    const RECT textRect = look_.theme ? r : Shrunk(r, 2 * bw, 2 * bh);
    char text[16];
    FormatDecimal(index + 1, 1, text, sizeof text);
    Text(textRect, text, GetSysColor(COLOR_BTNTEXT), kCentered);
}

// A pressed cell: the number sits one line lower and to the right, and the
// focus rectangle shows while the calendar has the focus.
void CalPainter::SelectedDay(const RECT &cell, int index) {
    const int bw = model_.borderWidth, bh = model_.borderHeight;
    if (look_.selectedFace)
        CopyFace(dc_, cell, look_.selectedFace);
    else
        DrawCalSelectedFace(dc_, cell, look_.theme);
    RECT text = Shrunk(cell, bw, bh);
    text.left += bw;
    text.top += bh;
    char number[16];
    FormatDecimal(index + 1, 1, number, sizeof number);
    Text(text, number, RGB(0, 0, 0), kCentered);
    if (focused_) {
        const RECT focus = Shrunk(text, 2 * bw, 2 * bh);
        DrawFocusRect(dc_, &focus);
    }
}

void CalPainter::Text(RECT r, const char *text, COLORREF color, UINT format) {
    SetTextColor(dc_, color);
    DrawTextA(dc_, text, -1, &r, format);
}

}  // namespace qx
