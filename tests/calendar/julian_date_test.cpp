// Date arithmetic, checked against a calendar walked one day at a time.
#include <gtest/gtest.h>

#include "calendar/julian_date.h"

namespace {

using qx::JulianDate;

// Gregorian month lengths of the walk, written out independently.
uint32_t WalkMonthLength(uint32_t year, uint32_t month) {
    static const uint32_t lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
    return month == 2 && leap ? 29 : lengths[month - 1];
}

// Every day from 1 January 100 (day 1757585, a Friday) to 31 December 9999:
// the day number both ways and the weekday. The walk passes 1 January 2000
// as day 2451545, a Saturday.
TEST(JulianDate, AgreesWithADayByDayWalk) {
    uint32_t year = 100, month = 1, day = 1, number = 1757585, weekday = 5;
    for (; year <= 9999; ++number, weekday = weekday % 7 + 1) {
        if (year == 2000 && month == 1 && day == 1) {
            EXPECT_EQ(number, 2451545u);
            EXPECT_EQ(weekday, 6u);
        }
        const JulianDate date(month, day, year);
        uint32_t m = 0, d = 0, y = 0;
        JulianDate(number).Split(&m, &d, &y);
        if (date.DayNumber() != number || date.DayOfWeek() != weekday || m != month || d != day ||
            y != year) {
            ADD_FAILURE() << year << "-" << month << "-" << day << ": number " << date.DayNumber()
                          << " (walk " << number << "), weekday " << date.DayOfWeek() << " (walk "
                          << weekday << "), split " << y << "-" << m << "-" << d;
            break;
        }
        if (++day > WalkMonthLength(year, month)) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
}

// Beyond the walk, 400 years stay 146097 days and the conversion turns back.
TEST(JulianDate, FarYears) {
    for (uint32_t year : {10000u, 123456u, 2000000u}) {
        const JulianDate a(3, 1, year), b(3, 1, year + 400);
        EXPECT_EQ(b.DayNumber() - a.DayNumber(), 146097u) << year;
        uint32_t m, d, y;
        a.Split(&m, &d, &y);
        EXPECT_EQ(y * 10000 + m * 100 + d, year * 10000 + 301) << year;
    }
}

// Years up to 99 are 19xx for the conversion only; invalid dates give 0.
TEST(JulianDate, TwoDigitYearsAndInvalidDates) {
    for (uint32_t year : {0u, 8u, 99u})
        EXPECT_EQ(JulianDate(6, 15, year).DayNumber(), JulianDate(6, 15, 1900 + year).DayNumber());
    EXPECT_NE(JulianDate(6, 15, 100).DayNumber(), JulianDate(6, 15, 2000).DayNumber());
    EXPECT_TRUE(qx::IsValidDate(2, 29, 0));  // year 0 is a leap year, 1900 is not
    const uint32_t invalid[][3] = {{2, 29, 0},    {2, 29, 1900}, {2, 29, 2100}, {2, 30, 2000},
                                   {4, 31, 2008}, {13, 1, 2008}, {0, 1, 2008},  {1, 0, 2008}};
    for (const auto &c : invalid)
        EXPECT_EQ(JulianDate(c[0], c[1], c[2]).DayNumber(), 0u) << c[2] << "-" << c[0] << "-" << c[1];
    EXPECT_NE(JulianDate(2, 29, 2000).DayNumber(), 0u);
}

TEST(JulianDate, LeapYears) {
    const struct {
        uint32_t year;
        bool leap;
    } cases[] = {{1600, true}, {1700, false}, {1900, false}, {2000, true}, {2007, false},
                 {2008, true}, {2100, false}, {2400, true},  {0, true},    {1, false}};
    for (const auto &c : cases) {
        EXPECT_EQ(qx::IsLeapYear(c.year), c.leap) << c.year;
        EXPECT_EQ(qx::DaysInYear(c.year), c.leap ? 366u : 365u) << c.year;
    }
}

}  // namespace
