// The floating-point edit's rules, without a window.
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "text_notation.h"
#include "typed/float_rules.h"

namespace {

qx::NumberText Text(const std::string &marked) {
    const qxt::MarkedText m = qxt::ParseMarked(marked);
    return qx::NumberText(m.text.c_str(), m.anchor, m.caret);
}

std::string Shown(const qx::NumberText &t) { return qxt::Marked(t.text, t.anchor, t.caret); }

qx::FloatFormat Format(char decimalChar = '.', char groupChar = ',') {
    qx::FloatFormat f;
    f.decimalChar = decimalChar;
    f.groupChar = groupChar;
    return f;
}

qx::FloatFormat Unlimited() {
    qx::FloatFormat f;
    f.intDigits = f.fracDigits = qx::kUnlimitedDigits;
    f.min = -1e300;
    f.max = 1e300;
    return f;
}

TEST(FloatMaskDigits, CountsEachSide) {
    const struct {
        const char *mask;
        char decimalChar;
        bool ok;
        int intDigits, fracDigits;
    } cases[] = {
        {"", '.', true, 127, 127},     {"9999.99", '.', true, 4, 2}, {"999", '.', true, 3, 0},
        {".99", '.', true, 0, 2},      {"0123.4", '.', true, 4, 1},  {"99,9", ',', true, 2, 1},
        {"99x9", '.', false, 2, 0},    {"9.9.9", '.', false, 1, 1},  {"99.9", ',', false, 2, 0},
        {"-99", '.', false, 0, 0},
    };
    for (const auto &c : cases) {
        int i = -1, f = -1;
        EXPECT_EQ(qx::FloatMaskDigits(c.mask, c.decimalChar, &i, &f), c.ok) << c.mask;
        EXPECT_EQ(i, c.intDigits) << c.mask;
        EXPECT_EQ(f, c.fracDigits) << c.mask;
    }
    int i = 7, f = 8;
    EXPECT_FALSE(qx::FloatMaskDigits(nullptr, '.', &i, &f));
    EXPECT_EQ(i, 7);
    EXPECT_EQ(f, 8);
}

TEST(ParseFloatFormat, RefusesSeparatorsThatCannotBeTold) {
    const struct {
        const char *format;
        bool ok;
    } cases[] = {
        {"x.,", true}, {"x,.", true}, {"x. ", true}, {"x.'", true}, {"x..", false},
        {"x5,", false}, {"x.0", false}, {"x-,", false}, {"x.-", false}, {"x.", false},
        {"x", false}, {"", false},
    };
    for (const auto &c : cases) {
        char lead = 'L', d = 'D', g = 'G';
        EXPECT_EQ(qx::ParseFloatFormat(c.format, &lead, &d, &g), c.ok) << c.format;
        if (c.ok) {
            EXPECT_EQ(lead, c.format[0]);
            EXPECT_EQ(d, c.format[1]);
            EXPECT_EQ(g, c.format[2]);
        } else {
            EXPECT_EQ(std::string() + lead + d + g, "LDG") << c.format;
        }
    }
    char lead, d, g;
    EXPECT_FALSE(qx::ParseFloatFormat(nullptr, &lead, &d, &g));
}

struct InsertCase {
    const char *before;
    const char *typed;
    const char *after;  // null: refused
};

TEST(InsertFloatText, DigitsSeparatorsAndSign) {
    const InsertCase cases[] = {
        {"|", "1", "1|"},
        {"|", ".", "0.|"},
        {"12|", ".", "12.|"},
        {"1|2.5", ".", nullptr},
        {"1|.5", ".", "1.|5"},
        {"1.|25", "7", "1.7|5"},      // the fraction is overwritten
        {"1.25|", "7", "1.257|"},     // and extended at its end
        {"1|.25", "7", "17|.25"},     // the integer part takes insertions
        {"1,2|34", "5", "1,25|34"},   // groups are rebuilt later
        {"12.5|", "-", "-12.5|"},
        {"-12.5|", "-", "12.5|"},
        {"|12", "-", "-|12"},
        {"-|12", "-", "|12"},
        {"1|2", "--", nullptr},
        {"|", "-", "-|"},
        {"1|2", "a", nullptr},
        {"1|2", ",", nullptr},
        {"1|2", "+", nullptr},
        {"|", "3.14", "3.14|"},
        {"2|", "1.5", "21.5|"},
        {"2|", "-1", "-21|"},
        {"5|", "", "5|"},
    };
    for (const auto &c : cases) {
        qx::NumberText t = Text(c.before);
        const int pos = t.caret;
        const bool ok = qx::InsertFloatText(t, c.typed, pos, '.');
        EXPECT_EQ(ok, c.after != nullptr) << c.before << " + " << c.typed;
        if (ok && c.after) {
            EXPECT_EQ(Shown(t), c.after) << c.before << " + " << c.typed;
        }
    }
    qx::NumberText t = Text("1|");
    EXPECT_FALSE(qx::InsertFloatText(t, nullptr, 1, '.'));
}

TEST(InsertFloatText, OtherDecimalSeparator) {
    qx::NumberText t = Text("|");
    ASSERT_TRUE(qx::InsertFloatText(t, ",", 0, ','));
    EXPECT_EQ(Shown(t), "0,|");
    EXPECT_FALSE(qx::InsertFloatText(t, ".", 2, ','));
}

TEST(InsertFloatText, FullLineRefusesRatherThanDrops) {
    const std::string digits(62, '1');
    // Integer part: a 64th character does not fit.
    qx::NumberText t(std::string(63, '1').c_str(), 63, 63);
    EXPECT_FALSE(qx::InsertFloatText(t, "2", 63, '.'));
    // Fraction at its end: no room to extend.
    qx::NumberText f(("1." + std::string(61, '1')).c_str(), 63, 63);
    EXPECT_FALSE(qx::InsertFloatText(f, "2", 63, '.'));
    // Overwriting inside a full fraction still works.
    qx::NumberText g(("1." + std::string(61, '1')).c_str(), 2, 2);
    ASSERT_TRUE(qx::InsertFloatText(g, "2", 2, '.'));
    EXPECT_EQ(std::string(g.text), "1.2" + std::string(60, '1'));
    // A sign needs room too.
    qx::NumberText s(std::string(63, '1').c_str(), 0, 0);
    EXPECT_FALSE(qx::InsertFloatText(s, "-", 0, '.'));
}

TEST(FloatRemovalStart, GroupSeparatorsTakeTheNeighbouringDigit) {
    const qx::NumberText t("1,234");
    using K = qx::FloatRemoval;
    EXPECT_EQ(qx::FloatRemovalStart(t, 1, 1, K::kBackspace, ','), 0);
    EXPECT_EQ(qx::FloatRemovalStart(t, 1, 1, K::kDeleteKey, ','), 2);
    EXPECT_EQ(qx::FloatRemovalStart(t, 1, 1, K::kOther, ','), 1);
    EXPECT_EQ(qx::FloatRemovalStart(t, 2, 1, K::kBackspace, ','), 2);
    EXPECT_EQ(qx::FloatRemovalStart(t, 0, 5, K::kOther, ','), 0);
    EXPECT_EQ(qx::FloatRemovalStart(t, 4, 2, K::kOther, ','), -1);
    EXPECT_EQ(qx::FloatRemovalStart(t, -1, 1, K::kOther, ','), -1);
    // A trailing separator is taken itself rather than nothing.
    const qx::NumberText u("12,");
    EXPECT_EQ(qx::FloatRemovalStart(u, 2, 1, K::kDeleteKey, ','), 2);
}

struct NormalizeCase {
    const char *before;
    qx::FloatFormat format;
    const char *after;  // null: refused
};

qx::FloatFormat Range(double min, double max) {
    qx::FloatFormat f;
    f.min = min;
    f.max = max;
    return f;
}

TEST(NormalizeFloatText, RegroupsAndKeepsTheCaretWithItsDigits) {
    const qx::FloatFormat d = Format();
    const NormalizeCase cases[] = {
        {"|", d, "|"},
        {"1234567|", d, "1,234,567|"},
        {"1,2345|", d, "12,345|"},
        // a digit typed inside a group: the caret stays right after it
        {"1,5|234", d, "15,|234"},
        {"15|,234", d, "15,|234"},
        {"1|234.5678", d, "1,|234.5678"},
        {"|1234", d, "|1,234"},
        {"12,3|4", d, "1,23|4"},
        {"[1,234]", d, "[1,234]"},
        {"1]23[4", d, "1,[23]4"},
        {"-1234567.5|", d, "-1,234,567.5|"},
        {"-123|", d, "-123|"},
        // leading zeros
        {"007.5|", d, "7.5|"},
        {"-05|", d, "-5|"},
        {"-|05", d, "-|5"},
        {"0.5|", d, "0.5|"},
        {"0|", d, "0|"},
        {"0|1,234", d, "|1,234"},
        // numbers that are not
        {".|", d, nullptr},
        {"-|", d, nullptr},
        {"-.|", d, nullptr},
        {".5|", d, ".5|"},
        {"5.|", d, "5.|"},
        {"1.2.3|", d, nullptr},
        {"1a|", d, nullptr},
        // digit counts
        {"1234567890|", d, "1,234,567,890|"},
        {"12345678901|", d, nullptr},
        {"1.12345|", d, "1.12345|"},
        {"1.123456|", d, nullptr},
        // the range is enforced away from zero only
        {"5|", Range(10, 20), "5|"},
        {"25|", Range(10, 20), nullptr},
        {"-5|", Range(0, 100), "-5|"},
        {"-25|", Range(-20, -10), nullptr},
        {"-5|", Range(-20, -10), "-5|"},
        {"100000000000|", Unlimited(), "100,000,000,000|"},
        // other separators
        {"1234,5|", Format(',', '.'), "1.234,5|"},
        {"1.234.567|", Format(',', '.'), "1.234.567|"},
        {"1 234|5", Format('.', ' '), "12 34|5"},
        {"1.5|", Format(',', '.'), "15|"},
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

TEST(NormalizeFloatText, RefusesGroupsThatWouldPassTheLine) {
    // 48 digits take 15 separators: 63 characters in all.
    qx::NumberText fits(std::string(48, '1').c_str(), 48, 48);
    ASSERT_TRUE(qx::NormalizeFloatText(fits, Unlimited()));
    EXPECT_EQ(fits.length, 63);
    EXPECT_EQ(fits.caret, 63);
    EXPECT_EQ(fits.text[63], '\0');
    // 49 digits would need 65: refused, nothing is cut off.
    qx::NumberText over(std::string(49, '1').c_str(), 49, 49);
    EXPECT_FALSE(qx::NormalizeFloatText(over, Unlimited()));
}

TEST(CheckFloatNumber, NeedsADigitTheEditsSeparatorAndTheRange) {
    qx::FloatFormat wide = Format();
    wide.intDigits = qx::kUnlimitedDigits;
    EXPECT_FALSE(qx::CheckFloatNumber("", wide));
    EXPECT_TRUE(qx::CheckFloatNumber("-.5", wide));
    EXPECT_TRUE(qx::CheckFloatNumber("1,5", Format(',', '.')));
    EXPECT_FALSE(qx::CheckFloatNumber("1.5", Format(',', '.')));
    EXPECT_TRUE(qx::CheckFloatNumber("100000000000", wide));
    EXPECT_FALSE(qx::CheckFloatNumber("100000000000.00001", wide));
    EXPECT_TRUE(qx::CheckFloatNumber("-100000000000", wide));
    EXPECT_FALSE(qx::CheckFloatNumber("-100000000000.00001", wide));
}

TEST(ReadFloatText, SkipsGroupsAndReadsTheEditsSeparator) {
    const struct {
        const char *text;
        char decimalChar, groupChar;
        double value;
    } cases[] = {
        {"1,234.5", '.', ',', 1234.5},
        {"1.234,5", ',', '.', 1234.5},
        {"", '.', ',', 0.0},
        {"-", '.', ',', 0.0},
        {"abc", '.', ',', 0.0},
        {"-0.25", '.', ',', -0.25},
        {"12abc", '.', ',', 12.0},
        {"0.1", '.', ',', 0.1},
        {".5", '.', ',', 0.5},
        {"5.", '.', ',', 5.0},
        {"123,456,789,012,345,678,901,234,567,890", '.', ',', 123456789012345678901234567890.0},
        {"0.000000000000000000000000000001", '.', ',', 1e-30},
        {"9,007,199,254,740,993", '.', ',', 9007199254740992.0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(qx::ReadFloatText(c.text, c.decimalChar, c.groupChar), c.value) << c.text;
}

TEST(FormatFloatValue, FixedPointOfTheExactValue) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        int fracDigits;
        char decimalChar;
        const char *text;  // null: refused
    } cases[] = {
        {2.5, 5, '.', "2.50000"},
        {2.5, 5, ',', "2,50000"},
        {0.0, 0, '.', "0"},
        {-0.0, 2, '.', "0.00"},
        {2.5, 0, '.', "3"},
        {-2.5, 0, '.', "-3"},
        {0.125, 2, '.', "0.13"},
        {1.005, 2, '.', "1.00"},  // 1.00499999999999989...
        {-0.0001, 2, '.', "0.00"},
        {-0.006, 2, '.', "-0.01"},
        {1234567.891, 3, '.', "1234567.891"},
        {0.1, 20, '.', "0.10000000000000000555"},
        {1e20, 2, '.', "100000000000000000000.00"},
        {9.999, 2, '.', "10.00"},
        {123.0, 0, '.', "123"},
        {5e-324, 5, '.', "0.00000"},
        {0.5, 61, '.', nullptr},  // filled below: 63 characters fit
        {0.5, 62, '.', nullptr},
        {0.5, 127, '.', nullptr},
        {0x1p206, 0, '.', "102844034832575377634685573909834406561420991602098741459288064"},
        {-0x1p206, 0, '.', nullptr},
        {1e63, 0, '.', nullptr},
        {1.7976931348623157e308, 0, '.', nullptr},
        {nan, 2, '.', nullptr},
        {inf, 2, '.', nullptr},
        {-inf, 2, '.', nullptr},
    };
    const std::string half61 = "0.5" + std::string(60, '0');
    for (const auto &c : cases) {
        const char *expected = c.text;
        if (c.value == 0.5 && c.fracDigits == 61) expected = half61.c_str();
        char out[80];
        const bool ok = qx::FormatFloatValue(c.value, c.fracDigits, c.decimalChar, out, sizeof out);
        EXPECT_EQ(ok, expected != nullptr) << c.value << " with " << c.fracDigits;
        if (ok && expected) {
            EXPECT_STREQ(out, expected) << c.value << " with " << c.fracDigits;
        }
        if (!ok) {
            EXPECT_STREQ(out, "");
        }
    }
}

TEST(FormatFloatValue, BufferSizeIsRespected) {
    char out[8] = "#######";
    EXPECT_FALSE(qx::FormatFloatValue(2.5, 5, '.', out, 7));  // "2.50000" needs 8
    EXPECT_STREQ(out, "");
    EXPECT_TRUE(qx::FormatFloatValue(2.5, 5, '.', out, 8));
    EXPECT_STREQ(out, "2.50000");
    EXPECT_FALSE(qx::FormatFloatValue(2.5, 5, '.', nullptr, 8));
    EXPECT_FALSE(qx::FormatFloatValue(2.5, -1, '.', out, 8));
}

// A host that switched the C runtime to a locale with a decimal comma changes
// nothing: the edit's own separator decides.
TEST(FloatConversions, IgnoreTheRuntimeLocale) {
    const bool comma = std::setlocale(LC_ALL, "German_Germany.1252") != nullptr ||
                       std::setlocale(LC_ALL, "de-DE") != nullptr;
    EXPECT_TRUE(comma) << "no locale with a decimal comma to test against";
    EXPECT_EQ(std::strtod("1,5", nullptr), 1.5) << "the runtime does not read a decimal comma";
    EXPECT_EQ(qx::ReadFloatText("1,234.5", '.', ','), 1234.5);
    EXPECT_TRUE(qx::CheckFloatNumber("1234.5", Format()));
    char out[16];
    ASSERT_TRUE(qx::FormatFloatValue(1234.5, 2, '.', out, sizeof out));
    EXPECT_STREQ(out, "1234.50");
    std::setlocale(LC_ALL, "C");
}

}  // namespace
