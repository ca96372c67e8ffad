#include "calendar/cal_model.h"

#include <cstdint>

#include "calendar/julian_date.h"

namespace qx {
namespace {

const char kMonthNames[12][32] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};
const char kWeekdayNames[7][8] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// Four hundred Gregorian years, whatever month they start in.
const int64_t kDaysPer400Years = 146097;

int ClampToZero(int64_t v) { return v < 0 ? 0 : static_cast<int>(v); }

// A year moved by whole years; wraps like AddWrapping.
int ShiftYear(int year, int64_t years) {
    return static_cast<int>(static_cast<uint32_t>(year) + static_cast<uint32_t>(years));
}

}  // namespace

const char *MonthName(int month) { return month >= 0 && month < 12 ? kMonthNames[month] : ""; }

const char *WeekdayName(int weekday) {
    return weekday >= 0 && weekday < 7 ? kWeekdayNames[weekday] : "";
}

int CompareDates(const CalDate &a, const CalDate &b) {
    if (a.year != b.year) return a.year < b.year ? -1 : 1;
    if (a.month != b.month) return a.month < b.month ? -1 : 1;
    if (a.index != b.index) return a.index < b.index ? -1 : 1;
    return 0;
}

bool CalModel::Layout(int windowWidth, int windowHeight, int lineWidth, int lineHeight) {
    const int columns = Columns();
    if (lineWidth == borderWidth && lineHeight == borderHeight && windowWidth == width &&
        windowHeight == height && columns == columns_)
        return false;
    borderWidth = lineWidth;
    borderHeight = lineHeight;
    columns_ = columns;
    // 64-bit intermediates: the sizes may come from any WM_SIZE.
    const int64_t inner = int64_t{windowHeight} - 10 * int64_t{lineHeight};
    const int64_t header = (2 * inner + 26) / 27;  // two twenty-sevenths, rounded up
    headerRowHeight = ClampToZero(header);
    dayRowHeight = ClampToZero((inner - 3 * int64_t{headerRowHeight}) / 6);
    cellWidth = ClampToZero((int64_t{windowWidth} - (columns + 1) * int64_t{lineWidth}) / columns);
    height = 10 * lineHeight + 3 * headerRowHeight + 6 * dayRowHeight;
    width = columns * cellWidth + (columns + 1) * lineWidth;
    return true;
}

// Seven columns of (width - 8 lines) / 7 and a remainder below 7, plus one
// more column and line: eight columns of the same width and the remainder.
int CalModel::WidthWithWeekNumbers(int width, int lineWidth) {
    const int cell = ClampToZero((int64_t{width} - 8 * int64_t{lineWidth}) / 7);
    return static_cast<int>(int64_t{width} + cell + lineWidth);
}

int CalModel::DaysInMonth(int month, int year) {
    switch (month) {
    case 0: case 2: case 4: case 6: case 7: case 9: case 11: return 31;
    case 3: case 5: case 8: case 10: return 30;
    case 1: return static_cast<int>(DaysInYear(static_cast<uint32_t>(year))) - 337;
    default: return 0;
    }
}

int CalModel::FirstColumn(int month, int year) {
    const JulianDate first(static_cast<uint32_t>(month + 1), 1, static_cast<uint32_t>(year));
    return static_cast<int>(first.DayOfWeek() % 7);
}

bool CalModel::IsValidDay(int index, int month, int year) {
    return index >= 0 && index < DaysInMonth(month, year);
}

int CalModel::WeekOfRow(int row) const {
    const int lead = LeadColumns();
    const int first = row * 7 - lead;  // index of the row's first cell
    if (first + 6 < 0 || first >= DaysInMonth(month, year)) return 0;
    const JulianDate firstOfMonth(static_cast<uint32_t>(month + 1), 1, static_cast<uint32_t>(year));
    if (!firstOfMonth.IsValid()) return 0;
    const int thursday = first + (4 - firstDay + 7) % 7;  // Thursday is weekday 4
    return IsoWeek(JulianDate(firstOfMonth.DayNumber() + static_cast<uint32_t>(thursday)));
}

bool CalModel::Allows(const CalDate &date) const {
    return !(hasMin && CompareDates(date, min) < 0) && !(hasMax && CompareDates(date, max) > 0);
}

bool CalModel::IsAvailable(int index) const {
    return IsValidDay(index, month, year) && Allows({year, month, index});
}

unsigned CalModel::ClampToLimits() {
    const CalDate now = {year, month, selected};
    CalDate to = now;
    if (hasMin && CompareDates(now, min) < 0) to = min;
    if (hasMax && CompareDates(now, max) > 0) to = max;
    if (CompareDates(to, now) == 0) return 0;
    unsigned rows = kCalDayGrid;
    if (to.year != year) rows |= kCalYearRow;
    if (to.month != month) rows |= kCalMonthRow;
    year = to.year;
    month = to.month;
    selected = to.index;
    return rows;
}

bool CalModel::CanGoBack() const { return !hasMin || CompareDates({min.year, min.month, 0}, {year, month, 0}) < 0; }

