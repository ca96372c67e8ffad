// The typed edit object of an edit-family window, chosen by its class name.
#pragma once
#include <windows.h>

#include <memory>

#include "edit/edit_ctl.h"

namespace qx {

enum class EditKind { kNone, kEdit, kInteger, kFloat, kPicture, kTime };

// "QXEdit", "QXInteger", "QXFloat", "QXPicture", "QXTime", compared without
// regard to case; kNone for any other name and for null.
EditKind EditKindOf(const char *className);

// The object for a kind, placed at (x, y, width, height); null for kNone
// and when it cannot be allocated.
std::unique_ptr<EditCtl> MakeEditObject(EditKind kind, HWND hwnd, int x, int y, int width,
                                        int height);

}  // namespace qx
