#include "calendar/cal_paint.h"

#include "button/bmp_btn.h"
#include "common/number_text.h"
#include "common/win_util.h"
#include "visual/theme_api.h"

namespace qx {
namespace {

// Parts and states of the "BUTTON" visual-styles class.
const int kPushButton = 1;
const int kStateNormal = 1;
const int kStatePressed = 3;
const int kStateDisabled = 4;

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

// A raised ring on r (right and bottom inclusive): white (the highlight
// colour in high contrast) along the top and left, the shadow colour along
// the bottom and right, one grid line thick.
void Ring(HDC dc, const RECT &r, int bw, int bh, bool highContrast) {
    HBRUSH light =
        highContrast ? GetSysColorBrush(COLOR_BTNHIGHLIGHT) : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
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

// A themed push button in a state, laid out grown by `grow` pixels at the
// window's DPI and clipped to clip.
void ThemedFace(HDC dc, const RECT &clip, int state, int grow, const CalLook &look) {
    RECT part = clip;
    const int by = ScaleForDpi(grow, look.dpi);
    InflateRect(&part, by, by);
    Themes().DrawThemeBackground(look.theme, dc, kPushButton, state, &part, &clip);
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
void DrawCalNormalFace(HDC dc, const RECT &cell, int bw, int bh, const CalLook &look) {
    const RECT r = NormalInner(cell, bw, bh);
    if (look.theme) {
        ThemedFace(dc, ExclusiveRect(r), kStateNormal, 3, look);
    } else {
        Ring(dc, r, bw, bh, look.highContrast);
        const RECT inner = Shrunk(r, bw, bh);
        Ring(dc, inner, bw, bh, look.highContrast);
        FillSys(dc, ExclusiveRect(Shrunk(inner, bw, bh)), COLOR_BTNFACE);
    }
}

void DrawCalSelectedFace(HDC dc, const RECT &cell, const CalLook &look) {
    if (look.theme)
        ThemedFace(dc, cell, kStatePressed, 4, look);
    else if (look.highContrast)
        FillSys(dc, cell, COLOR_HIGHLIGHT);
    else
        FillColor(dc, cell, kCalSelectedColor);
}

// Flat: no rings, where a normal day has them.
void DrawCalUnavailableFace(HDC dc, const RECT &cell, int bw, int bh, const CalLook &look) {
    const RECT clip = CalNormalFaceRect(cell, bw, bh);
    if (look.theme)
        ThemedFace(dc, clip, kStateDisabled, 3, look);
    else
        FillSys(dc, clip, COLOR_BTNFACE);
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

// Black lines (the window text's colour in high contrast).
void CalPainter::Line(int x, int y, int w, int h) {
    if (look_.highContrast) {
        const RECT r = {x, y, x + w, y + h};
        FillSys(dc_, r, COLOR_WINDOWTEXT);
    } else {
        PatBlt(dc_, x, y, w, h, BLACKNESS);
    }
}

// Lines of the grid's line sizes: ten across, two down the whole height,
// one between each two columns down the day rows only (the header rows
// have no columns).
void CalPainter::GridLines() {
    const CalModel &m = model_;
    const int bw = m.borderWidth, bh = m.borderHeight;
    const int headerBottom = 3 * (m.headerRowHeight + bh);
    Line(0, 0, bw, m.height);
    Line(m.width - bw, 0, bw, m.height);
    for (int k = 1; k < m.Columns(); ++k) Line(k * (bw + m.cellWidth), headerBottom, bw, m.height - headerBottom);
    for (int k = 0; k < 3; ++k) Line(0, k * (m.headerRowHeight + bh), m.width, bh);
    for (int k = 0; k <= 6; ++k) Line(0, headerBottom + k * (m.dayRowHeight + bh), m.width, bh);
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

void CalPainter::MonthRow() {
    const int m = model_.month;
    HeaderRow(model_.MonthRowRect(), look_.names && m >= 0 && m < 12 ? look_.names->months[m] : MonthName(m));
}

// The weekday row is not filled: it shows the window's background.
void CalPainter::Weekdays() {
    for (int k = 0; k < 7; ++k) {
        const int day = model_.WeekdayOf(k);
        Text(model_.WeekdayRect(k), look_.names ? look_.names->weekdays[day] : WeekdayName(day),
             GetSysColor(COLOR_WINDOWTEXT), DT_CENTER | DT_SINGLELINE);
    }
}

void CalPainter::DayGrid() {
    const int lead = model_.LeadColumns();
    const int days = CalModel::DaysInMonth(model_.month, model_.year);
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 7; ++column) {
            const int index = row * 7 + column - lead;
            const RECT cell = model_.CellRect(column, row);
            if (index < 0 || index >= days)
                FillSys(dc_, cell, COLOR_BTNFACE);
            else
                AnyDay(cell, index);
        }
    }
    if (model_.weekNumbers) WeekNumbers();
}

// On the window's colours, as the weekday names; blank beside a row that
// holds no day of the month.
void CalPainter::WeekNumbers() {
    for (int row = 0; row < 6; ++row) {
        const RECT r = model_.CellRect(-1, row);
        FillSys(dc_, r, COLOR_WINDOW);
        const int week = model_.WeekOfRow(row);
        char text[16];
        FormatDecimal(week, 1, text, sizeof text);
        if (week > 0) Text(r, text, GetSysColor(COLOR_WINDOWTEXT), kCentered);
    }
}

void CalPainter::Day(int index) {
    int column, row;
    if (!model_.DayCell(index, &column, &row)) return;
    const RECT cell = model_.CellRect(column, row);
    AnyDay(cell, index);
    Note(cell);
}

void CalPainter::AnyDay(const RECT &cell, int index) {
    if (index == model_.selected)
        SelectedDay(cell, index);
    else
        NormalDay(cell, index, model_.IsAvailable(index));
    if (index == look_.today) TodayMark(cell, index);
}

// A raised cell, or a flat one with a greyed number for a day beyond the
// limits; its number is centred on the face inside the rings.
void CalPainter::NormalDay(const RECT &cell, int index, bool available) {
    const int bw = model_.borderWidth, bh = model_.borderHeight;
    const HDC face = available ? look_.normalFace : look_.unavailableFace;
    if (face)
        CopyFace(dc_, CalNormalFaceRect(cell, bw, bh), face);
    else if (available)
        DrawCalNormalFace(dc_, cell, bw, bh, look_);
    else
        DrawCalUnavailableFace(dc_, cell, bw, bh, look_);
    const RECT r = NormalInner(cell, bw, bh);
    const RECT textRect = look_.theme ? r : Shrunk(r, 2 * bw, 2 * bh);
    char text[16];
    FormatDecimal(index + 1, 1, text, sizeof text);
    Text(textRect, text, GetSysColor(available ? COLOR_BTNTEXT : COLOR_GRAYTEXT), kCentered);
}

// A frame around the whole cell, two lines thick at 96 dpi.
void CalPainter::TodayMark(const RECT &cell, int index) {
    COLORREF color = kCalTodayColor;
    if (look_.highContrast) color = GetSysColor(index == model_.selected ? COLOR_HIGHLIGHTTEXT : COLOR_HIGHLIGHT);
    const int t = ScaleForDpi(2, look_.dpi);
    const COLORREF old = SetDCBrushColor(dc_, color);
    HBRUSH brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    FillTopLeft(dc_, cell, brush, t, t);
    FillBottomRight(dc_, cell, brush, t, t);
    SetDCBrushColor(dc_, old);
}

// A pressed cell: the number sits one line lower and to the right, and the
// focus rectangle shows while the calendar has the focus.
void CalPainter::SelectedDay(const RECT &cell, int index) {
    const int bw = model_.borderWidth, bh = model_.borderHeight;
    if (look_.selectedFace)
        CopyFace(dc_, cell, look_.selectedFace);
    else
        DrawCalSelectedFace(dc_, cell, look_);
    RECT text = Shrunk(cell, bw, bh);
    text.left += bw;
    text.top += bh;
    char number[16];
    FormatDecimal(index + 1, 1, number, sizeof number);
    Text(text, number, look_.highContrast ? GetSysColor(COLOR_HIGHLIGHTTEXT) : RGB(0, 0, 0), kCentered);
    if (!focused_) return;
    const RECT focus = Shrunk(text, 2 * bw, 2 * bh);
    if (!look_.highContrast) {
        DrawFocusRect(dc_, &focus);
        return;
    }
    // The dotted rectangle inverts what is under it: in high contrast a
    // frame of the selection's text colour marks the focus instead.
    HBRUSH brush = GetSysColorBrush(COLOR_HIGHLIGHTTEXT);
    FillTopLeft(dc_, focus, brush, bw, bh);
    FillBottomRight(dc_, focus, brush, bw, bh);
}

void CalPainter::Text(RECT r, const char *text, COLORREF color, UINT format) {
    SetTextColor(dc_, color);
    DrawTextA(dc_, text, -1, &r, format);
}

}  // namespace qx