bool CalModel::CanGoForward() const {
    return !hasMax || CompareDates({max.year, max.month, 0}, {year, month, 0}) > 0;
}

unsigned CalModel::SetYear(int newYear, bool clamp) {
    year = newYear;
    const int days = DaysInMonth(month, year);
    if (clamp && selected >= days) selected = days - 1;
    return kCalYearRow | kCalDayGrid;
}

unsigned CalModel::SetMonth(int newMonth, bool clamp) {
    month = newMonth;
    const int days = DaysInMonth(month, year);
    if (clamp && selected >= days) selected = days - 1;
    return kCalMonthRow | kCalDayGrid;
}

unsigned CalModel::PreviousMonth() {
    const int m = (month + 11) % 12;
    if (m != 11) return SetMonth(m, true);
    year = AddWrapping(year, -1);
    SetMonth(11, true);
    return kCalMonthRow | kCalDayGrid | kCalYearRow;
}

unsigned CalModel::NextMonth() {
    const int m = (month + 1) % 12;
    if (m != 0) return SetMonth(m, true);
    year = AddWrapping(year, 1);
    SetMonth(0, true);
    return kCalMonthRow | kCalDayGrid | kCalYearRow;
}

unsigned CalModel::MoveSelection(int delta) {
    if (delta == 0) return 0;
    // The index may hold anything a host set: whole 400-year cycles are
    // stepped at once, so at most 4800 months are walked one by one.
    int64_t d = int64_t{selected} + delta;
    int m = month;
    int y = year;
    if (d < 0) {
        const int64_t cycles = -d / kDaysPer400Years;
        d += cycles * kDaysPer400Years;
        y = ShiftYear(y, -400 * cycles);
        while (d < 0) {
            if (--m < 0) {
                y = AddWrapping(y, -1);
                m = 11;
            }
            d += DaysInMonth(m, y);
        }
    } else {
        int n = DaysInMonth(month, year);
        if (d >= kDaysPer400Years && n > 0) {
            const int64_t cycles = d / kDaysPer400Years;
            d -= cycles * kDaysPer400Years;
            y = ShiftYear(y, 400 * cycles);
            n = DaysInMonth(m, y);
        }
        while (n <= d) {
            d -= n;
            if (++m >= 12) {
                y = AddWrapping(y, 1);
                m = 0;
            }
            n = DaysInMonth(m, y);
        }
    }
    unsigned rows = kCalDayGrid;
    if (y != year) rows |= kCalYearRow;
    if (m != month) rows |= kCalMonthRow;
    selected = static_cast<int>(d);
    month = m;
    year = y;
    return rows;
}

int CalModel::DayAt(int x, int y) const {
    if (cellWidth <= 0 || dayRowHeight <= 0) return -1;
    // Both divisions truncate toward zero, so the band just above the grid
    // reads as its first row.
    const int64_t row = (int64_t{y} - GridTop()) / (dayRowHeight + borderHeight);
    const int64_t column = (int64_t{x} - borderWidth) / (cellWidth + borderWidth) - (Columns() - 7);
    if (x < 0 || column < 0 || column > 6 || y < 0 || row > 5) return -1;
    return static_cast<int>(row * 7 + column) - LeadColumns();
}

bool CalModel::DayCell(int index, int *column, int *row) const {
    if (!IsValidDay(index, month, year)) return false;
    const int pos = index + LeadColumns();
    *column = pos % 7;
    *row = pos / 7;
    return true;
}

RECT CalModel::YearRowRect() const {
    return {borderWidth + headerRowHeight, borderHeight, width - borderWidth - headerRowHeight,
            borderHeight + headerRowHeight};
}

RECT CalModel::MonthRowRect() const {
    return {borderWidth + headerRowHeight, headerRowHeight + 2 * borderHeight,
            width - borderWidth - headerRowHeight, 2 * headerRowHeight + 2 * borderHeight};
}

RECT CalModel::WeekdayRect(int column) const {
    const int left = borderWidth + (column + Columns() - 7) * (borderWidth + cellWidth);
    const int top = 2 * headerRowHeight + 3 * borderHeight;
    return {left, top, left + cellWidth, top + headerRowHeight};
}

RECT CalModel::CellRect(int column, int row) const {
    const int left = (column + Columns() - 7) * (borderWidth + cellWidth) + borderWidth;
    const int top = GridTop() + row * (dayRowHeight + borderHeight);
    return {left, top, left + cellWidth, top + dayRowHeight};
}

RECT CalModel::ButtonRect(int button) const {
    const int w = headerRowHeight + borderWidth;
    const int h = headerRowHeight + 2 * borderHeight;
    const bool right = button == kCalYearForward || button == kCalMonthForward;
    const bool monthRow = button == kCalMonthBack || button == kCalMonthForward;
    const int left = right ? width - w : 0;
    const int top = monthRow ? borderHeight + headerRowHeight : 0;
    return {left, top, left + w, top + h};
}

}  // namespace qx
