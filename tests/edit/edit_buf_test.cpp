// What windows do not show of the edits' line buffer: overwriting (the
// typed edits' way of entering), limits, and reading a clipboard block.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "edit/edit_buf.h"

namespace {

using qx::EditBuf;

// Overwriting writes over and past the end without moving the selection;
// it refuses what would pass the capacity or leave a gap; inserting refuses a
// position outside the text.
TEST(EditBuf, OverwriteAndInsertLimits) {
    struct {
        bool overwrite;
        const char *str;
        int pos;
        bool ok;
        const char *after;
    } cases[] = {
        {true, "XYZ", 2, true, "abXYZ"}, {true, "X", 3, true, "abcX"},
        {true, "X", 5, false, "abc"},    {true, "X", -1, false, "abc"},
        {false, "X", 4, false, "abc"},   {false, "X", -1, false, "abc"},
    };
    for (const auto &c : cases) {
        EditBuf b;
        b.SetText("abc");
        b.anchor = b.caret = 1;
        EXPECT_EQ(c.overwrite ? b.Overwrite(c.str, c.pos) : b.Insert(c.str, c.pos), c.ok) << c.pos;
        EXPECT_EQ(std::string(b.text, b.length), c.after) << c.pos;
        EXPECT_EQ(b.anchor + b.caret, 2) << c.pos;
    }
    EditBuf full;
    full.SetText(std::string(63, 'x').c_str());
    EXPECT_TRUE(full.Overwrite("X", 62));
    EXPECT_FALSE(full.Overwrite("XY", 62));
    EXPECT_EQ(std::string(full.text, full.length), std::string(62, 'x') + "X");
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
