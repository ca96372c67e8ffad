// Registration of a window class with a process-wide count: registering
// succeeds when RegisterClassA does or the class is already counted, and adds
// one; unregistering takes one away (not below 0) and removes the class when
// the count is then 0. The class procedure becomes one of the library's
// (see WindowObject::AddClassProc). Any thread may register and unregister:
// the calls run one at a time.
#pragma once
#include <windows.h>

namespace qx {

struct WindowClass {
    const char *name;
    WNDPROC proc;
    UINT style;
    int count;
};

bool RegisterCounted(WindowClass &cls, HINSTANCE instance);
void UnregisterCounted(WindowClass &cls, HINSTANCE instance);

}  // namespace qx
