// The typed edit object of an edit-family window, chosen by its class name:
// the one place that knows every edit class.
#pragma once
#include <windows.h>

#include "edit/edit_host.h"

namespace qx {

enum class EditKind { kNone, kEdit, kInteger, kFloat, kPicture, kTime };

// "QXEdit", "QXInteger", "QXFloat", "QXPicture", "QXTime", compared without
// regard to case; kNone for any other name and for null.
EditKind EditKindOf(const char *className);

// The EditMaker of the edit family: the object of the class name's kind (the
// plain edit gets the base), none for kNone.
bool MakeEditObject(const char *className, WindowObject &host, int x, int y, int width, int height,
                    std::unique_ptr<EditCtl> *edit);

}  // namespace qx
