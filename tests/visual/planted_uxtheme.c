/* A stand-in planted beside the visual-styles loading test under the system
   library's name. It never draws anything; when it is loaded it says so in
   the process's environment. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) SetEnvironmentVariableA("QX_PLANTED_UXTHEME", "loaded");
    return TRUE;
}

__declspec(dllexport) HANDLE WINAPI OpenThemeData(HWND hwnd, LPCWSTR classList) {
    (void)hwnd;
    (void)classList;
    return NULL;
}

__declspec(dllexport) HRESULT WINAPI CloseThemeData(HANDLE theme) {
    (void)theme;
    return E_FAIL;
}

__declspec(dllexport) HRESULT WINAPI DrawThemeBackground(HANDLE theme, HDC dc, int part, int state,
                                                         const RECT *rect, const RECT *clip) {
    (void)theme, (void)dc, (void)part, (void)state, (void)rect, (void)clip;
    return E_FAIL;
}
