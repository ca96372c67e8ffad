#include "typed/float_ctl.h"

#include "edit/edit_host.h"
#include "qx_cntl.h"

namespace qx {

Refusal FloatCtl::Validate(TextLine &line) const { return NormalizeFloatText(line, format); }

Refusal FloatCtl::RemoveText(TextLine &line, int pos, int count, EditReason reason) const {
    const FloatRemoval kind = reason == EditReason::kBackspace ? FloatRemoval::kBackspace
                              : reason == EditReason::kDelete  ? FloatRemoval::kDeleteKey
                                                               : FloatRemoval::kOther;
    const int start = FloatRemovalStart(line, pos, count, kind, format.groupChar);
    if (start < 0) return Refusal::kOther;
    return EditCtl::RemoveText(line, start, count, reason);
}

Refusal FloatCtl::InsertText(TextLine &line, const char *str, int pos, EditReason) const {
    TextLine t = line;
    const Refusal refusal = InsertFloatText(t, str, pos, format.decimalChar);
    if (refusal == Refusal::kNone) line = t;
    return refusal;
}

// The mask is kept even when it holds a character other than digits and the
// decimal separator; the digit counts then stop there. The text is not
// checked again.
bool FloatCtl::SetMask(const char *newMask) {
    if (!newMask || !EditCtl::SetMask(newMask)) return false;
    const bool usable = FloatMaskDigits(newMask, format.decimalChar, &format.intDigits, &format.fracDigits);
    KeepUndoWithinRules();
    return usable;
}

bool FloatCtl::Step(bool up) {
    Change step(ChangeOrigin::kSpin, cur);
    if (!Notify(up ? QXFN_STEPUP : QXFN_STEPDOWN)) return true;
    step.proposal = cur;
    Record(step);
    return true;
}

bool FloatCtl::SetValue(double value) {
    TextLine text;
    return FloatValueText(value, format, &text) && SetText(text.text, ChangeOrigin::kExport);
}

double FloatCtl::GetValue() const { return ReadFloatText(cur.text, format.decimalChar, format.groupChar); }

void FloatCtl::SetRange(double newMin, double newMax) {
    format.min = newMin;
    format.max = newMax;
}

// The text and the undo buffer are shown anew in the new separators, not
// checked against the digit counts and the range again (a mask set since
// may refuse digits the text already holds): a format is refused only for
// its separators. The new text is the host's change when it differs.
bool FloatCtl::SetFormat(const char *newFormat) {
    char lead, decimalChar, groupChar;
    if (!ParseFloatFormat(newFormat, &lead, &decimalChar, &groupChar)) return false;
    Change shown(ChangeOrigin::kExport, cur);
    if (!ReshowFloatText(shown.proposal, format, decimalChar, groupChar)) return false;
    if (canUndo && !ReshowFloatText(undo, format, decimalChar, groupChar)) EmptyUndo();
    typingRun = false;
    format.decimalChar = decimalChar;
    format.groupChar = groupChar;
    formatLead = lead;
    if (SameText(shown.before, shown.proposal)) return true;
    shown.checked = false;
    shown.reshown = true;
    Apply(shown);
    return true;
}

}  // namespace qx

using qx::CallData;
using qx::EditOf;
using qx::FloatCtl;
using qx::WindowObject;

extern "C" QXBOOL WINAPI QXFloatSetValue(HWND hwnd, double value) {
    CallData data;
    data.real[0] = value;
    return WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        FloatCtl *e = EditOf<FloatCtl>(o);
        return e && e->SetValue(d.real[0]);
    }, data);
}

extern "C" QXBOOL WINAPI QXFloatGetValue(HWND hwnd, double *value) {
    CallData data;
    if (!value || !WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
            FloatCtl *e = EditOf<FloatCtl>(o);
            if (e) d.real[0] = e->GetValue();
            return e != nullptr;
        }, data))
        return 0;
    *value = data.real[0];
    return 1;
}

extern "C" QXBOOL WINAPI QXFloatSetRange(HWND hwnd, double min, double max) {
    CallData data;
    data.real[0] = min;
    data.real[1] = max;
    return WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        FloatCtl *e = EditOf<FloatCtl>(o);
        if (e) e->SetRange(d.real[0], d.real[1]);
        return e != nullptr;
    }, data);
}

extern "C" QXBOOL WINAPI QXFloatSetFormat(HWND hwnd, LPCSTR format) {
    CallData data;
    return format && data.text.Assign(format) && WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        FloatCtl *e = EditOf<FloatCtl>(o);
        return e && e->SetFormat(d.text.c_str());
    }, data);
}

// QXFloatSetFormat with the separators of the user's locale (the lead
// character, which plays no part, a space).
extern "C" QXBOOL WINAPI QXFloatSetLocaleFormat(HWND hwnd) {
    char decimal[8], group[8], format[4];
    const LCTYPE acp = LOCALE_USE_CP_ACP;  // the code page of the edit's text
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL | acp, decimal, 8) &&
           GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND | acp, group, 8) &&
           qx::LocaleFloatFormat(decimal, group, ' ', format) && QXFloatSetFormat(hwnd, format);
}

extern "C" QXBOOL WINAPI QXFloatSetMask(HWND hwnd, LPCSTR mask) {
    CallData data;
    return mask && data.text.Assign(mask) && WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        FloatCtl *e = EditOf<FloatCtl>(o);
        return e && e->SetMask(d.text.c_str());
    }, data);
}
