#include "imports.h"

#include <cstring>

namespace demo {

FARPROC RedirectImport(HMODULE module, const char *dll, const char *name, FARPROC fn) {
    auto *base = reinterpret_cast<BYTE *>(module);
    if (!base) return nullptr;
    const auto *nt = reinterpret_cast<IMAGE_NT_HEADERS *>(base + reinterpret_cast<IMAGE_DOS_HEADER *>(base)->e_lfanew);
    const DWORD at = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto *d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + at); at && d->Name; ++d) {
        if (lstrcmpiA(reinterpret_cast<char *>(base + d->Name), dll)) continue;
        auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + d->OriginalFirstThunk);
        auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto *byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char *>(byName->Name), name)) continue;
            auto *slot = reinterpret_cast<FARPROC *>(&slots->u1.Function);
            DWORD old;
            if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return nullptr;
            const FARPROC was = *slot;
            *slot = fn;
            VirtualProtect(slot, sizeof *slot, old, &old);
            return was;
        }
    }
    return nullptr;
}

}  // namespace demo
