// Entry point of the control library. Loading needs nothing beyond the static
// initialisation below, which builds the visual-styles access object.
#include <windows.h>

#include "visual/theme_api.h"

namespace {
qx::ThemeApi g_themes;
}

namespace qx {
ThemeApi &Themes() { return g_themes; }
}  // namespace qx

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
