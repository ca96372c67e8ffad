// The calendar's date functions. Each reaches the calendar through
// WindowObject::With and fails for any other window. A change they make is
// told to the parent as the host's (QXCN_SELSET, with QXCS_NOTIFY).
#include "calendar/cal_ctl.h"
#include "calendar/julian_date.h"
#include "qx_cntl.h"

namespace qx {
namespace {

template <class Body>
QXBOOL WithCal(HWND hwnd, Body body) {
    return WindowObject::With<CalCtl>(hwnd, body) ? 1 : 0;
}

QXBOOL Get(HWND hwnd, int *out, int (*read)(const CalModel &)) {
    return out && WithCal(hwnd, [&](CalCtl &cal) {
        *out = read(cal.model);
        return true;
    });
}

// A limit given by the host: false when it is no date.
bool ReadLimit(const SYSTEMTIME &t, CalDate *date) {
    const int month = t.wMonth - 1;
    *date = {t.wYear, month, t.wDay - 1};
    return CalModel::IsValidDay(date->index, month, t.wYear);
}

void WriteLimit(bool has, const CalDate &date, SYSTEMTIME *t) {
    *t = {};
    if (!has) return;
    t->wYear = static_cast<WORD>(date.year);
    t->wMonth = static_cast<WORD>(date.month + 1);
    t->wDay = static_cast<WORD>(date.index + 1);
    t->wDayOfWeek = static_cast<WORD>(JulianDate(t->wMonth, t->wDay, t->wYear).DayOfWeek() % 7);
}

}  // namespace
}  // namespace qx

using qx::CalCtl;
using qx::CalDate;
using qx::CalModel;
using qx::CalOrigin;
using qx::WithCal;

extern "C" {

QXBOOL WINAPI QXCalGetYear(HWND hwnd, int *year) {
    return qx::Get(hwnd, year, [](const CalModel &m) { return m.year; });
}

QXBOOL WINAPI QXCalGetMonth(HWND hwnd, int *month) {
    return qx::Get(hwnd, month, [](const CalModel &m) { return m.month + 1; });
}

QXBOOL WINAPI QXCalGetDay(HWND hwnd, int *day) {
    return qx::Get(hwnd, day, [](const CalModel &m) { return qx::AddWrapping(m.selected, 1); });
}

// The setters keep the selected index as it is, also beyond the new month's
// end, and repaint the whole window later. A year or month that leads
// beyond a limit gives the limit; a day beyond one is refused.
QXBOOL WINAPI QXCalSetYear(HWND hwnd, int year) {
    return WithCal(hwnd, [&](CalCtl &cal) {
        cal.SetYear(year, false, false);
        cal.Invalidate();
        cal.Settle(CalOrigin::kHost);
        return true;
    });
}

// The month row can only show months 1 to 12: any other month is refused.
QXBOOL WINAPI QXCalSetMonth(HWND hwnd, int month) {
    return month >= 1 && month <= 12 && WithCal(hwnd, [&](CalCtl &cal) {
        cal.SetMonth(month - 1, false, false);
        cal.Invalidate();
        cal.Settle(CalOrigin::kHost);
        return true;
    });
}

QXBOOL WINAPI QXCalSetDay(HWND hwnd, int day) {
    return WithCal(hwnd, [&](CalCtl &cal) {
        if (!cal.SetDay(qx::AddWrapping(day, -1), false)) return false;
        cal.Invalidate();
        cal.Settle(CalOrigin::kHost);
        return true;
    });
}

// Both limits at once, so that a minimum is never checked against the
// maximum it replaces.
QXBOOL WINAPI QXCalSetRange(HWND hwnd, const SYSTEMTIME *min, const SYSTEMTIME *max) {
    CalDate low, high;
    if ((min && !qx::ReadLimit(*min, &low)) || (max && !qx::ReadLimit(*max, &high))) return 0;
    return WithCal(hwnd, [&](CalCtl &cal) {
        if (!cal.SetRange(min ? &low : nullptr, max ? &high : nullptr)) return false;
        cal.Settle(CalOrigin::kHost);
        return true;
    });
}

QXBOOL WINAPI QXCalGetRange(HWND hwnd, SYSTEMTIME *min, SYSTEMTIME *max) {
    return WithCal(hwnd, [&](CalCtl &cal) {
        if (min) qx::WriteLimit(cal.model.hasMin, cal.model.min, min);
        if (max) qx::WriteLimit(cal.model.hasMax, cal.model.max, max);
        return true;
    });
}

}  // extern "C"
