// What must hold after every event, read through the window's messages and
// the exports, and the running digest of what was read.
#include <algorithm>

#include "oracle.h"
#include "soak.h"

namespace qxs {

int DaysIn(int month, int year) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const unsigned y = static_cast<unsigned>(year);
    if (month < 1 || month > 12) return 0;
    return kDays[month - 1] + (month == 2 && y % 4 == 0 && (y % 100 != 0 || y % 400 == 0) ? 1 : 0);
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

namespace {

// An edit: the text within 63 bytes without control characters, as long as
// WM_GETTEXTLENGTH says (one less: it counts the terminating zero), WM_GETTEXT
// into a buffer of any size within it, the selection within the text, the
// text keeping its class's rules and the class's exports reading it alike.
void CheckEdit(Soak &s, HWND h) {
    const Model &model = s.model_;
    Guarded big(256);
    const LRESULT n = SendMessageA(h, WM_GETTEXT, big.size(), reinterpret_cast<LPARAM>(big.data()));
    bool terminated = false;
    const std::string text = big.Text(&terminated), quoted = Quote(text);
    if (!terminated || static_cast<LRESULT>(text.size()) != n)
        return s.Fail("WM_GETTEXT's count is not the text's length");
    if (!big.GuardsIntact()) return s.Fail("WM_GETTEXT wrote outside its buffer");
    if (text.size() > 63 || std::any_of(text.begin(), text.end(), IsControl))
        return s.Fail("the text is longer than 63 bytes or has a control character: " + quoted);
    if (SendMessageA(h, WM_GETTEXTLENGTH, 0, 0) != n + 1)
        return s.Fail("WM_GETTEXTLENGTH disagrees with the text " + quoted);

    const int size = std::max(0, s.SizeAround(static_cast<int>(n)));
    Guarded small(size);
    const LRESULT got = SendMessageA(h, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(small.data()));
    const LRESULT want = size == 0 ? 0 : std::min<LRESULT>(n, size - 1);
    if (got != want) return s.Fail("WM_GETTEXT into " + std::to_string(size) + " bytes gave " + std::to_string(got));
    if (size == 0 ? !small.Untouched()
                  : !small.GuardsIntact() || small.Text(&terminated) != text.substr(0, want) || !terminated)
        return s.Fail("WM_GETTEXT into " + std::to_string(size) + " bytes wrote wrongly");

    DWORD sel[2] = {0xFFFFFFFF, 0xFFFFFFFF};
    const LRESULT both =
        SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&sel[0]), reinterpret_cast<LPARAM>(&sel[1]));
    if (sel[0] > text.size() || sel[1] > text.size())
        return s.Fail("the selection " + std::to_string(sel[0]) + "," + std::to_string(sel[1]) + " lies outside " +
                      quoted);
    if (static_cast<DWORD>(both) != static_cast<DWORD>(MAKELONG(sel[0], sel[1])))
        return s.Fail("EM_GETSEL's answer and its outputs differ");
    s.Mix(text.data(), text.size());
    s.Mix(sel, sizeof sel);

