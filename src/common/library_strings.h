// The texts the controls show or tell screen readers (the QXIDS_* string
// resources of qx_cntl.h): the module that created the window has the
// first word, the library's own string table (src/strings.rc) the second.
#pragma once
#include <windows.h>

#include "common/acc_text.h"

namespace qx {

// The string `id` for a window: from the module whose instance created it,
// where that has the string, else from the module this code is part of (the
// DLL); empty when neither has it.
void LoadControlString(HWND window, UINT id, char *buf, int size);
void LoadControlString(HWND window, UINT id, AccText *out);

}  // namespace qx
