#include "visual/spin_ctl.h"

#include "edit/edit_host.h"

namespace qx {

SpinCtl::SpinCtl(EditHost *owner_, HWND hwnd, int left, int top, int width, int height,
                 unsigned edges)
    : SpinBase(hwnd, left, top, width, height, edges), owner(owner_) {}

bool SpinCtl::StepUp() { return owner->StepUp(); }

bool SpinCtl::StepDown() { return owner->StepDown(); }

}  // namespace qx
