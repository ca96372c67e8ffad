#include "edit/old3d.h"

#include "qx_cntl.h"

namespace {
unsigned char g_old3d = 0;
}

namespace qx {

bool Old3dEnabled() { return g_old3d != 0; }

}  // namespace qx

extern "C" void WINAPI QXEnableOld3d(QXBOOL enable) { g_old3d = enable; }
