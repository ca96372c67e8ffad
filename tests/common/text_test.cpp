// The shared text helpers on plain data: numbers at the ends of their ranges, the line buffer's bounds.
#include <climits>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/number_text.h"
#include "common/system_library.h"
#include "common/text_line.h"
#include "typed/float_rules.h"
#include "typed/int_rules.h"

namespace {

// Decimals written (empty when the size is short), digit runs read, the integer edit's text never wrapped.
TEST(Decimals, EndsOfTheRangesAndTheBufferSize) {
    const struct { long long value; int minDigits, size; const char *text; } cases[] = {
        {7, 2, 3, "07"}, {7, 2, 2, ""}, {-7, 3, 5, "-007"}, {-5, 1, 2, ""}, {INT_MIN, 1, 11, ""},
        {LLONG_MIN, 1, 21, "-9223372036854775808"}};
    for (const auto &c : cases) {
        char out[32];
        std::memset(out, '#', sizeof out);
        const int n = qx::FormatDecimal(c.value, c.minDigits, out, c.size);
        EXPECT_STREQ(out, c.text) << c.value << " min " << c.minDigits << " size " << c.size;
        EXPECT_EQ(n, static_cast<int>(std::strlen(c.text))) << c.value;
        EXPECT_EQ(out[c.size], '#') << "past the size: " << c.value;
    }
    const std::string zeros63(63, '0'), widest = std::string(61, '0') + "42", digits63(63, '9');
    const struct { std::string text; int max, length; unsigned long long value; bool overflow; } runs[] = {
        {"007x", 63, 3, 7, false}, {"12345", 2, 2, 12, false}, {"18446744073709551615", 63, 20, ULLONG_MAX, false},
        {"18446744073709551616", 63, 20, 0, true}, {zeros63 + "42", 63, 63, 0, false}};
    for (const auto &c : runs) {
        const qx::DigitRun run = qx::ReadDigits(c.text.c_str(), c.max);
        EXPECT_TRUE(run.length == c.length && run.overflow == c.overflow && (c.overflow || run.value == c.value))
            << c.text;
    }
    const struct { std::string text; bool ok; long value; } ints[] = {
        {"2147483647", true, LONG_MAX}, {"-2147483648", true, LONG_MIN}, {"2147483648", false, 0}, {"-2147483649", false, 0},
        {"-", true, 0}, {" \t+12abc", true, 12}, {widest, true, 42}, {digits63, false, 0}};
    for (const auto &c : ints) {
        long value = 99;
        EXPECT_EQ(qx::ParseIntText(c.text.c_str(), &value), c.ok) << c.text;
        EXPECT_TRUE(!c.ok || value == c.value) << c.text;
    }
}

// The double's exact digits, halves away from zero, up to 63 characters and the size (x87 alike).
TEST(FormatFloatValue, DigitsAndTheWidestTexts) {
    const std::string half61 = "0.5" + std::string(60, '0');
    const struct { double value; int frac, size; const char *text; } cases[] = {  // null: refused
        {-0.0001, 2, 64, "0.00"}, {-2.5, 0, 64, "-3"}, {0.125, 2, 64, "0.13"}, {1.005, 2, 64, "1.00"},
        {0.1 + 0.2, 17, 64, "0.30000000000000004"}, {1e18 + 1e10, 1, 64, "1000000010000000000.0"},
        {9.999999999999999e62, 0, 64, "999999999999999875170255276364105051932774599639662981181079552"},
        {-9.999999999999999e62, 0, 80, nullptr}, {0.5, 61, 64, half61.c_str()}, {0.5, 61, 63, nullptr},
        {0.5, 62, 80, nullptr}, {1.0, 0, 1, nullptr}, {NAN, 2, 64, nullptr}};
    for (const auto &c : cases) {
        char out[80];
        EXPECT_EQ(qx::FormatFloatValue(c.value, c.frac, '.', out, c.size), c.text != nullptr)
            << c.value << " with " << c.frac << " in " << c.size;
        EXPECT_STREQ(c.text ? out : nullptr, c.text);
    }
}

// Read to the nearest double whatever the C locale; the range takes its limits, not the next double.
TEST(ReadFloatText, SeparatorsPartialNumbersAndTheRangesLimits) {
    const struct { const char *text; char decimal, group; double value; } cases[] = {
        {"1.234,5", ',', '.', 1234.5}, {"-.5", '.', ',', -0.5}, {".", '.', ',', 0.0}, {"1.2.3", '.', ',', 1.2},
        {"0.30000000000000004", '.', ',', 0.1 + 0.2}, {"9007199254740993", '.', ',', 9007199254740992.0}};
    for (const auto &c : cases) EXPECT_EQ(qx::ReadFloatText(c.text, c.decimal, c.group), c.value) << c.text;
    qx::FloatFormat f;
    f.fracDigits = 17, f.min = -1.5, f.max = 2.25;
    const struct { const char *text; bool ok; } range[] = {
        {"2.2500000000000001", true}, {"2.2500000000000004", false}, {"-1.5", true}, {"-1.5000000000000002", false}};
    for (const auto &c : range) EXPECT_EQ(qx::CheckFloatNumber(c.text, f) == qx::Refusal::kNone, c.ok) << c.text;
}

// No gap, nothing past the capacity or outside the text; a block read to its first zero or line end, 63 bytes.
TEST(TextLine, StaysInsideItsTextAndTheBlock) {
    const std::string x60(60, 'x'), x61(61, 'x'), k70(70, 'k');
    enum { Overwrite, Insert, Remove };
    const struct { int op; std::string str; int pos; bool ok; std::string after; } edits[] = {
        {Overwrite, "X", 4, false, "abc"}, {Overwrite, x61, 3, false, "abc"}, {Overwrite, x60, 3, true, "abc" + x60},
        {Insert, "X", 4, false, "abc"},    {Insert, "X", -1, false, "abc"},  {Insert, x60, 3, true, "abc" + x60},
        {Insert, x61, 0, false, "abc"},    {Remove, "", 3, true, "abc"},     {Remove, "", -5, true, "bc"}};
    for (const auto &c : edits) {
        qx::TextLine b("abc");
        b.anchor = 1, b.caret = 3;
        bool ok = true;
        if (c.op == Overwrite) ok = b.Overwrite(c.str.c_str(), c.pos);
        if (c.op == Insert) ok = b.Insert(c.str.c_str(), c.pos);
        if (c.op == Remove) b.Remove(c.pos, 1);
        EXPECT_EQ(ok, c.ok) << c.op << " at " << c.pos;
        EXPECT_EQ(std::string(b.text), c.after) << c.op << " at " << c.pos;  // read as a C string
        EXPECT_EQ(b.length, static_cast<int>(c.after.size()));
        EXPECT_TRUE(b.anchor >= 0 && b.caret <= b.length) << c.op << " at " << c.pos;
    }
    const struct { const char *block; size_t size; const char *text; } blocks[] = {
        {"abcXYZ", 3, "abc"}, {"ab\0cd", 5, "ab"}, {k70.c_str(), 71, k70.c_str() + 7}, {nullptr, 4, ""},
        {"ab\ncd", 6, "ab"}, {"a\tb", 4, "a\tb"}};
    for (const auto &c : blocks) {
        char dst[qx::TextLine::kCapacity + 1];
        EXPECT_EQ(qx::CopyTextBlock(dst, c.block, c.size), static_cast<int>(std::strlen(c.text)));
        EXPECT_STREQ(dst, c.text) << c.size;
    }
}

// Each text's boundaries (932 trail bytes of a lead's or a letter's value; 1252), from every position, outside too.
TEST(CharBoundaries, WholeCharactersOfADoubleByteCodePage) {
    const struct { unsigned codePage; std::string text; std::vector<int> bounds; } cases[] = {
        {932, "", {0}}, {932, "\x82\x82\x82\xa0", {0, 2, 4}}, {932, "\x83\x41\x41", {0, 2, 3}},
        {932, "\xb1\x81\x40\xdf", {0, 1, 3, 4}}, {932, "a\x82", {0, 1, 2}}, {1252, "a\x82\xa0" "b", {0, 1, 2, 3, 4}}};
    for (const auto &c : cases) {
        const char *t = c.text.c_str();
        const int n = static_cast<int>(c.text.size());
        for (int pos = -1; pos <= n + 1; ++pos) {
            const int at = pos < 0 ? 0 : pos > n ? n : pos;
            int start = 0, next = n, prev = 0;
            for (int b : c.bounds) {
                if (b <= at) start = b;
                if (b < at) prev = b;
            }
            for (auto b = c.bounds.rbegin(); b != c.bounds.rend() && *b > start; ++b) next = *b;
            EXPECT_EQ(qx::CharStart(t, n, pos, c.codePage), start) << c.codePage << " " << pos << " in " << n;
            EXPECT_EQ(qx::NextChar(t, n, pos, c.codePage), next) << c.codePage << " " << pos << " in " << n;
            EXPECT_EQ(qx::PrevChar(t, n, pos, c.codePage), prev) << c.codePage << " " << pos << " in " << n;
        }
    }
}

// Only the system folder's copy: this program is found beside itself, never in the system folder.
TEST(SystemLibrary, OnlyTheSystemFolder) {
    char own[MAX_PATH], system[MAX_PATH], got[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, own, MAX_PATH), GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(qx::LoadSystemLibrary(std::strrchr(own, '\\') + 1), nullptr);
    EXPECT_EQ(qx::LoadSystemLibrary(std::string(MAX_PATH, 'x').c_str()), nullptr);
    GetModuleFileNameA(qx::LoadSystemLibrary("uxtheme.dll"), got, MAX_PATH);
    EXPECT_EQ(lstrcmpiA(got, (std::string(system) + "\\uxtheme.dll").c_str()), 0) << got;
}

}  // namespace
