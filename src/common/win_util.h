// Small pieces of the Win32 surface every control uses alike.
#pragma once
#include <windows.h>

namespace qx {

// The signed low and high words of a message parameter: mouse coordinates,
// which go negative left of and above a window, and the wheel's delta.
inline int LowSigned(UINT_PTR v) { return static_cast<SHORT>(LOWORD(v)); }
inline int HighSigned(UINT_PTR v) { return static_cast<SHORT>(HIWORD(v)); }

// The beep of refused input.
inline void ErrorBeep() { MessageBeep(0xFFFFFFFF); }

// The rectangle (right and bottom exclusive, as GDI fills and clips) that
// covers a rectangle given with right and bottom inclusive.
inline RECT ExclusiveRect(const RECT &inclusive) {
    return {inclusive.left, inclusive.top, inclusive.right + 1, inclusive.bottom + 1};
}

}  // namespace qx
