#include "common/library_strings.h"

namespace qx {
namespace {

struct Default {
    UINT id;
    const char *text;
};

// The same texts as the string table.
const Default kDefaults[] = {
    {QX_IDS_PRESS, "Press"},
    {QX_IDS_SELECT, "Select"},
    {QX_IDS_SPIN_UP, "Up"},
    {QX_IDS_SPIN_DOWN, "Down"},
    {QX_IDS_PREVIOUS_YEAR, "Previous year"},
    {QX_IDS_NEXT_YEAR, "Next year"},
    {QX_IDS_PREVIOUS_MONTH, "Previous month"},
    {QX_IDS_NEXT_MONTH, "Next month"},
};

// The module whose code this is: the DLL, or the program the library's
// static twin is linked into.
HMODULE OwnModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OwnModule), &module);
    return module;
}

}  // namespace

void LoadLibraryString(UINT id, AccText *out) {
    char text[128];
    if (LoadStringA(OwnModule(), id, text, sizeof text) > 0) {
        out->Assign(text);
        return;
    }
    for (const Default &d : kDefaults)
        if (d.id == id) {
            out->Assign(d.text);
            return;
        }
    out->Clear();
}

}  // namespace qx
