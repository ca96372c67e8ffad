// The calendar's date functions. Each reaches the calendar through
// WindowObject::Call and fails for any other window. A change they make is
// told to the parent as the host's (QXCN_SELSET, with QXCS_NOTIFY).
#include "calendar/cal_ctl.h"
#include "calendar/julian_date.h"
#include "qx_cntl.h"

namespace qx {
namespace {

CalCtl *CalOf(WindowObject &object) { return dynamic_cast<CalCtl *>(&object); }

// A date field read by work into data.number[0].
QXBOOL Get(HWND hwnd, int *out, WindowObject::Work work) {
    CallData data;
    if (!out || !WindowObject::Call(hwnd, work, data)) return 0;
    *out = static_cast<int>(data.number[0]);
    return 1;
}

// A limit as one number for CallData (-1: none): a SYSTEMTIME's year is a
// WORD, so year, month and day index fit 32 bits.
long PackLimit(bool has, const CalDate &d) { return has ? (long(d.year) << 9) | (d.month << 5) | d.index : -1; }
CalDate UnpackLimit(long packed) {
    return {static_cast<int>(packed >> 9), static_cast<int>((packed >> 5) & 15), static_cast<int>(packed & 31)};
}

// A limit given by the host: false when it is no date.
bool ReadLimit(const SYSTEMTIME &t, CalDate *date) {
    const int month = t.wMonth - 1;
    *date = {t.wYear, month, t.wDay - 1};
    return CalModel::IsValidDay(date->index, month, t.wYear);
}

void WriteLimit(long packed, SYSTEMTIME *t) {
    *t = {};
    if (packed < 0) return;
    const CalDate date = UnpackLimit(packed);
    t->wYear = static_cast<WORD>(date.year);
    t->wMonth = static_cast<WORD>(date.month + 1);
    t->wDay = static_cast<WORD>(date.index + 1);
    t->wDayOfWeek = static_cast<WORD>(JulianDate(t->wMonth, t->wDay, t->wYear).DayOfWeek() % 7);
}

}  // namespace
}  // namespace qx

using qx::CalCtl;
using qx::CalDate;
using qx::CalOf;
using qx::CalOrigin;
using qx::CallData;
using qx::WindowObject;

extern "C" {

QXBOOL WINAPI QXCalGetYear(HWND hwnd, int *year) {
    return qx::Get(hwnd, year, [](WindowObject &o, CallData &d) {
        if (CalOf(o)) d.number[0] = CalOf(o)->model.year;
        return CalOf(o) != nullptr;
    });
}

QXBOOL WINAPI QXCalGetMonth(HWND hwnd, int *month) {
    return qx::Get(hwnd, month, [](WindowObject &o, CallData &d) {
        if (CalOf(o)) d.number[0] = CalOf(o)->model.month + 1;
        return CalOf(o) != nullptr;
    });
}

QXBOOL WINAPI QXCalGetDay(HWND hwnd, int *day) {
    return qx::Get(hwnd, day, [](WindowObject &o, CallData &d) {
        if (CalOf(o)) d.number[0] = qx::AddWrapping(CalOf(o)->model.selected, 1);
        return CalOf(o) != nullptr;
    });
}

// The setters keep the selected index as it is, also beyond the new month's
// end, and repaint the whole window later. A year or month that leads
// beyond a limit gives the limit; a day beyond one is refused.
QXBOOL WINAPI QXCalSetYear(HWND hwnd, int year) {
    CallData data;
    data.number[0] = year;
    return WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        CalCtl *cal = CalOf(o);
        if (!cal) return false;
        cal->SetYear(static_cast<int>(d.number[0]), false, false);
        cal->Invalidate();
        cal->Settle(CalOrigin::kHost);
        return true;
    }, data);
}

// The month row can only show months 1 to 12: any other month is refused.
QXBOOL WINAPI QXCalSetMonth(HWND hwnd, int month) {
    CallData data;
    data.number[0] = month;
    return month >= 1 && month <= 12 && WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        CalCtl *cal = CalOf(o);
        if (!cal) return false;
        cal->SetMonth(static_cast<int>(d.number[0]) - 1, false, false);
        cal->Invalidate();
        cal->Settle(CalOrigin::kHost);
        return true;
    }, data);
}

QXBOOL WINAPI QXCalSetDay(HWND hwnd, int day) {
    CallData data;
    data.number[0] = day;
    return WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        CalCtl *cal = CalOf(o);
        if (!cal || !cal->SetDay(qx::AddWrapping(static_cast<int>(d.number[0]), -1), false)) return false;
        cal->Invalidate();
        cal->Settle(CalOrigin::kHost);
        return true;
    }, data);
}

// Both limits at once, so that a minimum is never checked against the
// maximum it replaces.
QXBOOL WINAPI QXCalSetRange(HWND hwnd, const SYSTEMTIME *min, const SYSTEMTIME *max) {
    CalDate low, high;
    if ((min && !qx::ReadLimit(*min, &low)) || (max && !qx::ReadLimit(*max, &high))) return 0;
    CallData data;
    data.number[0] = qx::PackLimit(min != nullptr, low);
    data.number[1] = qx::PackLimit(max != nullptr, high);
    return WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        CalCtl *cal = CalOf(o);
        const CalDate first = qx::UnpackLimit(d.number[0]), last = qx::UnpackLimit(d.number[1]);
        if (!cal || !cal->SetRange(d.number[0] < 0 ? nullptr : &first, d.number[1] < 0 ? nullptr : &last))
            return false;
        cal->Settle(CalOrigin::kHost);
        return true;
    }, data);
}

QXBOOL WINAPI QXCalGetRange(HWND hwnd, SYSTEMTIME *min, SYSTEMTIME *max) {
    CallData data;
    if (!WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
            CalCtl *cal = CalOf(o);
            if (!cal) return false;
            d.number[0] = qx::PackLimit(cal->model.hasMin, cal->model.min);
            d.number[1] = qx::PackLimit(cal->model.hasMax, cal->model.max);
            return true;
        }, data))
        return 0;
    if (min) qx::WriteLimit(data.number[0], min);
    if (max) qx::WriteLimit(data.number[1], max);
    return 1;
}

}  // extern "C"
