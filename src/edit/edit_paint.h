// Plain helpers of the edit's painting, reachable without an edit object.
#pragma once
#include <windows.h>

namespace qx {

// The four colours an edit paints with, from the system colours: a
// read-only or disabled face on the button face colour, the text grey when
// disabled.
struct EditColors {
    COLORREF text;
    COLORREF back;
    COLORREF selText;
    COLORREF selBack;
};
EditColors PickEditColors(bool enabled, bool readOnly);

// Width of n characters in dc (0 when the measurement fails); the line
// height goes to *height when asked (tmHeight for zero characters).
int MeasureText(HDC dc, const char *text, int n, int *height);

}  // namespace qx
