// The integer edit's rules, without a window.
#include <string>

#include <gtest/gtest.h>

#include "text_notation.h"
#include "typed/int_rules.h"

namespace {

constexpr long kMin = -2147483647L - 1;
constexpr long kMax = 2147483647L;

qx::NumberText Text(const std::string &marked) {
    const qxt::MarkedText m = qxt::ParseMarked(marked);
    return qx::NumberText(m.text.c_str(), m.anchor, m.caret);
}

std::string Shown(const qx::NumberText &t) { return qxt::Marked(t.text, t.anchor, t.caret); }

struct NormalizeCase {
    const char *before;
    int maxChars;
    long min, max;
    const char *after;  // null: refused
};

TEST(NormalizeIntText, ChecksAndNormalises) {
    const int N = 63;
    const NormalizeCase cases[] = {
        // spaces and zeros go, the caret staying with its digits
        {"  12|3", N, kMin, kMax, "12|3"},
        {"|  5", N, kMin, kMax, "|5"},
        {"[  12]", N, kMin, kMax, "[12]"},
        {"007|", N, kMin, kMax, "7|"},
        {"0|", N, kMin, kMax, "0|"},
        {"-0|", N, kMin, kMax, "-0|"},
        {"-05|", N, kMin, kMax, "-05|"},
        {"0|07", N, kMin, kMax, "|7"},
        {"|", N, kMin, kMax, "|"},
        {"-|", N, kMin, kMax, "-|"},
        // what may be in the text at all
        {"1-2|", N, kMin, kMax, nullptr},
        {"12a|", N, kMin, kMax, nullptr},
        {"1 2|", N, kMin, kMax, nullptr},
        {"--1|", N, kMin, kMax, nullptr},
        // the mask's allowance, a sign included
        {"999|", 3, kMin, kMax, "999|"},
        {"-99|", 3, kMin, kMax, "-99|"},
        {"1000|", 3, kMin, kMax, nullptr},
        {"-100|", 3, kMin, kMax, nullptr},
        {"|", 0, kMin, kMax, "|"},
        {"-|", 0, kMin, kMax, "-|"},
        {"1|", 0, kMin, kMax, nullptr},
        // the range: a non-negative value below min passes, so 15 can be typed
        {"5|", N, 10, 20, "5|"},
        {"15|", N, 10, 20, "15|"},
        {"25|", N, 10, 20, nullptr},
        {"-5|", N, -20, -10, nullptr},
        {"-25|", N, -20, -10, nullptr},
        {"-15|", N, -20, -10, "-15|"},
        {"-|", N, 10, 20, "-|"},
        // values outside 32 bits are refused, never wrapped into range
        {"2147483647|", N, kMin, kMax, "2147483647|"},
        {"2147483648|", N, kMin, kMax, nullptr},
        {"-2147483648|", N, kMin, kMax, "-2147483648|"},
        {"-2147483649|", N, kMin, kMax, nullptr},
        {"4294967297|", N, kMin, kMax, nullptr},
        {"99999999999999999999999999|", N, kMin, kMax, nullptr},
        {"00000000000000000000000001|", N, kMin, kMax, "1|"},
    };
    for (const auto &c : cases) {
        qx::NumberText t = Text(c.before);
        qx::IntLimits limits;
        limits.maxChars = c.maxChars;
        limits.min = c.min;
        limits.max = c.max;
        const bool ok = qx::NormalizeIntText(t, limits);
        EXPECT_EQ(ok, c.after != nullptr) << c.before << " allowance " << c.maxChars;
        if (ok && c.after) {
            EXPECT_EQ(Shown(t), c.after) << c.before;
        }
    }
}

TEST(ParseIntText, ReadsAsTheStandardConversionWithinRange) {
    const struct {
        const char *text;
        bool ok;
        long value;
    } cases[] = {
        {"", true, 0},
        {"-", true, 0},
        {"abc", true, 0},
        {"  42", true, 42},
        {"+5", true, 5},
        {"-17", true, -17},
        {"12abc", true, 12},
        {"-0", true, 0},
        {"2147483647", true, kMax},
        {"-2147483648", true, kMin},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"123456789012345678901234567890", false, 0},
    };
    for (const auto &c : cases) {
        long value = 99;
        EXPECT_EQ(qx::ParseIntText(c.text, &value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

TEST(StepIntValue, StepsWrapsAndRefusesAtBothEnds) {
    const struct {
        long value;
        int delta;
        long min, max;
        bool wrap;
        bool ok;
        long result;
    } cases[] = {
        {0, +1, kMin, kMax, false, true, 1},
        {0, -1, kMin, kMax, false, true, -1},
        {kMax - 1, +1, kMin, kMax, false, true, kMax},
        {kMax, +1, kMin, kMax, false, false, 0},
        {kMax, +1, kMin, kMax, true, true, kMin},
        {kMin, -1, kMin, kMax, false, false, 0},
        {kMin, -1, kMin, kMax, true, true, kMax},
        {kMin + 1, -1, kMin, kMax, false, true, kMin},
        {20, +1, 10, 20, false, false, 0},
        {20, +1, 10, 20, true, true, 10},
        {10, -1, 10, 20, false, false, 0},
        {10, -1, 10, 20, true, true, 20},
        // going up from below min is a plain step; going down wraps to max
        {5, +1, 10, 20, false, true, 6},
        {5, -1, 10, 20, true, true, 20},
        {-10, -1, -10, -10, true, true, -10},
    };
    for (const auto &c : cases) {
        long result = 12345;
        EXPECT_EQ(qx::StepIntValue(c.value, c.delta, c.min, c.max, c.wrap, &result), c.ok)
            << c.value << " by " << c.delta << " in " << c.min << ".." << c.max;
        if (c.ok) {
            EXPECT_EQ(result, c.result) << c.value << " by " << c.delta;
        }
    }
}

TEST(FormatIntValue, DecimalText) {
    const struct {
        long value;
        const char *text;
    } cases[] = {{0, "0"}, {7, "7"}, {-1, "-1"}, {kMax, "2147483647"}, {kMin, "-2147483648"}};
    for (const auto &c : cases) {
        char out[12];
        qx::FormatIntValue(c.value, out);
        EXPECT_STREQ(out, c.text);
    }
}

TEST(IntMask, OnlyNinesAndTheirCount) {
    EXPECT_TRUE(qx::IsIntMask(""));
    EXPECT_TRUE(qx::IsIntMask("999"));
    EXPECT_FALSE(qx::IsIntMask("99a"));
    EXPECT_FALSE(qx::IsIntMask("9.9"));
    EXPECT_FALSE(qx::IsIntMask(nullptr));
    EXPECT_EQ(qx::IntMaskChars(nullptr), 63);
    EXPECT_EQ(qx::IntMaskChars(""), 0);
    EXPECT_EQ(qx::IntMaskChars("999"), 3);
    EXPECT_EQ(qx::IntMaskChars(std::string(100, '9').c_str()), 63);
}

TEST(IntInput, DigitsAndMinusOnly) {
    EXPECT_TRUE(qx::IsIntInput("-0123456789"));
    EXPECT_TRUE(qx::IsIntInput(""));
    EXPECT_FALSE(qx::IsIntInput("1a"));
    EXPECT_FALSE(qx::IsIntInput(" 1"));
    EXPECT_FALSE(qx::IsIntInput("+1"));
    EXPECT_FALSE(qx::IsIntInput(nullptr));
}

}  // namespace
