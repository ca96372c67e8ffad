/* A 32-bit C host of the registration exports: linking it against the import
 * library proves their calling conventions and argument sizes. */
#include <qx_cntl.h>

int main(void) {
    HINSTANCE inst = GetModuleHandleA(NULL);
    QXBOOL ok = RegisterQXCtls(inst);
    ok &= QXRegisterEditClass(inst) & QXRegisterIntClass(inst) & QXRegisterFloatClass(inst) &
          QXRegisterPictClass(inst) & QXRegisterTimeClass(inst);
    QXUnregisterEditClass(inst);
    QXUnregisterIntClass(inst);
    QXUnregisterFloatClass(inst);
    QXUnregisterPictClass(inst);
    QXUnregisterTimeClass(inst);
    UnregisterQXCtls(inst);
    return ok ? 0 : 1;
}
