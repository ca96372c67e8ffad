// The soak's expectations (oracle.h) on and around their limits: a rule too lax there would hide a fault.
#include <gtest/gtest.h>

#include "oracle.h"

using namespace qxs;

TEST(SoakOracle, Masks) {
    std::string layout, laid;
    for (const MaskPos &p : MaskPositions("/9/a//9a/")) layout += std::string(p.literal ? "L" : "P") + p.ch;
    EXPECT_EQ(layout, "L9LaL/P9PaL/");
    EXPECT_TRUE(UsableMask(std::string(63, '9').c_str()) && UsableMask(std::string(126, '/').c_str()));
    EXPECT_FALSE(UsableMask(std::string(64, '9').c_str()) || UsableMask("") || UsableMask("99\x01"));
    EXPECT_TRUE(LayRaw("(999)uULl", "(12 )abA", &laid) && laid == "(12 )ABa ");
    EXPECT_FALSE(LayRaw("999", "1a3", &laid) || LayRaw("/U9", "u5", &laid) || LayRaw("x", "\x01", &laid));
    for (const char *bad : {"(1234)", "(12)", "[123)", "(1a3)"}) EXPECT_NE(PictureFault("(999)", bad), "") << bad;
    EXPECT_TRUE(PictureFault("(999)UL", "(1 3)Ab").empty() && Placeholders("(99)-9", "(12)-3") == "123");
}

TEST(SoakOracle, Times) {
    const struct {
        const char *mask, *text;
        bool ok;
        int time;  // hour * 100 + minute; -1: none
    } cases[] = {{"99:99", "23:59", true, 2359},          {"99:99", "24:00", false, -1},
                 {"99:99", "12:60", false, -1},           {"99:99", " 9:05", true, 905},
                 {"99:99 am", "12:30 am", true, 30},      {"99:99 am", "12:30 pm", true, 1230},
                 {"99:99 am", "13:00 pm", false, -1},     {"99:99 am", "00:10 am", true, -1},
                 {"99:99 am", "11:00 Am", false, -1},     {"99:99 A.M.", "11:00 P.M.", true, 2300}};
    for (const auto &c : cases) {
        int hour = -1, minute = -1;
        EXPECT_EQ(TimeFault(c.mask, c.text).empty(), c.ok) << c.mask << " " << c.text;
        EXPECT_EQ(ParseTime(c.mask, c.text, &hour, &minute) ? hour * 100 + minute : -1, c.time) << c.text;
    }
}

TEST(SoakOracle, Numbers) {
    long v = 0;
    EXPECT_TRUE(ParseInt("2147483647", &v) && v == 2147483647L && ParseInt("-2147483648", &v) && v == -2147483647L - 1);
    EXPECT_FALSE(ParseInt("2147483648", &v) || ParseInt("-2147483649", &v));
    EXPECT_TRUE(IntFault("").empty() && IntFault("-120").empty());
    EXPECT_FALSE(IntFault("007").empty() || IntFault("1-2").empty());
    const struct {
        const char *text;
        char decimal, group;
        bool ok;
        double value;
    } floats[] = {{"-1,234,567.25", '.', ',', true, -1234567.25}, {"1234.5", '.', ',', false, 1234.5},
                  {"12,34", '.', ',', false, 1234}, {",123", '.', ',', false, 123}, {"00.5", '.', ',', false, 0.5},
                  {"-", '.', ',', false, 0}, {"1.2.3", '.', ',', false, 1.2}, {"1 234,5", ',', ' ', true, 1234.5}};
    for (const auto &c : floats) {
        EXPECT_EQ(FloatFault(c.text, c.decimal, c.group).empty(), c.ok) << c.text;
        EXPECT_DOUBLE_EQ(ReadFloat(c.text, c.decimal, c.group), c.value) << c.text;
    }
    EXPECT_TRUE(SameValue(0.1 + 0.2, 0.3) && !SameValue(1.0, 1.0000001) && !SameValue(0.0, 1e-300));
}
