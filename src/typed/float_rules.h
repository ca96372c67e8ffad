// Rules of the floating-point edit that need no window. A text reads: an
// optional leading '-', integer digits grouped by the group separator every
// three digits from the decimal separator leftwards, an optional decimal
// separator and fraction digits. Conversions never consult the C runtime's
// locale: the separators are the edit's own.
#pragma once

#include "common/text_line.h"
#include "edit/edit_change.h"

namespace qx {

// What a mask leaves unlimited.
constexpr int kUnlimitedDigits = 127;

struct FloatFormat {
    char decimalChar = '.';
    char groupChar = ',';
    int intDigits = 10;
    int fracDigits = 5;
    double min = -100000000000.0;
    double max = 100000000000.0;
};

// Digit counts of a mask: digits up to the first decimal separator count
// integer digits, digits after it fraction digits; the empty mask leaves both
// unlimited. False on null or on any other character, the counts then holding
// what was counted up to it.
bool FloatMaskDigits(const char *mask, char decimalChar, int *intDigits, int *fracDigits);

// A format of three characters: a lead character (kept, not used), the
// decimal separator and the group separator. False for null or a shorter
// string, for equal separators, and for a separator that is a digit, '-', a
// control character or the lead byte of a double-byte character.
bool ParseFloatFormat(const char *format, char *lead, char *decimalChar, char *groupChar);

// A format as ParseFloatFormat reads it from a locale's decimal and group
// separators (LOCALE_SDECIMAL, LOCALE_STHOUSAND, in the ANSI code page) and a
// lead character: false unless each separator is one byte, and not the '?'
// that stands for a character the code page cannot write (a locale that
// groups no digits gives none). ParseFloatFormat then judges the pair.
bool LocaleFloatFormat(const char *decimal, const char *group, char lead, char format[4]);

// A text of the edit in other separators, in place: the old group
// separators dropped, the old decimal separator replaced by the new one,
// digits and sign kept (NormalizeFloatText then groups it anew).
void ReplaceFloatSeparators(TextLine &t, char oldDecimal, char oldGroup, char newDecimal);

// Typing or pasting str at pos: digits are inserted in the integer part and
// written over the fraction; a decimal separator is stepped over when it is
// the next character, else inserted (after a '0' in an empty text) unless the
// text holds one; '-' toggles the sign, once per str. The caret ends after
// the last character placed. Refused, with t then undefined, for any other
// character, a second separator or sign (kNotAccepted), or a text that would
// pass 63 characters (kNoRoom).
Refusal InsertFloatText(TextLine &t, const char *str, int pos, char decimalChar);

enum class FloatRemoval { kOther, kBackspace, kDeleteKey };
// Where the removal of count characters at pos starts: Backspace onto a group
// separator takes the digit before it, the Delete key on one the digit after
// it. -1 when the range lies outside the text.
int FloatRemovalStart(const TextLine &t, int pos, int count, FloatRemoval kind,
                      char groupChar);

// Whether a text without group separators is a number the format allows:
// one decimal separator and at least one digit (else kNotAccepted), the
// digit counts and the line (kNoRoom), and the range (kAboveMaximum,
// kBelowMinimum: a negative min and a positive max are enforced, so a
// number can be typed digit by digit toward a range away from zero).
Refusal CheckFloatNumber(const char *text, const FloatFormat &f);

// Checks and normalises a text in place: group separators out, leading zeros
// before a digit out, the number check, then the groups rebuilt, the
// selection (ordered, anchor at its start) staying on its characters.
// Refused, with t then undefined, when the check fails or the grouped text
// would pass 63 characters (kNoRoom). An empty text is valid.
Refusal NormalizeFloatText(TextLine &t, const FloatFormat &f);

// A text shown anew in other separators and grouped by them, whatever the
// digit counts and the range: the old group separators dropped, the old
// decimal separator replaced. False (t then undefined) when the text holds
// no number in the old separators or its grouped form passes 63 characters.
bool ReshowFloatText(TextLine &t, const FloatFormat &old, char newDecimal, char newGroup);

// The value of a text as the standard conversion reads it: group separators
// skipped, the longest number at the start, 0 when there is none.
double ReadFloatText(const char *text, char decimalChar, char groupChar);

// A value in fixed point with exactly fracDigits fraction digits (rounded
// half away from zero), the decimal separator given, no groups, no sign when
// every digit printed is zero. False for an infinity or NaN and for a text
// that would not fit in 63 characters or in size bytes.
bool FormatFloatValue(double value, int fracDigits, char decimalChar, char *out, int size);

// A value as the edit shows it, grouped, into *out: with the format's
// fraction digits, or with as many as the 63 characters hold when fewer fit
// (an unlimited mask asks for more than ever fit). False when the value
// cannot be shown: an infinity or NaN, an integer part the format or the
// line does not hold, a value outside the range.
bool FloatValueText(double value, const FloatFormat &f, TextLine *out);

}  // namespace qx
