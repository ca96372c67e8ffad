#include "typed/float_ctl.h"

#include <cstring>

#include "edit/edit_host.h"
#include "qx_cntl.h"

namespace qx {

bool FloatCtl::Validate() {
    TextLine t = cur;
    if (!NormalizeFloatText(t, format)) return false;
    cur = t;
    return true;
}

bool FloatCtl::RemoveText(int pos, int count, EditReason reason) {
    const FloatRemoval kind = reason == kReasonBackspace ? FloatRemoval::kBackspace
                              : reason == kReasonDelete  ? FloatRemoval::kDeleteKey
                                                         : FloatRemoval::kOther;
    const int start = FloatRemovalStart(cur, pos, count, kind, format.groupChar);
    if (start < 0) return false;
    return EditCtl::RemoveText(start, count, reason);
}

bool FloatCtl::InsertText(const char *str, int pos, EditReason) {
    TextLine t = cur;
    if (!InsertFloatText(t, str, pos, format.decimalChar)) return false;
    cur = t;
    return true;
}

// The mask is kept even when it holds a character other than digits and the
// decimal separator; the digit counts then stop there.
bool FloatCtl::SetMask(const char *newMask) {
    if (!newMask || !EditCtl::SetMask(newMask)) return false;
    return FloatMaskDigits(newMask, format.decimalChar, &format.intDigits, &format.fracDigits);
}

// The value the parent sets in answer is the user's step (one change to
// undo), not a text of the host's own: the request is sent as part of the
// change in progress.
bool FloatCtl::Step(bool up) {
    host_.NotifyParent(up ? QXFN_STEPUP : QXFN_STEPDOWN);
    return true;
}

bool FloatCtl::SetValue(double value) {
    TextLine text;
    return FloatValueText(value, format, &text) && SetText(text.text);
}

double FloatCtl::GetValue() const { return ReadFloatText(cur.text, format.decimalChar, format.groupChar); }

void FloatCtl::SetRange(double newMin, double newMax) {
    format.min = newMin;
    format.max = newMax;
}

bool FloatCtl::SetFormat(const char *newFormat) {
    char lead, decimalChar, groupChar;
    if (!ParseFloatFormat(newFormat, &lead, &decimalChar, &groupChar)) return false;
    const FloatFormat old = format;
    TextLine shown = cur;
    ReplaceFloatSeparators(shown, format.decimalChar, format.groupChar, decimalChar);
    format.decimalChar = decimalChar;
    format.groupChar = groupChar;
    if (!NormalizeFloatText(shown, format) ||
        (std::strcmp(shown.text, cur.text) != 0 && !SetText(shown.text))) {
        format = old;
        return false;
    }
    formatLead = lead;
    return true;
}

}  // namespace qx

using qx::FloatCtl;

extern "C" QXBOOL WINAPI QXFloatSetValue(HWND hwnd, double value) {
    return qx::WithEdit<FloatCtl>(hwnd, [&](FloatCtl &e) { return e.SetValue(value); });
}

extern "C" QXBOOL WINAPI QXFloatGetValue(HWND hwnd, double *value) {
    return value && qx::WithEdit<FloatCtl>(hwnd, [&](FloatCtl &e) {
        *value = e.GetValue();
        return true;
    });
}

extern "C" QXBOOL WINAPI QXFloatSetRange(HWND hwnd, double min, double max) {
    return qx::WithEdit<FloatCtl>(hwnd, [&](FloatCtl &e) {
        e.SetRange(min, max);
        return true;
    });
}

extern "C" QXBOOL WINAPI QXFloatSetFormat(HWND hwnd, LPCSTR format) {
    return qx::WithEdit<FloatCtl>(hwnd, [&](FloatCtl &e) { return e.SetFormat(format); });
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
    return mask && qx::WithEdit<FloatCtl>(hwnd, [&](FloatCtl &e) { return e.SetMask(mask); });
}
