// Date arithmetic, checked against a calendar walked one day at a time from a
// known day (1 January 2000, day 2451545, a Saturday) and against well-known
// day numbers.
#include <windows.h>

#include <gtest/gtest.h>

#include "calendar/julian_date.h"

namespace {

using qx::JulianDate;

struct Ymd {
    uint32_t year, month, day;
};

// Gregorian months of the walk, written out independently of the library.
uint32_t WalkMonthLength(uint32_t year, uint32_t month) {
    static const uint32_t lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month != 2) return lengths[month - 1];
    const bool leap = year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
    return leap ? 29 : 28;
}

void NextDay(Ymd *d) {
    if (++d->day <= WalkMonthLength(d->year, d->month)) return;
    d->day = 1;
    if (++d->month <= 12) return;
    d->month = 1;
    ++d->year;
}

void PreviousDay(Ymd *d) {
    if (--d->day >= 1) return;
    if (--d->month < 1) {
        d->month = 12;
        --d->year;
    }
    d->day = WalkMonthLength(d->year, d->month);
}

// Compares the library with the walk at one day; returns false (after
// reporting) at the first difference, so a broken formula reports once.
bool SameDay(const Ymd &d, uint32_t number, uint32_t weekday) {
    const JulianDate date(d.month, d.day, d.year);
    uint32_t m = 0, dd = 0, y = 0;
    JulianDate(number).Split(&m, &dd, &y);
    const bool same = date.DayNumber() == number && m == d.month && dd == d.day && y == d.year &&
                      date.DayOfWeek() == weekday;
    EXPECT_TRUE(same) << d.year << "-" << d.month << "-" << d.day << ": number "
                      << date.DayNumber() << " (walk " << number << "), split " << y << "-" << m
                      << "-" << dd << ", weekday " << date.DayOfWeek() << " (walk " << weekday
                      << ")";
    return same;
}

// Every day from 1 January 100 (years below 100 read as 19xx) to
// 31 December 9999, both conversions and the weekday.
TEST(JulianDate, AgreesWithADayByDayWalk) {
    Ymd d = {2000, 1, 1};
    uint32_t number = 2451545, weekday = 6;
    while (d.year <= 9999) {
        if (!SameDay(d, number, weekday)) break;
        NextDay(&d);
        ++number;
        weekday = weekday % 7 + 1;
    }
    d = {2000, 1, 1};
    number = 2451545;
    weekday = 6;
    while (d.year >= 100) {
        if (!SameDay(d, number, weekday)) break;
        PreviousDay(&d);
        --number;
        weekday = (weekday + 5) % 7 + 1;
    }
}

TEST(JulianDate, WellKnownDays) {
    struct {
        uint32_t month, day, year, number, weekday;
    } cases[] = {
        {1, 1, 2000, 2451545, 6},  {1, 1, 1970, 2440588, 4},   {10, 15, 1582, 2299161, 5},
        {7, 4, 1776, 2369916, 4},  {12, 31, 9999, 5373484, 5}, {2, 29, 2000, 2451604, 2},
        {3, 1, 2100, 2488129, 1},  {1, 1, 100, 1757585, 5},
    };
    for (const auto &c : cases) {
        const JulianDate date(c.month, c.day, c.year);
        EXPECT_EQ(date.DayNumber(), c.number) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(date.DayOfWeek(), c.weekday) << c.year << "-" << c.month << "-" << c.day;
    }
}

// Far beyond the walk, 400 years are always 146097 days and the conversion
// still turns back.
TEST(JulianDate, FarYearsRoundTrip) {
    for (uint32_t year : {10000u, 123456u, 1000000u, 2000000u}) {
        for (uint32_t month : {1u, 2u, 3u, 12u}) {
            const JulianDate a(month, 1, year), b(month, 1, year + 400);
            EXPECT_EQ(b.DayNumber() - a.DayNumber(), 146097u) << year << "-" << month;
            uint32_t m, d, y;
            a.Split(&m, &d, &y);
            EXPECT_EQ(m, month);
            EXPECT_EQ(d, 1u);
            EXPECT_EQ(y, year);
        }
    }
}

TEST(JulianDate, InvalidDatesHaveNoNumber) {
    struct {
        uint32_t month, day, year;
    } cases[] = {{2, 29, 1900}, {2, 29, 2100}, {2, 30, 2000}, {4, 31, 2008}, {13, 1, 2008},
                 {0, 1, 2008},  {1, 0, 2008},  {1, 32, 2008}, {2, 29, 0},    {2, 29, 2007}};
    for (const auto &c : cases) {
        const JulianDate date(c.month, c.day, c.year);
        EXPECT_FALSE(date.IsValid()) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(date.DayNumber(), 0u);
    }
    EXPECT_TRUE(JulianDate(2, 29, 2000).IsValid());
    EXPECT_TRUE(JulianDate(2, 29, 4).IsValid());  // 1904
}

// Years up to 99 are 19xx for the conversion only.
TEST(JulianDate, TwoDigitYears) {
    for (uint32_t year : {0u, 1u, 8u, 50u, 99u})
        EXPECT_EQ(JulianDate(6, 15, year).DayNumber(), JulianDate(6, 15, 1900 + year).DayNumber())
            << year;
    EXPECT_NE(JulianDate(1, 1, 100).DayNumber(), JulianDate(1, 1, 2000).DayNumber());
    // Year 0 is a leap year of its own, 1900 is not.
    EXPECT_TRUE(qx::IsValidDate(2, 29, 0));
    EXPECT_FALSE(JulianDate(2, 29, 0).IsValid());
}

TEST(DateRules, LeapYearsAndYearLengths) {
    struct {
        uint32_t year;
        bool leap;
    } cases[] = {{1600, true},  {1700, false}, {1800, false}, {1900, false}, {2000, true},
                 {2004, true},  {2007, false}, {2008, true},  {2100, false}, {2400, true},
                 {0, true},     {1, false},    {1996, true},  {1999, false}};
    for (const auto &c : cases) {
        EXPECT_EQ(qx::IsLeapYear(c.year), c.leap) << c.year;
        EXPECT_EQ(qx::DaysInYear(c.year), c.leap ? 366u : 365u) << c.year;
    }
}

TEST(DateRules, ValidDates) {
    struct {
        uint32_t month, day, year;
        bool valid;
    } cases[] = {
        {1, 31, 2007, true},  {4, 30, 2007, true},  {4, 31, 2007, false}, {2, 28, 2007, true},
        {2, 29, 2007, false}, {2, 29, 2008, true},  {2, 29, 1900, false}, {12, 31, 2007, true},
        {12, 32, 2007, false}, {0, 10, 2007, false}, {13, 10, 2007, false}, {6, 0, 2007, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(qx::IsValidDate(c.month, c.day, c.year), c.valid)
            << c.year << "-" << c.month << "-" << c.day;
}

TEST(JulianDate, TodayIsTheLocalDate) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    uint32_t m, d, y;
    JulianDate::Today().Split(&m, &d, &y);
    // A midnight between the two readings moves the date by one day at most.
    const JulianDate reference(now.wMonth, now.wDay, now.wYear);
    const JulianDate today(m, d, y);
    EXPECT_LE(today.DayNumber() - reference.DayNumber(), 1u);
}

}  // namespace
