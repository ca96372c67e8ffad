#include "common/os_version.h"

namespace qx {

bool ReadOsVersion(OSVERSIONINFOA *info) {
    ZeroMemory(info, sizeof *info);
    info->dwOSVersionInfoSize = sizeof *info;  // 148 bytes
    return GetVersionExA(info) != FALSE;
}

DWORD OsMajorVersion() {
    OSVERSIONINFOA info;
    return ReadOsVersion(&info) ? info.dwMajorVersion : 0;
}

}  // namespace qx
