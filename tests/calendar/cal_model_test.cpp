// The calendar's arithmetic and model without a window.
#include <gtest/gtest.h>

#include "calendar/cal_model.h"
#include "calendar/julian_date.h"

namespace {

using qx::CalModel;
using qx::JulianDate;

// Every day of the years 100 (day 1757585, a Friday) to 9999 against a walk; years to 99 are 19xx; invalid 0.
TEST(CalDates, AgreeWithADayByDayWalk) {
    const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    uint32_t year = 100, month = 1, day = 1, number = 1757585, weekday = 5, m, d, y;
    for (; year <= 9999; ++number, weekday = weekday % 7 + 1) {
        const bool leap = year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
        const int length = lengths[month - 1] + (month == 2 && leap);
        const JulianDate date(month, day, year);
        JulianDate(number).Split(&m, &d, &y);
        if (date.DayNumber() != number || date.DayOfWeek() != weekday || m != month || d != day || y != year ||
            (day == 1 && (qx::IsLeapYear(year) != leap || CalModel::DaysInMonth(month - 1, year) != length ||
                          CalModel::FirstColumn(month - 1, year) != int(weekday % 7))))
            FAIL() << "first disagreement: " << year * 10000 + month * 100 + day;
        if (++day > uint32_t(length)) day = 1, year += month == 12, month = month % 12 + 1;
    }
    EXPECT_EQ(JulianDate(6, 15, 8).DayNumber(), JulianDate(6, 15, 1908).DayNumber());
    EXPECT_TRUE(qx::IsValidDate(2, 29, 0) && CalModel::DaysInMonth(1, 8) == 29);
    const uint32_t invalid[][3] = {{2, 29, 0}, {4, 31, 2008}, {13, 1, 2008}, {0, 1, 2008}, {1, 0, 2008}};
    for (const auto &c : invalid) EXPECT_EQ(JulianDate(c[0], c[1], c[2]).DayNumber(), 0u) << c[2] << "-" << c[0];
    EXPECT_EQ(JulianDate(3, 1, 2000400).DayNumber() - JulianDate(3, 1, 2000000).DayNumber(), 146097u);
}

// Years starting on each weekday, of 52 and 53 weeks: their ends and where a week and its year turn.
TEST(CalDates, IsoWeeks) {
    const struct { uint32_t ymd; int week; uint32_t year; } cases[] = {
        {20181230, 52, 2018}, {20181231, 1, 2019},  {20191229, 52, 2019}, {20191230, 1, 2020},  {20201231, 53, 2020},
        {20210103, 53, 2020}, {20210104, 1, 2021},  {19921231, 53, 1992}, {20151231, 53, 2015}, {20160103, 53, 2015},
        {20161231, 52, 2016}, {20041231, 53, 2004}, {20081229, 1, 2009},  {20000101, 52, 1999}, {20110101, 52, 2010},
        {20170101, 52, 2016}, {20170102, 1, 2017},  {20120101, 52, 2011},
    };
    for (const auto &c : cases) {
        uint32_t year = 0;
        EXPECT_EQ(qx::IsoWeek(JulianDate(c.ymd / 100 % 100, c.ymd % 100, c.ymd / 10000), &year), c.week) << c.ymd;
        EXPECT_EQ(year, c.year) << c.ymd;
    }
}

// Moves by days and months from any index, far beyond the years a host shows: the date and the rows changed.
TEST(CalMoves, DaysAndMonths) {
    const unsigned kYear = qx::kCalYearRow, kMonth = qx::kCalMonthRow, kDays = qx::kCalDayGrid;
    enum { kPrevious = 1 << 30, kNext };  // else a number of days
    const struct { int from, delta, to; unsigned rows; } cases[] = {
        {20071231, 1, 20080101, kYear | kMonth | kDays}, {20080228, 1, 20080229, kDays},
        {20070241, 1, 20070314, kMonth | kDays},  // an index beyond the month's end
        {20070300, -1, 20070227, kMonth | kDays},  // no day selected
        {20080229, 146097, 24080229, kYear | kDays},      {20080229, 1000000, 47460126, kYear | kMonth | kDays},
        {20080229, -500000, 6390318, kYear | kMonth | kDays},
        {20080331, kPrevious, 20080229, kMonth | kDays},  {20070131, kNext, 20070228, kMonth | kDays},
    };
    for (const auto &c : cases) {
        CalModel m;
        m.year = c.from / 10000, m.month = c.from / 100 % 100 - 1, m.selected = c.from % 100 - 1;
        const unsigned rows = c.delta == kPrevious ? m.PreviousMonth() : c.delta == kNext ? m.NextMonth()
                                                                                          : m.MoveSelection(c.delta);
        EXPECT_EQ(m.year * 10000 + (m.month + 1) * 100 + m.selected + 1, c.to) << c.from << " by " << c.delta;
        EXPECT_EQ(rows, c.rows) << c.from << " by " << c.delta;
    }
}

}  // namespace
