#include "common/window_object.h"

namespace qx {

void *WindowObject(HWND hwnd, const WNDPROC *procs, int count) {
    if (!hwnd || !IsWindow(hwnd)) return nullptr;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != GetCurrentProcessId()) return nullptr;
    // The class procedure, not the window's: a host may subclass our windows.
    const WNDPROC classProc = reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd, GCLP_WNDPROC));
    bool ours = false;
    for (int i = 0; i < count && !ours; ++i) ours = classProc == procs[i];
    if (!ours) return nullptr;
    if (GetClassLongPtrA(hwnd, GCL_CBWNDEXTRA) < kWindowExtraBytes) return nullptr;
    return SlotObject(hwnd);
}

}  // namespace qx
