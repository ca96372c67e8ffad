// The window procedure of the edit family, and the exports' way to an edit
// window's object.
#pragma once
#include <windows.h>

#include "common/window_object.h"
#include "edit/edit_host.h"

namespace qx {

LRESULT CALLBACK EditWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// The host of a live edit-family window of this process; null for anything
// else (see WindowObject).
inline EditHost *EditHostOf(HWND hwnd) {
    return static_cast<EditHost *>(WindowObject(hwnd, &EditWindowProc));
}

// The typed edit object of an edit-family window when it is a T; null for
// any other window, and for an edit window whose object is of another kind.
template <class T>
T *EditObject(HWND hwnd) {
    EditHost *host = EditHostOf(hwnd);
    return host && host->edit ? dynamic_cast<T *>(host->edit.get()) : nullptr;
}

// How the exports reach an edit: body(edit) runs when the window is a live
// edit-family window of this process whose object is a T; otherwise the
// result is 0. The host is kept alive for the call, so a parent that destroys
// the control from a notification the call sends does not pull the object
// away under it.
template <class T, class Body>
unsigned char WithEdit(HWND hwnd, Body body) {
    EditHost *host = EditHostOf(hwnd);
    T *edit = host && host->edit ? dynamic_cast<T *>(host->edit.get()) : nullptr;
    if (!edit) return 0;
    HostCall call(host);
    return body(*edit) ? 1 : 0;
}

}  // namespace qx
