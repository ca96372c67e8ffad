// The integer and floating-point edits' rules on plain text, without a window.
#include <clocale>
#include <cstdlib>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "number_test_util.h"
#include "typed/float_rules.h"
#include "typed/int_rules.h"

namespace {

constexpr long kMin = -2147483647L - 1;
constexpr long kMax = 2147483647L;

qx::NumberText Text(const char *marked) {
    const qxt::MarkedText m = qxt::ParseMarked(marked);
    return qx::NumberText(m.text.c_str(), m.anchor, m.caret);
}

std::string Shown(const qx::NumberText &t) { return qxt::Marked(t.text, t.anchor, t.caret); }

TEST(IntRules, NormaliseKeepsTheCaretWithItsDigits) {
    const struct {
        const char *before;
        int maxChars;
        long min, max;
        const char *after;  // null: refused
    } cases[] = {
        {"  12|3", 63, kMin, kMax, "12|3"},
        {"[  12]", 63, kMin, kMax, "[12]"},
        {"0|07", 63, kMin, kMax, "|7"},
        {"-05|", 63, kMin, kMax, "-05|"},
        {"1|", 0, kMin, kMax, nullptr},
        {"-100|", 3, kMin, kMax, nullptr},
        {"5|", 63, 10, 20, "5|"},  // below min but not negative
        {"-|", 63, -20, -10, nullptr},  // reads 0, above max
        {"2147483648|", 63, kMin, kMax, nullptr},  // never wrapped into range
        {"-99999999999999999999999|", 63, kMin, kMax, nullptr},
        {"0000000000000000000000001|", 63, kMin, kMax, "1|"},
    };
    for (const auto &c : cases) {
        qx::NumberText t = Text(c.before);
        qx::IntLimits limits;
        limits.maxChars = c.maxChars;
        limits.min = c.min;
        limits.max = c.max;
        const bool ok = qx::NormalizeIntText(t, limits);
        EXPECT_EQ(ok, c.after != nullptr) << c.before;
        if (ok && c.after) {
            EXPECT_EQ(Shown(t), c.after) << c.before;
        }
    }
    long v = 7;
    EXPECT_TRUE(qx::ParseIntText("12abc", &v));
    EXPECT_EQ(v, 12);
    EXPECT_FALSE(qx::ParseIntText("-2147483649", &v));
}

TEST(IntRules, StepsAtTheEndsOfTheRange) {
    const struct {
        long value;
        int delta;
        long min, max;
        bool wrap, ok;
        long result;
    } cases[] = {
        {kMax, +1, kMin, kMax, false, false, 0},  {kMax, +1, kMin, kMax, true, true, kMin},
        {kMin, -1, kMin, kMax, false, false, 0},  {kMin, -1, kMin, kMax, true, true, kMax},
        {kMax - 1, +1, kMin, kMax, false, true, kMax},
        {20, +1, 10, 20, true, true, 10},         {10, -1, 10, 20, true, true, 20},
        {5, +1, 10, 20, false, true, 6},          {5, -1, 10, 20, false, false, 0},
    };
    for (const auto &c : cases) {
        long result = 12345;
        EXPECT_EQ(qx::StepIntValue(c.value, c.delta, c.min, c.max, c.wrap, &result), c.ok)
            << c.value << " by " << c.delta << " wrap " << c.wrap;
        if (c.ok) {
            EXPECT_EQ(result, c.result) << c.value << " by " << c.delta;
        }
    }
}

qx::FloatFormat Format(char decimalChar, char groupChar, double min = -1e11, double max = 1e11) {
    qx::FloatFormat f;
    f.decimalChar = decimalChar;
    f.groupChar = groupChar;
    f.min = min;
    f.max = max;
    return f;
}

TEST(FloatRules, NormaliseRegroupsAroundTheSelection) {
    const qx::FloatFormat d = Format('.', ',');
    const struct {
        const char *before;
        qx::FloatFormat format;
        const char *after;  // null: refused
    } cases[] = {
        {"12,3|4", d, "1,23|4"},
        {"|1234", d, "|1,234"},
        {"1]23[4", d, "1,[23]4"},
        {"-|05", d, "-|5"},
        {"0|1,234", d, "|1,234"},
        {"-.|", d, nullptr},
        {"-5|", Format('.', ',', 0, 100), "-5|"},  // only a negative min is enforced
        {"-25|", Format('.', ',', -20, -10), nullptr},
        {"1234,5|", Format(',', '.'), "1.234,5|"},
        {"1.5|", Format(',', '.'), "15|"},
        {"1 234|5", Format('.', ' '), "12 34|5"},
    };
    for (const auto &c : cases) {
        qx::NumberText t = Text(c.before);
        const bool ok = qx::NormalizeFloatText(t, c.format);
        EXPECT_EQ(ok, c.after != nullptr) << c.before;
        if (ok && c.after) {
            EXPECT_EQ(Shown(t), c.after) << c.before;
        }
    }
}

TEST(FloatRules, GroupsThatWouldPassTheLineAreRefusedNotCut) {
    qx::FloatFormat f = Format('.', ',', -1e300, 1e300);
    f.intDigits = qx::kUnlimitedDigits;
    qx::NumberText fits(std::string(48, '1').c_str(), 48, 48);  // 15 separators: 63
    ASSERT_TRUE(qx::NormalizeFloatText(fits, f));
    EXPECT_EQ(fits.length, 63);
    EXPECT_EQ(fits.caret, 63);
    qx::NumberText over(std::string(49, '1').c_str(), 49, 49);
    EXPECT_FALSE(qx::NormalizeFloatText(over, f));
}

TEST(FloatRules, ReadsTheEditsOwnSeparators) {
    EXPECT_EQ(qx::ReadFloatText("1,234.5", '.', ','), 1234.5);
    EXPECT_EQ(qx::ReadFloatText("-1.234,25", ',', '.'), -1234.25);
    EXPECT_EQ(qx::ReadFloatText("12abc", '.', ','), 12.0);
    EXPECT_EQ(qx::ReadFloatText("0.1", '.', ','), 0.1);
    EXPECT_EQ(qx::ReadFloatText("9,007,199,254,740,993", '.', ','), 9007199254740992.0);
}

TEST(FloatRules, FormatsTheExactValue) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::string half61 = "0.5" + std::string(60, '0');
    const struct {
        double value;
        int fracDigits;
        const char *text;  // null: refused
    } cases[] = {
        {2.5, 5, "2.50000"},
        {-0.0, 2, "0.00"},
        {-2.5, 0, "-3"},     // halves away from zero
        {1.005, 2, "1.00"},  // 1.00499999999999989...
        {9.999, 2, "10.00"},
        {0.1, 20, "0.10000000000000000555"},
        {0x1p206, 0, "102844034832575377634685573909834406561420991602098741459288064"},
        {-0x1p206, 0, nullptr},  // 64 characters
        {0.5, 61, half61.c_str()},
        {0.5, 62, nullptr},
        {0.5, 127, nullptr},
        {nan, 2, nullptr},
        {-inf, 2, nullptr},
    };
    for (const auto &c : cases) {
        char out[80];
        const bool ok = qx::FormatFloatValue(c.value, c.fracDigits, '.', out, sizeof out);
        EXPECT_EQ(ok, c.text != nullptr) << c.value << " with " << c.fracDigits;
        EXPECT_STREQ(out, c.text ? c.text : "") << c.value << " with " << c.fracDigits;
    }
    char small[8];
    EXPECT_FALSE(qx::FormatFloatValue(2.5, 5, ',', small, 7));
    ASSERT_TRUE(qx::FormatFloatValue(2.5, 5, ',', small, 8));
    EXPECT_STREQ(small, "2,50000");
}

// A host that switched the C runtime to a locale with a decimal comma changes
// nothing: the edit's own separators decide.
TEST(FloatRules, IgnoreTheRuntimeLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "German_Germany.1252"), nullptr);
    EXPECT_EQ(std::strtod("1,5", nullptr), 1.5) << "the runtime does not read a decimal comma";
    EXPECT_EQ(qx::ReadFloatText("1,234.5", '.', ','), 1234.5);
    char out[16];
    EXPECT_TRUE(qx::FormatFloatValue(1234.5, 2, '.', out, sizeof out));
    EXPECT_STREQ(out, "1234.50");
    qx::NumberText t("1234.5");
    EXPECT_TRUE(qx::NormalizeFloatText(t, Format('.', ',')));
    std::setlocale(LC_ALL, "C");
}

}  // namespace
