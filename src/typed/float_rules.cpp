#include "typed/float_rules.h"

#include <math.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <initializer_list>

#include "common/char_class.h"
#include "common/number_text.h"

namespace qx {
namespace {

// Digits of a number as the C runtime reads them whatever its locale: all
// digits in a row, then an exponent ("12345e-2" for 123.45). The buffer takes
// a sign, 63 digits and the exponent.
class DigitString {
public:
    void Sign() { buf_[n_++] = '-'; }
    void Digits(const char *digits, int count) {
        for (int i = 0; i < count && n_ < kDigitsEnd; ++i) buf_[n_++] = digits[i];
    }
    double Value(int fractionDigits) {
        buf_[n_++] = 'e';
        FormatDecimal(-fractionDigits, 1, buf_ + n_, static_cast<int>(sizeof buf_) - n_);
        // The C runtime DLL's conversion: a static one would add its whole
        // number parser to the library.
        return atof(buf_);
    }

private:
    static constexpr int kDigitsEnd = 1 + TextLine::kCapacity;
    char buf_[kDigitsEnd + 8];
    int n_ = 0;
};

// An unsigned integer of 32-bit limbs, least significant first; wide enough
// for a value below 1e63 scaled by at most 10^61.
class BigNum {
public:
    explicit BigNum(uint64_t v) {
        limb_[0] = static_cast<uint32_t>(v);
        limb_[1] = static_cast<uint32_t>(v >> 32);
    }
    void Multiply(uint32_t m) {
        uint64_t carry = 0;
        for (uint32_t &l : limb_) {
            const uint64_t t = static_cast<uint64_t>(l) * m + carry;
            l = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
    }
    void ShiftLeft(int bits) {
        for (; bits > 0; --bits) Multiply(2);
    }
    // Shifts right by bits, rounding half away from zero.
    void ShiftRightRounded(int bits) {
        bool roundUp = false;
        for (; bits > 0; --bits) roundUp = Divide(2) != 0;
        if (roundUp) Add(1);
    }
    // Divides by d (not 0) and returns the remainder.
    uint32_t Divide(uint32_t d) {
        uint64_t rem = 0;
        for (int i = kLimbs - 1; i >= 0; --i) {
            const uint64_t t = (rem << 32) | limb_[i];
            limb_[i] = static_cast<uint32_t>(t / d);
            rem = t % d;
        }
        return static_cast<uint32_t>(rem);
    }
    bool IsZero() const {
        for (uint32_t l : limb_)
            if (l) return false;
        return true;
    }

private:
    void Add(uint32_t v) {
        uint64_t carry = v;
        for (uint32_t &l : limb_) {
            const uint64_t t = l + carry;
            l = static_cast<uint32_t>(t);
            carry = t >> 32;
            if (!carry) break;
        }
    }
    // 2^53 * 2^158 * 10^61 < 2^416.
    static constexpr int kLimbs = 14;

public:
    // Groups of nine decimal digits that the largest value needs: 2^448 < 10^135.
    static constexpr int kGroups = 15;
    uint32_t limb_[kLimbs] = {};
};

}  // namespace

bool FloatMaskDigits(const char *mask, char decimalChar, int *intDigits, int *fracDigits) {
    if (!mask) return false;
    if (!*mask) {
        *intDigits = *fracDigits = kUnlimitedDigits;
        return true;
    }
    *intDigits = *fracDigits = 0;
    bool fraction = false;
    for (const char *p = mask; *p; ++p) {
        if (IsDigit(*p))
            ++(fraction ? *fracDigits : *intDigits);
        else if (*p == decimalChar && !fraction)
            fraction = true;
        else
            return false;
    }
    return true;
}

bool ParseFloatFormat(const char *format, char *lead, char *decimalChar, char *groupChar) {
    // Each character is read only after the one before it proved not to end
    // the string.
    if (!format || !format[0] || !format[1] || !format[2]) return false;
    const char d = format[1], g = format[2];
    if (d == g) return false;
    for (char c : {d, g})
        if (IsDigit(c) || c == '-' || IsControlChar(c) || IsLeadByte(c)) return false;
    *lead = format[0];
    *decimalChar = d;
    *groupChar = g;
    return true;
}

bool LocaleFloatFormat(const char *decimal, const char *group, char lead, char format[4]) {
    if (!decimal[0] || decimal[1] || decimal[0] == '?' || !group[0] || group[1] || group[0] == '?') return false;
    format[0] = lead;
    format[1] = decimal[0];
    format[2] = group[0];
    format[3] = '\0';
    return true;
}

void ReplaceFloatSeparators(TextLine &t, char oldDecimal, char oldGroup, char newDecimal) {
    for (int i = 0; i < t.length;) {
        if (t.text[i] == oldGroup) {
            t.Remove(i, 1);
        } else {
            if (t.text[i] == oldDecimal) t.text[i] = newDecimal;
            ++i;
        }
    }
}

Refusal InsertFloatText(TextLine &t, const char *str, int pos, char decimalChar) {
    if (!str || pos < 0 || pos > t.length) return Refusal::kOther;
    bool hasDecimal = memchr(t.text, decimalChar, t.length) != nullptr;
    bool inFraction = memchr(t.text, decimalChar, pos) != nullptr;
    bool signDone = false;
    int i = pos;
    for (const char *p = str; *p; ++p) {
        const char c = *p;
        if (IsDigit(c)) {
            if (!inFraction) {
                if (!t.Insert(c, i)) return Refusal::kNoRoom;
            } else if (i < t.length) {
                t.text[i] = c;
            } else if (!t.Insert(c, i)) {
                return Refusal::kNoRoom;  // a digit with no room is refused, never dropped
            }
            ++i;
        } else if (c == decimalChar) {
            if (i < t.length && t.text[i] == decimalChar) {
                ++i;
            } else {
                if (hasDecimal) return Refusal::kNotAccepted;
                if (t.length == 0) {
                    if (!t.Insert('0', i)) return Refusal::kNoRoom;
                    ++i;
                }
                if (!t.Insert(decimalChar, i)) return Refusal::kNoRoom;
                ++i;
                hasDecimal = true;
            }
            inFraction = true;
        } else if (c == '-') {
            if (signDone) return Refusal::kNotAccepted;
            signDone = true;
            if (t.text[0] == '-') {
                t.Remove(0, 1);
                if (i >= 1) --i;
            } else {
                if (!t.Insert('-', 0)) return Refusal::kNoRoom;
                ++i;
            }
        } else {
            return Refusal::kNotAccepted;
        }
    }
    t.anchor = t.caret = i;
    return Refusal::kNone;
}

int FloatRemovalStart(const TextLine &t, int pos, int count, FloatRemoval kind,
                      char groupChar) {
    if (pos < 0 || count < 0 || pos + count > t.length) return -1;
    if (pos < t.length && t.text[pos] == groupChar) {
        if (kind == FloatRemoval::kBackspace && pos >= 1) return pos - 1;
        if (kind == FloatRemoval::kDeleteKey && pos + count < t.length) return pos + 1;
    }
    return pos;
}

namespace {

// Reads [-]digits[separator digits] from text; the number of characters
// read, 0 when no digit was found.
int ReadNumber(const char *text, char decimalChar, double *value) {
    DigitString digits;
    int i = 0;
    if (text[0] == '-') {
        digits.Sign();
        ++i;
    }
    const DigitRun whole = ReadDigits(text + i, TextLine::kCapacity);
    digits.Digits(text + i, whole.length);
    i += whole.length;
    int fraction = 0;
    if (text[i] == decimalChar) {
        const DigitRun part = ReadDigits(text + i + 1, TextLine::kCapacity);
        digits.Digits(text + i + 1, part.length);
        fraction = part.length;
        i += 1 + part.length;
    }
    if (whole.length + fraction == 0) return 0;
    *value = digits.Value(fraction);
    return i;
}

}  // namespace

Refusal CheckFloatNumber(const char *text, const FloatFormat &f) {
    const size_t length = strlen(text);
    if (length > static_cast<size_t>(TextLine::kCapacity)) return Refusal::kNoRoom;
    int intCount = 0, fracCount = 0;
    bool separator = false;
    for (const char *p = text[0] == '-' ? text + 1 : text; *p; ++p) {
        if (IsDigit(*p))
            ++(separator ? fracCount : intCount);
        else if (*p == f.decimalChar && !separator)
            separator = true;
        else
            return Refusal::kNotAccepted;
    }
    if (intCount + fracCount == 0) return Refusal::kNotAccepted;
    if (intCount > f.intDigits || fracCount > f.fracDigits) return Refusal::kNoRoom;
    double value = 0.0;
    if (static_cast<size_t>(ReadNumber(text, f.decimalChar, &value)) != length) return Refusal::kNotAccepted;
    if (isinf(value) || (f.max > 0.0 && value > f.max)) return value < 0.0 ? Refusal::kBelowMinimum : Refusal::kAboveMaximum;
    if (f.min < 0.0 && value < f.min) return Refusal::kBelowMinimum;
    return Refusal::kNone;
}

Refusal NormalizeFloatText(TextLine &t, const FloatFormat &f) {
    // The selection is kept ordered while the text changes.
    if (t.anchor > t.caret) {
        const int a = t.anchor;
        t.anchor = t.caret;
        t.caret = a;
    }
    for (int i = 0; i < t.length;) {
        if (t.text[i] == f.groupChar)
            t.Remove(i, 1);
        else
            ++i;
    }
    if (t.length == 0) return Refusal::kNone;

    const int start = t.text[0] == '-' ? 1 : 0;
    while (t.text[start] == '0' && IsDigit(t.text[start + 1])) t.Remove(start, 1);

    if (const Refusal refusal = CheckFloatNumber(t.text, f); refusal != Refusal::kNone) return refusal;

    const char *point = static_cast<const char *>(memchr(t.text, f.decimalChar, t.length));
    const int end = point ? static_cast<int>(point - t.text) : t.length;
    const int groups = end - start > 0 ? (end - start - 1) / 3 : 0;
    if (t.length + groups > TextLine::kCapacity) return Refusal::kNoRoom;
    // From the right, so that the indices to the left stay as they are.
    for (int j = end - 3; j > start; j -= 3) t.Insert(f.groupChar, j);
    return Refusal::kNone;
}

bool ReshowFloatText(TextLine &t, const FloatFormat &old, char newDecimal, char newGroup) {
    ReplaceFloatSeparators(t, old.decimalChar, old.groupChar, newDecimal);
    FloatFormat open;  // the separators alone decide
    open.decimalChar = newDecimal;
    open.groupChar = newGroup;
    open.intDigits = open.fracDigits = kUnlimitedDigits;
    open.min = open.max = 0.0;
    return NormalizeFloatText(t, open) == Refusal::kNone;
}

namespace {

// The length of a number text once its integer digits are grouped by three.
int GroupedLength(const char *text, char decimalChar) {
    const int length = static_cast<int>(strlen(text));
    const char *point = strchr(text, decimalChar);
    const int start = text[0] == '-' ? 1 : 0;
    const int end = point ? static_cast<int>(point - text) : length;
    return length + (end - start > 0 ? (end - start - 1) / 3 : 0);
}

}  // namespace

bool FloatValueText(double value, const FloatFormat &f, TextLine *out) {
    char text[TextLine::kCapacity + 1];
    // One fraction digit fewer until the grouped text fits the line; the
    // formatting's other failures (an infinity, NaN, 63 integer digits or
    // more) come with any number of digits.
    int digits = f.fracDigits;
    while (!FormatFloatValue(value, digits, f.decimalChar, text, sizeof text) ||
           GroupedLength(text, f.decimalChar) > TextLine::kCapacity) {
        if (--digits < 0) return false;
    }
    TextLine line(text);
    if (NormalizeFloatText(line, f) != Refusal::kNone) return false;
    *out = line;
    return true;
}

double ReadFloatText(const char *text, char decimalChar, char groupChar) {
    char plain[TextLine::kCapacity + 1];
    int n = 0;
    for (const char *p = text; *p && n < TextLine::kCapacity; ++p)
        if (*p != groupChar) plain[n++] = *p;
    plain[n] = '\0';
    double value = 0.0;
    if (!ReadNumber(plain, decimalChar, &value)) return 0.0;
    return value;
}

bool FormatFloatValue(double value, int fracDigits, char decimalChar, char *out, int size) {
    if (!out || size < 1) return false;
    out[0] = '\0';
    // At least one integer digit, and the separator with the fraction.
    const int minimum = 1 + (fracDigits > 0 ? 1 + fracDigits : 0);
    if (fracDigits < 0 || minimum > TextLine::kCapacity) return false;
    if (!isfinite(value) || fabs(value) >= 1e63) return false;

    // |value| = mantissa * 2^exponent exactly, the mantissa a 53-bit integer.
    int exponent = 0;
    const double fraction = frexp(fabs(value), &exponent);
    const uint64_t mantissa = static_cast<uint64_t>(ldexp(fraction, 53));
    exponent -= 53;

    // n = round(|value| * 10^fracDigits)
    BigNum n(mantissa);
    for (int k = 0; k < fracDigits; ++k) n.Multiply(10);
    if (exponent >= 0)
        n.ShiftLeft(exponent);
    else
        n.ShiftRightRounded(-exponent);

    // The digits of n, at least one integer digit: in groups of nine from
    // the lowest, the highest group without its leading zeros.
    const bool zero = n.IsZero();
    uint32_t groups[BigNum::kGroups];
    int count = 0;
    do groups[count++] = n.Divide(1000000000);
    while (!n.IsZero());
    char digits[BigNum::kGroups * 9 + 1];
    int total = FormatDecimal(groups[--count], 1, digits, sizeof digits);
    while (count > 0) total += FormatDecimal(groups[--count], 9, digits + total, 10);
    // Shown with zeros in front up to one integer digit.
    const int shown = total > fracDigits ? total : fracDigits + 1;

    const bool negative = value < 0.0 && !zero;
    const int length = (negative ? 1 : 0) + shown + (fracDigits > 0 ? 1 : 0);
    if (length > TextLine::kCapacity || length >= size) return false;
    int w = 0;
    if (negative) out[w++] = '-';
    for (int i = 0; i < shown; ++i) {
        if (i == shown - fracDigits) out[w++] = decimalChar;
        const int d = i - (shown - total);  // zeros before the digits of n
        out[w++] = d < 0 ? '0' : digits[d];
    }
    out[w] = '\0';
    return true;
}

}  // namespace qx
