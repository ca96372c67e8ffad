// The object of a window of this library lives in extra window slot 0.
// Exports reach it only through WindowObject, which first makes sure the
// window is one of ours of the expected kind, so a stray handle (null, not a
// window, another process's window, another class, a dialog whose slot 0
// holds something else) never has its slot 0 read as an object.
#pragma once
#include <windows.h>

namespace qx {

// Extra bytes every class of the library asks for: slot 0, pointer-sized.
constexpr int kWindowExtraBytes = sizeof(LONG_PTR);

// Slot 0 of a window that is a live window of this process whose class
// procedure is one of `procs`; null otherwise.
void *WindowObject(HWND hwnd, const WNDPROC *procs, int count);
inline void *WindowObject(HWND hwnd, WNDPROC proc) { return WindowObject(hwnd, &proc, 1); }

// Raw slot 0, for a window procedure on its own window.
inline void *SlotObject(HWND hwnd) { return reinterpret_cast<void *>(GetWindowLongPtrA(hwnd, 0)); }
inline void SetSlotObject(HWND hwnd, void *object) {
    SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(object));
}

}  // namespace qx
