#include "common/number_text.h"

#include "common/char_class.h"

namespace qx {

int FormatDecimal(long long value, int minDigits, char *out, int size) {
    if (!out || size < 1) return 0;
    out[0] = '\0';
    // The magnitude as unsigned, so that the lowest value has one too.
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    char digits[24];  // 2^64 has 20 digits
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    const int zeros = minDigits > count ? minDigits - count : 0;
    const int length = (value < 0 ? 1 : 0) + zeros + count;
    if (length >= size) return 0;
    int n = 0;
    if (value < 0) out[n++] = '-';
    for (int i = 0; i < zeros; ++i) out[n++] = '0';
    while (count) out[n++] = digits[--count];
    out[n] = '\0';
    return n;
}

DigitRun ReadDigits(const char *text, int maxLength) {
    DigitRun run = {0, 0, false};
    if (!text) return run;
    constexpr unsigned long long kMax = ~0ULL;
    for (; run.length < maxLength && IsDigit(text[run.length]); ++run.length) {
        const unsigned digit = static_cast<unsigned>(text[run.length] - '0');
        if (run.overflow || run.value > (kMax - digit) / 10)
            run.overflow = true;
        else
            run.value = run.value * 10 + digit;
    }
    return run;
}

}  // namespace qx
