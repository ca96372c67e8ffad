// The soak's expectations (oracle.h) against hand-made cases: a wrong rule would hide a fault.
#include <gtest/gtest.h>

#include "oracle.h"

using namespace qxs;

TEST(SoakOracle, Masks) {
    const struct {
        std::string mask, layout;  // P: a placeholder, L: a literal; "": not checked
        bool usable;
    } cases[] = {{"", "", false},
                 {"/9/a//9", "L9LaL/P9", true},
                 {"a/", "PaL/", true},

                 {"UuLlHhNnXxAa9", "PUPuPLPlPHPhPNPnPXPxPAPaP9", true},
                 {std::string(63, '9'), "", true},
                 {std::string(64, '9'), "", false},
                 {std::string(126, '/'), "", true},
                 {"99\x01", "", false}};
    for (const auto &c : cases) {
        std::string layout;
        for (const MaskPos &p : MaskPositions(c.mask)) layout += std::string(p.literal ? "L" : "P") + p.ch;
        EXPECT_EQ(c.layout.empty() ? "" : layout, c.layout) << Quote(c.mask);
        EXPECT_EQ(UsableMask(c.mask.c_str()), c.usable) << Quote(c.mask);
    }
    for (const char *m : {"99:99", "99:99 am", "99:99 AM", "99:99 a.m.", "99:99 A.M."}) EXPECT_TRUE(IsTimeMask(m)) << m;
    for (const char *m : {"99:99 pm", "99:9", "99:99 ", "99:99 Am"}) EXPECT_FALSE(IsTimeMask(m)) << m;
    EXPECT_FALSE(UsableMask(nullptr) || IsTimeMask(nullptr));
}

TEST(SoakOracle, PictureTexts) {
    const struct {
        const char *mask, *raw, *laid;  // laid: null when refused
        int limit;
        bool anyAtX;
    } raws[] = {{"(999)", "(12", "(12 )", 63, false}, {"999", "1 3", "1 3", 63, false},
                {"999", "1a3", nullptr, 63, false},   {"uULl", "abAB", "ABab", 63, false},
                {"/U9", "u5", nullptr, 63, false},    {"99-99", "12345", "12-", 3, false},
                {"x", "\x01", nullptr, 63, false},    {"x", "\x01", "\x01", 63, true}};
    for (const auto &c : raws) {
        std::string out;
        EXPECT_EQ(LayRaw(c.mask, c.raw, c.limit, c.anyAtX, &out), c.laid != nullptr) << c.mask << " " << Quote(c.raw);
        EXPECT_EQ(c.laid ? out : "", c.laid ? c.laid : "") << c.mask << " " << Quote(c.raw);
    }
    EXPECT_EQ(LayText("(999)", "x1y3z"), "(1 3)");
    EXPECT_EQ(LayText("(999)uL", "(1"), "(1  )  ");
    EXPECT_EQ(LayText("uL", "aB"), "Ab");
    EXPECT_EQ(LayText(std::string(70, 'x'), std::string(70, 'q')), std::string(63, 'q'));
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
        int time;  // hour * 100 + minute; -1: none
    } cases[] = {{"99:99", "23:59", true, 2359},       {"99:99", "24:00", false, -1},
                 {"99:99", "12:60", false, -1},        {"99:99", " 9:05", true, 905},
                 {"99:99", "12:  ", true, -1},         {"99:99 am", "12:30 am", true, 30},
                 {"99:99 am", "12:30 pm", true, 1230}, {"99:99 am", "13:00 pm", false, -1},
                 {"99:99 am", "00:10 am", true, -1},   {"99:99 am", "11:00  m", true, -1},
                 {"99:99 am", "11:00 Am", false, -1},  {"99:99 A.M.", "11:00 P.M.", true, 2300}};
    for (const auto &c : cases) {
        int hour = -1, minute = -1;
        EXPECT_EQ(TimeFault(c.mask, c.text).empty(), c.ok) << c.mask << " " << Quote(c.text);
        EXPECT_EQ(ParseTime(c.mask, c.text, &hour, &minute) ? hour * 100 + minute : -1, c.time)
            << c.mask << " " << Quote(c.text);
    }
}

TEST(SoakOracle, NumberTexts) {
    const struct {
        const char *text;
        bool ok, valid;
        long value;
    } ints[] = {{"", true, true, 0},
                {"-", true, true, 0},
                {"2147483647", true, true, 2147483647L},
                {"2147483648", true, false, 0},
                {"-2147483648", true, true, -2147483647L - 1},
                {"-2147483649", true, false, 0},
                {"007", false, true, 7},
                {"1-2", false, true, 1}};
    for (const auto &c : ints) {
        long value = -99;
        EXPECT_EQ(IntFault(c.text).empty(), c.ok) << Quote(c.text);
        EXPECT_EQ(ParseInt(c.text, &value), c.valid) << Quote(c.text);
        EXPECT_EQ(c.valid ? value : 0, c.value) << Quote(c.text);
    }
    const struct {
        const char *text;
        char decimal, group;
        bool ok;
        double value;
    } floats[] = {{"", '.', ',', true, 0},
                  {"-1,234,567.25", '.', ',', true, -1234567.25},

                  {"1234.5", '.', ',', false, 1234.5},
                  {"12,34", '.', ',', false, 1234},
                  {",123", '.', ',', false, 123},
                  {".5", '.', ',', true, 0.5},
                  {"00.5", '.', ',', false, 0.5},
                  {"-", '.', ',', false, 0},
                  {"1.2.3", '.', ',', false, 1.2},
                  {"1 234,5", ',', ' ', true, 1234.5},
                  {"1,234.5", ',', ' ', false, 1.234}};
    for (const auto &c : floats) {
        EXPECT_EQ(FloatFault(c.text, c.decimal, c.group).empty(), c.ok) << Quote(c.text);
        EXPECT_DOUBLE_EQ(ReadFloat(c.text, c.decimal, c.group), c.value) << Quote(c.text);
    }
    EXPECT_TRUE(SameValue(0.1 + 0.2, 0.3) && SameValue(-0.0, 0.0));
    EXPECT_FALSE(SameValue(1.0, 1.0000001) || SameValue(0.0, 1e-300));
    EXPECT_TRUE(IsControl('\x1F') && IsControl('\x7F') && !IsControl(' ') && !IsControl('\x80'));
    EXPECT_EQ(Quote("a\x01\"\\\xE9z"), "\"a\\x01\\x22\\x5C\\xE9z\"");
}
