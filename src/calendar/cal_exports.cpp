// The calendar's date functions. Each reaches the calendar through
// WindowObject::With and fails for any other window.
#include "calendar/cal_ctl.h"
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

}  // namespace
}  // namespace qx

using qx::CalCtl;
using qx::CalModel;
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
// end, and repaint the whole window later.
QXBOOL WINAPI QXCalSetYear(HWND hwnd, int year) {
    return WithCal(hwnd, [&](CalCtl &cal) {
        cal.SetYear(year, false, false);
        cal.Invalidate();
        return true;
    });
}

// The month row can only show months 1 to 12: any other month is refused.
QXBOOL WINAPI QXCalSetMonth(HWND hwnd, int month) {
    return month >= 1 && month <= 12 && WithCal(hwnd, [&](CalCtl &cal) {
        cal.SetMonth(month - 1, false, false);
        cal.Invalidate();
        return true;
    });
}

QXBOOL WINAPI QXCalSetDay(HWND hwnd, int day) {
    return WithCal(hwnd, [&](CalCtl &cal) {
        cal.SetDay(qx::AddWrapping(day, -1), false);
        cal.Invalidate();
        return true;
    });
}

}  // extern "C"
