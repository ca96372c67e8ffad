// Dates of the Gregorian calendar as Julian day numbers (1 January 2000 is
// day 2451545). All arithmetic is on unsigned 32-bit integers and never
// traps: out-of-range input gives 0 ("no date") or a meaningless result.
#pragma once
#include <cstdint>

namespace qx {

bool IsLeapYear(uint32_t year);
// 366 for a leap year, else 365.
uint32_t DaysInYear(uint32_t year);
// Month 1-based; the year is taken as it is.
bool IsValidDate(uint32_t month, uint32_t day, uint32_t year);

class JulianDate {
public:
    JulianDate() = default;
    explicit JulianDate(uint32_t dayNumber) : day_(dayNumber) {}
    // Month 1-based. Years up to 99 are read as 1900 + year. An invalid date
    // gives day number 0.
    JulianDate(uint32_t month, uint32_t day, uint32_t year);

    // Today's local date, read from the clock at each call (or the date a
    // test set with SetTodayForTest).
    static JulianDate Today();

    uint32_t DayNumber() const { return day_; }
    bool IsValid() const { return day_ != 0; }
    // 1 Monday, 2 Tuesday ... 6 Saturday, 7 Sunday.
    uint32_t DayOfWeek() const;
    // Month 1-based, day, year in full.
    void Split(uint32_t *month, uint32_t *day, uint32_t *year) const;

private:
    uint32_t day_ = 0;
};

// The ISO 8601 week (1 to 53) of a day: weeks run from Monday, and a week
// belongs to the year that holds its Thursday (week 1 holds the year's
// first Thursday). *isoYear, when given, gets that year.
int IsoWeek(JulianDate date, uint32_t *isoYear = nullptr);

// A seam for tests, which cannot move the clock: Today answers date from
// now on; an invalid date (JulianDate()) gives the clock back. Nothing of
// the library calls it.
void SetTodayForTest(JulianDate date);

}  // namespace qx
