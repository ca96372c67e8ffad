// The words a screen reader says for a date of the calendar: the user's long
// date format where the system can write the date, the calendar's own words
// where it cannot. No window needed.
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

}  // namespace qx
