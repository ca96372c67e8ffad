#include "edit/old3d.h"

#include <atomic>

#include "qx_cntl.h"

namespace {
// Set by any thread, read by every UI thread as it lays out and paints.
std::atomic<unsigned char> g_old3d{0};
}  // namespace

namespace qx {

bool Old3dEnabled() { return g_old3d.load(std::memory_order_relaxed) != 0; }

}  // namespace qx

extern "C" void WINAPI QXEnableOld3d(QXBOOL enable) { g_old3d.store(enable, std::memory_order_relaxed); }
