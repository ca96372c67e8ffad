// Import slots of a loaded module, pointed elsewhere: how the demo and the
// gallery answer the library's questions to the system that Wine cannot
// (high contrast, a fixed day), and how the tests hear its beeps.
#pragma once
#include <windows.h>

namespace demo {

// Points `module`'s import of `name` from `dll` (as the module names it,
// e.g. "user32.dll") at `fn`: what the slot held until now, or null when the
// module does not import it by name. Called again with that, it puts it back.
FARPROC RedirectImport(HMODULE module, const char *dll, const char *name, FARPROC fn);

}  // namespace demo
