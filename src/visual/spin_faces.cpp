#include "visual/spin_faces.h"

#include "visual/theme_api.h"

namespace qx {

void SpinFaces::Forget() {
    for (Strip &s : strips_) s.made = 0;
}

bool SpinFaces::Draw(HDC dc, HTHEME theme, UINT dpi, int part, int state, const RECT &rect, const RECT &shown) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (part < 1 || part > kParts || state < 1 || state > kStates || w <= 0 || h <= 0) return false;
    RECT cut;
    if (!IntersectRect(&cut, &rect, &shown)) return true;  // nothing of it shows
    OffsetRect(&cut, -rect.left, -rect.top);
    Strip &s = strips_[part - 1];
    const COLORREF back = GetSysColor(COLOR_BTNFACE);
    if (w != s.width || h != s.height || !EqualRect(&cut, &s.cut) || back != s.back || dpi != s.dpi) {
        s.made = 0;
        s.width = w;
        s.height = h;
        s.cut = cut;
        s.back = back;
        s.dpi = dpi;
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
        IntersectClipRect(memory, cut.left, top + cut.top, cut.right, top + cut.bottom);
        Themes().DrawThemeBackground(theme, memory, part, state, &at, nullptr);
        SelectClipRgn(memory, nullptr);
        s.made |= bit;
    }
    Select select(memory, s.faces.get());
    return BitBlt(dc, rect.left, rect.top, w, h, memory, 0, top, SRCCOPY) != FALSE;
}

}  // namespace qx
