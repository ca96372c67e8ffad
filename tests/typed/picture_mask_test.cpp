#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "typed/picture_mask.h"

namespace {

using Positions = std::vector<std::pair<char, bool>>;  // character, literal

Positions Walk(const char *mask) {
    Positions out;
    bool literal;
    for (const char *p = qx::MaskFirst(mask, &literal); *p; p = qx::MaskNext(p, &literal))
        out.emplace_back(*p, literal);
    return out;
}

constexpr bool L = true, P = false;

struct WalkCase {
    const char *mask;
    Positions positions;
};

TEST(MaskWalk, PositionsAndKinds) {
    const WalkCase cases[] = {
        {"", {}},
        {"/9-99", {{'9', L}, {'-', L}, {'9', P}, {'9', P}}},
        {"99/", {{'9', P}, {'9', P}, {'/', L}}},
        {"/x", {{'x', L}}},
        {"/b", {{'/', L}, {'b', L}}},
        {"//", {{'/', L}}},
        {"///", {{'/', L}, {'/', L}}},
        {"(999)", {{'(', L}, {'9', P}, {'9', P}, {'9', P}, {')', L}}},
        {"AaHhLlNnUuXx9",
         {{'A', P}, {'a', P}, {'H', P}, {'h', P}, {'L', P}, {'l', P}, {'N', P}, {'n', P},
          {'U', P}, {'u', P}, {'X', P}, {'x', P}, {'9', P}}},
        {"bB8/U/9", {{'b', L}, {'B', L}, {'8', L}, {'U', L}, {'9', L}}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Walk(c.mask), c.positions) << "mask " << c.mask;
        EXPECT_EQ(qx::MaskPositionCount(c.mask), static_cast<int>(c.positions.size()))
            << "mask " << c.mask;
    }
    EXPECT_EQ(qx::MaskPositionCount(nullptr), 0);
}

struct MatchCase {
    char c, m;
    bool literal, matches;
};

TEST(MaskMatch, ClassesAreAsciiOnly) {
    const char hi = static_cast<char>(0xE9);
    const MatchCase cases[] = {
        {'0', '9', P, true},  {'9', '9', P, true},  {'a', '9', P, false}, {' ', '9', P, false},
        {'a', 'A', P, true},  {'Z', 'a', P, true},  {'1', 'A', P, false}, {hi, 'A', P, false},
        {'F', 'H', P, true},  {'f', 'h', P, true},  {'9', 'H', P, true},  {'g', 'H', P, false},
        {'q', 'L', P, true},  {'Q', 'l', P, false}, {'Q', 'U', P, true},  {'q', 'u', P, false},
        {'7', 'N', P, true},  {'x', 'n', P, true},  {'-', 'N', P, false}, {hi, 'n', P, false},
        {hi, 'X', P, true},   {'\x01', 'x', P, true},
        {'(', '(', L, true},  {')', '(', L, false}, {'9', '9', L, true},  {'5', '9', L, false},
        {hi, hi, L, true},
        // a position character outside the table asks for itself
        {'q', 'q', P, true},  {'r', 'q', P, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(qx::MaskCharMatches(c.c, c.m, c.literal), c.matches)
            << "char '" << c.c << "' position '" << c.m << "' literal " << c.literal;
}

TEST(MaskCase, ConvertsOnlyCasePlaceholders) {
    struct {
        char c, m;
        bool literal;
        char expected;
    } cases[] = {
        {'b', 'U', P, 'B'}, {'b', 'u', P, 'B'}, {'Q', 'L', P, 'q'}, {'Q', 'l', P, 'q'},
        {'b', 'A', P, 'b'}, {'B', 'a', P, 'B'}, {'b', 'X', P, 'b'}, {'5', 'U', P, '5'},
        {'b', 'U', L, 'b'}, {'Q', 'L', L, 'Q'},
    };
    for (auto &c : cases) {
        char ch = c.c;
        qx::MaskApplyCase(&ch, c.m, c.literal);
        EXPECT_EQ(ch, c.expected) << "char '" << c.c << "' position '" << c.m << "'";
    }
}

struct FormatCase {
    const char *mask, *raw;
    bool ok;
    const char *out;
};

TEST(FormatPictureText, LaysRawTextIntoMask) {
    const FormatCase cases[] = {
        {"UU-99", "ab12", true, "AB-12"},
        {"UU-99", "AB-12", true, "AB-12"},
        {"UU-99", "a", true, "A -  "},
        {"UU-99", "", true, "  -  "},
        {"UU-99", "a1", false, ""},
        {"U", "b", true, "B"},
        {"L", "Q", true, "q"},
        {"A", "b", true, "b"},
        {"H", "g", false, ""},
        {"H", "F", true, "F"},
        {"9", " ", true, " "},
        {"99", " 1", true, " 1"},
        {"99", "12345", true, "12"},
        {"/9-99", "912", true, "9-12"},
        {"/9-99", "12", true, "9-12"},
        {"(999) 999-99", "5551234", true, "(555) 123-4 "},
        {"(999) 999-99", "(555) 123-45", true, "(555) 123-45"},
        {"X/X", "?", true, "?X"},
        {"99/", "1", true, "1 /"},
    };
    for (const auto &c : cases) {
        char out[64];
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(qx::FormatPictureText(c.mask, c.raw, out, sizeof out), c.ok)
            << "mask " << c.mask << " raw " << c.raw;
        EXPECT_STREQ(out, c.out) << "mask " << c.mask << " raw " << c.raw;
    }
}

TEST(FormatPictureText, RefusesMissingArgumentsAndSizes) {
    char out[8] = "keep";
    EXPECT_FALSE(qx::FormatPictureText(nullptr, "1", out, sizeof out));
    EXPECT_FALSE(qx::FormatPictureText("9", nullptr, out, sizeof out));
    EXPECT_FALSE(qx::FormatPictureText("9", "1", nullptr, 8));
    EXPECT_FALSE(qx::FormatPictureText("9", "1", out, 0));
    EXPECT_FALSE(qx::FormatPictureText("9", "1", out, -5));
    EXPECT_STREQ(out, "keep");
}

// However long the mask and the raw text, nothing is written past `size`
// bytes, and the output is cut at size - 1 characters.
TEST(FormatPictureText, NeverWritesPastSize) {
    const char *masks[] = {"(999) 999-99", "UU-99//AAA", "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX", "/9/9/9/9-"};
    const char *raws[] = {"", "1234567890", "abcdefghijklmnopqrstuvwxyz0123456789"};
    for (const char *mask : masks)
        for (const char *raw : raws)
            for (int size = 1; size <= 20; ++size) {
                char buf[40];
                std::memset(buf, 0x5A, sizeof buf);
                const bool ok = qx::FormatPictureText(mask, raw, buf, size);
                for (int i = size; i < static_cast<int>(sizeof buf); ++i)
                    ASSERT_EQ(buf[i], 0x5A)
                        << "byte " << i << " written, size " << size << " mask " << mask;
                const size_t len = std::strlen(buf);
                EXPECT_LT(len, static_cast<size_t>(size));
                // A text that fits the whole mask fits any cut of it, and
                // the cut output is the start of the whole one.
                char full[64];
                if (qx::FormatPictureText(mask, raw, full, sizeof full)) {
                    EXPECT_TRUE(ok);
                    EXPECT_EQ(std::string(full).substr(0, size - 1), buf);
                }
            }
}

}  // namespace
