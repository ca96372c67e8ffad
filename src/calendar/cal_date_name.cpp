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

}  // namespace qx
