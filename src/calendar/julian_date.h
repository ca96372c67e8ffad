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

    // Today's local date.
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

}  // namespace qx
