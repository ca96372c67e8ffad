// The operating system's version as the controls read it.
#pragma once
#include <windows.h>

namespace qx {

// GetVersionExA with the ANSI record; false when the call fails.
bool ReadOsVersion(OSVERSIONINFOA *info);

// dwMajorVersion, or 0 when the version cannot be read.
DWORD OsMajorVersion();

}  // namespace qx
