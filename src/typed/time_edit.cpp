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

bool TimeCtl::Validate() {
    return PictCtl::Validate() && (!HasMask() || TimeValid(mask.get(), cur.text, cur.length));
}

bool TimeCtl::RemoveText(int pos, int count, EditReason reason) {
    const int letterAt = is24Hour ? -1 : TimeLetterPosition(mask.get());
    const char letter = letterAt >= 0 && letterAt < cur.length ? cur.text[letterAt] : ' ';
    PictCtl::RemoveText(pos, count, reason);
    if (HasMask()) TimeAfterBlank(mask.get(), cur.text, cur.length, pos, count, letter);
    return true;
}

bool TimeCtl::InsertText(const char *str, int pos, EditReason) {
    return HasMask() && TimeInsert(mask.get(), cur, str, pos);
}

bool TimeCtl::SetMask(const char *str) {
    if (!IsTimeMask(str)) return false;
    is24Hour = IsTime24HourMask(str);
    return PictCtl::SetMask(str);
}

bool TimeCtl::Step(bool up) {
    saved = cur;
    if (!HasMask() || !TimeStep(mask.get(), cur, up)) {
        ErrorBeep();
        return false;
    }
    Refresh(true);
    return true;
}

bool TimeCtl::HasEmptyTime() const { return PictureAllBlank(mask.get(), cur.text, cur.length); }

bool TimeCtl::GetTime(int *hour, int *minute) const {
    return HasMask() && ParseTime(mask.get(), cur.text, cur.length, hour, minute);
}

bool TimeCtl::SetTime(int hour, int minute) {
    if (!HasMask() || hour < 0 || hour > 23 || minute < 0 || minute > 59) return false;
    char text[kTimeFormatMin];
    FormatTime(hour, minute, mask.get(), text, sizeof text);
    return SetText(text);
}

}  // namespace qx

// ---- Exports: "QXTime" windows only -----------------------------------------

using qx::TimeCtl;
using qx::WithEdit;

extern "C" QXBOOL WINAPI QXTime_Clear(HWND hwnd) {
    return WithEdit<TimeCtl>(hwnd, [](TimeCtl &e) {
        e.Clear();
        return true;
    });
}

extern "C" QXBOOL WINAPI QXTime_Is24Hour(HWND hwnd, BOOL *is24Hour) {
    if (!is24Hour) return 0;
    return WithEdit<TimeCtl>(hwnd, [&](TimeCtl &e) {
        *is24Hour = e.Is24Hour() ? TRUE : FALSE;
        return true;
    });
}

extern "C" QXBOOL WINAPI QXTime_SetMask(HWND hwnd, LPCSTR mask) {
    if (!mask) return 0;
    return WithEdit<TimeCtl>(hwnd, [&](TimeCtl &e) { return e.SetMask(mask); });
}

extern "C" QXBOOL WINAPI QXTime_IsTimeMask(LPCSTR mask) { return qx::IsTimeMask(mask) ? 1 : 0; }

extern "C" QXBOOL WINAPI QXTime_HasEmptyTime(HWND hwnd, QXBOOL *empty) {
    if (!empty) return 0;
    return WithEdit<TimeCtl>(hwnd, [&](TimeCtl &e) {
        if (!e.HasMask()) return false;
        *empty = e.HasEmptyTime() ? 1 : 0;
        return true;
    });
}

extern "C" QXBOOL WINAPI QXTime_HasValidTime(HWND hwnd, BOOL *valid) {
    if (!valid) return 0;
    return WithEdit<TimeCtl>(hwnd, [&](TimeCtl &e) {
        int hour, minute;
        *valid = e.GetTime(&hour, &minute) ? TRUE : FALSE;
        return true;
    });
}

extern "C" QXBOOL WINAPI QXTime_GetTime(HWND hwnd, WORD *hour, WORD *minute) {
    if (!hour || !minute) return 0;
    return WithEdit<TimeCtl>(hwnd, [&](TimeCtl &e) {
        int h, m;
        if (!e.GetTime(&h, &m)) return false;
        *hour = static_cast<WORD>(h);
        *minute = static_cast<WORD>(m);
        return true;
    });
}

extern "C" QXBOOL WINAPI QXTime_SetTime(HWND hwnd, WORD hour, WORD minute) {
    return WithEdit<TimeCtl>(hwnd, [&](TimeCtl &e) { return e.SetTime(hour, minute); });
}
