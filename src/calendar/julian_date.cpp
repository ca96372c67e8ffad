#include "calendar/julian_date.h"

#include <atomic>
#include <ctime>

namespace qx {
namespace {

// Days of each month in a common year, indexed by the 1-based month.
const uint32_t kDaysPerMonth[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// The day number of the day before 1 March of year 0, the origin of the
// March-based year the conversions count in.
const uint32_t kMarchEpoch = 1721119;

// The day a test put in place of the clock's (0: none).
std::atomic<uint32_t> g_todayForTest{0};

}  // namespace

bool IsLeapYear(uint32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

uint32_t DaysInYear(uint32_t year) { return IsLeapYear(year) ? 366 : 365; }

bool IsValidDate(uint32_t month, uint32_t day, uint32_t year) {
    if (day == 0 || month < 1 || month > 12) return false;
    const uint32_t extra = (month == 2 && IsLeapYear(year)) ? 1 : 0;
    return day <= kDaysPerMonth[month] + extra;
}

// Counts in years that start on 1 March, so that the leap day ends a year:
// whole centuries (146097 days in four), years of the century (1461 in four),
// then the months since March (153 days in five).
JulianDate::JulianDate(uint32_t month, uint32_t day, uint32_t year) {
    if (year <= 99) year += 1900;
    if (!IsValidDate(month, day, year)) return;
    if (month > 2) {
        month -= 3;
    } else {
        month += 9;
        year -= 1;
    }
    const uint32_t century = year / 100;
    const uint32_t yearOfCentury = year - 100 * century;
    day_ = (146097 * century) / 4 + (1461 * yearOfCentury) / 4 + (153 * month + 2) / 5 + day +
           kMarchEpoch;
}

JulianDate JulianDate::Today() {
    if (const uint32_t forced = g_todayForTest.load(std::memory_order_relaxed)) return JulianDate(forced);
    __time64_t now = _time64(nullptr);
    const struct tm *local = _localtime64(&now);
    if (!local) return JulianDate(1, 1, 1970);  // the clock's own origin
    return JulianDate(static_cast<uint32_t>(local->tm_mon + 1), static_cast<uint32_t>(local->tm_mday),
                      static_cast<uint32_t>(local->tm_year + 1900));
}

uint32_t JulianDate::DayOfWeek() const { return ((day_ + 1) % 7 + 6) % 7 + 1; }

void JulianDate::Split(uint32_t *month, uint32_t *day, uint32_t *year) const {
    const uint32_t j = day_ - kMarchEpoch;
    const uint32_t century = (4 * j - 1) / 146097;
    const uint32_t dayOfCentury = (4 * j - 1 - 146097 * century) / 4;
    const uint32_t t = 4 * dayOfCentury + 3;
    const uint32_t yearOfCentury = t / 1461;
    const uint32_t u = ((t % 1461 + 4) / 4) * 5 - 3;
    uint32_t m = u / 153;
    const uint32_t d = (u - 153 * m + 5) / 5;
    uint32_t y = 100 * century + yearOfCentury;
    if (m >= 10) {
        m -= 9;
        y += 1;
    } else {
        m += 3;
    }
    *month = m;
    *day = d;
    *year = y;
}

// The Thursday of the day's week decides: its year is the week's, and its
// place in that year the week's number.
int IsoWeek(JulianDate date, uint32_t *isoYear) {
    const JulianDate thursday(date.DayNumber() - date.DayOfWeek() + 4);
    uint32_t month, day, year;
    thursday.Split(&month, &day, &year);
    uint32_t dayOfYear = day;
    for (uint32_t m = 1; m < month && m <= 12; ++m)
        dayOfYear += kDaysPerMonth[m] + ((m == 2 && IsLeapYear(year)) ? 1 : 0);
    if (isoYear) *isoYear = year;
    return static_cast<int>((dayOfYear - 1) / 7 + 1);
}

void SetTodayForTest(JulianDate date) { g_todayForTest.store(date.DayNumber(), std::memory_order_relaxed); }

}  // namespace qx
