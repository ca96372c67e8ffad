// Rules of the integer edit that need no window: what a text may hold, how it
// is normalised, how it reads as a value and how the value steps.
#pragma once

#include "common/text_line.h"
#include "edit/edit_change.h"

namespace qx {

static_assert(sizeof(long) == 4, "the integer edit's values are 32-bit longs");

// The limits an integer text is checked against.
struct IntLimits {
    int maxChars = TextLine::kCapacity;  // a leading minus sign included
    long min = -2147483647L - 1;
    long max = 2147483647L;
};

// A mask is a run of '9' (the empty mask included); null is none.
bool IsIntMask(const char *mask);
// The character allowance of a mask: its length, or 63 without one.
int IntMaskChars(const char *mask);

// Whether typed or pasted text holds only '-' and digits (null: false).
bool IsIntInput(const char *str);

// Reads a text as the standard conversion does: leading spaces, an optional
// sign, digits up to the first other character; a text without digits is 0.
// False when the digits name a value outside the 32-bit range, which is never
// wrapped into it.
bool ParseIntText(const char *text, long *value);

// Checks a whole text and normalises it in place: leading spaces go, then
// leading zeros before a digit, the selection staying on its characters.
// Refused (the text then undefined) when something else than an optional
// '-' and digits remains (kNotAccepted), when there are more characters
// than the allowance (kNoRoom), when the value is above max or does not fit
// 32 bits going up (kAboveMaximum), or when it is negative and below min or
// below 32 bits (kBelowMinimum; a non-negative value below min passes, so
// that a number can be typed digit by digit).
Refusal NormalizeIntText(TextLine &t, const IntLimits &limits);

// One step up (delta +1) or down (-1) from value. Past max going up, or past
// min going down, the value continues at the other end when wrap is set and
// is refused (false) otherwise; the ends of the 32-bit range count as past.
bool StepIntValue(long value, int delta, long min, long max, bool wrap, long *result);

}  // namespace qx
