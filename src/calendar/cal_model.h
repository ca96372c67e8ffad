// What the month calendar computes, with no window: its date state, the rules
// by which it moves between days, months and years, and the geometry of its
// rows, columns and navigation buttons. Operations that change the date
// return the rows the window must repaint.
#pragma once
#include <windows.h>

namespace qx {

// Rows of the calendar, as a set of bits.
enum CalRows : unsigned { kCalYearRow = 1, kCalMonthRow = 2, kCalDayGrid = 4 };

// The four navigation buttons, in the order they are made.
enum CalButton : int { kCalYearBack = 0, kCalYearForward, kCalMonthBack, kCalMonthForward };

// Addition that wraps instead of overflowing (years and day indexes come
// unchecked from the host).
inline int AddWrapping(int a, int b) {
    return static_cast<int>(static_cast<unsigned>(a) + static_cast<unsigned>(b));
}

// English names, indexed by the 0-based month and by the weekday (Sunday 0).
// Empty for an index out of range.
const char *MonthName(int month);
const char *WeekdayName(int weekday);

// A date as the calendar holds it: the year in full, the 0-based month and
// the 0-based index of the day (not bound to the month's length). Dates
// compare by year, then month, then index.
struct CalDate {
    int year, month, index;
};
int CompareDates(const CalDate &a, const CalDate &b);

struct CalModel {
    // Geometry, set by Layout. Grid lines are borderWidth wide (vertical) and
    // borderHeight high (horizontal); width and height are the whole grid's.
    int borderWidth = 0;
    int borderHeight = 0;
    int cellWidth = 0;
    int dayRowHeight = 0;
    int headerRowHeight = 0;
    int height = 0;
    int width = 0;
    // Date: 0-based index of the selected day in the shown month, 0-based
    // month, year in full. The index is not bound to the month's length.
    int selected = 0;
    int month = 0;
    int year = 0;
    // The weekday of the first column (0 Sunday ... 6 Saturday), and whether
    // a column of week numbers comes before the days (Layout reads it).
    int firstDay = 0;
    bool weekNumbers = false;
    // The limits of the selection, each one in force when its flag is set.
    bool hasMin = false, hasMax = false;
    CalDate min = {}, max = {};

    // Recomputes the geometry for a window of width x height with the given
    // grid line sizes; false when sizes, lines and columns equal the stored
    // ones. The grid settles on a size that Layout then leaves alone: three
    // header rows of two twenty-sevenths of the inner height each, six day
    // rows, seven columns (eight with week numbers). Sizes too small for
    // cells give cells of size 0.
    bool Layout(int windowWidth, int windowHeight, int lineWidth, int lineHeight);
    // Columns of the grid: the seven days, and the week numbers' column.
    int Columns() const { return weekNumbers ? 8 : 7; }
    // The width a window needs so that, with the week numbers' column, its
    // days get the size they have in a window of width without it.
    static int WidthWithWeekNumbers(int width, int lineWidth);

    // Days of a 0-based month (0 for a month out of range).
    static int DaysInMonth(int month, int year);
    // Column (0 Sunday ... 6 Saturday) of the 1st of a 0-based month. Years
    // up to 99 are read as 1900 + year.
    static int FirstColumn(int month, int year);
    static bool IsValidDay(int index, int month, int year);
    // Column of the shown month's 1st among the days, firstDay in column 0.
    int LeadColumns() const { return (FirstColumn(month, year) - firstDay + 7) % 7; }
    // The weekday (0 Sunday) shown in a column of days.
    int WeekdayOf(int column) const { return (column + firstDay) % 7; }
    // The ISO 8601 week of a row of days (that of its Thursday); 0 for a row
    // that holds no day of the shown month.
    int WeekOfRow(int row) const;

    // The limits: whether a date is within them, and whether a day of the
    // shown month is (and is a day of it).
    bool Allows(const CalDate &date) const;
    bool IsAvailable(int index) const;
    // A selection beyond a limit moves to that limit; gives the rows to
    // repaint (none when it was within them).
    unsigned ClampToLimits();
    // Whether some date allowed lies in a month before, or after, the shown
    // one: what the back and forward arrow buttons lead to.
    bool CanGoBack() const;
    bool CanGoForward() const;

    // Store the year or the 0-based month; with clamp, a selected index
    // beyond the new month's end moves to its last day. Unchecked.
    unsigned SetYear(int newYear, bool clamp);
    unsigned SetMonth(int newMonth, bool clamp);
    void SetDay(int index) { selected = index; }
    // Moves the selected day by delta days across month and year ends.
    unsigned MoveSelection(int delta);
    // One month back or forward, the year with it at its ends; the selected
    // day is clamped to the new month.
    unsigned PreviousMonth();
    unsigned NextMonth();

    // Index of the day under a point of the window (negative or beyond the
    // month where there is none). Points less than one day row above the
    // grid count as its first row; points outside the seven columns and six
    // rows otherwise, and any point of a grid without cells, give -1.
    int DayAt(int x, int y) const;
    // Column and row of a day of the shown month; false when the index is
    // not a day of it.
    bool DayCell(int index, int *column, int *row) const;

    // Areas of the window. Columns of days count from 0 (the first day
    // column); the week numbers' column is column -1.
    RECT YearRowRect() const;
    RECT MonthRowRect() const;
    RECT WeekdayRect(int column) const;
    int GridTop() const { return 3 * headerRowHeight + 4 * borderHeight; }
    RECT CellRect(int column, int row) const;
    RECT ButtonRect(int button) const;

private:
    int columns_ = 7;  // at the last layout
};

}  // namespace qx
