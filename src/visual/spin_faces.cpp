#include "visual/spin_faces.h"

#include "visual/theme_api.h"

namespace qx {

void SpinFaces::Forget() {
    for (Strip &s : strips_) s.made = 0;
}

bool SpinFaces::Draw(HDC dc, HTHEME theme, int part, int state, const RECT &rect) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (part < 1 || part > kParts || state < 1 || state > kStates || w <= 0 || h <= 0) return false;
    Strip &s = strips_[part - 1];
    const COLORREF back = GetSysColor(COLOR_BTNFACE);
    if (w != s.width || h != s.height || back != s.back) {
        s.made = 0;
        s.width = w;
        s.height = h;
        s.back = back;
    }
    HDC memory = dc_.Get();
    if (!memory) return false;
    const unsigned bit = 1u << (state - 1);
    const int top = (state - 1) * h;
    if (!(s.made & bit)) {
        // Of another size, the bitmap is made anew (and the faces in it gone:
        // made was cleared with the size).
        if (!FitDib32(&s.faces, w, h * kStates)) {
            s.made = 0;
            return false;
        }
        Select select(memory, s.faces.get());
        const RECT at = {0, top, w, top + h};
        FillRect(memory, &at, GetSysColorBrush(COLOR_BTNFACE));
        Themes().DrawThemeBackground(theme, memory, part, state, &at, nullptr);
        s.made |= bit;
    }
    Select select(memory, s.faces.get());
    return BitBlt(dc, rect.left, rect.top, w, h, memory, 0, top, SRCCOPY) != FALSE;
}

}  // namespace qx
