// The object in slot 0 of every edit-family window. It owns the typed edit
// object (chosen by the window's class name) and, with the spin style, the
// spin button, and routes layout, mouse and non-client messages among them.
#pragma once
#include <windows.h>

#include <memory>

#include "edit/edit_ctl.h"
#include "visual/spin_ctl.h"

namespace qx {

class EditHost {
public:
    EditHost();
    virtual ~EditHost();
    EditHost(const EditHost &) = delete;
    EditHost &operator=(const EditHost &) = delete;

    // What the spin calls when an arrow fires, while it repeats, and per
    // wheel notch; they step the typed edit (false without one).
    virtual bool StepUp();
    virtual bool StepDown();

    std::unique_ptr<SpinCtl> spin;
    bool hasSpin = false;
    std::unique_ptr<EditCtl> edit;
    int mouseOwner = 2;  // who holds the left button: 0 spin, 1 edit, 2 nobody
    DWORD osMajor;
};

}  // namespace qx
