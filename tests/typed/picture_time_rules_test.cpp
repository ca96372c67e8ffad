// Bounds of the picture and time rules, where no window reaches them: every
// walk stops at the end of its buffer, its text or its mask, whichever comes
// first. (Their behaviour is tested through the windows.)
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "typed/picture_rules.h"
#include "typed/time_rules.h"

namespace {

const char kPhone[] = "(999) 999-99";

// A mask with more positions than the buffer is cut, never overrun.
TEST(PictureRules, OutputsStayInTheirBuffers) {
    const std::string mask(80, '9');
    char out[24];
    for (int size : {0, 1, 5}) {
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(qx::PictureEmptyLayout(mask.c_str(), out, size), size > 0 ? size - 1 : 0);
        EXPECT_EQ(qx::PictureLayText(mask.c_str(), "123456789", out, size), size > 0 ? size - 1 : 0);
        EXPECT_EQ(qx::PicturePlaceholders(mask.c_str(), mask.c_str(), 80, out, size),
                  size > 0 ? size - 1 : 0);
        EXPECT_EQ(out[size], '#') << size;
    }
    EXPECT_FALSE(qx::PictureMaskUsable(mask.c_str()));
    EXPECT_TRUE(qx::PictureMaskUsable(std::string(63, '9').c_str()));
    EXPECT_TRUE(qx::PictureMaskUsable(std::string(126, '/').c_str()));  // 63 escape pairs
}

// A text shorter than its mask: nothing is read or written past its end.
TEST(PictureRules, WalksStopAtTheEndOfAShorterText) {
    char text[8] = "(  ####";
    int caret = -1;
    EXPECT_FALSE(qx::PictureOvertype(kPhone, text, 3, "555", 0, &caret));
    EXPECT_TRUE(qx::PictureOvertype(kPhone, text, 3, "55", 0, &caret));
    EXPECT_EQ(caret, 3);
    qx::PictureBlank(kPhone, text, 3, 1, 40);
    qx::PictureClear(kPhone, text, 3);
    EXPECT_STREQ(text, "(  ####");
    EXPECT_TRUE(qx::PictureValid(kPhone, text, 3));
    EXPECT_EQ(qx::PicturePullBack(kPhone, "(55", 3, 12), 3);
    EXPECT_FALSE(qx::TimeInsert("99:99", text, 3, "1", 0, &caret));
    EXPECT_FALSE(qx::ParseTime("99:99", "12", 2, &caret, &caret));
}

// Only one hour and one minute exist: a mask with more fields, a percent
// sign or more than 32 positions neither reads values that were not given
// nor writes past the buffer.
TEST(TimeRules, FormatStaysInItsBufferWhateverTheMask) {
    const std::string longMask(80, '9');
    for (const char *mask : {"99:99:99:99", "%s%n%d 99", longMask.c_str(), "9"}) {
        char out[48];
        std::memset(out, '#', sizeof out);
        const int n = qx::FormatTime(65535, 65535, mask, out, 32);
        EXPECT_LT(n, 32) << mask;
        EXPECT_EQ(static_cast<int>(std::strlen(out)), n) << mask;
        EXPECT_EQ(out[32], '#') << mask;
    }
    char out[32];
    qx::FormatTime(7, 5, "%d 99:99:99", out, sizeof out);
    EXPECT_STREQ(out, "%d 07:05:  ");
    EXPECT_EQ(qx::FormatTime(7, 5, "99:99", out, 31), 0);  // too small a buffer: empty
    EXPECT_STREQ(out, "");
    int anchor, caret;
    EXPECT_FALSE(qx::TimeStep("99:99", "12:30", 5, 0, true, out, 16, &anchor, &caret));
}

}  // namespace
