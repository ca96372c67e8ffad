// Interface only: the spin's geometry, drawing, mouse handling and
// auto-repeat are not written yet. Nothing here hits, draws or steps.
#include "visual/spin_ctl.h"

namespace qx {

SpinBase::SpinBase(HWND, int, int, int, int, unsigned) {}
SpinBase::~SpinBase() = default;
void SpinBase::Layout(int, int, int, int) {}
void SpinBase::Paint(HDC) {}
bool SpinBase::MouseDown(int, int) { return false; }
bool SpinBase::MouseUp(int, int) { return false; }
void SpinBase::MouseMove(int, int) {}
void SpinBase::MouseLeave(int, int) {}
void SpinBase::Wheel(int) {}
void SpinBase::CaptureLost() {}

}  // namespace qx
