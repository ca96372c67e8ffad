// How the typed edits' exports reach their object: the window must be a live
// edit-family window of this process whose object is a T, else the export
// fails. The window's host is kept alive for the call, so a parent that
// destroys the control from a notification the call sends does not pull the
// object away under it.
#pragma once
#include <windows.h>

#include "edit/edit_proc.h"
#include "qx_cntl.h"

namespace qx {

template <class T, class Body>
QXBOOL WithEdit(HWND hwnd, Body body) {
    EditHost *host = EditHostOf(hwnd);
    T *edit = host && host->edit ? dynamic_cast<T *>(host->edit.get()) : nullptr;
    if (!edit) return 0;
    HostCall call(host);
    return body(*edit) ? 1 : 0;
}

}  // namespace qx
