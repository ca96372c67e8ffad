// Entry point of the control library. Loading does nothing beyond the static
// initialisation below, which builds the visual-styles access object: it
// reads the system's version and loads nothing (the visual-styles library is
// loaded by the first call that needs it, outside the loader lock, and never
// freed).
#include <windows.h>

#include "visual/theme_api.h"

namespace {
qx::ThemeApi g_themes;
}

namespace qx {
ThemeApi &Themes() { return g_themes; }
}  // namespace qx

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
