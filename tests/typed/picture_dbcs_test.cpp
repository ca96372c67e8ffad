// Double-byte characters in picture texts, under code page 932: a position
// holds one byte, so no placeholder takes a lead byte, and a two-byte
// character laid over the mask leaves its one position blank.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "typed/picture_rules.h"

namespace {

const std::string kWide = "\x82\xa0";  // one two-byte character
const char kNarrow[] = "\xb1";         // one single-byte character of the same code page

TEST(PictureDoubleByte, PlaceholdersNeverTakeALeadByte) {
    ASSERT_EQ(GetACP(), 932u);
    char out[8];
    qx::PictureLayText("XX9", (kWide + "1").c_str(), out, sizeof out);
    EXPECT_STREQ(out, " 1 ");
    qx::PictureLayText("XX", kNarrow, out, sizeof out);
    EXPECT_EQ(std::string(out), std::string(kNarrow) + " ");

    char text[] = "   ";
    int caret = -1;
    EXPECT_FALSE(qx::PictureOvertype("XXX", text, 3, kWide.c_str(), 0, &caret));
    EXPECT_TRUE(qx::PictureOvertype("XXX", text, 3, kNarrow, 1, &caret));
    EXPECT_EQ(caret, 2);
    EXPECT_FALSE(qx::PictureValid("XX", kWide.c_str(), 2));
    EXPECT_TRUE(qx::PictureValid("XX", text, 2));
}

// A two-byte literal of the mask is one position showing its first byte, as
// the mask language lays it out; typing skips it like any literal.
TEST(PictureDoubleByte, TwoByteLiteralIsOnePosition) {
    const char mask[] = "\x81\x40" "99";
    char text[8];
    ASSERT_EQ(qx::PictureEmptyLayout(mask, text, sizeof text), 3);
    int caret = -1;
    EXPECT_TRUE(qx::PictureOvertype(mask, text, 3, "12", 0, &caret));
    EXPECT_EQ(std::string(text, 3), "\x81" "12");
    EXPECT_EQ(caret, 3);
    EXPECT_TRUE(qx::PictureValid(mask, text, 3));
}

}  // namespace
