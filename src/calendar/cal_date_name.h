// The words a screen reader says for a date of the calendar: the user's long
// date format where the system can write the date, the calendar's own words
// where it cannot. And the names the calendar shows. No window needed.
#pragma once

#include "common/acc_text.h"

namespace qx {

// Years the system's date functions take (1601 to 30827).
bool SystemFormatsYear(int year);

// The date of day index `index` (0-based) of the 0-based month of a year:
// - a day of that month in a year the system takes: the user's long date
//   (GetDateFormatA with DATE_LONGDATE, e.g. "Monday, June 3, 2024");
// - a day of it in any other year: the month's name as the calendar shows
//   it, the day and the year ("March 15, 1066", "March 15, -5");
// - an index that is no day of the month (nothing is selected): the month's
//   name and the year ("February 2024").
void CalDateName(int year, int month, int index, AccText *out);

// The names a calendar shows: its months, its abbreviated weekdays (Sunday
// 0), and the weekday of its first column. Bytes of the ANSI code page.
struct CalNames {
    char months[12][80];
    char weekdays[7][80];
    int firstDay;
};
// The calendar's own: English, Sunday first.
void EnglishNames(CalNames *names);
// The user's locale's (LOCALE_SMONTHNAME1..12, LOCALE_SABBREVDAYNAME1..7,
// LOCALE_IFIRSTDAYOFWEEK); what the system cannot give stays English.
void LocaleNames(CalNames *names);

}  // namespace qx
