// Double-byte characters in picture texts. Runs where the ANSI code page is
// 932, whose lead bytes start two-byte characters: a position holds one byte,
// so a placeholder never takes a lead byte, and a two-byte character of the
// text handed to the control takes one position and leaves it blank.
#include <windows.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "typed/picture_rules.h"

namespace {

const char kHiragana[] = "\x82\xa0";  // a two-byte character
const char kKatakana = '\xb1';        // a one-byte character of the same code page

TEST(PictureDoubleByte, RunsUnderADoubleByteCodePage) {
    ASSERT_EQ(GetACP(), 932u);
    ASSERT_TRUE(IsDBCSLeadByte(0x82));
    ASSERT_FALSE(IsDBCSLeadByte(static_cast<BYTE>(kKatakana)));
}

TEST(PictureDoubleByte, LaidTextLeavesTheCharacterOut) {
    char out[16];
    const std::string text = std::string(kHiragana) + "1";
    EXPECT_EQ(qx::PictureLayText("XX9", text.c_str(), out, sizeof out), 3);
    EXPECT_STREQ(out, " 1 ");
    const std::string mixed = std::string("a") + kHiragana + "b";
    EXPECT_EQ(qx::PictureLayText("XXX", mixed.c_str(), out, sizeof out), 3);
    EXPECT_STREQ(out, "a b");
    const char one[] = {kKatakana, 0};
    EXPECT_EQ(qx::PictureLayText("X", one, out, sizeof out), 1);
    EXPECT_STREQ(out, one);
}

TEST(PictureDoubleByte, PlaceholdersRefuseLeadBytes) {
    char text[] = "   ";
    int caret = -1;
    EXPECT_FALSE(qx::PictureOvertype("XXX", text, 3, kHiragana, 0, &caret));
    EXPECT_FALSE(qx::PictureOvertype("XXX", text, 3, "\x82", 0, &caret));
    EXPECT_STREQ(text, "   ");
    const char one[] = {kKatakana, 0};
    EXPECT_TRUE(qx::PictureOvertype("XXX", text, 3, one, 1, &caret));
    EXPECT_EQ(text[1], kKatakana);
    EXPECT_EQ(caret, 2);

    EXPECT_FALSE(qx::PictureValid("XX", kHiragana, 2));
    EXPECT_TRUE(qx::PictureValid("XX", one, 1));
}

// A two-byte literal of the mask is one position showing its first byte, as
// the mask language lays it out; typing skips it like any literal.
TEST(PictureDoubleByte, TwoByteLiteralIsOnePosition) {
    const char mask[] = "\x81\x40" "99";
    char layout[8];
    EXPECT_EQ(qx::PictureEmptyLayout(mask, layout, sizeof layout), 3);
    EXPECT_EQ(std::string(layout), std::string("\x81  "));
    int caret = -1;
    EXPECT_TRUE(qx::PictureOvertype(mask, layout, 3, "12", 0, &caret));
    EXPECT_EQ(std::string(layout), std::string("\x81" "12"));
    EXPECT_EQ(caret, 3);
    EXPECT_TRUE(qx::PictureValid(mask, layout, 3));
}

}  // namespace
