/* Calls that must come back with the caller's stack intact; the exit status has a bit for each failed check. */
#include <qx_cntl.h>
#include <qx_util.h>

extern char __ImageBase;
int every_export_taken(void);
#ifdef QX_TEST_MSVC_WINDOWS_H
int _fltused = 0;
__declspec(dllimport) HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR cls, LPCSTR text, DWORD style,
    int x, int y, int w, int h, HWND parent, void *menu, HINSTANCE instance, void *param);
__declspec(dllimport) BOOL WINAPI DestroyWindow(HWND hwnd);
#endif

static HWND make_float(HINSTANCE inst) {
    return CreateWindowExA(0, "QXFloat", "", 0x80000000UL /* WS_POPUP */, 0, 0, 120, 24, 0, 0, inst, 0);
}

int main(void) {
    HINSTANCE inst = (HINSTANCE)&__ImageBase;
    HWND w;
    double value = 0.0;
    char out[16];
    int failed = every_export_taken() ? 0 : 1;
    if (!RegisterQXCtls(inst)) failed |= 2;
    w = make_float(inst);
    if (!w) failed |= 4;
    if (!QXFloatSetRange(w, -1.0, 2.25) || !QXFloatSetValue(w, 2.25) || !QXFloatGetValue(w, &value) ||
        value != 2.25 || QXFloatSetValue(w, 2.5))
        failed |= 8;
    DestroyWindow(w);
    UnregisterQXCtls(inst);
    if ((w = make_float(inst)) != 0) failed |= 16, DestroyWindow(w);
    if (!QXPicFormatText("UU-99", "ab12", out, (int)sizeof out) || out[0] != 'A' || out[4] != '2') failed |= 32;
    if (CreateDisabledIcon24((HICON)0, 16, 16)) failed |= 64;
    return failed;
}
