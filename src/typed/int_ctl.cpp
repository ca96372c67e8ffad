#include "typed/int_ctl.h"

#include "edit/edit_proc.h"
#include "qx_cntl.h"
#include "typed/int_rules.h"
#include "typed/typed_text.h"

namespace qx {

bool IntCtl::Validate() {
    NumberText t = ToNumberText(cur);
    if (!NormalizeIntText(t, Limits())) return false;
    StoreNumberText(t, cur);
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

bool IntCtl::StepUp() { return Step(+1); }

bool IntCtl::StepDown() { return Step(-1); }

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
bool IntCtl::Step(int delta) {
    saved = cur;
    char text[EditBuf::kCapacity + 1];
    cur.GetText(text, sizeof text);
    long value, next;
    if (!ParseIntText(text, &value) || !StepIntValue(value, delta, min, max, wrap, &next)) {
        MessageBeep(0xFFFFFFFF);
        return false;
    }
    char out[12];
    FormatIntValue(next, out);
    NumberText check(out);
    if (!NormalizeIntText(check, Limits())) {
        MessageBeep(0xFFFFFFFF);
        return false;
    }
    SetText(out);
    return true;
}

void IntCtl::SetValue(long value) {
    char out[12];
    FormatIntValue(value, out);
    cur.SetText(out);
    RECT r = rect;
    ++r.right;
    ++r.bottom;
    InvalidateRect(hwnd, &r, FALSE);
    if (hasFocus) PlaceCaret(EditDC(hwnd, font));
}

bool IntCtl::GetValue(long *value) const {
    char text[EditBuf::kCapacity + 1];
    cur.GetText(text, sizeof text);
    return ParseIntText(text, value);
}

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
