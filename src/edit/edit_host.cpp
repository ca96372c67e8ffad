#include "edit/edit_host.h"

#include <new>

#include "common/os_version.h"
#include "common/window_object.h"
#include "edit/edit_factory.h"
#include "edit/old3d.h"
#include "qx_cntl.h"

namespace qx {
namespace {

// The class name to choose the typed object by; a class given as an atom is
// read back from the window.
const char *ClassNameOf(HWND hwnd, const CREATESTRUCTA &cs, char *buf, int size) {
    if (cs.lpszClass && !IS_INTRESOURCE(cs.lpszClass)) return cs.lpszClass;
    buf[0] = '\0';
    GetClassNameA(hwnd, buf, size);
    return buf;
}

// The spin, the typed edit and their settings from the creation record.
// False when an allocation fails.
bool BuildParts(EditHost &host, const CREATESTRUCTA &cs) {
    const HWND hwnd = host.hwnd;
    const DWORD style = static_cast<DWORD>(cs.style);
    int editWidth = cs.cx;
    if (style & QXES_SPIN) {
        host.hasSpin = true;
        const int w = static_cast<int>((2LL * cs.cy) / 3);  // no overflow for any height
        editWidth = cs.cx - w;
        unsigned edges = kSpinEdgeLeft;
        if (host.osMajor >= 4 || Old3dEnabled()) edges |= kSpinEdgeRight | kSpinEdgeBottom;
        host.spin.reset(new (std::nothrow) SpinCtl(&host, hwnd, editWidth, cs.y, w, cs.cy, edges));
        if (!host.spin) return false;
    }

    char name[256];
    const EditKind kind = EditKindOf(ClassNameOf(hwnd, cs, name, sizeof name));
    if (kind == EditKind::kNone) return true;
    host.edit = MakeEditObject(kind, hwnd, cs.x, cs.y, editWidth, cs.cy);
    if (!host.edit) return false;
    if (style & QXES_RIGHT) host.edit->SetRightAlign(true);
    if (style & QXES_WRAP) host.edit->SetWrap(true);
    if (cs.lpszName && !IS_INTRESOURCE(cs.lpszName) && cs.lpszName[0]) {
        host.edit->SetMask(cs.lpszName);
        if (host.edit->AllocationFailed()) return false;
    }
    return true;
}

}  // namespace

EditHost::EditHost() : osMajor(OsMajorVersion()) {}

// The spin goes first, then the edit.
EditHost::~EditHost() {
    spin.reset();
    edit.reset();
}

bool EditHost::StepUp() {
    HostCall call(this);
    return edit ? edit->StepUp() : false;
}

bool EditHost::StepDown() {
    HostCall call(this);
    return edit ? edit->StepDown() : false;
}

bool EditHost::Create(HWND hwnd, const CREATESTRUCTA &cs) {
    EditHost *host = new (std::nothrow) EditHost;
    if (!host) return false;
    host->hwnd = hwnd;
    SetSlotObject(hwnd, host);
    ++host->busy;
    const bool built = BuildParts(*host, cs);
    --host->busy;
    if (host->destroyed) {  // destroyed from inside its own creation
        delete host;
        return false;
    }
    if (!built) {
        SetSlotObject(hwnd, nullptr);
        delete host;
    }
    return built;
}

void EditHost::Layout() {
    RECT client;
    GetClientRect(hwnd, &client);
    int width = client.right - client.left;
    const int height = client.bottom - client.top;
    int spinWidth = 0;
    if (hasSpin) {
        spinWidth = GetSystemMetrics(SM_CXHTHUMB);
        if (width / 2 < spinWidth) spinWidth = width / 2;
        width -= spinWidth;
    }
    if (edit) edit->SetRect(0, 0, width, height);
    if (spin) spin->Layout(width, 0, spinWidth, height);
}

// ---- Mouse routing -----------------------------------------------------------------

// A press goes to the spin first; a press the spin takes is not seen by the
// edit. The window takes the focus in every case.
void EditHost::OnLButtonDown(int x, int y, WPARAM keys) {
    if (spin && mouseOwner != 1 && spin->MouseDown(x, y)) mouseOwner = 0;
    if (edit && mouseOwner != 0 && edit->OnLButtonDown(x, y, keys)) mouseOwner = 1;
    SetFocus(hwnd);
}

void EditHost::OnLButtonUp(int x, int y, WPARAM keys) {
    releasing = true;
    if (spin && mouseOwner != 1) {
        if (spin->MouseUp(x, y)) mouseOwner = 2;
    } else if (edit && mouseOwner != 0) {
        if (edit->OnLButtonUp(x, y, keys)) mouseOwner = 2;
    }
    releasing = false;
}

void EditHost::OnMouseMove(int x, int y) {
    if (spin) spin->MouseMove(x, y);
    if (edit && mouseOwner != 0) edit->OnMouseMove(x, y);
}

void EditHost::OnWheel(int delta) {
    if (spin) spin->Wheel(delta / WHEEL_DELTA);
}

// The capture went to another window (a message box, a drag elsewhere)
// while an arrow was held or a selection was being dragged: both end here,
// so nothing keeps stepping or selecting without the button.
void EditHost::OnCaptureChanged(HWND gaining) {
    if (releasing || gaining == hwnd) return;
    if (mouseOwner == 0 && spin) spin->CaptureLost();
    if (mouseOwner == 1 && edit) edit->OnCaptureLost();
    mouseOwner = 2;
}

}  // namespace qx
