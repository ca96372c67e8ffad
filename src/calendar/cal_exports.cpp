// Registration of "QXCalCntl" and the calendar's date functions. Each date
// function reaches the calendar through WindowObject and fails for any other
// window.
#include "calendar/cal_ctl.h"
#include "common/window_class.h"
#include "common/window_object.h"
#include "qx_cntl.h"

namespace qx {
namespace {

WindowClass g_calClass = {kCalClassName, &CalWndProc, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, 0};
// The instance of the last registration: unregistering takes no argument.
HINSTANCE g_calInstance = nullptr;

CalCtl *FindCal(HWND hwnd) { return static_cast<CalCtl *>(WindowObject(hwnd, &CalWndProc)); }

QXBOOL Get(HWND hwnd, int *out, int (*read)(const CalModel &)) {
    CalCtl *cal = FindCal(hwnd);
    if (!cal || !out) return 0;
    *out = read(cal->model);
    return 1;
}

}  // namespace
}  // namespace qx

using qx::CalCtl;
using qx::CalModel;

extern "C" {

QXBOOL WINAPI QXRegisterCalClass(HINSTANCE instance) {
    qx::g_calInstance = instance;
    return qx::RegisterCounted(qx::g_calClass, instance) ? 1 : 0;
}

void WINAPI QXUnregisterCalClass(void) { qx::UnregisterCounted(qx::g_calClass, qx::g_calInstance); }

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
    CalCtl *cal = qx::FindCal(hwnd);
    if (!cal) return 0;
    cal->SetYear(year, false, false);
    InvalidateRect(hwnd, nullptr, TRUE);
    return 1;
}

// The month row can only show months 1 to 12: any other month is refused.
QXBOOL WINAPI QXCalSetMonth(HWND hwnd, int month) {
    CalCtl *cal = qx::FindCal(hwnd);
    if (!cal || month < 1 || month > 12) return 0;
    cal->SetMonth(month - 1, false, false);
    InvalidateRect(hwnd, nullptr, TRUE);
    return 1;
}

QXBOOL WINAPI QXCalSetDay(HWND hwnd, int day) {
    CalCtl *cal = qx::FindCal(hwnd);
    if (!cal) return 0;
    cal->SetDay(qx::AddWrapping(day, -1), false);
    InvalidateRect(hwnd, nullptr, TRUE);
    return 1;
}

}  // extern "C"
