/* A 32-bit host written in C calling the integer and floating-point edits'
 * exports, so that linking it against the import library proves each
 * declaration's calling convention and argument size match the DLL. Without
 * a window every call fails; the program only has to link and run. */
#include <qx_cntl.h>

int main(void) {
    HWND none = NULL;
    long value = 0, low = 0, high = 0;
    double real = 0.0;
    char mask[8];
    int failures = 0;
    failures += QXIntSetValue(none, 5L) == 0;
    failures += QXIntGetValue(none, &value) == 0;
    failures += QXIntSetRange(none, -5L, 5L) == 0;
    failures += QXIntGetRange(none, &low, &high) == 0;
    failures += QXIntSetMask(none, "999") == 0;
    failures += QXIntGetMask(none, mask, (int)sizeof mask) == 0;
    failures += QXFloatSetValue(none, 2.5) == 0;
    failures += QXFloatGetValue(none, &real) == 0;
    failures += QXFloatSetRange(none, -1.0, 1.0) == 0;
    failures += QXFloatSetFormat(none, "x.,") == 0;
    failures += QXFloatSetMask(none, "99.99") == 0;
    failures += QXFloatSetLocaleFormat(none) == 0;
    return failures == 12 ? 0 : 1;
}
