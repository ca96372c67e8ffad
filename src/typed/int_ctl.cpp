#include "typed/int_ctl.h"

#include "common/number_text.h"
#include "common/win_util.h"
#include "edit/edit_host.h"
#include "qx_cntl.h"

namespace qx {

Refusal IntCtl::Validate(TextLine &line) const { return NormalizeIntText(line, Limits()); }

Refusal IntCtl::InsertText(TextLine &line, const char *str, int pos, EditReason reason) const {
    if (!IsIntInput(str)) return Refusal::kNotAccepted;
    return EditCtl::InsertText(line, str, pos, reason);
}

// A mask of anything but '9's changes nothing; an accepted one empties the
// value.
bool IntCtl::SetMask(const char *newMask) {
    if (!IsIntMask(newMask)) return false;
    if (!EditCtl::SetMask(newMask)) return false;
    SetText("", ChangeOrigin::kExport);
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
// characters than the mask allows) is refused as the user's input is (the
// beep, the tip) and changes nothing, so that a held spin stops repeating.
bool IntCtl::Step(bool up) {
    long value, next;
    if (!ParseIntText(cur.text, &value)) {
        Refuse(Refusal::kNotAccepted);
        return false;
    }
    if (!StepIntValue(value, up ? 1 : -1, min, max, wrap, &next)) {
        Refuse(up ? Refusal::kAboveMaximum : Refusal::kBelowMinimum);
        return false;
    }
    char out[12];
    FormatDecimal(next, 1, out, sizeof out);
    TextLine check(out);
    const Refusal verdict = NormalizeIntText(check, Limits());
    if (verdict != Refusal::kNone) {
        Refuse(verdict);
        return false;
    }
    return SetText(out, ChangeOrigin::kSpin);
}

void IntCtl::SetValue(long value) {
    char out[12];
    FormatDecimal(value, 1, out, sizeof out);
    Change change(ChangeOrigin::kExport, cur);
    change.proposal.SetText(out);
    change.checked = change.notified = false;
    Apply(change);
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

using qx::CallData;
using qx::EditOf;
using qx::IntCtl;
using qx::WindowObject;

extern "C" QXBOOL WINAPI QXIntSetValue(HWND hwnd, long value) {
    CallData data;
    data.number[0] = value;
    return WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        IntCtl *e = EditOf<IntCtl>(o);
        if (e) e->SetValue(d.number[0]);
        return e != nullptr;
    }, data);
}

extern "C" QXBOOL WINAPI QXIntGetValue(HWND hwnd, long *value) {
    CallData data;
    if (!value || !WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
            IntCtl *e = EditOf<IntCtl>(o);
            return e && e->GetValue(&d.number[0]);
        }, data))
        return 0;
    *value = data.number[0];
    return 1;
}

extern "C" QXBOOL WINAPI QXIntSetRange(HWND hwnd, long min, long max) {
    CallData data;
    data.number[0] = min;
    data.number[1] = max;
    return WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        IntCtl *e = EditOf<IntCtl>(o);
        return e && e->SetRange(d.number[0], d.number[1]);
    }, data);
}

extern "C" QXBOOL WINAPI QXIntGetRange(HWND hwnd, long *min, long *max) {
    CallData data;
    if (!min || !max || !WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
            IntCtl *e = EditOf<IntCtl>(o);
            if (e) e->GetRange(&d.number[0], &d.number[1]);
            return e != nullptr;
        }, data))
        return 0;
    *min = data.number[0];
    *max = data.number[1];
    return 1;
}

extern "C" QXBOOL WINAPI QXIntSetMask(HWND hwnd, LPCSTR mask) {
    CallData data;
    return mask && data.text.Assign(mask) && WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        IntCtl *e = EditOf<IntCtl>(o);
        return e && e->SetMask(d.text.c_str());
    }, data);
}

// The mask is read whole; it is written only when it fits.
extern "C" QXBOOL WINAPI QXIntGetMask(HWND hwnd, LPSTR buffer, int size) {
    CallData data;
    if (!buffer || size <= 0 || !WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
            IntCtl *e = EditOf<IntCtl>(o);
            return e && e->Mask() && d.text.Assign(e->Mask());
        }, data))
        return 0;
    return qx::CopyWhole(data.text, buffer, size);
}
