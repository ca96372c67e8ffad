#include "typed/int_ctl.h"

#include "common/number_text.h"
#include "common/win_util.h"
#include "edit/edit_host.h"
#include "qx_cntl.h"

namespace qx {

bool IntCtl::Validate() {
    TextLine t = cur;
    if (!NormalizeIntText(t, Limits())) return false;
    cur = t;
    return true;
}

bool IntCtl::InsertText(const char *str, int pos, EditReason reason) {
    if (!IsIntInput(str)) return false;
    return EditCtl::InsertText(str, pos, reason);
}

// A mask of anything but '9's changes nothing; an accepted one empties the
// value.
bool IntCtl::SetMask(const char *newMask) {
    if (!IsIntMask(newMask)) return false;
    if (!EditCtl::SetMask(newMask)) return false;
    SetText("");
    return true;
}

IntLimits IntCtl::Limits() const {
    IntLimits limits;
    limits.maxChars = IntMaskChars(mask.get());
    limits.min = min;
    limits.max = max;
    return limits;
}

// A step the text cannot take (past the range without wrap, or more
// characters than the mask allows) is refused with a beep and changes
// nothing, so that a held spin stops repeating.
bool IntCtl::Step(bool up) {
    saved = cur;
    long value, next;
    if (!ParseIntText(cur.text, &value) || !StepIntValue(value, up ? 1 : -1, min, max, wrap, &next)) {
        ErrorBeep();
        return false;
    }
    char out[12];
    FormatDecimal(next, 1, out, sizeof out);
    TextLine check(out);
    if (!NormalizeIntText(check, Limits())) {
        ErrorBeep();
        return false;
    }
    SetText(out);
    return true;
}

void IntCtl::SetValue(long value) {
    char out[12];
    FormatDecimal(value, 1, out, sizeof out);
    cur.SetText(out);
    Changed();
    const RECT r = ExclusiveRect(rect);
    InvalidateRect(hwnd, &r, FALSE);
    if (hasFocus) PlaceCaret(EditDC(hwnd, font));
}

bool IntCtl::GetValue(long *value) const { return ParseIntText(cur.text, value); }

bool IntCtl::SetRange(long newMin, long newMax) {
    if (newMin > newMax) return false;
    min = newMin;
    max = newMax;
    return true;
}

void IntCtl::GetRange(long *outMin, long *outMax) const {
    *outMin = min;
    *outMax = max;
}

}  // namespace qx

using qx::IntCtl;

extern "C" QXBOOL WINAPI QXIntSetValue(HWND hwnd, long value) {
    return qx::WithEdit<IntCtl>(hwnd, [&](IntCtl &e) {
        e.SetValue(value);
        return true;
    });
}

extern "C" QXBOOL WINAPI QXIntGetValue(HWND hwnd, long *value) {
    return value && qx::WithEdit<IntCtl>(hwnd, [&](IntCtl &e) { return e.GetValue(value); });
}

extern "C" QXBOOL WINAPI QXIntSetRange(HWND hwnd, long min, long max) {
    return qx::WithEdit<IntCtl>(hwnd, [&](IntCtl &e) { return e.SetRange(min, max); });
}

extern "C" QXBOOL WINAPI QXIntGetRange(HWND hwnd, long *min, long *max) {
    return min && max && qx::WithEdit<IntCtl>(hwnd, [&](IntCtl &e) {
        e.GetRange(min, max);
        return true;
    });
}

extern "C" QXBOOL WINAPI QXIntSetMask(HWND hwnd, LPCSTR mask) {
    return mask && qx::WithEdit<IntCtl>(hwnd, [&](IntCtl &e) { return e.SetMask(mask); });
}

extern "C" QXBOOL WINAPI QXIntGetMask(HWND hwnd, LPSTR buffer, int size) {
    return buffer && size > 0 &&
           qx::WithEdit<IntCtl>(hwnd, [&](IntCtl &e) { return e.GetMask(buffer, size); });
}
