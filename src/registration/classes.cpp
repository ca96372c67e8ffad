// The window classes of the library: their records, their window procedures
// (each one call of the common dispatcher with the class's factory) and
// their registration, each class with its own count.
#include <new>

#include "button/bmp_btn.h"
#include "button/month_year_btn.h"
#include "calendar/cal_ctl.h"
#include "common/window_class.h"
#include "common/window_object.h"
#include "qx_cntl.h"
#include "registration/edit_factory.h"

namespace qx {
namespace {

// The edit family: one procedure for the five classes; the typed object is
// chosen by the class name.
WindowObject *MakeEditHost(HWND hwnd, const CREATESTRUCTA &) {
    return new (std::nothrow) EditHost(hwnd, &MakeEditObject);
}

LRESULT CALLBACK EditWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return WindowObject::Dispatch(hwnd, msg, wp, lp, &MakeEditHost);
}

LRESULT CALLBACK CalWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return WindowObject::Dispatch(hwnd, msg, wp, lp, &CalCtl::Make);
}

LRESULT CALLBACK BmpBtnWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return WindowObject::Dispatch(hwnd, msg, wp, lp, &BmpBtn::Make);
}

LRESULT CALLBACK MonthYearBtnWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return WindowObject::Dispatch(hwnd, msg, wp, lp, &MonthYearBtn::Make);
}

constexpr UINT kRedraw = CS_HREDRAW | CS_VREDRAW;

WindowClass g_edit = {"QXEdit", &EditWindowProc, kRedraw, 0};
WindowClass g_int = {"QXInteger", &EditWindowProc, kRedraw, 0};
WindowClass g_float = {"QXFloat", &EditWindowProc, kRedraw, 0};
WindowClass g_pict = {"QXPicture", &EditWindowProc, kRedraw, 0};
WindowClass g_time = {"QXTime", &EditWindowProc, kRedraw, 0};
WindowClass g_cal = {kCalClassName, &CalWindowProc, kRedraw | CS_DBLCLKS, 0};
WindowClass g_bmpBtn = {"QXBmpButton", &BmpBtnWindowProc, kRedraw, 0};
WindowClass g_monthYear = {kCalThemedButtonClass, &MonthYearBtnWindowProc, kRedraw, 0};

// The instance of the calendar's last registration: its unregistration takes
// no argument.
HINSTANCE g_calInstance = nullptr;

}  // namespace
}  // namespace qx

using qx::RegisterCounted;
using qx::UnregisterCounted;

extern "C" {

QXBOOL WINAPI QXRegisterEditClass(HINSTANCE instance) { return RegisterCounted(qx::g_edit, instance); }
QXBOOL WINAPI QXRegisterIntClass(HINSTANCE instance) { return RegisterCounted(qx::g_int, instance); }
QXBOOL WINAPI QXRegisterFloatClass(HINSTANCE instance) { return RegisterCounted(qx::g_float, instance); }
QXBOOL WINAPI QXRegisterPictClass(HINSTANCE instance) { return RegisterCounted(qx::g_pict, instance); }
QXBOOL WINAPI QXRegisterTimeClass(HINSTANCE instance) { return RegisterCounted(qx::g_time, instance); }

void WINAPI QXUnregisterEditClass(HINSTANCE instance) { UnregisterCounted(qx::g_edit, instance); }
void WINAPI QXUnregisterIntClass(HINSTANCE instance) { UnregisterCounted(qx::g_int, instance); }
void WINAPI QXUnregisterFloatClass(HINSTANCE instance) { UnregisterCounted(qx::g_float, instance); }
void WINAPI QXUnregisterPictClass(HINSTANCE instance) { UnregisterCounted(qx::g_pict, instance); }
void WINAPI QXUnregisterTimeClass(HINSTANCE instance) { UnregisterCounted(qx::g_time, instance); }

QXBOOL WINAPI QXRegisterCalClass(HINSTANCE instance) {
    qx::g_calInstance = instance;
    return RegisterCounted(qx::g_cal, instance);
}

void WINAPI QXUnregisterCalClass(void) { UnregisterCounted(qx::g_cal, qx::g_calInstance); }

QXBOOL WINAPI QXRegisterBmpBtnClass(HINSTANCE instance) { return RegisterCounted(qx::g_bmpBtn, instance); }
void WINAPI QXUnregisterBmpBtnClass(HINSTANCE instance) { UnregisterCounted(qx::g_bmpBtn, instance); }

QXBOOL WINAPI QXRegisterMonthYearButtonXPClass(HINSTANCE instance) {
    return RegisterCounted(qx::g_monthYear, instance);
}

void WINAPI QXUnregisterMonthYearButtonXPClass(HINSTANCE instance) {
    UnregisterCounted(qx::g_monthYear, instance);
}

}  // extern "C"