    switch (s.info_.kind) {
    case Kind::kInt: {
        if (!IntFault(text).empty()) return s.Fail("integer text " + quoted + ": " + IntFault(text));
        long expected = 0;
        const bool valid = ParseInt(text, &expected);
        GuardedOut<long> value, lo, hi;
        const QXBOOL r = QXIntGetValue(h, &value.value);
        if (r != (valid ? 1 : 0) || (valid && value.value != expected) || !value.GuardsIntact())
            return s.Fail("QXIntGetValue disagrees with the text " + quoted);
        if (QXIntGetRange(h, &lo.value, &hi.value) != 1 || lo.value != model.intMin || hi.value != model.intMax)
            return s.Fail("QXIntGetRange disagrees with the range set");
        break;
    }
    case Kind::kFloat: {
        const std::string fault = FloatFault(text, model.decimal, model.group);
        if (!fault.empty()) return s.Fail("number text " + quoted + ": " + fault);
        GuardedOut<double> value;
        if (QXFloatGetValue(h, &value.value) != 1 || !value.GuardsIntact() ||
            !SameValue(value.value, ReadFloat(text, model.decimal, model.group)))
            return s.Fail("QXFloatGetValue disagrees with the text " + quoted + " (it read " +
                          std::to_string(value.value) + ")");
        s.Mix(&value.value, sizeof value.value);
        break;
    }
    case Kind::kPicture:
    case Kind::kTime: {
        if (!model.hasMask) {
            if (!text.empty()) return s.Fail("a picture edit without a mask shows " + quoted);
            break;
        }
        std::string fault = PictureFault(model.mask, text);
        if (fault.empty() && s.info_.kind == Kind::kTime) fault = TimeFault(model.mask, text);
        if (!fault.empty()) return s.Fail("text " + quoted + " under the mask " + Quote(model.mask) + ": " + fault);
        const std::string placeholders = Placeholders(model.mask, text);
        Guarded value(64);
        if (QXPicGetValue(h, value.data(), value.size()) != 1 || value.Text() != placeholders || !value.GuardsIntact())
            return s.Fail("QXPicGetValue disagrees with the text " + quoted);
        if (s.info_.kind != Kind::kTime) break;
        int hour = -1, minute = -1;
        const bool valid = ParseTime(model.mask, text, &hour, &minute);
        GuardedOut<WORD> h16, m16;
        GuardedOut<BOOL> isValid, is24;
        GuardedOut<QXBOOL> empty;
        const QXBOOL r = QXTime_GetTime(h, &h16.value, &m16.value);
        if (r != (valid ? 1 : 0) || !h16.GuardsIntact() || !m16.GuardsIntact() ||
            (valid ? h16.value != hour || m16.value != minute : !h16.Untouched() || !m16.Untouched()))
            return s.Fail("QXTime_GetTime disagrees with the text " + quoted);
        if (QXTime_HasValidTime(h, &isValid.value) != 1 || isValid.value != (valid ? TRUE : FALSE) ||
            !isValid.GuardsIntact())
            return s.Fail("QXTime_HasValidTime disagrees with the text " + quoted);
        const bool blank = placeholders.find_first_not_of(' ') == std::string::npos;
        if (QXTime_HasEmptyTime(h, &empty.value) != 1 || empty.value != (blank ? 1 : 0) || !empty.GuardsIntact())
            return s.Fail("QXTime_HasEmptyTime disagrees with the text " + quoted);
        if (QXTime_Is24Hour(h, &is24.value) != 1 || is24.value != (model.mask == "99:99" ? TRUE : FALSE))
            return s.Fail("QXTime_Is24Hour disagrees with the mask " + Quote(model.mask));
        break;
    }
    default: break;
    }
}

// A calendar: the date reads back through the exports with a month of 1 to
// 12; a date that was a day of its month stays one through everything but
// the host's own sets, and moving the selection by the arrow keys gives one
// unless the host set a day meanwhile (the parent told of the move).
void CheckCalendar(Soak &s, HWND h) {
    GuardedOut<int> year, month, day;
    if (QXCalGetYear(h, &year.value) != 1 || QXCalGetMonth(h, &month.value) != 1 || QXCalGetDay(h, &day.value) != 1 ||
        !year.GuardsIntact() || !month.GuardsIntact() || !day.GuardsIntact())
        return s.Fail("the calendar's getters fail");
    if (month.value < 1 || month.value > 12) return s.Fail("the calendar shows month " + std::to_string(month.value));
    const bool valid = day.value >= 1 && day.value <= DaysIn(month.value, year.value);
    const std::string date =
        std::to_string(year.value) + "-" + std::to_string(month.value) + "-" + std::to_string(day.value);
    if (s.navigated_ && !s.hostSet_ && !valid)
        return s.Fail("the arrow keys selected " + date + ", no day of its month");
    if (s.model_.dateValid && !s.hostSet_ && !valid) return s.Fail("the calendar went from a valid date to " + date);
    s.model_.dateValid = valid;
    const int read[] = {year.value, month.value, day.value};
    s.Mix(read, sizeof read);
}

}  // namespace

void Soak::CheckAll() {
    HWND h = control_;
    if (!IsWindow(h)) return Fail("the control is gone");
    if (IsEdit(info_.kind)) return CheckEdit(*this, h);
    if (info_.kind == Kind::kCal) return CheckCalendar(*this, h);
    const BOOL enabled = IsWindowEnabled(h);
    Mix(&enabled, sizeof enabled);
}

}  // namespace qxs
