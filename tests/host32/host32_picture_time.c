/* A 32-bit host written in C that calls the picture and time edit exports,
 * so that linking it against the import library proves their declarations
 * (calling convention, argument sizes) match the DLL. No window is made: each
 * call fails on the null window. */
#include <qx_cntl.h>

int main(void) {
    char buf[16];
    BOOL flag = FALSE;
    QXBOOL empty = 0;
    WORD hour = 0, minute = 0;
    int failures = 0;
    failures += QXPicSetMask(NULL, "99");
    failures += QXPicSetValue(NULL, "12");
    failures += QXPicGetValue(NULL, buf, (int)sizeof buf);
    failures += QXPicHideEmptyValues(NULL, 1);
    failures += QXTime_Clear(NULL);
    failures += QXTime_Is24Hour(NULL, &flag);
    failures += QXTime_SetMask(NULL, "99:99");
    failures += QXTime_HasEmptyTime(NULL, &empty);
    failures += QXTime_HasValidTime(NULL, &flag);
    failures += QXTime_GetTime(NULL, &hour, &minute);
    failures += QXTime_SetTime(NULL, 7, 5);
    if (!QXTime_IsTimeMask("99:99 am")) return 1;
    return failures;
}
