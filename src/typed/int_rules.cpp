#include "typed/int_rules.h"

#include <string.h>

#include "common/char_class.h"
#include "common/number_text.h"

namespace qx {
namespace {

constexpr long long kLongMin = -2147483647LL - 1;
constexpr long long kLongMax = 2147483647LL;

}  // namespace

bool IsIntMask(const char *mask) {
    if (!mask) return false;
    for (const char *p = mask; *p; ++p)
        if (*p != '9') return false;
    return true;
}

int IntMaskChars(const char *mask) {
    if (!mask) return TextLine::kCapacity;
    const size_t n = strlen(mask);
    return n > static_cast<size_t>(TextLine::kCapacity) ? TextLine::kCapacity : static_cast<int>(n);
}

bool IsIntInput(const char *str) {
    if (!str) return false;
    for (const char *p = str; *p; ++p)
        if (*p != '-' && !IsDigit(*p)) return false;
    return true;
}

bool ParseIntText(const char *text, long *value) {
    *value = 0;
    if (!text) return true;
    const char *p = text;
    while (IsSpace(*p)) ++p;
    bool negative = false;
    if (*p == '-' || *p == '+') negative = *p++ == '-';
    const DigitRun digits = ReadDigits(p, 0x7FFFFFFF);
    if (digits.overflow || digits.value > static_cast<unsigned long long>(kLongMax) + 1) return false;
    long long v = static_cast<long long>(digits.value);
    if (negative) v = -v;
    if (v < kLongMin || v > kLongMax) return false;
    *value = static_cast<long>(v);
    return true;
}

Refusal NormalizeIntText(TextLine &t, const IntLimits &limits) {
    while (t.length > 0 && t.text[0] == ' ') t.Remove(0, 1);

    int allowance = limits.maxChars;
    int i = 0;
    if (t.text[0] == '-') {
        ++i;
        --allowance;
    }
    for (; IsDigit(t.text[i]); ++i) {
        if (allowance < 1) break;
        --allowance;
    }
    if (i < t.length) return IsDigit(t.text[i]) ? Refusal::kNoRoom : Refusal::kNotAccepted;

    long value;
    const bool negative = t.text[0] == '-';
    if (!ParseIntText(t.text, &value)) return negative ? Refusal::kBelowMinimum : Refusal::kAboveMaximum;
    if (value > limits.max) return Refusal::kAboveMaximum;
    if (value < 0 && value < limits.min) return Refusal::kBelowMinimum;

    while (t.text[0] == '0' && IsDigit(t.text[1])) t.Remove(0, 1);
    return Refusal::kNone;
}

bool StepIntValue(long value, int delta, long min, long max, bool wrap, long *result) {
    const long long next = static_cast<long long>(value) + delta;
    if (delta > 0 && next > max) {
        if (!wrap) return false;
        *result = min;
        return true;
    }
    if (delta < 0 && next < min) {
        if (!wrap) return false;
        *result = max;
        return true;
    }
    // Going up next is at most max, going down at least min: within 32 bits.
    *result = static_cast<long>(next);
    return true;
}

}  // namespace qx
