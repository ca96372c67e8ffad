// Moves an edit's line to and from the working copy the number rules use.
#pragma once
#include <string.h>

#include "edit/edit_buf.h"
#include "typed/number_text.h"

namespace qx {

inline NumberText ToNumberText(const EditBuf &buf) {
    NumberText t;
    const int n = buf.length < 0 ? 0 : buf.length > NumberText::kCapacity ? NumberText::kCapacity
                                                                          : buf.length;
    memcpy(t.text, buf.text, n);
    t.text[n] = '\0';
    t.length = n;
    t.anchor = t.Clamp(buf.anchor);
    t.caret = t.Clamp(buf.caret);
    return t;
}

inline void StoreNumberText(const NumberText &t, EditBuf &buf) {
    memcpy(buf.text, t.text, t.length + 1);
    buf.length = t.length;
    buf.anchor = t.anchor;
    buf.caret = t.caret;
}

}  // namespace qx
