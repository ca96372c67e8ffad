// The calendar's date functions. Each reaches the calendar through
// WindowObject::Call and fails for any other window.
#include "calendar/cal_ctl.h"
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

}  // namespace
}  // namespace qx

using qx::CalOf;
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
// end, and repaint the whole window later.
QXBOOL WINAPI QXCalSetYear(HWND hwnd, int year) {
    CallData data;
    data.number[0] = year;
    return WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        qx::CalCtl *cal = CalOf(o);
        if (!cal) return false;
        cal->SetYear(static_cast<int>(d.number[0]), false, false);
        cal->Invalidate();
        return true;
    }, data);
}

// The month row can only show months 1 to 12: any other month is refused.
QXBOOL WINAPI QXCalSetMonth(HWND hwnd, int month) {
    CallData data;
    data.number[0] = month;
    return month >= 1 && month <= 12 && WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        qx::CalCtl *cal = CalOf(o);
        if (!cal) return false;
        cal->SetMonth(static_cast<int>(d.number[0]) - 1, false, false);
        cal->Invalidate();
        return true;
    }, data);
}

QXBOOL WINAPI QXCalSetDay(HWND hwnd, int day) {
    CallData data;
    data.number[0] = day;
    return WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        qx::CalCtl *cal = CalOf(o);
        if (!cal) return false;
        cal->SetDay(qx::AddWrapping(static_cast<int>(d.number[0]), -1), false);
        cal->Invalidate();
        return true;
    }, data);
}

}  // extern "C"
