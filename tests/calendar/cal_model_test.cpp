// The calendar's model without a window: geometry, month lengths and first
// columns, moves between days, months and years with the rows each names for
// repainting, and the hit test.
#include <gtest/gtest.h>

#include "calendar/cal_model.h"
#include "calendar/julian_date.h"

namespace {

using qx::CalModel;

const unsigned kYear = qx::kCalYearRow, kMonth = qx::kCalMonthRow, kGrid = qx::kCalDayGrid;

struct Date {
    int year, month, day;  // month and day 1-based
};

CalModel Showing(Date d) {
    CalModel m;
    m.selected = d.day - 1;
    m.month = d.month - 1;
    m.year = d.year;
    return m;
}

std::string Text(const CalModel &m) {
    return std::to_string(m.year) + "-" + std::to_string(m.month + 1) + "-" +
           std::to_string(m.selected + 1);
}
std::string Text(Date d) { return Text(Showing(d)); }

TEST(CalLayout, GeometryFromWindowSize) {
    const struct {
        int w, h, bw, bh, header, dayRow, cell, gridW, gridH;
    } cases[] = {
        {200, 150, 1, 1, 11, 17, 27, 197, 145}, {300, 200, 1, 1, 15, 24, 41, 295, 199},
        {200, 150, 2, 2, 10, 16, 26, 198, 146}, {197, 145, 1, 1, 10, 17, 27, 197, 142},
        {0, 0, 1, 1, 0, 0, 0, 8, 10},           {-40, -30, 1, 1, 0, 0, 0, 8, 10},
    };
    for (const auto &c : cases) {
        CalModel m;
        EXPECT_TRUE(m.Layout(c.w, c.h, c.bw, c.bh));
        EXPECT_EQ(m.borderWidth * 10 + m.borderHeight, c.bw * 10 + c.bh);
        EXPECT_EQ(m.headerRowHeight, c.header) << c.w << "x" << c.h;
        EXPECT_EQ(m.dayRowHeight, c.dayRow) << c.w << "x" << c.h;
        EXPECT_EQ(m.cellWidth, c.cell) << c.w << "x" << c.h;
        EXPECT_EQ(m.width, c.gridW) << c.w << "x" << c.h;
        EXPECT_EQ(m.height, c.gridH) << c.w << "x" << c.h;
    }
}

// The window takes the grid's size after the first layout; laying out at
// that size keeps the grid, although the formula alone would not (see the
// fresh 197 x 145 above).
TEST(CalLayout, SettledSizeChangesNothing) {
    CalModel m;
    ASSERT_TRUE(m.Layout(200, 150, 1, 1));
    EXPECT_FALSE(m.Layout(197, 145, 1, 1));
    EXPECT_EQ(m.headerRowHeight, 11);
    EXPECT_TRUE(m.Layout(197, 145, 2, 1));  // other system metrics
    EXPECT_EQ(m.cellWidth, 25);
}

TEST(CalDates, MonthLengthsAndFirstColumns) {
    const int common[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 0; month < 12; ++month) {
        EXPECT_EQ(CalModel::DaysInMonth(month, 2007), common[month]) << month;
        EXPECT_EQ(CalModel::DaysInMonth(month, 2000), common[month] + (month == 1)) << month;
        // Years up to 99 are 19xx for the first column only.
        EXPECT_EQ(CalModel::FirstColumn(month, 8), CalModel::FirstColumn(month, 1908)) << month;
    }
    EXPECT_EQ(CalModel::DaysInMonth(1, 1900), 28);
    EXPECT_EQ(CalModel::DaysInMonth(1, 8), 29);
    EXPECT_EQ(CalModel::DaysInMonth(12, 2008), 0);
    EXPECT_EQ(CalModel::DaysInMonth(-1, 2008), 0);
    const int firsts[][3] = {{0, 2000, 6}, {1, 2007, 4}, {0, 2008, 2}, {1, 2009, 0}, {2, 2008, 6}};
    for (const auto &f : firsts) EXPECT_EQ(CalModel::FirstColumn(f[0], f[1]), f[2]) << f[0] << "/" << f[1];
}

TEST(CalMoves, MoveSelection) {
    const struct {
        Date from;
        int delta;
        Date to;
        unsigned rows;
    } cases[] = {
        {{2008, 1, 1}, -1, {2007, 12, 31}, kYear | kMonth | kGrid},
        {{2007, 12, 31}, 1, {2008, 1, 1}, kYear | kMonth | kGrid},
        {{2007, 2, 28}, 7, {2007, 3, 7}, kMonth | kGrid},
        {{2008, 2, 28}, 1, {2008, 2, 29}, kGrid},
        {{2008, 3, 5}, -7, {2008, 2, 27}, kMonth | kGrid},
        {{2008, 1, 1}, 366, {2009, 1, 1}, kYear | kGrid},
        {{2007, 2, 41}, 1, {2007, 3, 14}, kMonth | kGrid},  // an index beyond the month
        {{2007, 3, 0}, -1, {2007, 2, 27}, kMonth | kGrid},  // no day selected
        {{2008, 6, 10}, 0, {2008, 6, 10}, 0},
    };
    for (const auto &c : cases) {
        CalModel m = Showing(c.from);
        EXPECT_EQ(m.MoveSelection(c.delta), c.rows) << Text(c.from) << " by " << c.delta;
        EXPECT_EQ(Text(m), Text(c.to)) << Text(c.from) << " by " << c.delta;
    }
}

// Long moves land where day numbers say; whole 400-year cycles included.
TEST(CalMoves, LongMovesAgreeWithDayNumbers) {
    const Date starts[] = {{2000, 1, 1}, {2008, 2, 29}, {1850, 7, 15}};
    for (const Date &s : starts) {
        for (int delta : {1000, -1000, 146097, -146097, 146096, 1000000, -500000}) {
            CalModel m = Showing(s);
            m.MoveSelection(delta);
            uint32_t month, day, year;
            qx::JulianDate(qx::JulianDate(s.month, s.day, s.year).DayNumber() + delta)
                .Split(&month, &day, &year);
            EXPECT_EQ(Text(m), Text(Date{int(year), int(month), int(day)})) << Text(s) << " by " << delta;
        }
    }
}

TEST(CalMoves, MonthsAndYearsClamp) {
    enum Op { kPrevious, kNext, kYearBack, kMonthNoClamp };
    const struct {
        Date from;
        Op op;
        Date to;
        unsigned rows;
    } cases[] = {
        {{2008, 3, 31}, kPrevious, {2008, 2, 29}, kMonth | kGrid},
        {{2008, 1, 15}, kPrevious, {2007, 12, 15}, kYear | kMonth | kGrid},
        {{2007, 1, 31}, kNext, {2007, 2, 28}, kMonth | kGrid},
        {{2007, 12, 31}, kNext, {2008, 1, 31}, kYear | kMonth | kGrid},
        {{2008, 2, 29}, kYearBack, {2007, 2, 28}, kYear | kGrid},
        {{2008, 1, 31}, kMonthNoClamp, {2008, 2, 31}, kMonth | kGrid},
    };
    for (const auto &c : cases) {
        CalModel m = Showing(c.from);
        const unsigned rows = c.op == kPrevious ? m.PreviousMonth()
                              : c.op == kNext   ? m.NextMonth()
                              : c.op == kYearBack ? m.SetYear(m.year - 1, true)
                                                  : m.SetMonth(1, false);
        EXPECT_EQ(Text(m), Text(c.to)) << Text(c.from) << " op " << c.op;
        EXPECT_EQ(rows, c.rows) << Text(c.from) << " op " << c.op;
    }
}

// With Layout (200, 150) the day rows start at y 37, one every 18 pixels, and
// a column every 28 from x 1. January 2000 starts on Saturday (column 6).
TEST(CalHitTest, DayAt) {
    CalModel m = Showing({2000, 1, 1});
    m.Layout(200, 150, 1, 1);
    for (int day = 1; day <= 31; ++day) {
        const int pos = day - 1 + 6;
        EXPECT_EQ(m.DayAt((pos % 7) * 28 + 14, 37 + (pos / 7) * 18 + 8), day - 1) << day;
    }
    const struct {
        int x, y, index;
    } cases[] = {
        {14, 45, -6},                   // empty cell before the 1st
        {2 * 28 + 14, 37 + 5 * 18, 31},  // after the 31st
        {182, 36, 0}, {182, 20, 0},      // less than a day row above the grid
        {182, 19, -7},                   // more
        {0, 45, -6}, {196, 45, 0},       // the outer lines belong to the outer columns
        {197, 45, -1}, {-1, 45, -1},     // beside the grid
        {100, 145, -1},                  // below it
    };
    for (const auto &c : cases) EXPECT_EQ(m.DayAt(c.x, c.y), c.index) << c.x << "," << c.y;
    // No cells, no day, no division.
    m.Layout(0, 0, 1, 1);
    for (int x = -2; x < 12; ++x)
        for (int y = -2; y < 12; ++y) EXPECT_EQ(m.DayAt(x, y), -1) << x << "," << y;
}

}  // namespace
