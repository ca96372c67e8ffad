// Rules of a text laid over a picture mask, on plain data.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "typed/picture_rules.h"

namespace {

const char *const kPhone = "(999) 999-99";
const char *const kPhoneEmpty = "(   )    -  ";

std::string Layout(const char *mask) {
    char out[64];
    const int n = qx::PictureEmptyLayout(mask, out, sizeof out);
    EXPECT_EQ(n, static_cast<int>(std::strlen(out)));
    return out;
}

std::string Repeat(const char *s, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += s;
    return out;
}

TEST(PictureMask, UsableWhenOneToSixtyThreePositions) {
    struct {
        std::string mask;
        bool usable;
    } cases[] = {
        {"", false},
        {"9", true},
        {kPhone, true},
        {Repeat("9", 63), true},
        {Repeat("9", 64), false},
        {Repeat("/9", 63), true},  // 126 bytes, 63 positions
        {Repeat("/9", 64), false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(qx::PictureMaskUsable(c.mask.c_str()), c.usable) << c.mask;
    EXPECT_FALSE(qx::PictureMaskUsable(nullptr));
}

TEST(PictureLayout, LiteralsAndSpaces) {
    EXPECT_EQ(Layout(kPhone), kPhoneEmpty);
    EXPECT_EQ(Layout("/9-99"), "9-  ");
    EXPECT_EQ(Layout("UU//x"), "  / ");
    EXPECT_EQ(Layout("99:99 am"), "  :    m");
    EXPECT_EQ(Layout(""), "");
}

// A mask with more positions than the buffer is cut, never overrun.
TEST(PictureLayout, CutAtBufferSize) {
    const std::string mask = Repeat("(9)", 40);
    char out[16];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(qx::PictureEmptyLayout(mask.c_str(), out, 10), 9);
    EXPECT_STREQ(out, "( )( )( )");
    EXPECT_EQ(out[10], '#');
    char lay[16];
    std::memset(lay, '#', sizeof lay);
    EXPECT_EQ(qx::PictureLayText(mask.c_str(), "123456789", lay, 10), 9);
    EXPECT_EQ(lay[10], '#');
    EXPECT_EQ(qx::PictureEmptyLayout(mask.c_str(), out, 0), 0);
    EXPECT_EQ(out[0], '(');  // untouched
}

TEST(PictureLayText, PositionByPosition) {
    struct {
        const char *mask, *text, *laid;
    } cases[] = {
        {kPhone, "(555) 123-45", "(555) 123-45"},
        {kPhone, "", kPhoneEmpty},
        {kPhone, "(5", "(5  )    -  "},
        // Each character takes its position whether it fits or not: a digit
        // under '(' gives the literal and is used up.
        {kPhone, "5551234567", "(551) 456-  "},
        {kPhone, "(abc) 123-45", "(   ) 123-45"},
        {kPhone, "(555) 123-456789", "(555) 123-45"},
        {"UU-ll", "abXY", "AB-y "},
        {"/9-99", "9-12", "9-12"},
        {"/9-99", "1-12", "9-12"},
        {"XX", "\t~", "\t~"},
        {"99", " 1", " 1"},
    };
    for (const auto &c : cases) {
        char out[64];
        const int n = qx::PictureLayText(c.mask, c.text, out, sizeof out);
        EXPECT_STREQ(out, c.laid) << c.mask << " / " << c.text;
        EXPECT_EQ(n, static_cast<int>(std::strlen(c.laid)));
    }
}

struct OvertypeCase {
    const char *mask, *before, *str;
    int pos;
    bool ok;
    const char *after;
    int caret;
};

TEST(PictureOvertype, SkipsLiteralsAndChecksPlaceholders) {
    const OvertypeCase cases[] = {
        {kPhone, kPhoneEmpty, "5", 0, true, "(5  )    -  ", 2},
        {kPhone, kPhoneEmpty, "(", 0, true, kPhoneEmpty, 1},
        {kPhone, kPhoneEmpty, "5", 1, true, "(5  )    -  ", 2},
        {kPhone, "(555)    -  ", "1", 4, true, "(555) 1  -  ", 7},
        {kPhone, "(555) 123-  ", "-", 9, true, "(555) 123-  ", 10},
        {kPhone, "(555) 123-4 ", "5", 11, true, "(555) 123-45", 12},
        {kPhone, "(555) 123-45", "9", 1, true, "(955) 123-45", 2},
        {kPhone, kPhoneEmpty, "55512345", 0, true, "(555) 123-45", 12},
        {kPhone, kPhoneEmpty, "(555) 123-45", 0, true, "(555) 123-45", 12},
        {kPhone, kPhoneEmpty, "12", 10, true, "(   )    -12", 12},
        // refused: nothing changes
        {kPhone, kPhoneEmpty, "5", 12, false, kPhoneEmpty, -1},
        {kPhone, kPhoneEmpty, "5", 40, false, kPhoneEmpty, -1},
        {kPhone, kPhoneEmpty, "5", -1, false, kPhoneEmpty, -1},
        {kPhone, kPhoneEmpty, "a", 1, false, kPhoneEmpty, -1},
        {kPhone, kPhoneEmpty, " ", 1, false, kPhoneEmpty, -1},
        {kPhone, kPhoneEmpty, "55x", 0, false, kPhoneEmpty, -1},
        {kPhone, kPhoneEmpty, "123", 10, false, kPhoneEmpty, -1},
        {kPhone, kPhoneEmpty, "555123456", 0, false, kPhoneEmpty, -1},
        {"99)", "12)", "3", 2, false, "12)", -1},
        {"", "", "1", 0, false, "", -1},
        // case conversion and classes
        {"UU-99", "  -  ", "ab", 0, true, "AB-  ", 2},
        {"LL", "  ", "QR", 0, true, "qr", 2},
        {"HH", "  ", "fG", 0, false, "  ", -1},
        {"/9-99", "9-  ", "5", 0, true, "9-5 ", 3},
        {"/9-99", "9-  ", "9", 0, true, "9-  ", 1},
    };
    for (const auto &c : cases) {
        char text[64];
        const int len = static_cast<int>(std::strlen(c.before));
        std::memcpy(text, c.before, len + 1);
        int caret = -1;
        EXPECT_EQ(qx::PictureOvertype(c.mask, text, len, c.str, c.pos, &caret), c.ok)
            << c.mask << " '" << c.before << "' + " << c.str << " at " << c.pos;
        EXPECT_EQ(std::string(text, len), c.after) << c.mask << " + " << c.str << " at " << c.pos;
        EXPECT_EQ(caret, c.caret) << c.mask << " + " << c.str << " at " << c.pos;
    }
}

// The text may be shorter than the mask: overtyping stops at its end.
TEST(PictureOvertype, StopsAtEndOfShorterText) {
    char text[8] = "(  ";
    int caret = -1;
    EXPECT_FALSE(qx::PictureOvertype(kPhone, text, 3, "555", 0, &caret));
    EXPECT_STREQ(text, "(  ");
    EXPECT_TRUE(qx::PictureOvertype(kPhone, text, 3, "55", 0, &caret));
    EXPECT_STREQ(text, "(55");
    EXPECT_EQ(caret, 3);
}

struct BlankCase {
    const char *before;
    int pos, count, reason, lo;
    const char *after;
    int newCaret;  // -1: the selection stays
};

TEST(PictureBlank, BlanksPlaceholdersAndPlacesCaretByReason) {
    const BlankCase cases[] = {
        // Backspace at 2 in "(5": the 5 goes, the caret steps onto it.
        {"(5  )    -  ", 1, 1, 3, 2, kPhoneEmpty, 1},
        // Backspace over a literal moves the caret and blanks nothing.
        {"(555) 1  -  ", 5, 1, 3, 6, "(555) 1  -  ", 5},
        // Delete blanks under the caret and moves right, not past the last.
        {"(555) 123-45", 1, 1, 1, 1, "( 55) 123-45", 2},
        {"(555) 123-45", 11, 1, 1, 11, "(555) 123-4 ", -1},
        // A removed selection leaves the caret at its lower end.
        {"(555) 123-45", 2, 7, 2, 2, "(5  )    -45", 2},
        {"(555) 123-45", 2, 7, 4, 2, "(5  )    -45", 2},
        // Paste removes the selection and leaves the caret to the insertion.
        {"(555) 123-45", 0, 12, 6, 0, kPhoneEmpty, -1},
        // A count past the end stops at the end.
        {"(555) 123-45", 6, 50, 2, 6, "(555)    -  ", 6},
        {"(555) 123-45", 20, 5, 2, 12, "(555) 123-45", 12},
    };
    for (const auto &c : cases) {
        char text[64];
        const int len = static_cast<int>(std::strlen(c.before));
        std::memcpy(text, c.before, len + 1);
        qx::PictureBlank(kPhone, text, len, c.pos, c.count);
        EXPECT_EQ(std::string(text, len), c.after) << c.before << " at " << c.pos;
        EXPECT_EQ(qx::PictureCaretAfterBlank(c.reason, c.lo, len), c.newCaret)
            << c.before << " reason " << c.reason;
    }
}

TEST(PictureClear, KeepsLiterals) {
    char text[] = "(555) 123-45";
    qx::PictureClear(kPhone, text, 12);
    EXPECT_STREQ(text, kPhoneEmpty);
    char time[] = "12:05 pm";
    qx::PictureClear("99:99 am", time, 8);
    EXPECT_STREQ(time, "  :    m");
}

TEST(PictureValid, EveryPositionFitsOrIsBlank) {
    struct {
        const char *mask, *text;
        bool valid;
    } cases[] = {
        {kPhone, kPhoneEmpty, true},
        {kPhone, "(555) 123-45", true},
        {kPhone, "(5 5)  2 - 5", true},
        {kPhone, "(555", true},          // shorter: the rest counts as empty
        {kPhone, "", true},
        {kPhone, "(555) 123-456", false},  // longer than the mask
        {kPhone, " 555) 123-45", false},   // a blank literal
        {kPhone, "[555) 123-45", false},
        {kPhone, "(5a5) 123-45", false},
        {"UU", "ab", true},                 // fits once converted
        {"LL", "AB", true},
        {"HH", "fg", false},
        {"/9", "9", true},
        {"/9", "8", false},
        {"", "", true},
        {"", "1", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(qx::PictureValid(c.mask, c.text, static_cast<int>(std::strlen(c.text))), c.valid)
            << c.mask << " / '" << c.text << "'";
}

TEST(PicturePullBack, CaretGoesAfterLastEnteredCharacter) {
    struct {
        const char *text;
        int caret, expected;
    } cases[] = {
        {kPhoneEmpty, 0, 0},
        {kPhoneEmpty, 7, 0},
        {"(5  )    -  ", 10, 2},
        {"(5  )    -  ", 2, 2},
        {"(5  )    -  ", 1, 1},    // before the entered character
        {"(555) 1  -  ", 3, 3},    // among them
        {"(555) 1  -  ", 5, 5},
        {"(555) 1  -  ", 12, 7},
        {"(5  ) 1  -  ", 3, 3},    // in a gap before a later one
        {"(555) 123-45", 12, 12},
    };
    for (const auto &c : cases)
        EXPECT_EQ(qx::PicturePullBack(kPhone, c.text, 12, c.caret), c.expected)
            << "'" << c.text << "' caret " << c.caret;
}

TEST(PicturePlaceholders, LiteralsLeftOutAndSizeRespected) {
    char out[16];
    EXPECT_EQ(qx::PicturePlaceholders(kPhone, kPhoneEmpty, 12, out, sizeof out), 8);
    EXPECT_STREQ(out, "        ");
    EXPECT_EQ(qx::PicturePlaceholders(kPhone, "(555) 123-45", 12, out, sizeof out), 8);
    EXPECT_STREQ(out, "55512345");
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(qx::PicturePlaceholders(kPhone, "(555) 123-45", 12, out, 4), 3);
    EXPECT_STREQ(out, "555");
    EXPECT_EQ(out[4], '#');
    EXPECT_EQ(qx::PicturePlaceholders(kPhone, "(555) 123-45", 12, out, 1), 0);
    EXPECT_STREQ(out, "");
    out[0] = '#';
    EXPECT_EQ(qx::PicturePlaceholders(kPhone, "(555) 123-45", 12, out, 0), 0);
    EXPECT_EQ(out[0], '#');
    EXPECT_EQ(qx::PicturePlaceholders("/9-99", "9-12", 4, out, sizeof out), 2);
    EXPECT_STREQ(out, "12");
}

TEST(PictureAllBlank, OnlyPlaceholdersCount) {
    EXPECT_TRUE(qx::PictureAllBlank(kPhone, kPhoneEmpty, 12));
    EXPECT_FALSE(qx::PictureAllBlank(kPhone, "(   )    - 5", 12));
    EXPECT_TRUE(qx::PictureAllBlank("(/9)", "(9)", 3));  // literals only
    EXPECT_FALSE(qx::PictureAllBlank("99:99 am", "  :   pm", 8));
}

}  // namespace
