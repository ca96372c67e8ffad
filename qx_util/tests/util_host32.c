// A 32-bit C host of the greying library: linking it against the import
// library proves that the header's cdecl declarations match the DLL.
#include <qx_util.h>

int main(void) {
    return CreateDisabledIcon24(NULL, 0, 0) || CreateDisabledImage24(NULL, 0xC0C0C0, 0, 0, NULL, NULL, NULL);
}
