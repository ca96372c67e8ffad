// The texts the library shows or tells screen readers, from its own string
// table (src/strings.rc), so that a host can have them translated. Code
// linked into another module than the DLL, or a table without the string,
// gets the English text.
#pragma once
#include <windows.h>

#include "common/acc_text.h"
#include "common/string_ids.h"

namespace qx {

// The string `id` (QX_IDS_*) of the module this code is part of; the English
// text when the module has none.
void LoadLibraryString(UINT id, AccText *out);

}  // namespace qx
