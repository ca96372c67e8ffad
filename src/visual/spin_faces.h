// The themed faces of a spin's arrows, kept between drawings: drawing a
// theme part costs far more than copying its pixels, and a press and its
// release draw one each. Each face is drawn once per arrow, state, size,
// theme and button-face colour, over that colour, and copied from there.
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
    // dc, made with theme when not kept yet. False when nothing could be
    // kept (no memory DC or bitmap): the caller then draws the theme itself.
    bool Draw(HDC dc, HTHEME theme, int part, int state, const RECT &rect);
    // The theme changed: every face is drawn anew when next needed.
    void Forget();

private:
    // One arrow's faces in its states, one above the other in a DIB section,
    // all of one size and drawn over one colour.
    struct Strip {
        Bitmap faces;
        int width = 0, height = 0;
        COLORREF back = CLR_INVALID;
        unsigned made = 0;  // one bit per state drawn
    };
    KeptDC dc_;
    Strip strips_[kParts];
};

}  // namespace qx
