#include "typed/float_rules.h"

#include <math.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

namespace qx {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits of a number as the C runtime reads them whatever its locale: all
// digits in a row, then an exponent ("12345e-2" for 123.45). The buffer takes
// a sign, 63 digits and the exponent.
class DigitString {
public:
    void Sign() { buf_[n_++] = '-'; }
    void Digit(char c) {
        if (n_ < kDigitsEnd) buf_[n_++] = c;
    }
    double Value(int fractionDigits) {
        int e = fractionDigits;
        buf_[n_++] = 'e';
        buf_[n_++] = '-';
        char tmp[4];
        int k = 0;
        do tmp[k++] = static_cast<char>('0' + e % 10), e /= 10;
        while (e);
        while (k) buf_[n_++] = tmp[--k];
        buf_[n_] = '\0';
        // The C runtime DLL's conversion: a static one would add its whole
        // number parser to the library.
        return atof(buf_);
    }

private:
    static constexpr int kDigitsEnd = 1 + NumberText::kCapacity;
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
    if (d == g || IsDigit(d) || IsDigit(g) || d == '-' || g == '-') return false;
    *lead = format[0];
    *decimalChar = d;
    *groupChar = g;
    return true;
}

bool InsertFloatText(NumberText &t, const char *str, int pos, char decimalChar) {
    if (!str || pos < 0 || pos > t.length) return false;
    bool hasDecimal = memchr(t.text, decimalChar, t.length) != nullptr;
    bool inFraction = memchr(t.text, decimalChar, pos) != nullptr;
    bool signDone = false;
    int i = pos;
    for (const char *p = str; *p; ++p) {
        const char c = *p;
        if (IsDigit(c)) {
            if (!inFraction) {
                if (!t.InsertAt(i, c)) return false;
            } else if (i < t.length) {
                t.text[i] = c;
            } else if (!t.InsertAt(i, c)) {
                return false;  // a digit with no room is refused, never dropped
            }
            ++i;
        } else if (c == decimalChar) {
            if (i < t.length && t.text[i] == decimalChar) {
                ++i;
            } else {
                if (hasDecimal) return false;
                if (t.length == 0) {
                    if (!t.InsertAt(i, '0')) return false;
                    ++i;
                }
                if (!t.InsertAt(i, decimalChar)) return false;
                ++i;
                hasDecimal = true;
            }
            inFraction = true;
        } else if (c == '-') {
            if (signDone) return false;
            signDone = true;
            if (t.text[0] == '-') {
                t.RemoveAt(0);
                if (i >= 1) --i;
            } else {
                if (!t.InsertAt(0, '-')) return false;
                ++i;
            }
        } else {
            return false;
        }
    }
    t.anchor = t.caret = i;
    return true;
}

int FloatRemovalStart(const NumberText &t, int pos, int count, FloatRemoval kind,
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
    int count = 0, fraction = 0;
    bool inFraction = false;
    for (;; ++i) {
        if (IsDigit(text[i])) {
            digits.Digit(text[i]);
            ++count;
            if (inFraction) ++fraction;
        } else if (text[i] == decimalChar && !inFraction) {
            inFraction = true;
        } else {
            break;
        }
    }
    if (!count) return 0;
    *value = digits.Value(fraction);
    return i;
}

}  // namespace

bool CheckFloatNumber(const char *text, const FloatFormat &f) {
    const size_t length = strlen(text);
    if (length > static_cast<size_t>(NumberText::kCapacity)) return false;
    int intCount = 0, fracCount = 0;
    bool separator = false;
    for (const char *p = text[0] == '-' ? text + 1 : text; *p; ++p) {
        if (IsDigit(*p))
            ++(separator ? fracCount : intCount);
        else if (*p == f.decimalChar && !separator)
            separator = true;
        else
            return false;
    }
    if (intCount + fracCount == 0) return false;
    if (intCount > f.intDigits || fracCount > f.fracDigits) return false;
    double value = 0.0;
    if (static_cast<size_t>(ReadNumber(text, f.decimalChar, &value)) != length) return false;
    if (isinf(value)) return false;
    if (f.min < 0.0 && value < f.min) return false;
    if (f.max > 0.0 && value > f.max) return false;
    return true;
}

bool NormalizeFloatText(NumberText &t, const FloatFormat &f) {
    // The selection is kept ordered while the text changes.
    if (t.anchor > t.caret) {
        const int a = t.anchor;
        t.anchor = t.caret;
        t.caret = a;
    }
    for (int i = 0; i < t.length;) {
        if (t.text[i] == f.groupChar)
            t.RemoveAt(i);
        else
            ++i;
    }
    if (t.length == 0) return true;

    const int start = t.text[0] == '-' ? 1 : 0;
    while (t.text[start] == '0' && IsDigit(t.text[start + 1])) t.RemoveAt(start);

    if (!CheckFloatNumber(t.text, f)) return false;

    const char *point = static_cast<const char *>(memchr(t.text, f.decimalChar, t.length));
    const int end = point ? static_cast<int>(point - t.text) : t.length;
    const int groups = end - start > 0 ? (end - start - 1) / 3 : 0;
    if (t.length + groups > NumberText::kCapacity) return false;
    // From the right, so that the indices to the left stay as they are.
    for (int j = end - 3; j > start; j -= 3) {
        t.InsertAt(j, f.groupChar);
        if (t.anchor >= j) ++t.anchor;
        if (t.caret >= j) ++t.caret;
    }
    return true;
}

double ReadFloatText(const char *text, char decimalChar, char groupChar) {
    char plain[NumberText::kCapacity + 1];
    int n = 0;
    for (const char *p = text; *p && n < NumberText::kCapacity; ++p)
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
    if (fracDigits < 0 || minimum > NumberText::kCapacity) return false;
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

    char digits[NumberText::kCapacity + 1];
    int count = 0;
    const bool zero = n.IsZero();
    while (!n.IsZero() || count <= fracDigits) {
        if (count == NumberText::kCapacity) return false;  // too many to show
        digits[count++] = static_cast<char>('0' + n.Divide(10));
    }

    const bool negative = value < 0.0 && !zero;
    const int length = (negative ? 1 : 0) + count + (fracDigits > 0 ? 1 : 0);
    if (length > NumberText::kCapacity || length >= size) return false;
    int w = 0;
    if (negative) out[w++] = '-';
    while (count > fracDigits) out[w++] = digits[--count];
    if (fracDigits > 0) out[w++] = decimalChar;
    while (count > 0) out[w++] = digits[--count];
    out[w] = '\0';
    return true;
}

}  // namespace qx
