// What must hold after every event, read through the window's messages and
// the exports, and the running digest of what was read.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "guarded.h"
#include "oracle.h"
#include "qx_cntl.h"
#include "soak.h"

namespace qxs {
namespace {

bool Leap(unsigned y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }

}  // namespace

int DaysIn(int month, int year) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return kDays[month - 1] + (month == 2 && Leap(static_cast<unsigned>(year)) ? 1 : 0);
}

void Soak::Fail(const std::string &why) {
    if (failure_.empty()) failure_ = why;
}

void Soak::Expect(bool ok, const char *what) {
    if (!ok) Fail(what);
}

void Soak::ExpectText(const std::string &got, const std::string &want, const char *what) {
    if (got != want) Fail(std::string(what) + ": " + Quote(got) + ", not " + Quote(want));
}

void Soak::Mix(const void *data, size_t n) {
    const unsigned char *p = static_cast<const unsigned char *>(data);
    for (size_t i = 0; i < n; ++i) digest_ = (digest_ ^ p[i]) * 0x100000001B3ull;
}

std::string Soak::Text(HWND h) {
    Guarded buf(256);
    SendMessageA(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
    return buf.Text();
}

void Soak::CheckAll() {
    HWND h = control_;
    if (!IsWindow(h)) {
        Fail("the control is gone");
        return;
    }
    if (IsEdit(info_.kind)) CheckEdit(h);
    else if (info_.kind == Kind::kCal) CheckCalendar(h, model_.dateValid);
    else CheckButton(h);
}

// The text within 63 bytes, without control characters, as long as
// WM_GETTEXTLENGTH says (one more: the length counts the terminating zero),
// WM_GETTEXT into a buffer of any size within it, the selection within the
// text, and what the class's exports read agreeing with the text.
void Soak::CheckEdit(HWND h) {
    Guarded big(256);
    const LRESULT n = SendMessageA(h, WM_GETTEXT, big.size(), reinterpret_cast<LPARAM>(big.data()));
    bool terminated = false;
    const std::string text = big.Text(&terminated);
    if (!terminated || static_cast<LRESULT>(text.size()) != n) return Fail("WM_GETTEXT's count is not the text's length");
    if (!big.GuardsIntact()) return Fail("WM_GETTEXT wrote outside its buffer");
    if (text.size() > 63) return Fail("the text is longer than 63 bytes: " + Quote(text));
    for (char c : text)
        if (IsControl(c)) return Fail("a control character in the text: " + Quote(text));
    const LRESULT length = SendMessageA(h, WM_GETTEXTLENGTH, 0, 0);
    if (length != n + 1) return Fail("WM_GETTEXTLENGTH disagrees with the text " + Quote(text));

    const int size = std::max(0, SizeAround(static_cast<int>(n)));
    Guarded small(size);
    const LRESULT got = SendMessageA(h, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(small.data()));
    const LRESULT want = size == 0 ? 0 : (n < size - 1 ? n : size - 1);
    if (got != want) return Fail("WM_GETTEXT into " + std::to_string(size) + " bytes gave " + std::to_string(got));
    if (size == 0 ? !small.Untouched()
                  : (!small.GuardsIntact() || small.Text(&terminated) != text.substr(0, want) || !terminated))
        return Fail("WM_GETTEXT into " + std::to_string(size) + " bytes wrote wrongly");

    DWORD anchor = 0xFFFFFFFF, caret = 0xFFFFFFFF;
    const LRESULT sel = SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&anchor), reinterpret_cast<LPARAM>(&caret));
    if (anchor > text.size() || caret > text.size())
        return Fail("the selection " + std::to_string(anchor) + "," + std::to_string(caret) + " lies outside " + Quote(text));
    if (static_cast<DWORD>(sel) != static_cast<DWORD>(MAKELONG(anchor, caret))) return Fail("EM_GETSEL's answer and its outputs differ");

    Mix(text.data(), text.size());
    Mix(&anchor, sizeof anchor);
    Mix(&caret, sizeof caret);

    switch (info_.kind) {
    case Kind::kInt: {
        const std::string fault = IntFault(text);
        if (!fault.empty()) return Fail("integer text " + Quote(text) + ": " + fault);
        long expected = 0;
        const bool valid = ParseInt(text, &expected);
        GuardedOut<long> value;
        const QXBOOL r = QXIntGetValue(h, &value.value);
        if (r != (valid ? 1 : 0) || (valid && value.value != expected) || !value.GuardsIntact())
            return Fail("QXIntGetValue disagrees with the text " + Quote(text));
        GuardedOut<long> lo, hi;
        if (QXIntGetRange(h, &lo.value, &hi.value) != 1 || lo.value != model_.intMin || hi.value != model_.intMax)
            return Fail("QXIntGetRange disagrees with the range set");
        break;
    }
    case Kind::kFloat: {
        const std::string fault = FloatFault(text, model_.decimal, model_.group);
        if (!fault.empty()) return Fail("number text " + Quote(text) + ": " + fault);
        GuardedOut<double> value;
        if (QXFloatGetValue(h, &value.value) != 1 || !value.GuardsIntact() ||
            !SameValue(value.value, ReadFloat(text, model_.decimal, model_.group))) {
            char buf[64];
            std::snprintf(buf, sizeof buf, " (it read %.17g)", value.value);
            return Fail("QXFloatGetValue disagrees with the text " + Quote(text) + buf);
        }
        Mix(&value.value, sizeof value.value);
        break;
    }
    case Kind::kPicture:
    case Kind::kTime: {
        if (!model_.hasMask) {
            if (!text.empty()) return Fail("a picture edit without a mask shows " + Quote(text));
            break;
        }
        std::string fault = PictureFault(model_.mask, text);
        if (fault.empty() && info_.kind == Kind::kTime) fault = TimeFault(model_.mask, text);
        if (!fault.empty()) return Fail("text " + Quote(text) + " under the mask " + Quote(model_.mask) + ": " + fault);
        const std::string placeholders = Placeholders(model_.mask, text);
        Guarded value(64);
        if (QXPicGetValue(h, value.data(), value.size()) != 1 || value.Text() != placeholders || !value.GuardsIntact())
            return Fail("QXPicGetValue disagrees with the text " + Quote(text));
        if (info_.kind != Kind::kTime) break;
        int hour = -1, minute = -1;
        const bool valid = ParseTime(model_.mask, text, &hour, &minute);
        GuardedOut<WORD> h16, m16;
        GuardedOut<BOOL> isValid, is24;
        GuardedOut<QXBOOL> empty;
        const QXBOOL r = QXTime_GetTime(h, &h16.value, &m16.value);
        if (r != (valid ? 1 : 0) || (valid && (h16.value != hour || m16.value != minute)) || !h16.GuardsIntact() ||
            !m16.GuardsIntact() || (!valid && (!h16.Untouched() || !m16.Untouched())))
            return Fail("QXTime_GetTime disagrees with the text " + Quote(text));
        if (QXTime_HasValidTime(h, &isValid.value) != 1 || isValid.value != (valid ? TRUE : FALSE) ||
            !isValid.GuardsIntact())
            return Fail("QXTime_HasValidTime disagrees with the text " + Quote(text));
        const bool blank = placeholders.find_first_not_of(' ') == std::string::npos;
        if (QXTime_HasEmptyTime(h, &empty.value) != 1 || empty.value != (blank ? 1 : 0) || !empty.GuardsIntact())
            return Fail("QXTime_HasEmptyTime disagrees with the text " + Quote(text));
        if (QXTime_Is24Hour(h, &is24.value) != 1 || is24.value != (model_.mask == "99:99" ? TRUE : FALSE))
            return Fail("QXTime_Is24Hour disagrees with the mask " + Quote(model_.mask));
        break;
    }
    default: break;
    }
}

