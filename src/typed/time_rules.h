// The rules of a time of day laid over one of the five time masks, on plain
// data:
//
//   "99:99"        24-hour
//   "99:99 am"     12-hour, letter a/p at 6, literal m
//   "99:99 AM"     12-hour, letter A/P at 6, literal M
//   "99:99 a.m."   12-hour, letter a/p at 6, literals . m .
//   "99:99 A.M."   12-hour, letter A/P at 6, literals . M .
//
// Hours are text positions 0-1, minutes 3-4. Times cross the interface as an
// hour of the 24-hour clock and a minute. Texts are (text, len) pairs, laid
// over the mask one byte per position (see picture_rules.h).
#pragma once

#include "common/text_line.h"
#include "edit/edit_change.h"

namespace qx {

// One of the five masks, compared exactly.
bool IsTimeMask(const char *mask);
bool IsTime24HourMask(const char *mask);
// Position of the am/pm letter (the first A placeholder, else the first a),
// and of the mask's M (else m); -1 when the mask has none.
int TimeLetterPosition(const char *mask);
int TimeMarkerPosition(const char *mask);

// Buffers given to FormatTime hold at least this much.
constexpr int kTimeFormatMin = 32;

// The time as the mask shows it: each pair of 9s gives two digits (the hour,
// then the minute), a 12-hour mask its hour 12, 1..11 and the pm letter in
// the mask's case. Writes at most size - 1 bytes, zero-terminated; a buffer
// smaller than kTimeFormatMin gets the empty text. Returns the length.
int FormatTime(int hour, int minute, const char *mask, char *out, int size);

// The time a text holds: both fields need a digit; minute 0..59; hour 0..23,
// or 1..12 with an a/p letter under a 12-hour mask. Gives the hour of the
// 24-hour clock.
bool ParseTime(const char *mask, const char *text, int len, int *hour, int *minute);

// The time ranges of a text that already fits the mask: a filled hours field
// at most 12 (12-hour) or 23 (else kHourRange), a filled minutes field at
// most 59 (kMinuteRange), and under a 12-hour mask the letter position a/p
// (or A/P) and the literals after it (kNotAccepted).
Refusal TimeValid(const char *mask, const char *text, int len);

// Field-aware typing of str at pos: digits fill the field at the caret (a
// single hour or minute digit shifts left to make room for a second), ':'
// or a space moves to the minutes, a/p sets the letter in the mask's case,
// m moves past the letter. A single hour digit ends right-aligned. On success
// the text is changed and the caret (with no selection) is where typing goes
// on, never past the end of the text or of the mask. On failure the line is
// unchanged: a full field or a position the text does not reach is kNoRoom,
// anything else but a digit in the fields kNeedsDigit, a character the mask
// does not take after them kNotAccepted.
Refusal TimeInsert(const char *mask, TextLine &line, const char *str, int pos);

// After positions pos..pos + count were blanked: under a 12-hour mask the
// letter is cleared when the blanked run reaches it or the space before it,
// else it keeps `letter`, the character it held before.
void TimeAfterBlank(const char *mask, char *text, int len, int pos, int count, char letter);

// Steps the field at the lower end of the selection up or down: hours below
// 3 (through the 24-hour clock, wrapping), minutes from 3 to 5 (wrapping, no
// carry), the am/pm letter above 5. Empty fields are filled first. On success
// the line shows the new time with the stepped field selected; false, the
// line unchanged, when the text cannot be read as a time.
bool TimeStep(const char *mask, TextLine &line, bool up);

}  // namespace qx
