// The soak's expectations of a control's text (oracle.h) against hand-made
// cases: a wrong rule there would hide a fault of the library or report one
// it does not have.
#include <gtest/gtest.h>

#include "oracle.h"

namespace {

using namespace qxs;

TEST(SoakOracle, PictureMasks) {
    const struct {
        std::string mask, layout;  // P: a placeholder, L: a literal
        bool usable;
    } cases[] = {{"", "", false},
                 {"(99)", "L(P9P9L)", true},
                 {"/9/a//9", "L9LaL/P9", true},  // escapes: a placeholder, '/' itself
                 {"a/", "PaL/", true},           // a '/' at the end, or before anything else, is itself
                 {"/-x", "L/L-Px", true},
                 {"UuLlHhNnXxAa9", "PUPuPLPlPHPhPNPnPXPxPAPaP9", true},
                 {std::string(63, '9'), "", true},
                 {std::string(64, '9'), "", false},
                 {std::string(126, '/'), "", true},  // 63 escaped slashes
                 {"99\x01", "", false},
                 {"9\x7F", "", false}};
    for (const auto &c : cases) {
        std::string layout;
        for (const MaskPos &p : MaskPositions(c.mask)) layout += std::string(p.literal ? "L" : "P") + p.ch;
        if (!c.layout.empty() || c.mask.empty()) {
            EXPECT_EQ(layout, c.layout) << Quote(c.mask);
        }
        EXPECT_EQ(UsableMask(c.mask.c_str()), c.usable) << Quote(c.mask);
    }
    EXPECT_FALSE(UsableMask(nullptr));
    for (const char *m : {"99:99", "99:99 am", "99:99 AM", "99:99 a.m.", "99:99 A.M."}) EXPECT_TRUE(IsTimeMask(m)) << m;
    for (const char *m : {"", "99:99 pm", "99:9", "99:99 ", "99.99", "99:99 Am"}) EXPECT_FALSE(IsTimeMask(m)) << m;
    EXPECT_FALSE(IsTimeMask(nullptr));
}

TEST(SoakOracle, RawCharactersAreLaidIntoTheMask) {
    const struct {
        const char *mask, *raw;
        int limit;
        bool anyAtX;
        const char *laid;  // null: refused
    } cases[] = {{"(999)", "123", 63, false, "(123)"},
                 {"(999)", "(12", 63, false, "(12 )"},  // a literal in the raw text is taken by its own place
                 {"999", "1 3", 63, false, "1 3"},      // a space leaves its placeholder blank
                 {"999", "1a3", 63, false, nullptr},
                 {"uULl", "abAB", 63, false, "ABab"},  // converted before the test
                 {"/U9", "u5", 63, false, nullptr},    // a literal is not converted
                 {"99-99", "12345", 3, false, "12-"},  // cut at the limit
                 {"x", "\x01", 63, false, nullptr},
                 {"x", "\x01", 63, true, "\x01"}};
    for (const auto &c : cases) {
        std::string out;
        EXPECT_EQ(LayRaw(c.mask, c.raw, c.limit, c.anyAtX, &out), c.laid != nullptr) << c.mask << " " << Quote(c.raw);
        if (c.laid) {
            EXPECT_EQ(out, c.laid) << c.mask << " " << Quote(c.raw);
        }
    }
}

TEST(SoakOracle, LaidTexts) {
    const struct {
        std::string mask, text, laid;
    } cases[] = {{"(999)", "(123)", "(123)"},
                 {"(999)", "x1y3z", "(1 3)"},  // what does not fit leaves its literal or a blank
                 {"(999)", "(1", "(1  )"},     // past the text's end: literals and blanks
                 {"uL", "aB", "Ab"},
                 {std::string(70, 'x'), std::string(70, 'q'), std::string(63, 'q')}};
    for (const auto &c : cases) EXPECT_EQ(LayText(c.mask, c.text), c.laid) << c.mask << " " << Quote(c.text);
    const struct {
        const char *mask, *text;
        bool ok;
    } texts[] = {{"(999)", "(1 3)", true},  {"(999)", "(1234)", false}, {"(999)", "(12)", false},
                 {"(999)", "[123)", false}, {"(999)", "(1a3)", false},  {"UL", "Ab", true},
                 {"UL", "aB", false},       {"x", "\x01", false}};
    for (const auto &c : texts) EXPECT_EQ(PictureFault(c.mask, c.text).empty(), c.ok) << c.mask << " " << Quote(c.text);
    EXPECT_EQ(Placeholders("(99)-9", "(12)-3"), "123");
}

TEST(SoakOracle, TimeTexts) {
    const struct {
        const char *mask, *text;
        bool ok;
        int hour, minute;  // -1: no time
    } cases[] = {{"99:99", "23:59", true, 23, 59},
                 {"99:99", "24:00", false, -1, 0},
                 {"99:99", "12:60", false, -1, 0},
                 {"99:99", " 9:05", true, 9, 5},
                 {"99:99", "12:  ", true, -1, 0},
                 {"99:99 am", "12:30 am", true, 0, 30},
                 {"99:99 am", "12:30 pm", true, 12, 30},
                 {"99:99 am", " 1:15 pm", true, 13, 15},
                 {"99:99 am", "13:00 pm", false, -1, 0},
                 {"99:99 am", "00:10 am", true, -1, 0},  // no hour 0 on a 12-hour clock
                 {"99:99 am", "11:00  m", true, -1, 0},
                 {"99:99 am", "11:00 Am", false, -1, 0},  // the mask's case only
                 {"99:99 A.M.", "11:00 P.M.", true, 23, 0}};
    for (const auto &c : cases) {
        EXPECT_EQ(TimeFault(c.mask, c.text).empty(), c.ok) << c.mask << " " << Quote(c.text);
        int hour = -1, minute = -1;
        EXPECT_EQ(ParseTime(c.mask, c.text, &hour, &minute), c.hour >= 0) << c.mask << " " << Quote(c.text);
        if (c.hour >= 0) {
            EXPECT_EQ(hour * 100 + minute, c.hour * 100 + c.minute) << c.text;
        }
    }
}

TEST(SoakOracle, IntegerTexts) {
    const struct {
        const char *text;
        bool ok, valid;
        long value;
    } cases[] = {{"", true, true, 0},
                 {"-", true, true, 0},
                 {"-42", true, true, -42},
                 {"2147483647", true, true, 2147483647L},
                 {"2147483648", true, false, 0},
                 {"-2147483648", true, true, -2147483647L - 1},
                 {"-2147483649", true, false, 0},
                 {"99999999999999999999", true, false, 0},
                 {"007", false, true, 7},
                 {"1-2", false, true, 1},
                 {"1 ", false, true, 1}};
    for (const auto &c : cases) {
        EXPECT_EQ(IntFault(c.text).empty(), c.ok) << Quote(c.text);
        long value = -99;
        EXPECT_EQ(ParseInt(c.text, &value), c.valid) << Quote(c.text);
        if (c.valid) {
            EXPECT_EQ(value, c.value) << Quote(c.text);
        }
    }
}

TEST(SoakOracle, NumberTexts) {
    const struct {
        const char *text;
        char decimal, group;
        bool ok;
        double value;
    } cases[] = {
        {"", '.', ',', true, 0},
        {"-1,234,567.25", '.', ',', true, -1234567.25},
        {"999", '.', ',', true, 999},
        {"1234.5", '.', ',', false, 1234.5},  // not grouped
        {"12,34", '.', ',', false, 1234},
        {",123", '.', ',', false, 123},
        {".5", '.', ',', true, 0.5},
        {"00.5", '.', ',', false, 0.5},
        {"-", '.', ',', false, 0},
        {"1.2.3", '.', ',', false, 1.2},
        {"1 234,5", ',', ' ', true, 1234.5},
        {"1,234.5", ',', ' ', false, 1.234},  // the old separators are not this format's
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FloatFault(c.text, c.decimal, c.group).empty(), c.ok) << Quote(c.text);
        EXPECT_DOUBLE_EQ(ReadFloat(c.text, c.decimal, c.group), c.value) << Quote(c.text);
    }
    EXPECT_TRUE(SameValue(0.1 + 0.2, 0.3));
    EXPECT_TRUE(SameValue(-0.0, 0.0));
    EXPECT_FALSE(SameValue(1.0, 1.0000001));
    EXPECT_FALSE(SameValue(0.0, 1e-300));
}

TEST(SoakOracle, ControlCharactersAndQuotedTexts) {
    for (int c = 1; c < 256; ++c) EXPECT_EQ(IsControl(static_cast<char>(c)), c < 0x20 || c == 0x7F) << c;
    EXPECT_EQ(Quote("a\x01\"\\\xE9z"), "\"a\\x01\\x22\\x5C\\xE9z\"");
}

}  // namespace
