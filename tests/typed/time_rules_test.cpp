// Rules of a time of day over the five time masks, on plain data.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "typed/picture_rules.h"
#include "typed/time_rules.h"

namespace {

const char *const k24 = "99:99";
const char *const kam = "99:99 am";
const char *const kAM = "99:99 AM";
const char *const kamDots = "99:99 a.m.";
const char *const kAMDots = "99:99 A.M.";
const char *const kAllMasks[] = {k24, kam, kAM, kamDots, kAMDots};

std::string Empty(const char *mask) {
    char out[64];
    qx::PictureEmptyLayout(mask, out, sizeof out);
    return out;
}

TEST(TimeMask, OnlyTheFiveExactMasks) {
    for (const char *m : kAllMasks) EXPECT_TRUE(qx::IsTimeMask(m)) << m;
    const char *others[] = {"", "99:99 Am", "99:99 ", "99:99 am ", "99/99", "9:99", "99:99 pm",
                            "99:99 P.M.", "99:99:99"};
    for (const char *m : others) EXPECT_FALSE(qx::IsTimeMask(m)) << m;
    EXPECT_FALSE(qx::IsTimeMask(nullptr));
    EXPECT_TRUE(qx::IsTime24HourMask(k24));
    EXPECT_FALSE(qx::IsTime24HourMask(kam));
    EXPECT_FALSE(qx::IsTime24HourMask(nullptr));
}

TEST(TimeMask, LetterAndMarkerPositions) {
    EXPECT_EQ(qx::TimeLetterPosition(k24), -1);
    EXPECT_EQ(qx::TimeMarkerPosition(k24), -1);
    EXPECT_EQ(qx::TimeLetterPosition(kam), 6);
    EXPECT_EQ(qx::TimeMarkerPosition(kam), 7);
    EXPECT_EQ(qx::TimeLetterPosition(kAM), 6);
    EXPECT_EQ(qx::TimeMarkerPosition(kAM), 7);
    EXPECT_EQ(qx::TimeLetterPosition(kamDots), 6);
    EXPECT_EQ(qx::TimeMarkerPosition(kamDots), 8);
    EXPECT_EQ(qx::TimeMarkerPosition(kAMDots), 8);
}

TEST(FormatTime, EachMask) {
    struct {
        int hour, minute;
        const char *mask, *text;
    } cases[] = {
        {0, 5, kam, "12:05 am"},     {0, 5, kAM, "12:05 AM"},     {0, 5, k24, "00:05"},
        {13, 5, kam, "01:05 pm"},    {12, 0, kam, "12:00 pm"},    {11, 59, kAM, "11:59 AM"},
        {23, 59, kAMDots, "11:59 P.M."}, {7, 5, kamDots, "07:05 a.m."}, {19, 5, k24, "19:05"},
        {12, 30, kAMDots, "12:30 P.M."},
    };
    for (const auto &c : cases) {
        char out[32];
        EXPECT_EQ(qx::FormatTime(c.hour, c.minute, c.mask, out, sizeof out),
                  static_cast<int>(std::strlen(c.text)));
        EXPECT_STREQ(out, c.text) << c.hour << ":" << c.minute << " " << c.mask;
    }
}

TEST(FormatTime, SmallBufferGetsEmptyText) {
    char out[40];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(qx::FormatTime(7, 5, k24, out, 31), 0);
    EXPECT_EQ(out[0], '\0');
    EXPECT_EQ(out[1], '#');
    EXPECT_EQ(qx::FormatTime(7, 5, k24, out, 0), 0);
}

// A mask with more fields than two, a percent sign or more than 32
// positions cannot make the output run past its buffer or read values that
// were not given.
TEST(FormatTime, ArbitraryMasksStayInBuffer) {
    const std::string longMask(80, '9');
    const char *masks[] = {"99:99:99:99", "%s%n%d 99", longMask.c_str(), "9"};
    for (const char *mask : masks) {
        char out[48];
        std::memset(out, '#', sizeof out);
        const int n = qx::FormatTime(65535, 65535, mask, out, 32);
        EXPECT_LT(n, 32) << mask;
        EXPECT_EQ(static_cast<int>(std::strlen(out)), n) << mask;
        for (int i = 32; i < 48; ++i) ASSERT_EQ(out[i], '#') << mask;
    }
    char out[32];
    qx::FormatTime(7, 5, "%d 99:99", out, sizeof out);
    EXPECT_STREQ(out, "%d 07:05");
    qx::FormatTime(7, 5, "99:99:99", out, sizeof out);
    EXPECT_STREQ(out, "07:05:  ");
}

TEST(ParseTime, FieldsLetterAndRanges) {
    struct {
        const char *mask, *text;
        bool ok;
        int hour, minute;
    } cases[] = {
        {kam, "12:05 am", true, 0, 5},
        {kam, "12:05 pm", true, 12, 5},
        {kam, " 7:05 pm", true, 19, 5},
        {kAM, "01:00 AM", true, 1, 0},
        {kAMDots, "11:59 P.M.", true, 23, 59},
        {kam, "7 :5  am", true, 7, 5},
        {k24, "00:00", true, 0, 0},
        {k24, "23:59", true, 23, 59},
        {k24, " 9: 7", true, 9, 7},
        {k24, "24:00", false, 0, 0},
        {k24, "12:60", false, 0, 0},
        {k24, "  :05", false, 0, 0},
        {k24, "12:  ", false, 0, 0},
        {k24, "12:0", true, 12, 0},
        {k24, "12", false, 0, 0},
        {kam, "00:05 am", false, 0, 0},
        {kam, "13:00 pm", false, 0, 0},
        {kam, "07:05  m", false, 0, 0},
        {kam, "07:05", false, 0, 0},
        {kam, "07:05 xm", false, 0, 0},
    };
    for (const auto &c : cases) {
        int hour = -1, minute = -1;
        EXPECT_EQ(qx::ParseTime(c.mask, c.text, static_cast<int>(std::strlen(c.text)), &hour, &minute),
                  c.ok)
            << c.mask << " '" << c.text << "'";
        if (c.ok) {
            EXPECT_EQ(hour, c.hour) << c.text;
            EXPECT_EQ(minute, c.minute) << c.text;
        } else {
            EXPECT_EQ(hour, -1) << c.text;
        }
    }
}

TEST(TimeValid, RangesAndLetter) {
    struct {
        const char *mask, *text;
        bool valid;
    } cases[] = {
        {k24, "  :  ", true},     {k24, "23:59", true},     {k24, "24:  ", false},
        {k24, "  :60", false},    {k24, "00:00", true},     {k24, " 9:  ", true},
        {kam, "12:00 am", true},  {kam, "13:00 am", false}, {kam, "00:00 am", true},
        {kam, "  :    m", true},  {kam, "  :   pm", true},  {kam, "  :   Pm", false},
        {kam, "  :   xm", false}, {kam, "  :   px", false}, {kam, "  :   p ", true},
        {kAM, "  :   pM", false}, {kAM, "11:00 PM", true},  {kAMDots, "11:00 P,M.", false},
        {kamDots, "11:00 p.m.", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(qx::TimeValid(c.mask, c.text, static_cast<int>(std::strlen(c.text))), c.valid)
            << c.mask << " '" << c.text << "'";
}

// Types a string one character at a time, as a user does, from a caret.
struct TypeResult {
    bool ok;
    std::string text;
    int caret;
};

TypeResult TypeEach(const char *mask, std::string text, int caret, const char *keys) {
    for (const char *k = keys; *k; ++k) {
        char one[2] = {*k, 0};
        if (!qx::TimeInsert(mask, &text[0], static_cast<int>(text.size()), one, caret, &caret))
            return {false, text, caret};
    }
    return {true, text, caret};
}

TEST(TimeInsert, TypingSequences) {
    struct {
        const char *mask;
        const char *before;  // null: the empty layout
        int caret;
        const char *keys;
        bool ok;
        const char *after;
        int newCaret;
    } cases[] = {
        {kam, nullptr, 0, "7:05p", true, " 7:05 pm", 7},
        {kAM, nullptr, 0, "7:05p", true, " 7:05 PM", 7},
        {kAMDots, nullptr, 0, "11:30a", true, "11:30 A.M.", 7},
        {kam, nullptr, 0, "7", true, " 7:    m", 2},
        {kam, nullptr, 0, "12", true, "12:    m", 2},
        {kam, nullptr, 0, "1 3", true, " 1:3   m", 4},
        {kam, nullptr, 0, "7:5 p", true, " 7:5  pm", 7},
        {kam, nullptr, 0, "7pm", true, " 7:   pm", 7},
        {kam, nullptr, 0, "7:05 m", true, " 7:05  m", 7},
        {k24, nullptr, 0, "23:59", true, "23:59", 5},
        {k24, nullptr, 0, "9 7", true, " 9:7 ", 4},
        // a single minute digit moves left for a second one typed at 5
        {kam, " 7: 5  m", 5, "3", true, " 7:53  m", 5},
        {kam, " 7:5   m", 4, "3", true, " 7:53  m", 5},
        // refused
        {kam, nullptr, 0, "123", false, "12:    m", 2},
        {kam, nullptr, 0, "7::", false, " 7:    m", 3},
        {kam, nullptr, 0, "7:1 :", false, " 7:1   m", 4},
        {kam, " 7:5   m", 5, "3", false, " 7:5   m", 5},
        {k24, nullptr, 0, "7p", false, " 7:  ", 2},
        {k24, nullptr, 0, "7:05 ", false, " 7:05", 5},
        {k24, " 7:05", 5, "1", false, " 7:05", 5},
        {kam, " 7:05 pm", 8, "a", false, " 7:05 pm", 8},
        {kam, nullptr, 0, "x", false, "  :    m", 0},
        {kamDots, " 7:05 p.m.", 9, "m", false, " 7:05 p.m.", 9},
    };
    for (const auto &c : cases) {
        const std::string before = c.before ? c.before : Empty(c.mask);
        const TypeResult r = TypeEach(c.mask, before, c.caret, c.keys);
        EXPECT_EQ(r.ok, c.ok) << c.mask << " typing " << c.keys;
        EXPECT_EQ(r.text, c.after) << c.mask << " typing " << c.keys;
        EXPECT_EQ(r.caret, c.newCaret) << c.mask << " typing " << c.keys;
        if (r.ok) {
            EXPECT_TRUE(qx::TimeValid(c.mask, r.text.data(), static_cast<int>(r.text.size())));
        }
    }
}

// A pasted string is one insertion: a second letter in it is refused, and
// nothing of a refused insertion stays.
TEST(TimeInsert, PastedStrings) {
    struct {
        const char *mask, *str;
        bool ok;
        const char *after;
    } cases[] = {
        {kam, "7:05 pm", true, " 7:05 pm"},
        {kAM, "10:15 am", true, "10:15 AM"},
        {k24, "12:30", true, "12:30"},
        {kam, "7:05 ap", false, "  :    m"},
        {kam, "7:05 mp", false, "  :    m"},
        {k24, "12:30 pm", false, "  :  "},
    };
    for (const auto &c : cases) {
        std::string text = Empty(c.mask);
        int caret = -1;
        EXPECT_EQ(qx::TimeInsert(c.mask, &text[0], static_cast<int>(text.size()), c.str, 0, &caret),
                  c.ok)
            << c.mask << " pasting " << c.str;
        EXPECT_EQ(text, c.after) << c.mask << " pasting " << c.str;
    }
    std::string text = Empty(kam);
    int caret = 0;
    EXPECT_FALSE(qx::TimeInsert(kam, &text[0], 8, nullptr, 0, &caret));
    EXPECT_FALSE(qx::TimeInsert(kam, &text[0], 8, "1", -1, &caret));
    EXPECT_FALSE(qx::TimeInsert(kam, &text[0], 3, "1", 0, &caret));  // too short for a time
}

TEST(TimeAfterBlank, LetterGoesWithTheSpaceBeforeIt) {
    struct {
        const char *mask;
        int pos, count;
        const char *after;
    } cases[] = {
        {kam, 5, 1, " 7:05  m"},   // Backspace or Delete over the space
        {kam, 6, 1, " 7:05  m"},   // over the letter itself
        {kam, 0, 8, " 7:05  m"},   // a selection over everything
        {kam, 7, 1, " 7:05 pm"},   // over the m
        {kam, 3, 2, " 7:05 pm"},   // over the minutes
        {kam, 4, 1, " 7:05 pm"},   // short of the space
        {kam, 4, 2, " 7:05  m"},   // up to the space
    };
    for (const auto &c : cases) {
        // The blanking itself has run: only the letter handling is tested.
        char text[] = " 7:05 pm";
        qx::TimeAfterBlank(c.mask, text, 8, c.pos, c.count, 'p');
        EXPECT_STREQ(text, c.after) << c.mask << " at " << c.pos << " count " << c.count;
    }
    char plain[] = "12:30";
    qx::TimeAfterBlank(k24, plain, 5, 0, 5, 'x');
    EXPECT_STREQ(plain, "12:30");
}

struct StepCase {
    const char *mask;
    const char *text;  // null: the empty layout
    int lo;
    bool up;
    const char *after;
    int anchor, caret;
};

TEST(TimeStep, FieldUnderCaretUnderEveryMask) {
    const StepCase cases[] = {
        // From empty: the hours give midnight both ways; the minutes give
        // 23:01 up and 01:59 down.
        {k24, nullptr, 0, true, "00:00", 0, 2},
        {k24, nullptr, 0, false, "00:00", 0, 2},
        {k24, nullptr, 3, true, "23:01", 3, 5},
        {k24, nullptr, 4, false, "01:59", 3, 5},
        {kam, nullptr, 0, true, "12:00 am", 0, 2},
        {kam, nullptr, 1, false, "12:00 am", 0, 2},
        {kam, nullptr, 3, true, "11:01 pm", 3, 5},
        {kam, nullptr, 5, false, "01:59 am", 3, 5},
        {kAM, nullptr, 0, true, "12:00 AM", 0, 2},
        {kAM, nullptr, 3, true, "11:01 PM", 3, 5},
        {kamDots, nullptr, 3, false, "01:59 a.m.", 3, 5},
        {kAMDots, nullptr, 2, true, "12:00 A.M.", 0, 2},
        // No carry, wrapping both ways.
        {k24, "23:59", 3, true, "23:00", 3, 5},
        {k24, "23:00", 3, false, "23:59", 3, 5},
        {k24, "23:10", 0, true, "00:10", 0, 2},
        {k24, "00:10", 1, false, "23:10", 0, 2},
        {k24, "23:10", 5, true, "23:11", 3, 5},
        // Through noon and midnight the letter changes.
        {kam, "11:30 am", 0, true, "12:30 pm", 0, 2},
        {kam, "11:30 pm", 0, true, "12:30 am", 0, 2},
        {kAM, "12:30 AM", 0, false, "11:30 PM", 0, 2},
        // The letter toggles both ways and selects up to the m.
        {kam, "07:05 am", 6, true, "07:05 pm", 6, 7},
        {kam, "07:05 pm", 7, false, "07:05 am", 6, 7},
        {kamDots, "12:05 a.m.", 6, true, "12:05 p.m.", 6, 8},
        {kAMDots, "12:05 P.M.", 9, false, "12:05 A.M.", 6, 8},
        // Partly filled fields: one digit is a value, a blank letter is filled.
        {kam, " 7:5   m", 0, true, "08:05 pm", 0, 2},
        {kam, " 7:5   m", 0, false, "06:05 am", 0, 2},
    };
    for (const auto &c : cases) {
        const std::string text = c.text ? c.text : Empty(c.mask);
        char out[64];
        int anchor = -1, caret = -1;
        ASSERT_TRUE(qx::TimeStep(c.mask, text.data(), static_cast<int>(text.size()), c.lo, c.up, out,
                                 sizeof out, &anchor, &caret))
            << c.mask << " '" << text << "' lo " << c.lo;
        EXPECT_STREQ(out, c.after) << c.mask << " '" << text << "' lo " << c.lo << " up " << c.up;
        EXPECT_EQ(anchor, c.anchor) << c.mask << " '" << text << "'";
        EXPECT_EQ(caret, c.caret) << c.mask << " '" << text << "'";
    }
}

TEST(TimeStep, UnreadableTextIsRefused) {
    char out[64] = "keep";
    int anchor = -1, caret = -1;
    EXPECT_FALSE(qx::TimeStep(kam, "00:30 am", 8, 0, true, out, sizeof out, &anchor, &caret));
    EXPECT_FALSE(qx::TimeStep(k24, "99:30", 5, 3, true, out, sizeof out, &anchor, &caret));
    EXPECT_FALSE(qx::TimeStep(k24, "12:30", 5, 0, true, out, 16, &anchor, &caret));
    EXPECT_STREQ(out, "keep");
    EXPECT_EQ(anchor, -1);
}

}  // namespace
