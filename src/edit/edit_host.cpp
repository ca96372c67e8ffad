#include "edit/edit_host.h"

#include "common/os_version.h"

namespace qx {

EditHost::EditHost() : osMajor(OsMajorVersion()) {}

// The spin goes first, then the edit.
EditHost::~EditHost() {
    spin.reset();
    edit.reset();
}

bool EditHost::StepUp() { return edit ? edit->StepUp() : false; }

bool EditHost::StepDown() { return edit ? edit->StepDown() : false; }

}  // namespace qx
