// Registration of every class of the library, in a fixed order.
#include "qx_cntl.h"

namespace {

using RegisterFn = QXBOOL(WINAPI *)(HINSTANCE);

// The order in which RegisterQXCtls registers the classes: the edit family,
// then the calendar, the bitmap button and the month/year button.
const RegisterFn kRegisterOrder[] = {
    &QXRegisterEditClass,   &QXRegisterIntClass,    &QXRegisterFloatClass,
    &QXRegisterPictClass,   &QXRegisterTimeClass,   &QXRegisterCalClass,
    &QXRegisterBmpBtnClass, &QXRegisterMonthYearButtonXPClass,
};

}  // namespace

// Stops at the first class that cannot be registered; the classes registered
// before it stay registered.
extern "C" QXBOOL __cdecl RegisterQXCtls(HINSTANCE instance) {
    for (RegisterFn reg : kRegisterOrder)
        if (!reg(instance)) return 0;
    return 1;
}

// Its own order, not the reverse of the registration: the calendar's
// unregistration (which takes no instance) comes between the integer and the
// plain edit classes, the two button classes come last.
extern "C" void __cdecl UnregisterQXCtls(HINSTANCE instance) {
    QXUnregisterPictClass(instance);
    QXUnregisterFloatClass(instance);
    QXUnregisterIntClass(instance);
    QXUnregisterCalClass();
    QXUnregisterEditClass(instance);
    QXUnregisterTimeClass(instance);
    QXUnregisterBmpBtnClass(instance);
    QXUnregisterMonthYearButtonXPClass(instance);
}
