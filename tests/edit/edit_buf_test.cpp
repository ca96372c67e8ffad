// What windows do not show of the edits' line buffer: overwriting (the
// typed edits' way of entering), a new text's effect on the selection, and
// reading a clipboard block.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "edit/edit_buf.h"

namespace {

using qx::EditBuf;

EditBuf Make(const char *text, int anchor, int caret) {
    EditBuf b;
    b.SetText(text);
    b.anchor = anchor;
    b.caret = caret;
    return b;
}

std::string Text(const EditBuf &b) { return std::string(b.text, b.length); }

struct Expect {
    const char *text;
    int anchor, caret;
};

void Check(const EditBuf &b, const Expect &e, const std::string &what) {
    EXPECT_EQ(Text(b), e.text) << what;
    EXPECT_EQ(b.anchor, e.anchor) << what;
    EXPECT_EQ(b.caret, e.caret) << what;
}

TEST(EditBuf, InsertAndOverwrite) {
    const std::string full(63, 'x');
    const std::string fullEndingX = full.substr(0, 62) + "X";
    struct {
        bool overwrite;
        Expect before;
        const char *str;
        int pos;
        bool ok;
        Expect after;
    } cases[] = {
        {false, {"abc", 1, 3}, "XY", 1, true, {"aXYbc", 3, 5}},  // both ends at or after pos move
        {false, {"abc", 0, 2}, "X", 3, true, {"abcX", 0, 2}},
        {false, {"abc", 0, 0}, "X", 4, false, {"abc", 0, 0}},    // past the end
        {false, {"abc", 0, 0}, "X", -1, false, {"abc", 0, 0}},
        {false, {full.c_str(), 0, 0}, "X", 0, false, {full.c_str(), 0, 0}},
        {true, {"abc", 1, 1}, "XYZ", 2, true, {"abXYZ", 1, 1}},  // runs past the end
        {true, {"abc", 1, 1}, "X", 3, true, {"abcX", 1, 1}},
        {true, {"abc", 1, 1}, "X", 5, false, {"abc", 1, 1}},      // would leave a gap
        {true, {full.c_str(), 0, 0}, "X", 62, true, {fullEndingX.c_str(), 0, 0}},
        {true, {full.c_str(), 0, 0}, "XY", 62, false, {full.c_str(), 0, 0}},
    };
    for (const auto &c : cases) {
        EditBuf b = Make(c.before.text, c.before.anchor, c.before.caret);
        const bool ok = c.overwrite ? b.Overwrite(c.str, c.pos) : b.Insert(c.str, c.pos);
        const std::string what = std::string(c.overwrite ? "overwrite " : "insert ") + c.str +
                                 " at " + std::to_string(c.pos);
        EXPECT_EQ(ok, c.ok) << what;
        Check(b, c.after, what);
    }
}

// A new text keeps the selection where it still fits.
TEST(EditBuf, SetTextLowersTheSelection) {
    EditBuf b = Make("abcdef", 2, 5);
    b.SetText("xyz");
    Check(b, {"xyz", 2, 3}, "shorter text");
}

// A clipboard block is read to its first zero or its end, whichever comes
// first, and to 63 characters at most.
TEST(CopyTextBlock, StaysInsideTheBlock) {
    const std::string seventy(70, 'k');
    struct {
        const char *block;
        size_t size;
        const char *text;
    } cases[] = {{"abcXYZ", 3, "abc"}, {"ab\0cd", 5, "ab"}, {"abc", 0, ""},
                 {seventy.c_str(), 71, seventy.c_str() + 7}, {nullptr, 4, ""}};
    for (const auto &c : cases) {
        char dst[EditBuf::kCapacity + 1];
        std::memset(dst, '#', sizeof dst);
        EXPECT_EQ(qx::CopyTextBlock(dst, c.block, c.size), static_cast<int>(std::strlen(c.text)));
        EXPECT_STREQ(dst, c.text) << c.size;
    }
}

}  // namespace
