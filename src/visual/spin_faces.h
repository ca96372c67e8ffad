// The themed faces of a spin's arrows, kept between drawings: drawing a
// theme part costs far more than copying its pixels, and a press and its
// release draw one each. Each face is drawn once per arrow, state, size,
// part shown, theme, DPI and button-face colour, over that colour, and
// copied from there.
#pragma once
#include <windows.h>
#include <uxtheme.h>

#include "common/gdi.h"

namespace qx {

class SpinFaces {
public:
    static constexpr int kParts = 2;   // the theme's parts 1 (up) and 2 (down)
    static constexpr int kStates = 4;  // normal, hot, pressed, disabled

    // Draws the part in the state at rect (right and bottom exclusive) of
    // dc, made with theme (opened for dpi) when not kept yet. shown is the part of rect the
    // window shows (its client area): the theme draws a part cut by the
    // clip otherwise than a whole one, so a face is drawn under the same cut.
    // False when nothing could be kept (no memory DC or bitmap): the caller
    // then draws the theme itself.
    bool Draw(HDC dc, HTHEME theme, UINT dpi, int part, int state, const RECT &rect, const RECT &shown);
    // The theme changed: every face is drawn anew when next needed.
    void Forget();

private:
    // One arrow's faces in its states, one above the other in a DIB section,
    // all of one size and drawn over one colour.
    struct Strip {
        Bitmap faces;
        int width = 0, height = 0;
        RECT cut = {0, 0, 0, 0};  // the part shown, relative to the face
        COLORREF back = CLR_INVALID;
        UINT dpi = 0;
        unsigned made = 0;  // one bit per state drawn
    };
    KeptDC dc_;
    Strip strips_[kParts];
};

}  // namespace qx
