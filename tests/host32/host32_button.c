/* A 32-bit C host of the button exports: linking it against the import
 * library proves that each declaration matches the DLL. */
#include <qx_cntl.h>

int main(void) {
    HINSTANCE inst = GetModuleHandleA(NULL);
    int failures = 0;
    if (!QXRegisterBmpBtnClass(inst)) ++failures;
    if (!QXRegisterMonthYearButtonXPClass(inst)) ++failures;
    /* No window: both picture functions refuse. */
    if (QXBtn_SetIcon(NULL, NULL)) ++failures;
    if (QXBtn_SetBitmap(NULL, NULL)) ++failures;
    QXUnregisterMonthYearButtonXPClass(inst);
    QXUnregisterBmpBtnClass(inst);
    return failures;
}
