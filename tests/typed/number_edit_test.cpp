// The integer and floating-point edits through the real DLL, as a host and a
// user see them: typing, the exports, and the spin's wheel.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "harness.h"
#include "number_test_util.h"
#include "qx_cntl.h"

namespace {

constexpr long kMin = -2147483647L - 1;
constexpr long kMax = 2147483647L;

class NumberEdit : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const HINSTANCE inst = qxt::HostInstance();
        ASSERT_TRUE(QXRegisterEditClass(inst));
        ASSERT_TRUE(QXRegisterIntClass(inst));
        ASSERT_TRUE(QXRegisterFloatClass(inst));
    }

    // An edit window; the window name is its mask. Typing needs no focus,
    // and without it other programs on the display cannot take it away.
    HWND Make(const char *cls, const char *name = "", DWORD style = 0) {
        HWND h = parent.CreateChild(cls, name, style, 10, 10, 300, 24, 7);
        EXPECT_NE(h, nullptr);
        parent.ClearNotifications();
        return h;
    }

    // Printable characters are typed; '<' and '>' are the arrows, '^' Home,
    // '$' End, '#' Delete, '~' Backspace.
    static void Play(HWND h, const char *keys) {
        static const char named[] = "<>^$#";
        static const UINT vks[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE};
        for (const char *p = keys; *p; ++p) {
            if (const char *k = std::strchr(named, *p))
                qxt::SendKey(h, vks[k - named]);
            else
                qxt::SendChar(h, *p == '~' ? '\b' : *p);
        }
    }

    static std::string Text(HWND h) {
        char buf[80] = {};
        SendMessageA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
        return buf;
    }

    static std::string Shown(HWND h) {
        DWORD anchor = 0, caret = 0;
        SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&anchor),
                     reinterpret_cast<LPARAM>(&caret));
        return qxt::Marked(Text(h), static_cast<int>(anchor), static_cast<int>(caret));
    }

    // What the parent must have seen: n accepted changes, or the codes given.
    ::testing::AssertionResult Saw(HWND h, int n, std::vector<WORD> codes = {}) {
        for (int i = 0; i < n; ++i) codes.insert(codes.end(), {EN_UPDATE, EN_CHANGE});
        std::vector<qxt::Notification> expected;
        for (WORD code : codes) expected.push_back({7, code, h});
        auto result = qxt::SameNotifications(expected, parent.Notifications());
        parent.ClearNotifications();
        return result;
    }

    qxt::ParentWindow parent;
};

struct TypingCase {
    const char *cls;
    const char *mask;  // through the SetMask export; null: none
    const char *keys;
    const char *shown;
    int changes;  // accepted changes, each notified with EN_UPDATE and EN_CHANGE
};

TEST_F(NumberEdit, TypingSequences) {
    const char *I = "QXInteger", *F = "QXFloat";
    const TypingCase cases[] = {
        {I, nullptr, "12a 3", "123|", 3},
        {I, nullptr, "12-", "12|", 2},
        {I, nullptr, "007", "7|", 3},
        {I, nullptr, "105^#", "|5", 4},
        {I, nullptr, "1234<<~", "1|34", 5},
        {I, nullptr, "~", "|", 1},
        {I, nullptr, "-2147483648", "-2147483648|", 11},
        {I, nullptr, "2147483648", "214748364|", 9},
        {I, "999", "-100", "-10|", 3},
        {I, "", "-5", "-|", 1},
        {F, nullptr, "1234567", "1,234,567|", 7},
        {F, nullptr, "12345678901", "1,234,567,890|", 10},
        {F, nullptr, "1.123456", "1.12345|", 7},
        {F, nullptr, "007.5", "7.5|", 5},
        // typed inside the groups, the digits land where they are typed
        {F, nullptr, "1234^>56", "156,|234", 6},
        {F, nullptr, "1234567^>>>>>9", "12,349,|567", 8},
        {F, nullptr, "1234^>>~", "|234", 5},
        {F, nullptr, "1234^>#", "1|34", 5},
        {F, nullptr, "1.25<<7", "1.7|5", 5},  // the fraction is typed over
        {F, nullptr, "1.5^.", "|1.5", 3},
        {F, nullptr, "12<.", "1.|2", 3},
        {F, nullptr, "12.5^>-", "-1|2.5", 5},  // the sign toggles from anywhere
        {F, nullptr, "-", "|", 0},
        {F, nullptr, "1a,2", "12|", 2},
        {F, "99.9", "123.45", "12.4|", 4},
        {F, "999", "1.5", "1.|", 2},
    };
    for (const auto &c : cases) {
        HWND h = Make(c.cls);
        if (c.mask) {
            ASSERT_TRUE(c.cls == I ? QXIntSetMask(h, c.mask) : QXFloatSetMask(h, c.mask));
            parent.ClearNotifications();
        }
        Play(h, c.keys);
        EXPECT_EQ(Shown(h), c.shown) << c.cls << " keys " << c.keys;
        EXPECT_TRUE(Saw(h, c.changes)) << c.cls << " keys " << c.keys;
        DestroyWindow(h);
    }
}

