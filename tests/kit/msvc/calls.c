/* The calls of the MSVC-style host: each must reach the DLL and come back
 * with the caller's stack intact (a standard-call argument size the DLL
 * disagrees with would not). No C runtime and no system import library is at
 * hand, so the program's own instance is the linker's __ImageBase, and the
 * registration is proven by its effect: a second registration of the same
 * classes fails until they are unregistered. The exit status has one bit for
 * each check that failed. */
#include <qx_cntl.h>
#include <qx_util.h>

extern char __ImageBase;
int every_export_taken(void);

static int same(const char *a, const char *b) {
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}

int main(void) {
    HINSTANCE inst = (HINSTANCE)&__ImageBase;
    char out[16];
    int failed = 0;
    if (!every_export_taken()) failed |= 1;
    if (!RegisterQXCtls(inst)) failed |= 2;
    if (RegisterQXCtls(inst)) failed |= 4;
    UnregisterQXCtls(inst);
    if (!RegisterQXCtls(inst)) failed |= 8;
    UnregisterQXCtls(inst);
    if (!QXPicFormatText("UU-99", "ab12", out, (int)sizeof out) || !same(out, "AB-12")) failed |= 16;
    if (!QXTime_IsTimeMask("99:99") || QXTime_IsTimeMask("99-99")) failed |= 32;
    if (QXIntSetValue((HWND)0, 5) || QXFloatSetRange((HWND)0, -1.0, 1.0)) failed |= 64;
    if (CreateDisabledIcon24((HICON)0, 16, 16)) failed |= 128;
    return failed;
}
