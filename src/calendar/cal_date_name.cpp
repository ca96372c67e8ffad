#include "calendar/cal_date_name.h"

#include <windows.h>

#include <cstring>

#include "calendar/cal_model.h"
#include "calendar/julian_date.h"
#include "common/number_text.h"

namespace qx {

bool SystemFormatsYear(int year) { return year >= 1601 && year <= 30827; }

void CalDateName(int year, int month, int index, AccText *out) {
    const bool day = CalModel::IsValidDay(index, month, year);
    if (day && SystemFormatsYear(year)) {
        SYSTEMTIME date = {};
        date.wYear = static_cast<WORD>(year);
        date.wMonth = static_cast<WORD>(month + 1);
        date.wDay = static_cast<WORD>(index + 1);
        // 1 Monday ... 7 Sunday; the system counts from Sunday 0.
        date.wDayOfWeek = static_cast<WORD>(JulianDate(date.wMonth, date.wDay, date.wYear).DayOfWeek() % 7);
        char text[128];
        if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &date, nullptr, text, sizeof text) > 0) {
            out->Assign(text);
            return;
        }
    }
    // "<month> <day>, <year>" or "<month> <year>".
    char number[24], text[96];
    std::strcpy(text, MonthName(month));
    std::strcat(text, " ");
    if (day) {
        FormatDecimal(index + 1, 1, number, sizeof number);
        std::strcat(text, number);
        std::strcat(text, ", ");
    }
    FormatDecimal(year, 1, number, sizeof number);
    std::strcat(text, number);
    out->Assign(text);
}

void EnglishNames(CalNames *names) {
    for (int m = 0; m < 12; ++m) lstrcpynA(names->months[m], MonthName(m), sizeof names->months[m]);
    for (int d = 0; d < 7; ++d) lstrcpynA(names->weekdays[d], WeekdayName(d), sizeof names->weekdays[d]);
    names->firstDay = 0;
}

// The system counts weekdays from Monday (LOCALE_SABBREVDAYNAME1, and 0 in
// LOCALE_IFIRSTDAYOFWEEK); the calendar from Sunday.
void LocaleNames(CalNames *names) {
    EnglishNames(names);
    char text[80];
    for (int m = 0; m < 12; ++m)
        if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1 + m, text, sizeof text) > 1)
            lstrcpynA(names->months[m], text, sizeof names->months[m]);
    for (int d = 0; d < 7; ++d)
        if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVDAYNAME1 + (d + 6) % 7, text, sizeof text) > 1)
            lstrcpynA(names->weekdays[d], text, sizeof names->weekdays[d]);
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, text, sizeof text) > 1 && text[0] >= '0' &&
        text[0] <= '6')
        names->firstDay = (text[0] - '0' + 1) % 7;
}

}  // namespace qx