// A change that does not come from a key (new text, a cleared selection) and
// is refused leaves the text shown before it, not the text of the last key
// press or an empty one.
TEST_F(NumberEdit, RefusedMessagesKeepTheTextShown) {
    HWND i = Make("QXInteger");
    Play(i, "12");
    SendMessageA(i, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1x"));
    EXPECT_EQ(Text(i), "12");
    ASSERT_TRUE(QXIntSetValue(i, 5));
    SendMessageA(i, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
    EXPECT_EQ(Text(i), "5");

    HWND f = Make("QXFloat", "9.9");
    Play(f, "1.5");
    SendMessageA(f, EM_SETSEL, 1, 2);
    SendMessageA(f, WM_CLEAR, 0, 0);  // 15 has too many integer digits
    EXPECT_EQ(Text(f), "1.5");
    EXPECT_TRUE(Saw(f, 3));
}

TEST_F(NumberEdit, RefusalDropsTheTypeAhead) {
    HWND h = Make("QXInteger");
    qxt::PostText(h, "1a23");
    qxt::Pump();
    EXPECT_EQ(Shown(h), "1|");
    EXPECT_TRUE(Saw(h, 1));
}

TEST_F(NumberEdit, FloatLineLimits) {
    // With no digit limits the groups, then a full fraction, end the line:
    // what does not fit is refused, never cut.
    HWND h = Make("QXFloat");
    ASSERT_TRUE(QXFloatSetMask(h, ""));
    ASSERT_TRUE(QXFloatSetRange(h, -1e300, 1e300));
    Play(h, std::string(49, '1').c_str());
    const std::string text = Text(h);
    EXPECT_EQ(text.size(), 63u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '1'), 48);
    EXPECT_TRUE(Saw(h, 48));

    HWND g = Make("QXFloat");
    ASSERT_TRUE(QXFloatSetMask(g, ""));
    const std::string typed = "1." + std::string(62, '2');
    Play(g, typed.c_str());
    EXPECT_EQ(Text(g), typed.substr(0, 63));
}

TEST_F(NumberEdit, IntegerExports) {
    HWND h = Make("QXInteger", "999");
    EXPECT_EQ(Text(h), "");  // the window name is the mask, not the text
    char mask[8] = "#";
    EXPECT_FALSE(QXIntGetMask(h, mask, 3) || QXIntGetMask(h, mask, 0) ||
                 QXIntGetMask(h, mask, -1) || QXIntGetMask(h, nullptr, 8));
    EXPECT_STREQ(mask, "#");
    EXPECT_TRUE(QXIntGetMask(h, mask, 4) && std::strcmp(mask, "999") == 0);
    EXPECT_FALSE(QXIntGetMask(Make("QXInteger", "99x"), mask, sizeof mask));

    // A refused mask changes nothing; an accepted one empties the value.
    Play(h, "12");
    parent.ClearNotifications();
    EXPECT_FALSE(QXIntSetMask(h, "99a") || QXIntSetMask(h, nullptr));
    EXPECT_EQ(Text(h), "12");
    EXPECT_TRUE(Saw(h, 0));
    ASSERT_TRUE(QXIntSetMask(h, "9"));
    EXPECT_EQ(Text(h), "");
    EXPECT_TRUE(Saw(h, 1));
    EXPECT_TRUE(QXIntGetMask(h, mask, sizeof mask) && std::strcmp(mask, "9") == 0);

    // Values go in unchecked and unnotified, and come back exactly.
    ASSERT_TRUE(QXIntSetRange(h, 0, 10));
    for (long v : {kMin, kMax, 12345L, -7L}) {
        long back = 0;
        EXPECT_TRUE(QXIntSetValue(h, v) && QXIntGetValue(h, &back));
        EXPECT_EQ(back, v);
        EXPECT_EQ(Text(h), std::to_string(v));
        Play(h, "$");
    }
    EXPECT_EQ(Shown(h), "-7|");  // the caret lowered to the new end
    EXPECT_TRUE(Saw(h, 0));

    long lo = 1, hi = 1;
    EXPECT_FALSE(QXIntSetRange(h, 5, 4));
    EXPECT_TRUE(QXIntGetRange(h, &lo, &hi) && lo == 0 && hi == 10);
    EXPECT_TRUE(QXIntSetRange(h, 7, 7) && QXIntGetRange(h, &lo, &hi) && lo == 7 && hi == 7);
    EXPECT_FALSE(QXIntGetRange(h, nullptr, &hi) || QXIntGetRange(h, &lo, nullptr) ||
                 QXIntGetValue(h, nullptr));
}

TEST_F(NumberEdit, FloatSetValue) {
    const struct {
        const char *mask;
        double value;
        const char *text;  // null: refused, the text stays as it was
    } cases[] = {
        {"", 2.5, "2.50000"},
        {"9999.99", 2.5, "2.50"},
        {"99", 2.5, "3"},
        {"", 1234567.891, "1,234,567.89100"},
        {"9.99999999999999999999", 0.1, "0.10000000000000000555"},
        {"9999999999999.99999", 1e11, "100,000,000,000.00000"},
        {"9999999999999.99999", 1e12, nullptr},  // above the range
        {"99.9", 123.0, nullptr},                // more digits than the mask
    };
    for (const auto &c : cases) {
        HWND h = Make("QXFloat", c.mask);
        Play(h, "7$");  // End takes the saved copy
        parent.ClearNotifications();
        EXPECT_EQ(QXFloatSetValue(h, c.value), c.text ? 1 : 0) << c.value;
        EXPECT_EQ(Shown(h), c.text ? std::string("|") + c.text : "7|") << c.value;
        EXPECT_TRUE(Saw(h, c.text ? 1 : 0)) << c.value;
        DestroyWindow(h);
    }
    // An empty mask allows 127 fraction digits: more than the line holds.
    HWND h = Make("QXFloat");
    ASSERT_TRUE(QXFloatSetMask(h, ""));
    EXPECT_FALSE(QXFloatSetValue(h, 2.5));
    EXPECT_EQ(Text(h), "");
}

TEST_F(NumberEdit, FloatFormatsRangesAndMasks) {
    HWND h = Make("QXFloat");
    for (const char *bad : {"x..", "x1,", "x.9", "x-,", "x.-", "x.", ""})
        EXPECT_FALSE(QXFloatSetFormat(h, bad)) << bad;
    EXPECT_FALSE(QXFloatSetFormat(h, nullptr));
    EXPECT_FALSE(QXFloatSetMask(h, nullptr));
    ASSERT_TRUE(QXFloatSetFormat(h, "x,."));
    ASSERT_TRUE(QXFloatSetMask(h, "9999,99"));  // read with the separator in force
    Play(h, "12345,678.");
    EXPECT_EQ(Text(h), "1.234,67");
    double v = 0;
    ASSERT_TRUE(QXFloatGetValue(h, &v));
    EXPECT_EQ(v, 1234.67);
    ASSERT_TRUE(QXFloatSetValue(h, -2.25));
    EXPECT_EQ(Text(h), "-2,25");
    EXPECT_FALSE(QXFloatGetValue(h, nullptr));

    const struct {
        double min, max;
        const char *keys, *text;
    } ranges[] = {
        {10, 20, "5", "5"},       {10, 20, "25", "2"},      {0, 100, "5-", "-5"},
        {-20, -10, "25-", "25"},  {-1.5, 1.5, "1.6", "1."},
    };
    for (const auto &r : ranges) {
        HWND g = Make("QXFloat");
        ASSERT_TRUE(QXFloatSetRange(g, r.min, r.max));
        Play(g, r.keys);
        EXPECT_EQ(Text(g), r.text) << r.min << ".." << r.max << " keys " << r.keys;
        DestroyWindow(g);
    }
}

TEST_F(NumberEdit, ExportsRefuseOtherWindows) {
    HWND intEdit = Make("qxINTEGER");  // class names in any case
    HWND floatEdit = Make("qxfloat");
    EXPECT_TRUE(QXIntSetRange(intEdit, 0, 1) && QXFloatSetRange(floatEdit, 0, 1));
    HWND gone = Make("QXInteger");
    DestroyWindow(gone);
    const HWND others[] = {nullptr, Make("QXEdit"), parent.CreateChild("STATIC", "", 0, 0, 0, 9, 9),
                           gone, parent.hwnd()};
    for (HWND w : others) {
        long a = 0, b = 0;
        double d = 0;
        char buf[8];
        for (HWND x : {w, floatEdit}) {
            EXPECT_FALSE(QXIntSetValue(x, 1) || QXIntGetValue(x, &a) || QXIntSetRange(x, 0, 1) ||
                         QXIntGetRange(x, &a, &b) || QXIntSetMask(x, "9") ||
                         QXIntGetMask(x, buf, sizeof buf));
        }
        for (HWND x : {w, intEdit}) {
            EXPECT_FALSE(QXFloatSetValue(x, 1.0) || QXFloatGetValue(x, &d) ||
                         QXFloatSetRange(x, 0, 1) || QXFloatSetFormat(x, "x.,") ||
                         QXFloatSetMask(x, "9"));
        }
    }
    EXPECT_EQ(Text(intEdit) + Text(floatEdit), "");
}

TEST_F(NumberEdit, WheelStepsTheIntegerAndAsksForTheFloat) {
    HWND h = Make("QXInteger", "", QXES_SPIN);
    qxt::Wheel(h, 120);
    EXPECT_EQ(Shown(h), "|1");
    qxt::Wheel(h, -360);
    EXPECT_EQ(Shown(h), "|-2");
    EXPECT_TRUE(Saw(h, 4));
    ASSERT_TRUE(QXIntSetValue(h, kMax));
    qxt::Wheel(h, 120);  // past the top without wrap: refused
    EXPECT_EQ(Text(h), "2147483647");
    EXPECT_TRUE(Saw(h, 0));

    HWND w = Make("QXInteger", "", QXES_SPIN | QXES_WRAP);
    ASSERT_TRUE(QXIntSetValue(w, kMax));
    qxt::Wheel(w, 120);
    EXPECT_EQ(Text(w), "-2147483648");
    qxt::Wheel(w, -120);
    EXPECT_EQ(Text(w), "2147483647");

    HWND f = Make("QXFloat", "", QXES_SPIN);
    Play(f, "12");
    parent.ClearNotifications();
    qxt::Wheel(f, 120);
    qxt::Wheel(f, -240);
    EXPECT_TRUE(Saw(f, 0, {QXFN_STEPUP, QXFN_STEPDOWN, QXFN_STEPDOWN}));
    EXPECT_EQ(Text(f), "12");
}

}  // namespace
