// Libraries of the system that the controls use without importing them.
#pragma once
#include <windows.h>

namespace qx {

// Loads a library of the system folder by its full path, never one found
// first in the host's folder or the current one; its own dependencies are
// looked for beside it first. Null when it cannot be loaded. Never to be
// called while the loader lock is held (from DllMain or a static object's
// construction or destruction in the library).
HMODULE LoadSystemLibrary(const char *name);

// The entry point `name` of module as a function pointer of type Fn; null
// when module is null or has no such entry.
template <typename Fn>
Fn FindEntry(HMODULE module, const char *name) {
    FARPROC proc = module ? GetProcAddress(module, name) : nullptr;
    // void (*)() converts to and from every function pointer type.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace qx
