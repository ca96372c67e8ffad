// Rules of the typed edits on plain data, where a window cannot reach the
// case: typing into a time text shorter than its mask, the digits a float
// value is shown with at the end of the line.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "typed/float_rules.h"
#include "typed/time_rules.h"

namespace {

// Where typing would put the caret past the end of a text (one laid over a
// shorter mask), the character is refused and the line stays as it was.
TEST(TimeInsert, TheCaretNeverLeavesTheText) {
    const struct { const char *mask, *text; int caret; const char *typed; int after; } cases[] = {  // -1: refused
        {"99:99 am", "  :  ", 2, "m", -1},  {"99:99 am", "12:34", 5, " ", -1},
        {"99:99 am", " 9:    m", 2, "m", 7}, {"99:99 am", "12:34  m", 5, " ", 6},
        {"99:99 a.m.", " 9:     .m.", 2, "m", 8}};
    for (const auto &c : cases) {
        qx::TextLine line(c.text);
        line.anchor = line.caret = c.caret;
        EXPECT_EQ(qx::TimeInsert(c.mask, line, c.typed, c.caret), c.after >= 0) << c.mask << " '" << c.text << "'";
        EXPECT_EQ(line.caret, c.after >= 0 ? c.after : c.caret) << c.mask << " '" << c.text << "'";
        EXPECT_TRUE(line.anchor == line.caret && std::string(line.text) == c.text) << c.text;
    }
}

// As many fraction digits as the mask asks, or as the 63 characters hold
// when fewer fit, the groups counted; a value that cannot be shown at all is
// refused.
TEST(FloatValueText, FractionDigitsThatFitTheLine) {
    const std::string zeros(60, '0');
    const std::string half = "2.5" + zeros, negative = "-2.5" + zeros.substr(1),
                      grouped = "1,234,567.25" + zeros.substr(9);
    const struct { double value; int frac; double max; const char *text; } cases[] = {  // null: refused
        {2.5, 2, 1e300, "2.50"}, {2.5, 127, 1e300, half.c_str()}, {-2.5, 127, 1e300, negative.c_str()},
        {1234567.25, 127, 1e300, grouped.c_str()}, {1e11, 0, 1e300, "100,000,000,000"},
        {1e62, 127, 1e300, nullptr}, {NAN, 127, 1e300, nullptr}, {1e11, 127, 1e10, nullptr}};
    for (const auto &c : cases) {
        qx::FloatFormat f;
        f.intDigits = qx::kUnlimitedDigits;
        f.fracDigits = c.frac;
        f.min = -c.max;
        f.max = c.max;
        qx::TextLine line("old");
        EXPECT_EQ(qx::FloatValueText(c.value, f, &line), c.text != nullptr) << c.value << " with " << c.frac;
        EXPECT_EQ(std::string(line.text), c.text ? c.text : "old") << c.value << " with " << c.frac;
    }
}

}  // namespace
