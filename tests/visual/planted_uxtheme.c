/* Planted beside the loading test under the visual-styles library's name: says so when loaded. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance, (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) SetEnvironmentVariableA("QX_PLANTED_UXTHEME", "loaded");
    return TRUE;
}