// The date reads back through the exports with a month of 1 to 12; a date
// that was a day of its month stays one through everything but the host's
// own sets, and moving the selection by the arrow keys gives one unless the
// host set a day meanwhile (the parent told of the move).
void Soak::CheckCalendar(HWND h, bool wasValid) {
    GuardedOut<int> year, month, day;
    if (QXCalGetYear(h, &year.value) != 1 || QXCalGetMonth(h, &month.value) != 1 || QXCalGetDay(h, &day.value) != 1 ||
        !year.GuardsIntact() || !month.GuardsIntact() || !day.GuardsIntact())
        return Fail("the calendar's getters fail");
    if (month.value < 1 || month.value > 12) return Fail("the calendar shows month " + std::to_string(month.value));
    const bool valid = day.value >= 1 && day.value <= DaysIn(month.value, year.value);
    const std::string date =
        std::to_string(year.value) + "-" + std::to_string(month.value) + "-" + std::to_string(day.value);
    if (navigated_ && !hostSet_ && !valid) return Fail("the arrow keys selected " + date + ", no day of its month");
    if (wasValid && !hostSet_ && !valid) return Fail("the calendar went from a valid date to " + date);
    model_.dateValid = valid;
    Mix(&year.value, sizeof(int));
    Mix(&month.value, sizeof(int));
    Mix(&day.value, sizeof(int));
}

void Soak::CheckButton(HWND h) {
    const BOOL enabled = IsWindowEnabled(h);
    Mix(&enabled, sizeof enabled);
}

}  // namespace qxs
