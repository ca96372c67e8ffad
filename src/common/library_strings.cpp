#include "common/library_strings.h"

namespace qx {
namespace {

// The module this code is in: the DLL (or a program linking it statically).
HMODULE LibraryModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&LibraryModule), &module);
    return module;
}

}  // namespace

void LoadControlString(HWND window, UINT id, char *buf, int size) {
    const HINSTANCE creator = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    if (creator && LoadStringA(creator, id, buf, size) > 0) return;
    if (LoadStringA(LibraryModule(), id, buf, size) > 0) return;
    buf[0] = '\0';
}

void LoadControlString(HWND window, UINT id, AccText *out) {
    char text[128];
    LoadControlString(window, id, text, sizeof text);
    out->Assign(text);
}

}  // namespace qx
