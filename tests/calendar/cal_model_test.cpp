// The calendar's model without a window: geometry, month lengths and first
// columns, the moves between days, months and years, and the rows each move
// names for repainting.
#include <climits>

#include <gtest/gtest.h>

#include "calendar/cal_model.h"
#include "calendar/julian_date.h"

namespace {

using qx::CalModel;

const unsigned kYear = qx::kCalYearRow, kMonth = qx::kCalMonthRow, kGrid = qx::kCalDayGrid;

// A model showing day (1-based) of month (1-based) of year.
CalModel Showing(int day, int month, int year) {
    CalModel m;
    m.selected = day - 1;
    m.month = month - 1;
    m.year = year;
    return m;
}

std::string DateOf(const CalModel &m) {
    return std::to_string(m.year) + "-" + std::to_string(m.month + 1) + "-" +
           std::to_string(m.selected + 1);
}

TEST(CalLayout, GeometryFromWindowSize) {
    struct {
        int w, h, bw, bh;
        int header, dayRow, cell, gridW, gridH;
    } cases[] = {
        {200, 150, 1, 1, 11, 17, 27, 197, 145},
        {300, 200, 1, 1, 15, 24, 41, 295, 199},
        {200, 150, 2, 2, 10, 16, 26, 198, 146},
        {197, 145, 1, 1, 10, 17, 27, 197, 142},  // a fresh model at the settled size
    };
    for (const auto &c : cases) {
        CalModel m;
        EXPECT_TRUE(m.Layout(c.w, c.h, c.bw, c.bh));
        EXPECT_EQ(m.borderWidth, c.bw);
        EXPECT_EQ(m.borderHeight, c.bh);
        EXPECT_EQ(m.headerRowHeight, c.header) << c.w << "x" << c.h;
        EXPECT_EQ(m.dayRowHeight, c.dayRow) << c.w << "x" << c.h;
        EXPECT_EQ(m.cellWidth, c.cell) << c.w << "x" << c.h;
        EXPECT_EQ(m.width, c.gridW) << c.w << "x" << c.h;
        EXPECT_EQ(m.height, c.gridH) << c.w << "x" << c.h;
    }
}

// The window takes the grid's size after the first layout; laying out at
// that size keeps the grid, although the formula alone would not.
TEST(CalLayout, SettledSizeChangesNothing) {
    CalModel m;
    ASSERT_TRUE(m.Layout(200, 150, 1, 1));
    EXPECT_FALSE(m.Layout(197, 145, 1, 1));
    EXPECT_EQ(m.headerRowHeight, 11);
    EXPECT_EQ(m.height, 145);
    // Other lines (system metrics) lay out again at the same size.
    EXPECT_TRUE(m.Layout(197, 145, 2, 1));
    EXPECT_EQ(m.borderWidth, 2);
    EXPECT_EQ(m.cellWidth, 25);
}

// Too small for cells: sizes stay at zero or above, and no point is a day.
TEST(CalLayout, TinyWindowsHaveNoCells) {
    struct {
        int w, h;
    } cases[] = {{0, 0}, {1, 1}, {5, 200}, {200, 5}, {-40, -30}, {8, 10}};
    for (const auto &c : cases) {
        CalModel m = Showing(1, 1, 2000);
        m.Layout(c.w, c.h, 1, 1);
        EXPECT_GE(m.headerRowHeight, 0);
        EXPECT_GE(m.dayRowHeight, 0);
        EXPECT_GE(m.cellWidth, 0);
        EXPECT_GE(m.width, 8);
        EXPECT_GE(m.height, 10);
        for (int x = -2; x < 12; ++x)
            for (int y = -2; y < 12; ++y) EXPECT_EQ(m.DayAt(x, y), -1) << c.w << "x" << c.h;
    }
}

TEST(CalDates, DaysInMonth) {
    const int common[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 0; month < 12; ++month) {
        EXPECT_EQ(CalModel::DaysInMonth(month, 2007), common[month]) << month;
        EXPECT_EQ(CalModel::DaysInMonth(month, 2008), common[month] + (month == 1)) << month;
    }
    EXPECT_EQ(CalModel::DaysInMonth(1, 2000), 29);
    EXPECT_EQ(CalModel::DaysInMonth(1, 1900), 28);
    EXPECT_EQ(CalModel::DaysInMonth(1, 2100), 28);
    EXPECT_EQ(CalModel::DaysInMonth(-1, 2008), 0);
    EXPECT_EQ(CalModel::DaysInMonth(12, 2008), 0);
}

TEST(CalDates, FirstColumns) {
    struct {
        int month, year, column;
    } cases[] = {{0, 2000, 6}, {1, 2007, 4}, {0, 2008, 2}, {0, 2007, 1}, {1, 2009, 0}, {2, 2008, 6}};
    for (const auto &c : cases)
        EXPECT_EQ(CalModel::FirstColumn(c.month, c.year), c.column) << c.month + 1 << "/" << c.year;
    // Years up to 99 are 19xx here; 1908 and 2008 differ in January.
    for (int month = 0; month < 12; ++month) {
        EXPECT_EQ(CalModel::FirstColumn(month, 8), CalModel::FirstColumn(month, 1908)) << month;
        EXPECT_EQ(CalModel::FirstColumn(month, 99), CalModel::FirstColumn(month, 1999)) << month;
    }
    EXPECT_NE(CalModel::FirstColumn(0, 8), CalModel::FirstColumn(0, 2008));
}

TEST(CalDates, ValidDayIndexes) {
    struct {
        int index, month, year;
        bool valid;
    } cases[] = {{0, 0, 2008, true},   {30, 0, 2008, true},  {31, 0, 2008, false}, {-1, 0, 2008, false},
                 {28, 1, 2008, true},  {28, 1, 2007, false}, {29, 3, 2008, true},  {30, 3, 2008, false},
                 {0, 12, 2008, false}, {0, -1, 2008, false}};
    for (const auto &c : cases)
        EXPECT_EQ(CalModel::IsValidDay(c.index, c.month, c.year), c.valid)
            << c.index << " " << c.month << " " << c.year;
}

TEST(CalMoves, SetYearAndMonthWithAndWithoutClamp) {
    struct {
        int day, month, year;
        bool isYear;
        int value;
        bool clamp;
        int selected;  // 1-based day afterwards
        unsigned rows;
    } cases[] = {
        {29, 2, 2008, true, 2007, true, 28, kYear | kGrid},
        {29, 2, 2008, true, 2007, false, 29, kYear | kGrid},
        {29, 2, 2008, true, 2012, true, 29, kYear | kGrid},
        {31, 1, 2008, false, 3, true, 30, kMonth | kGrid},   // April
        {31, 1, 2008, false, 3, false, 31, kMonth | kGrid},
        {31, 1, 2007, false, 1, true, 28, kMonth | kGrid},   // February
        {15, 1, 2007, false, 1, true, 15, kMonth | kGrid},
    };
    for (const auto &c : cases) {
        CalModel m = Showing(c.day, c.month, c.year);
        const unsigned rows = c.isYear ? m.SetYear(c.value, c.clamp) : m.SetMonth(c.value, c.clamp);
        EXPECT_EQ(m.selected + 1, c.selected) << DateOf(m);
        EXPECT_EQ(c.isYear ? m.year : m.month, c.value);
        EXPECT_EQ(rows, c.rows);
    }
}

TEST(CalMoves, MoveSelection) {
    struct {
        int day, month, year, delta;
        int toDay, toMonth, toYear;
        unsigned rows;
    } cases[] = {
        {1, 1, 2008, -1, 31, 12, 2007, kYear | kMonth | kGrid},
        {31, 12, 2007, 1, 1, 1, 2008, kYear | kMonth | kGrid},
        {28, 2, 2007, 7, 7, 3, 2007, kMonth | kGrid},
        {28, 2, 2008, 1, 29, 2, 2008, kGrid},
        {29, 2, 2008, 1, 1, 3, 2008, kMonth | kGrid},
        {5, 3, 2008, -7, 27, 2, 2008, kMonth | kGrid},
        {15, 3, 2008, -7, 8, 3, 2008, kGrid},
        {1, 1, 2008, 366, 1, 1, 2009, kYear | kGrid},
        {1, 3, 2008, -366, 1, 3, 2007, kYear | kGrid},
        {41, 2, 2007, 1, 14, 3, 2007, kMonth | kGrid},  // an index beyond the month
        {0, 3, 2007, -1, 27, 2, 2007, kMonth | kGrid},  // no day selected
        {10, 6, 2008, 0, 10, 6, 2008, 0},
    };
    for (const auto &c : cases) {
        CalModel m = Showing(c.day, c.month, c.year);
        const unsigned rows = m.MoveSelection(c.delta);
        EXPECT_EQ(DateOf(m), DateOf(Showing(c.toDay, c.toMonth, c.toYear)))
            << c.year << "-" << c.month << "-" << c.day << " by " << c.delta;
        EXPECT_EQ(rows, c.rows) << c.year << "-" << c.month << "-" << c.day << " by " << c.delta;
    }
}

// Long moves land where day numbers say they do.
TEST(CalMoves, LongMovesAgreeWithDayNumbers) {
    const int deltas[] = {1000, -1000, 146097, -146097, 146096, 300000, -300000, 1000000, -500000};
    const int starts[][3] = {{1, 1, 2000}, {29, 2, 2008}, {31, 12, 1999}, {15, 7, 1850}};
    for (const auto &s : starts) {
        for (int delta : deltas) {
            CalModel m = Showing(s[0], s[1], s[2]);
            m.MoveSelection(delta);
            const uint32_t from = qx::JulianDate(s[1], s[0], s[2]).DayNumber();
            uint32_t month, day, year;
            qx::JulianDate(from + delta).Split(&month, &day, &year);
            EXPECT_EQ(DateOf(m), DateOf(Showing(day, month, year)))
                << s[2] << "-" << s[1] << "-" << s[0] << " by " << delta;
        }
    }
}

// Whatever index a host stored, a key moves it to a real day at once.
TEST(CalMoves, ExtremeIndexesEndOnADay) {
    struct {
        int selected, delta;
    } cases[] = {{INT_MAX, 1}, {INT_MAX, 7}, {INT_MIN, -1}, {INT_MIN, -7}, {INT_MAX, -1}};
    for (const auto &c : cases) {
        CalModel m = Showing(1, 6, 2008);
        m.selected = c.selected;
        m.MoveSelection(c.delta);
        EXPECT_TRUE(CalModel::IsValidDay(m.selected, m.month, m.year)) << DateOf(m);
        // About 5.9 million years away, in the direction of the index.
        const long long years = static_cast<long long>(m.year) - 2008;
        EXPECT_GT(years * (c.selected > 0 ? 1 : -1), 5800000) << DateOf(m);
        EXPECT_LT(years * (c.selected > 0 ? 1 : -1), 5900000) << DateOf(m);
    }
}

TEST(CalMoves, PreviousAndNextMonth) {
    struct {
        bool next;
        int day, month, year;
        int toDay, toMonth, toYear;
        unsigned rows;
    } cases[] = {
        {false, 31, 3, 2008, 29, 2, 2008, kMonth | kGrid},
        {false, 31, 3, 2007, 28, 2, 2007, kMonth | kGrid},
        {false, 15, 1, 2008, 15, 12, 2007, kYear | kMonth | kGrid},
        {false, 31, 5, 2008, 30, 4, 2008, kMonth | kGrid},
        {true, 31, 1, 2007, 28, 2, 2007, kMonth | kGrid},
        {true, 31, 1, 2008, 29, 2, 2008, kMonth | kGrid},
        {true, 31, 12, 2007, 31, 1, 2008, kYear | kMonth | kGrid},
        {true, 10, 6, 2008, 10, 7, 2008, kMonth | kGrid},
    };
    for (const auto &c : cases) {
        CalModel m = Showing(c.day, c.month, c.year);
        const unsigned rows = c.next ? m.NextMonth() : m.PreviousMonth();
        EXPECT_EQ(DateOf(m), DateOf(Showing(c.toDay, c.toMonth, c.toYear)))
            << (c.next ? "next from " : "previous from ") << c.year << "-" << c.month;
        EXPECT_EQ(rows, c.rows);
    }
}

// With Layout (200, 150): lines 1, header rows 11, day rows 17, cells 27;
// the grid starts at y 37, a day row every 18 pixels, a column every 28.
class CalHitTest : public ::testing::Test {
protected:
    void SetUp() override {
        m = Showing(1, 1, 2000);  // January 2000 starts on Saturday
        m.Layout(200, 150, 1, 1);
    }
    CalModel m;
};

TEST_F(CalHitTest, CellCentresGiveTheirDays) {
    for (int day = 1; day <= 31; ++day) {
        const int pos = day - 1 + 6;
        const int x = (pos % 7) * 28 + 1 + 13, y = 37 + (pos / 7) * 18 + 8;
        EXPECT_EQ(m.DayAt(x, y), day - 1) << day;
    }
    // Empty cells before the 1st and after the 31st.
    EXPECT_EQ(m.DayAt(14, 45), -6);
    EXPECT_EQ(m.DayAt(28 * 5 + 14, 45), -1);
    EXPECT_EQ(m.DayAt(28 * 2 + 14, 37 + 5 * 18 + 8), 31);
}

// Within one day row above the grid (y 20 to 36) points read as the first
// row: the weekday names and the lower part of the month row.
TEST_F(CalHitTest, BandAboveTheGridIsTheFirstRow) {
    const int saturday = 6 * 28 + 14;
    for (int y = 20; y <= 36; ++y) EXPECT_EQ(m.DayAt(saturday, y), 0) << y;
    EXPECT_EQ(m.DayAt(saturday, 19), -7);
    EXPECT_EQ(m.DayAt(saturday, 0), -14);
}

TEST_F(CalHitTest, EdgesOfTheGrid) {
    struct {
        int x, y, index;
    } cases[] = {
        {0, 45, -6},                  // the left line belongs to the first column
        {196, 45, 0},                 // the right line to the last
        {197, 45, -1},                // right of the grid
        {199, 80, -1},
        {196, 37 + 5 * 18 + 17, 35},  // the bottom line
        {100, 145, -1},               // below the grid
        {-1, 45, -1},
    };
    for (const auto &c : cases) EXPECT_EQ(m.DayAt(c.x, c.y), c.index) << c.x << "," << c.y;
}

TEST_F(CalHitTest, DayCells) {
    int column = -1, row = -1;
    ASSERT_TRUE(m.DayCell(0, &column, &row));
    EXPECT_EQ(column, 6);
    EXPECT_EQ(row, 0);
    ASSERT_TRUE(m.DayCell(30, &column, &row));
    EXPECT_EQ(column, 1);
    EXPECT_EQ(row, 5);
    EXPECT_FALSE(m.DayCell(31, &column, &row));
    EXPECT_FALSE(m.DayCell(-1, &column, &row));
}

TEST(CalNames, MonthsAndWeekdays) {
    EXPECT_STREQ(qx::MonthName(0), "January");
    EXPECT_STREQ(qx::MonthName(8), "September");
    EXPECT_STREQ(qx::MonthName(11), "December");
    EXPECT_STREQ(qx::MonthName(12), "");
    EXPECT_STREQ(qx::MonthName(-1), "");
    EXPECT_STREQ(qx::WeekdayName(0), "Sun");
    EXPECT_STREQ(qx::WeekdayName(6), "Sat");
    EXPECT_STREQ(qx::WeekdayName(7), "");
}

}  // namespace
