/* A 32-bit host written in C: includes the public header and calls every
 * export, so linking it against the import library proves that each
 * declaration's calling convention and argument size match the DLL. */
#include <qx_cntl.h>

int main(void) {
    char buf[64];
    HINSTANCE inst = GetModuleHandleA(NULL);
    QXEnableOld3d(0);
    (void)inst;
    if (!QXPicFormatText("99", "12", buf, (int)sizeof buf)) return 1;
    return (int)GetPictCtlWidth("99", NULL, 0) > 0 ? 0 : 1;
}
