#include "common/window_class.h"

#include "common/lock.h"

#include "common/window_object.h"

namespace qx {
namespace {

// Registrations and unregistrations run one at a time: threads that register
// at once must not both find the count at 0, nor one count a class that
// another is removing.
Lock g_registering;

}  // namespace

bool RegisterCounted(WindowClass &cls, HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.style = cls.style;
    wc.lpfnWndProc = cls.proc;
    wc.cbWndExtra = kWindowExtraBytes;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = cls.name;
    WindowObject::AddClassProc(cls.proc);
    Locked lock(g_registering);
    const bool registered = RegisterClassA(&wc) != 0;
    if (!registered && cls.count == 0) return false;
    ++cls.count;
    return true;
}

void UnregisterCounted(WindowClass &cls, HINSTANCE instance) {
    Locked lock(g_registering);
    if (cls.count > 0) --cls.count;
    if (cls.count == 0) UnregisterClassA(cls.name, instance);
}

}  // namespace qx
