/* A 32-bit host written in C that calls every calendar export, so that
 * linking it against the import library proves the declarations match. */
#include <qx_cntl.h>

int main(void) {
    HINSTANCE inst = GetModuleHandleA(NULL);
    HWND cal;
    int year = 0, month = 0, day = 0;
    SYSTEMTIME low = {2008, 1, 0, 1, 0, 0, 0, 0}, high = {1, 1, 1, 1, 1, 1, 1, 1};
    if (!QXRegisterCalClass(inst)) return 1;
    cal = CreateWindowExA(0, "QXCalCntl", "", WS_POPUP, 0, 0, 200, 150, NULL, NULL, inst, NULL);
    QXCalSetYear(cal, 2008);
    QXCalSetMonth(cal, 2);
    QXCalSetDay(cal, 29);
    QXCalSetRange(cal, &low, NULL);
    QXCalGetRange(cal, NULL, &high);
    QXCalGetYear(cal, &year);
    QXCalGetMonth(cal, &month);
    QXCalGetDay(cal, &day);
    DestroyWindow(cal);
    QXUnregisterCalClass();
    return year == 2008 && month == 2 && day == 29 && high.wYear == 0 ? 0 : 1;
}
