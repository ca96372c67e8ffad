// The soak's expectations of a control's text (oracle.h): a wrong rule here
// would either hide a fault of the library or report one it does not have.
#include <gtest/gtest.h>

#include <string>

#include "oracle.h"

namespace {

using namespace qxs;

std::string Layout(const std::string &mask) {
    std::string out;
    for (const MaskPos &p : MaskPositions(mask)) out += std::string(p.literal ? "L" : "P") + p.ch;
    return out;
}

TEST(SoakOracle, MaskPositionsTellLiteralsFromPlaceholders) {
    const struct {
        const char *mask, *layout;
    } cases[] = {
        {"", ""},
        {"(99)", "L(P9P9L)"},
        {"/9/a", "L9La"},       // an escaped placeholder is a literal
        {"//9", "L/P9"},        // so is an escaped '/'
        {"a/", "PaL/"},         // a '/' at the end stands for itself
        {"/-x", "L/L-Px"},      // before anything else, too
        {"UuLlHhNnXxAa9", "PUPuPLPlPHPhPNPnPXPxPAPaP9"},
        {"z Q", "LzL LQ"},
    };
    for (const auto &c : cases) EXPECT_EQ(Layout(c.mask), c.layout) << Quote(c.mask);
}

TEST(SoakOracle, UsableMasksHaveOneToSixtyThreePositionsAndNoControlCharacter) {
    const struct {
        std::string mask;
        bool usable;
    } cases[] = {
        {"", false},
        {"9", true},
        {std::string(63, '9'), true},
        {std::string(64, '9'), false},
        {std::string(126, '/'), true},  // 63 escaped slashes: 63 positions
        {"99\x01", false},
        {"99\x7F", false},
        {"\xE9\xA0", true},
    };
    for (const auto &c : cases) EXPECT_EQ(UsableMask(c.mask.c_str()), c.usable) << Quote(c.mask);
    EXPECT_FALSE(UsableMask(nullptr));
}

TEST(SoakOracle, OnlyTheFiveTimeMasksAreTimeMasks) {
    for (const char *m : {"99:99", "99:99 am", "99:99 AM", "99:99 a.m.", "99:99 A.M."}) EXPECT_TRUE(IsTimeMask(m)) << m;
    for (const char *m : {"", "99:99 pm", "99:9", "99:99 ", "99:99:99", "99.99", "99:99 Am"}) EXPECT_FALSE(IsTimeMask(m)) << m;
    EXPECT_FALSE(IsTimeMask(nullptr));
}

TEST(SoakOracle, RawCharactersAreLaidIntoTheMask) {
    const struct {
        const char *mask, *raw;
        int limit;
        bool anyAtX, fits;
        const char *laid;
    } cases[] = {
        {"(999)", "123", 63, false, true, "(123)"},
        {"(999)", "(12", 63, false, true, "(12 )"},   // a literal in the raw text is taken by its own place
        {"(999)", "", 63, false, true, "(   )"},
        {"999", "1 3", 63, false, true, "1 3"},       // a space leaves its placeholder blank
        {"999", "1a3", 63, false, false, ""},
        {"UU", "aB", 63, false, true, "AB"},
        {"uu", "ab", 63, false, true, "AB"},          // lower-case u converts too
        {"Ll", "AB", 63, false, true, "ab"},
        {"99-99", "12345", 3, false, true, "12-"},    // cut at the limit
        {"x", "\x01", 63, false, false, ""},
        {"x", "\x01", 63, true, true, "\x01"},
        {"/9", "9", 63, false, true, "9"},
    };
    for (const auto &c : cases) {
        std::string out;
        const bool fits = LayRaw(c.mask, c.raw, c.limit, c.anyAtX, &out);
        EXPECT_EQ(fits, c.fits) << c.mask << " " << Quote(c.raw);
        if (c.fits) {
            EXPECT_EQ(out, c.laid) << c.mask << " " << Quote(c.raw);
        }
    }
}

TEST(SoakOracle, ATextIsLaidOverTheMaskPositionByPosition) {
    const struct {
        std::string mask, text, laid;
    } cases[] = {
        {"(999)", "(123)", "(123)"},
        {"(999)", "x1y3z", "(1 3)"},          // what does not fit leaves its literal or a blank
        {"(999)", "(1", "(1  )"},              // past the text's end: literals and blanks
        {"uU", "ab", "AB"},
        {"lL", "AB", "ab"},
        {"9", "123", "1"},
        {std::string(70, 'x'), std::string(70, 'q'), std::string(63, 'q')},
    };
    for (const auto &c : cases) EXPECT_EQ(LayText(c.mask, c.text), c.laid) << c.mask << " " << Quote(c.text);
}

TEST(SoakOracle, APictureTextKeepsItsLiteralsAndFitsItsPlaceholders) {
    const struct {
        const char *mask, *text;
        bool ok;
    } cases[] = {
        {"(999)", "(123)", true},
        {"(999)", "(   )", true},
        {"(999)", "(1234)", false},  // longer than the mask
        {"(999)", "(12)", false},    // shorter
        {"(999)", "[123)", false},   // a literal out of place
        {"(999)", "(1a3)", false},   // a placeholder holding what it does not take
        {"UL", "Ab", true},
        {"UL", "aB", false},
        {"x", "\x01", false},
    };
    for (const auto &c : cases) EXPECT_EQ(PictureFault(c.mask, c.text).empty(), c.ok) << c.mask << " " << Quote(c.text);
    EXPECT_EQ(Placeholders("(99)-9", "(12)-3"), "123");
}

TEST(SoakOracle, TimeTextsKeepTheirFieldsInRange) {
    const struct {
        const char *mask, *text;
        bool ok, valid;
        int hour, minute;
    } cases[] = {
        {"99:99", "23:59", true, true, 23, 59},
        {"99:99", "00:00", true, true, 0, 0},
        {"99:99", "24:00", false, false, 0, 0},
        {"99:99", "12:60", false, false, 0, 0},
        {"99:99", " 9:05", true, true, 9, 5},
        {"99:99", "  :  ", true, false, 0, 0},
        {"99:99", "12:  ", true, false, 0, 0},
        {"99:99 am", "12:30 am", true, true, 0, 30},
        {"99:99 am", "12:30 pm", true, true, 12, 30},
        {"99:99 am", " 1:15 pm", true, true, 13, 15},
        {"99:99 am", "13:00 pm", false, false, 0, 0},
        {"99:99 am", "00:10 am", true, false, 0, 0},  // no hour 0 on a 12-hour clock
        {"99:99 am", "11:00  m", true, false, 0, 0},  // no letter yet
        {"99:99 am", "11:00 Am", false, false, 0, 0}, // the mask's case only
        {"99:99 AM", "11:00 PM", true, true, 23, 0},
        {"99:99 A.M.", "11:00 A.M.", true, true, 11, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(TimeFault(c.mask, c.text).empty(), c.ok) << c.mask << " " << Quote(c.text);
        int hour = -1, minute = -1;
        EXPECT_EQ(ParseTime(c.mask, c.text, &hour, &minute), c.valid) << c.mask << " " << Quote(c.text);
        if (c.valid) {
            EXPECT_EQ(hour, c.hour) << c.text;
            EXPECT_EQ(minute, c.minute) << c.text;
        }
    }
}

TEST(SoakOracle, IntegerTextsAndTheirValues) {
    const struct {
        const char *text;
        bool ok, valid;
        long value;
    } cases[] = {
        {"", true, true, 0},
        {"0", true, true, 0},
        {"-", true, true, 0},
        {"42", true, true, 42},
        {"-42", true, true, -42},
        {"2147483647", true, true, 2147483647L},
        {"2147483648", true, false, 0},
        {"-2147483648", true, true, -2147483647L - 1},
        {"-2147483649", true, false, 0},
        {"99999999999999999999", true, false, 0},
        {"007", false, true, 7},
        {"1-2", false, true, 1},
        {"1 ", false, true, 1},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(IntFault(c.text).empty(), c.ok) << Quote(c.text);
        long value = -99;
        EXPECT_EQ(ParseInt(c.text, &value), c.valid) << Quote(c.text);
        if (c.valid) {
            EXPECT_EQ(value, c.value) << Quote(c.text);
        }
    }
}

TEST(SoakOracle, NumberTextsAreGroupedByThreeInTheirSeparators) {
    const struct {
        const char *text;
        char decimal, group;
        bool ok;
        double value;
    } cases[] = {
        {"", '.', ',', true, 0},
        {"1,234.5", '.', ',', true, 1234.5},
        {"-1,234,567.25", '.', ',', true, -1234567.25},
        {"999", '.', ',', true, 999},
        {"1234.5", '.', ',', false, 1234.5},  // not grouped
        {"12,34", '.', ',', false, 1234},
        {",123", '.', ',', false, 123},
        {"0.5", '.', ',', true, 0.5},
        {".5", '.', ',', true, 0.5},
        {"00.5", '.', ',', false, 0.5},
        {"-", '.', ',', false, 0},
        {".", '.', ',', false, 0},
        {"1.2.3", '.', ',', false, 1.2},
        {"1 234,5", ',', ' ', true, 1234.5},
        {"1,234.5", ',', ' ', false, 1.234},  // the old separators are not this format's
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FloatFault(c.text, c.decimal, c.group).empty(), c.ok) << Quote(c.text);
        EXPECT_DOUBLE_EQ(ReadFloat(c.text, c.decimal, c.group), c.value) << Quote(c.text);
    }
}

TEST(SoakOracle, ValuesAgreeUpToTheLastBit) {
    EXPECT_TRUE(SameValue(0.1 + 0.2, 0.3));
    EXPECT_TRUE(SameValue(-0.0, 0.0));
    EXPECT_FALSE(SameValue(1.0, 1.0000001));
    EXPECT_FALSE(SameValue(0.0, 1e-300));
    EXPECT_FALSE(SameValue(1.0, -1.0));
}

TEST(SoakOracle, ControlCharactersAndQuotedTexts) {
    for (int c = 1; c < 256; ++c)
        EXPECT_EQ(IsControl(static_cast<char>(c)), c < 0x20 || c == 0x7F) << c;
    EXPECT_EQ(Quote("a\x01\"\\\xE9z"), "\"a\\x01\\x22\\x5C\\xE9z\"");
}

}  // namespace
