#include "typed/time_edit.h"

#include "common/win_util.h"
#include "edit/edit_host.h"
#include "qx_cntl.h"
#include "typed/picture_rules.h"
#include "typed/time_rules.h"

namespace qx {

TimeCtl::TimeCtl(WindowObject &host, int x, int y, int width, int height)
    : PictCtl(host, x, y, width, height) {
    SetMask("99:99");
}

Refusal TimeCtl::Validate(TextLine &line) const {
    const Refusal refusal = PictCtl::Validate(line);
    if (refusal != Refusal::kNone || !HasMask()) return refusal;
    return TimeValid(mask.get(), line.text, line.length);
}

Refusal TimeCtl::RemoveText(TextLine &line, int pos, int count, EditReason reason) const {
    const int letterAt = is24Hour ? -1 : TimeLetterPosition(mask.get());
    const char letter = letterAt >= 0 && letterAt < line.length ? line.text[letterAt] : ' ';
    PictCtl::RemoveText(line, pos, count, reason);
    if (HasMask()) TimeAfterBlank(mask.get(), line.text, line.length, pos, count, letter);
    return Refusal::kNone;
}

Refusal TimeCtl::InsertText(TextLine &line, const char *str, int pos, EditReason) const {
    return HasMask() ? TimeInsert(mask.get(), line, str, pos) : Refusal::kNoRoom;
}

bool TimeCtl::SetMask(const char *str) {
    if (!IsTimeMask(str)) return false;
    is24Hour = IsTime24HourMask(str);
    return PictCtl::SetMask(str);
}

bool TimeCtl::Step(bool up) {
    Change step(ChangeOrigin::kSpin, cur);
    // With the fields filled, the one time a step cannot read is hour 00
    // on a 12-hour clock.
    if (!HasMask() || !TimeStep(mask.get(), step.proposal, up)) {
        Refuse(HasMask() ? Refusal::kHourRange : Refusal::kOther);
        return false;
    }
    return Apply(step);
}

UINT TimeCtl::WhyString(Refusal why) const {
    return why == Refusal::kHourRange && !is24Hour ? QXIDS_WHY_HOUR12 : PictCtl::WhyString(why);
}

bool TimeCtl::HasEmptyTime() const { return PictureAllBlank(mask.get(), cur.text, cur.length); }

bool TimeCtl::GetTime(int *hour, int *minute) const {
    return HasMask() && ParseTime(mask.get(), cur.text, cur.length, hour, minute);
}

bool TimeCtl::SetTime(int hour, int minute) {
    if (!HasMask() || hour < 0 || hour > 23 || minute < 0 || minute > 59) return false;
    char text[kTimeFormatMin];
    FormatTime(hour, minute, mask.get(), text, sizeof text);
    return SetText(text, ChangeOrigin::kExport);
}

}  // namespace qx

// ---- Exports: "QXTime" windows only -----------------------------------------

using qx::CallData;
using qx::EditOf;
using qx::TimeCtl;
using qx::WindowObject;

extern "C" QXBOOL WINAPI QXTime_Clear(HWND hwnd) {
    CallData data;
    return WindowObject::Call(hwnd, [](WindowObject &o, CallData &) {
        TimeCtl *e = EditOf<TimeCtl>(o);
        if (e) e->Clear();
        return e != nullptr;
    }, data);
}

extern "C" QXBOOL WINAPI QXTime_Is24Hour(HWND hwnd, BOOL *is24Hour) {
    CallData data;
    if (!is24Hour || !WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
            TimeCtl *e = EditOf<TimeCtl>(o);
            if (e) d.number[0] = e->Is24Hour();
            return e != nullptr;
        }, data))
        return 0;
    *is24Hour = data.number[0] ? TRUE : FALSE;
    return 1;
}

extern "C" QXBOOL WINAPI QXTime_SetMask(HWND hwnd, LPCSTR mask) {
    CallData data;
    return mask && data.text.Assign(mask) && WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        TimeCtl *e = EditOf<TimeCtl>(o);
        return e && e->SetMask(d.text.c_str());
    }, data);
}

extern "C" QXBOOL WINAPI QXTime_IsTimeMask(LPCSTR mask) { return qx::IsTimeMask(mask) ? 1 : 0; }

extern "C" QXBOOL WINAPI QXTime_HasEmptyTime(HWND hwnd, QXBOOL *empty) {
    CallData data;
    if (!empty || !WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
            TimeCtl *e = EditOf<TimeCtl>(o);
            if (!e || !e->HasMask()) return false;
            d.number[0] = e->HasEmptyTime();
            return true;
        }, data))
        return 0;
    *empty = data.number[0] ? 1 : 0;
    return 1;
}

extern "C" QXBOOL WINAPI QXTime_HasValidTime(HWND hwnd, BOOL *valid) {
    CallData data;
    if (!valid || !WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
            TimeCtl *e = EditOf<TimeCtl>(o);
            int hour, minute;
            if (e) d.number[0] = e->GetTime(&hour, &minute);
            return e != nullptr;
        }, data))
        return 0;
    *valid = data.number[0] ? TRUE : FALSE;
    return 1;
}

extern "C" QXBOOL WINAPI QXTime_GetTime(HWND hwnd, WORD *hour, WORD *minute) {
    CallData data;
    if (!hour || !minute || !WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
            TimeCtl *e = EditOf<TimeCtl>(o);
            int h, m;
            if (!e || !e->GetTime(&h, &m)) return false;
            d.number[0] = h;
            d.number[1] = m;
            return true;
        }, data))
        return 0;
    *hour = static_cast<WORD>(data.number[0]);
    *minute = static_cast<WORD>(data.number[1]);
    return 1;
}

extern "C" QXBOOL WINAPI QXTime_SetTime(HWND hwnd, WORD hour, WORD minute) {
    CallData data;
    data.number[0] = hour;
    data.number[1] = minute;
    return WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        TimeCtl *e = EditOf<TimeCtl>(o);
        return e && e->SetTime(d.number[0], d.number[1]);
    }, data);
}
