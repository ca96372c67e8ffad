#include "typed/picture_mask.h"

#include <windows.h>

#include "common/char_class.h"
#include "common/display.h"
#include "common/os_version.h"
#include "common/win_util.h"
#include "edit/old3d.h"
#include "qx_cntl.h"

namespace qx {

bool IsMaskPlaceholder(char m) {
    switch (m) {
    case '9': case 'A': case 'H': case 'L': case 'N': case 'U': case 'X':
    case 'a': case 'h': case 'l': case 'n': case 'u': case 'x':
        return true;
    default:
        return false;
    }
}

const char *MaskFirst(const char *p, bool *literal) {
    if (IsMaskPlaceholder(*p)) {
        *literal = false;
        return p;
    }
    *literal = true;
    if (*p == '/') {
        const char *q = CharNextA(p);
        if (*q == '/' || IsMaskPlaceholder(*q)) return q;
    }
    return p;
}

const char *MaskNext(const char *p, bool *literal) { return MaskFirst(CharNextA(p), literal); }

bool MaskCharMatches(char c, char m, bool literal) {
    if (literal) return c == m;
    switch (m) {
    case '9': return IsDigit(c);
    case 'A': case 'a': return IsLetter(c);
    case 'H': case 'h': return IsHexDigit(c);
    case 'L': case 'l': return IsLower(c);
    case 'N': case 'n': return IsDigit(c) || IsLetter(c);
    case 'U': case 'u': return IsUpper(c);
    case 'X': case 'x': return true;
    default: return c == m;
    }
}

void MaskApplyCase(char *c, char m, bool literal) {
    if (literal) return;
    if (m == 'U' || m == 'u')
        CharUpperBuffA(c, 1);
    else if (m == 'L' || m == 'l')
        CharLowerBuffA(c, 1);
}

int MaskPositionCount(const char *mask) {
    if (!mask) return 0;
    int count = 0;
    bool literal;
    for (const char *p = MaskFirst(mask, &literal); *p; p = MaskNext(p, &literal)) ++count;
    return count;
}

bool FormatPictureText(const char *mask, const char *raw, char *out, int size) {
    if (!mask || !raw || !out || size < 1) return false;
    int written = 0;
    bool literal;
    for (const char *p = MaskFirst(mask, &literal); *p && written < size - 1;
         p = MaskNext(p, &literal)) {
        char c = *raw;
        MaskApplyCase(&c, *p, literal);
        if (literal) {
            out[written++] = *p;
            if (c == *p) ++raw;
        } else if (*raw) {
            if (c != ' ' && !MaskCharMatches(c, *p, literal)) {
                out[0] = '\0';  // a refused text never leaves a partial one behind
                return false;
            }
            out[written++] = c;
            ++raw;
        } else {
            out[written++] = ' ';
        }
    }
    out[written] = '\0';
    return true;
}

namespace {

// Width of one byte in the DC's font; 0 after a beep when it cannot be measured.
double CharWidth(HDC dc, char c) {
    SIZE size;
    if (!GetTextExtentPoint32A(dc, &c, 1, &size)) {
        ErrorBeep();
        return 0.0;
    }
    return size.cx;
}

char RepresentativeChar(char placeholder) {
    char upper = placeholder;
    CharUpperBuffA(&upper, 1);
    switch (upper) {
    case '9': return '9';
    case 'H': return 'E';
    case 'L': return 'w';
    default: return 'W';  // A, N, U, X
    }
}

}  // namespace
}  // namespace qx

extern "C" QXBOOL WINAPI QXPicFormatText(LPCSTR mask, LPCSTR raw, LPSTR out, int size) {
    return qx::FormatPictureText(mask, raw, out, size);
}

// The terms beside the characters are those of the window the DC draws, at
// its DPI: the system's border and edge widths and the spin's, the edit's
// margins and caret, the old 3-D frame. A DC of no window (a memory DC, the
// screen's) gets them at the system DPI as the system gives them.
extern "C" UINT WINAPI GetPictCtlWidth(LPCSTR mask, HDC dc, QXBOOL withSpin) {
    double placeholders = 0.0, literals = 0.0;
    bool literal;
    for (const char *p = qx::MaskFirst(mask ? mask : "", &literal); *p;
         p = qx::MaskNext(p, &literal)) {
        if (literal)
            literals += qx::CharWidth(dc, *p);
        else
            placeholders += qx::CharWidth(dc, qx::RepresentativeChar(*p));
    }
    const HWND window = dc ? WindowFromDC(dc) : nullptr;
    const UINT dpi = window ? qx::WindowDpi(window) : 0;  // 0: the system's metrics, unscaled
    const int pixel = qx::ScaleForDpi(1, dpi);  // a margin, the caret, a line of the old frame
    // Two margins and the caret.
    UINT width = static_cast<UINT>(placeholders + literals) + 3 * pixel;
    width += 2 * qx::MetricForDpi(SM_CXBORDER, dpi);
    if (qx::OsMajorVersion() >= 4)
        width += 2 * qx::MetricForDpi(SM_CXEDGE, dpi);
    else if (qx::Old3dEnabled())
        width += 4 * pixel;
    if (withSpin) width += qx::MetricForDpi(SM_CXVSCROLL, dpi);
    return width;
}
