#include "typed/time_rules.h"

#include <cstring>

#include "common/char_class.h"
#include "common/number_text.h"
#include "typed/picture_mask.h"

namespace qx {
namespace {

const char *const kTimeMasks[] = {"99:99", "99:99 am", "99:99 AM", "99:99 a.m.", "99:99 A.M."};

constexpr int kHours = 0;    // first position of the hours field
constexpr int kColon = 2;
constexpr int kMinutes = 3;  // first position of the minutes field
constexpr int kFieldsEnd = 5;

char At(const char *text, int len, int i) { return i >= 0 && i < len ? text[i] : '\0'; }

// Position of the first position whose character is m (literal or not).
int PositionOf(const char *mask, char m) {
    if (!mask) return -1;
    bool literal;
    int i = 0;
    for (const char *p = MaskFirst(mask, &literal); *p; p = MaskNext(p, &literal), ++i)
        if (*p == m) return i;
    return -1;
}

bool FieldHasDigit(const char *text, int len, int at) {
    return IsDigit(At(text, len, at)) || IsDigit(At(text, len, at + 1));
}

// The value of a two-position field: a leading space is skipped, then digits
// are read to the end of the field; false when there are none.
bool FieldValue(const char *text, int len, int at, int *value) {
    int i = at;
    if (At(text, len, i) == ' ') ++i;
    const int end = at + 2 < len ? at + 2 : len;
    const DigitRun digits = i < end ? ReadDigits(text + i, end - i) : DigitRun{0, 0, false};
    *value = static_cast<int>(digits.value);
    return digits.length > 0;
}

// Whether either position of a field holds something other than a space.
bool FieldFilled(const char *text, int len, int at) {
    return (at < len && text[at] != ' ') || (at + 1 < len && text[at + 1] != ' ');
}

bool IsAmPmLetter(char c) { return c == 'a' || c == 'p' || c == 'A' || c == 'P'; }

}  // namespace

bool IsTimeMask(const char *mask) {
    if (!mask) return false;
    for (const char *m : kTimeMasks)
        if (std::strcmp(mask, m) == 0) return true;
    return false;
}

bool IsTime24HourMask(const char *mask) { return mask && std::strcmp(mask, kTimeMasks[0]) == 0; }

int TimeLetterPosition(const char *mask) {
    const int upper = PositionOf(mask, 'A');
    return upper >= 0 ? upper : PositionOf(mask, 'a');
}

int TimeMarkerPosition(const char *mask) {
    const int upper = PositionOf(mask, 'M');
    return upper >= 0 ? upper : PositionOf(mask, 'm');
}

int FormatTime(int hour, int minute, const char *mask, char *out, int size) {
    if (!out || size < 1) return 0;
    out[0] = '\0';
    if (size < kTimeFormatMin || !mask) return 0;
    bool pm = false;
    if (!IsTime24HourMask(mask)) {
        pm = hour >= 12;
        if (hour == 0)
            hour = 12;
        else if (hour > 12)
            hour -= 12;
    }
    const int values[] = {hour, minute};
    int next = 0, n = 0;
    bool literal;
    int positions = 0;
    for (const char *p = MaskFirst(mask, &literal); *p && positions < kTimeFormatMin && n < size - 1;
         p = MaskNext(p, &literal), ++positions) {
        if (*p == '9' && !literal) {
            bool nextLiteral;
            const char *q = MaskNext(p, &nextLiteral);
            int width = 1;
            if (*q == '9' && !nextLiteral) {  // a pair of 9s is one number
                p = q;
                ++positions;
                width = 2;
            }
            if (next < 2)
                n += FormatDecimal(values[next++], 2, out + n, size - n);
            else  // only two numbers exist: further fields stay blank
                for (; width > 0 && n < size - 1; --width) out[n++] = ' ';
        } else if (pm && *p == 'A' && !literal) {
            out[n++] = 'P';
        } else if (pm && *p == 'a' && !literal) {
            out[n++] = 'p';
        } else {
            out[n++] = *p;
        }
    }
    out[n] = '\0';
    return n;
}

bool ParseTime(const char *mask, const char *text, int len, int *hour, int *minute) {
    if (!mask || !text) return false;
    if (len > kTimeFormatMin - 1) len = kTimeFormatMin - 1;
    int h, m;
    if (!FieldHasDigit(text, len, kHours) || !FieldHasDigit(text, len, kMinutes)) return false;
    if (!FieldValue(text, len, kHours, &h) || !FieldValue(text, len, kMinutes, &m)) return false;
    const bool is24 = IsTime24HourMask(mask);
    bool pm = false;
    if (!is24) {
        const char letter = At(text, len, TimeLetterPosition(mask));
        if (!IsAmPmLetter(letter)) return false;
        pm = letter == 'p' || letter == 'P';
    }
    if (m > 59) return false;
    if (is24 ? h > 23 : (h < 1 || h > 12)) return false;
    if (!is24) {
        if (!pm && h == 12)
            h = 0;
        else if (pm && h != 12)
            h += 12;
    }
    *hour = h;
    *minute = m;
    return true;
}

Refusal TimeValid(const char *mask, const char *text, int len) {
    if (!mask || !text) return Refusal::kOther;
    const bool is24 = IsTime24HourMask(mask);
    int value;
    if (FieldFilled(text, len, kHours) &&
        (!FieldValue(text, len, kHours, &value) || value > (is24 ? 23 : 12)))
        return Refusal::kHourRange;
    if (FieldFilled(text, len, kMinutes) && (!FieldValue(text, len, kMinutes, &value) || value > 59))
        return Refusal::kMinuteRange;
    if (is24) return Refusal::kNone;
    bool literal;
    int i = 0;
    for (const char *p = MaskFirst(mask, &literal); *p && i < len; p = MaskNext(p, &literal), ++i) {
        if (i < 6 || text[i] == ' ') continue;
        const char c = text[i];
        if (*p == 'a' && !literal) {
            if (c != 'a' && c != 'p') return Refusal::kNotAccepted;
        } else if (*p == 'A' && !literal) {
            if (c != 'A' && c != 'P') return Refusal::kNotAccepted;
        } else if (c != *p) {
            return Refusal::kNotAccepted;
        }
    }
    return Refusal::kNone;
}

Refusal TimeInsert(const char *mask, TextLine &line, const char *str, int pos) {
    const int len = line.length;
    if (!mask || !str || pos < 0 || pos > len || len < kFieldsEnd) return Refusal::kNoRoom;
    const bool is24 = IsTime24HourMask(mask);
    const int count = MaskPositionCount(mask);
    const int end = count < len ? count : len;
    const int letterAt = is24 ? -1 : TimeLetterPosition(mask);
    const int markerAt = is24 ? -1 : TimeMarkerPosition(mask);
    const bool upper = letterAt >= 0 && PositionOf(mask, 'A') == letterAt;

    TextLine edited = line;
    char *const work = edited.text;
    int i = pos;
    bool minutes = pos > kColon;
    bool letterDone = false;
    for (; *str; ++str) {
        const char c = *str;
        if (i >= end) return Refusal::kNoRoom;
        if (IsDigit(c)) {
            if (!minutes && i > kHours + 1) {
                if (i != kColon || work[kHours] != ' ') return Refusal::kNoRoom;
                work[kHours] = work[kHours + 1];
                i = kHours + 1;
            } else if (minutes && i > kMinutes + 1) {
                if (i != kFieldsEnd || work[kMinutes] != ' ') return Refusal::kNoRoom;
                work[kMinutes] = work[kMinutes + 1];
                i = kMinutes + 1;
            }
            work[i++] = c;
        } else if (c == ':' || (c == ' ' && !minutes)) {
            if (minutes) return Refusal::kNotAccepted;
            i = kMinutes;
            minutes = true;
        } else if (c == 'a' || c == 'A' || c == 'p' || c == 'P') {
            if (is24 || letterDone || letterAt < 0 || letterAt >= end)
                return i < kFieldsEnd ? Refusal::kNeedsDigit : Refusal::kNotAccepted;
            const bool isPm = c == 'p' || c == 'P';
            work[letterAt] = upper ? (isPm ? 'P' : 'A') : (isPm ? 'p' : 'a');
            i = letterAt + 1;
            letterDone = true;
        } else if (c == 'm' || c == 'M') {
            if (is24 || markerAt < 0 || i > markerAt)
                return i < kFieldsEnd ? Refusal::kNeedsDigit : Refusal::kNotAccepted;
            i = markerAt;
            letterDone = true;
        } else if (c == ' ') {  // in the minutes
            if (is24) return Refusal::kNeedsDigit;
            if (i == kFieldsEnd) i = kFieldsEnd + 1;
        } else {
            return i < kFieldsEnd ? Refusal::kNeedsDigit : Refusal::kNotAccepted;
        }
    }
    if (IsDigit(work[kHours]) && work[kHours + 1] == ' ') {
        work[kHours + 1] = work[kHours];
        work[kHours] = ' ';
        if (i == kHours + 1) i = kColon;
    }
    if (i > end) return Refusal::kNoRoom;  // the caret never leaves the text
    edited.anchor = edited.caret = i;
    line = edited;
    return Refusal::kNone;
}

void TimeAfterBlank(const char *mask, char *text, int len, int pos, int count, char letter) {
    if (!mask || !text || IsTime24HourMask(mask)) return;
    const int at = TimeLetterPosition(mask);
    if (at < 0 || at >= len) return;
    text[at] = (pos <= at && pos + count >= at) ? ' ' : letter;
}

bool TimeStep(const char *mask, TextLine &line, bool up) {
    if (!mask || line.length < kFieldsEnd) return false;
    const bool is24 = IsTime24HourMask(mask);
    // A copy whose empty fields are filled, then read.
    TextLine filled = line;
    char *const work = filled.text;
    const int n = filled.length;
    if (!FieldHasDigit(work, n, kHours)) {
        const char *fill = up ? (is24 ? "23" : "11") : "01";
        work[kHours] = fill[0];
        work[kHours + 1] = fill[1];
    }
    if (!FieldHasDigit(work, n, kMinutes)) work[kMinutes] = work[kMinutes + 1] = '0';
    const int letterAt = is24 ? -1 : TimeLetterPosition(mask);
    if (letterAt >= 0 && letterAt < n && !IsAmPmLetter(work[letterAt])) work[letterAt] = up ? 'P' : 'A';

    int hour, minute, anchor, caret;
    if (!ParseTime(mask, work, n, &hour, &minute)) return false;
    const int lo = line.SelStart();
    if (lo < kMinutes) {
        hour = (hour + (up ? 1 : 23)) % 24;
        anchor = kHours;
        caret = kColon;
    } else if (lo <= kFieldsEnd || is24) {
        minute = (minute + (up ? 1 : 59)) % 60;
        anchor = kMinutes;
        caret = kFieldsEnd;
    } else {
        hour = hour < 12 ? hour + 12 : hour - 12;
        anchor = letterAt;
        caret = TimeMarkerPosition(mask);
    }
    char text[kTimeFormatMin];
    FormatTime(hour, minute, mask, text, sizeof text);
    line.SetText(text);
    line.SetSel(anchor, caret);
    return true;
}

}  // namespace qx
