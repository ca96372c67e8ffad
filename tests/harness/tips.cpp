// The edits' tips and beeps as a test sees them.
#include <cstring>

#include "harness.h"

namespace qxt {
namespace {

BOOL CALLBACK AddTip(HWND w, LPARAM list) {
    char cls[32] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (!lstrcmpiA(cls, "tooltips_class32")) reinterpret_cast<std::vector<HWND> *>(list)->push_back(w);
    return TRUE;
}

std::vector<HWND> Tips() {
    std::vector<HWND> tips;
    EnumThreadWindows(GetCurrentThreadId(), AddTip, reinterpret_cast<LPARAM>(&tips));
    return tips;
}

int g_beeps;
BOOL WINAPI CountBeep(UINT) { return ++g_beeps, TRUE; }

// The import address slot of `name` from `dll` in module; null when it has none.
void **ImportSlot(HMODULE module, const char *dll, const char *name) {
    auto *base = reinterpret_cast<BYTE *>(module);
    const auto *nt = reinterpret_cast<IMAGE_NT_HEADERS *>(base + reinterpret_cast<IMAGE_DOS_HEADER *>(base)->e_lfanew);
    const DWORD at = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto *d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + at); at && d->Name; ++d) {
        if (lstrcmpiA(reinterpret_cast<char *>(base + d->Name), dll)) continue;
        auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + d->OriginalFirstThunk);
        auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto *byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (!std::strcmp(reinterpret_cast<const char *>(byName->Name), name))
                return reinterpret_cast<void **>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void Store(void **slot, void *value) {
    DWORD old;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

}  // namespace

int TipWindows() { return static_cast<int>(Tips().size()); }

HWND ShownTip() {
    for (HWND w : Tips())
        if (IsWindowVisible(w)) return w;
    return nullptr;
}

std::string WindowText(HWND hwnd) {
    char text[256] = "";
    if (hwnd) GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

BeepCounter::BeepCounter(HMODULE module) : slot_(ImportSlot(module, "user32.dll", "MessageBeep")), real_(nullptr) {
    EXPECT_NE(slot_, nullptr) << "no import of MessageBeep";
    g_beeps = 0;
    if (!slot_) return;
    real_ = *slot_;
    Store(slot_, reinterpret_cast<void *>(CountBeep));
}

BeepCounter::~BeepCounter() {
    if (slot_) Store(slot_, real_);
}

int BeepCounter::Beeps() const { return g_beeps; }

}  // namespace qxt
