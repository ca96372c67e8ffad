// Whole numbers to and from decimal text, without the C runtime's locale.
// Every control that shows or reads a number (the integer and floating-point
// edits, the time fields, the calendar's year and days) goes through these.
#pragma once

namespace qx {

// The decimal text of value: a '-' when it is negative, then its digits, at
// least minDigits of them (zeros in front). Writes the text and a terminating
// zero into out, which holds size bytes; returns the text's length, or 0
// with out empty (when size allows) when the text does not fit.
int FormatDecimal(long long value, int minDigits, char *out, int size);

// The run of decimal digits at the start of a text, read up to its first
// other character and at most maxLength characters far.
struct DigitRun {
    int length;                // the number of digits (0: none)
    unsigned long long value;  // their value, when it did not overflow
    bool overflow;             // the value passes 2^64 - 1
};
DigitRun ReadDigits(const char *text, int maxLength);

}  // namespace qx
