// The floating-point edit through the real DLL: typing with regrouping, the
// exports, and the spin's requests to the parent.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "edit_keys.h"
#include "harness.h"
#include "qx_cntl.h"

namespace {

class FloatEdit : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const HINSTANCE inst = qxt::HostInstance();
        ASSERT_TRUE(QXRegisterEditClass(inst));
        ASSERT_TRUE(QXRegisterIntClass(inst));
        ASSERT_TRUE(QXRegisterFloatClass(inst));
    }

    HWND Make(const char *mask = "", DWORD style = 0) {
        HWND h = parent.CreateChild("QXFloat", mask, style, 10, 10, 300, 24, 7);
        EXPECT_NE(h, nullptr);
        SetFocus(h);
        qxt::Pump();
        parent.ClearNotifications();
        return h;
    }

    double Value(HWND h) {
        double v = -12345.0;
        EXPECT_TRUE(QXFloatGetValue(h, &v));
        return v;
    }

    qxt::ParentWindow parent;
};

struct TypingCase {
    const char *mask;
    const char *keys;
    const char *shown;
    int changes;  // accepted changes, each notified with EN_UPDATE and EN_CHANGE
};

TEST_F(FloatEdit, TypingSequences) {
    const TypingCase cases[] = {
        {"", "1234567", "1,234,567|", 7},
        {"", ".", "0.|", 1},
        {"", ".5", "0.5|", 2},
        {"", "12345678901", "1,234,567,890|", 10},
        {"", "1.123456", "1.12345|", 7},
        {"", "007.5", "7.5|", 5},
        // typing inside the groups: the digits land where they are typed
        {"", "1234^>56", "156,|234", 6},
        {"", "1234567^>>>>>9", "12,349,|567", 8},
        {"", "1234^>>~", "|234", 5},
        {"", "1234^>#", "1|34", 5},
        {"", "1234567$<<<<~", "123,|567", 8},
        // the fraction is typed over
        {"", "1.25<<7", "1.7|5", 5},
        {"", "1.5^.", "|1.5", 3},
        {"", "12<.", "1.|2", 3},
        // the sign toggles wherever it is typed
        {"", "12.5-", "-12.5|", 5},
        {"", "12.5--", "12.5|", 6},
        {"", "12.5^>-", "-1|2.5", 5},
        {"", "-", "|", 0},
        {"", "1a,2", "12|", 2},
        // the mask's digit counts
        {"99.9", "123.45", "12.4|", 4},
        {"999", "1.5", "1.|", 2},
    };
    for (const auto &c : cases) {
        HWND h = Make(c.mask);
        qxt::Play(h, c.keys);
        EXPECT_EQ(qxt::Shown(h), c.shown) << "mask '" << c.mask << "' keys " << c.keys;
        EXPECT_TRUE(qxt::SameNotifications(qxt::Changes(h, c.changes), parent.Notifications()))
            << "keys " << c.keys;
        DestroyWindow(h);
    }
}

TEST_F(FloatEdit, RegroupingPastTheLineIsRefusedNotCut) {
    HWND h = Make();
    ASSERT_TRUE(QXFloatSetMask(h, ""));
    ASSERT_TRUE(QXFloatSetRange(h, -1e300, 1e300));
    parent.ClearNotifications();
    // 48 digits take 15 separators: the line is full.
    const std::string digits(49, '1');
    qxt::Play(h, digits.c_str());
    const std::string text = qxt::TextOf(h);
    EXPECT_EQ(text.size(), 63u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '1'), 48);
    EXPECT_TRUE(qxt::SameNotifications(qxt::Changes(h, 48), parent.Notifications()));
    EXPECT_DOUBLE_EQ(Value(h), 1.1111111111111111e47);
}

TEST_F(FloatEdit, FullFractionRefusesAnotherDigit) {
    HWND h = Make();
    ASSERT_TRUE(QXFloatSetMask(h, ""));
    parent.ClearNotifications();
    const std::string typed = "1." + std::string(62, '2');
    qxt::Play(h, typed.c_str());
    EXPECT_EQ(qxt::TextOf(h), typed.substr(0, 63));
    EXPECT_TRUE(qxt::SameNotifications(qxt::Changes(h, 63), parent.Notifications()));
}

TEST_F(FloatEdit, SetTextIsRegrouped) {
    HWND h = Make();
    SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1234567.5"));
    EXPECT_EQ(qxt::Shown(h), "|1,234,567.5");
    EXPECT_EQ(Value(h), 1234567.5);
    EXPECT_TRUE(qxt::SameNotifications(qxt::Changes(h, 1), parent.Notifications()));
}

struct SetValueCase {
    const char *mask;
    double value;
    const char *text;  // null: refused, the text stays as it was
};

TEST_F(FloatEdit, SetValue) {
    const SetValueCase cases[] = {
        {"", 2.5, "2.50000"},
        {"9999.99", 2.5, "2.50"},
        {"99", 2.5, "3"},
        {"", -0.5, "-0.50000"},
        {"", 1234567.891, "1,234,567.89100"},
        {"9.99999999999999999999", 0.1, "0.10000000000000000555"},
        {"", 1e11, "100,000,000,000.00000"},
        {"", 1e12, nullptr},   // above the range
        {"99.9", 123.0, nullptr},  // more digits than the mask
    };
    for (const auto &c : cases) {
        HWND h = Make(c.mask);
        if (c.value >= 1e11) {
            ASSERT_TRUE(QXFloatSetMask(h, "9999999999999.99999"));
        }
        qxt::Play(h, "7$");
        parent.ClearNotifications();
        EXPECT_EQ(QXFloatSetValue(h, c.value), c.text ? 1 : 0) << c.value;
        EXPECT_EQ(qxt::TextOf(h), c.text ? c.text : "7") << c.value;
        EXPECT_TRUE(qxt::SameNotifications(qxt::Changes(h, c.text ? 1 : 0), parent.Notifications()))
            << c.value;
        if (c.text) {
            EXPECT_EQ(qxt::Shown(h).substr(0, 1), "|");
        }
        DestroyWindow(h);
    }
}

TEST_F(FloatEdit, SetValueWithUnlimitedFractionIsRefusedSafely) {
    HWND h = Make();
    ASSERT_TRUE(QXFloatSetMask(h, ""));
    qxt::Play(h, "5$");
    parent.ClearNotifications();
    EXPECT_FALSE(QXFloatSetValue(h, 2.5));
    EXPECT_EQ(qxt::TextOf(h), "5");
    EXPECT_TRUE(parent.Notifications().empty());
}

TEST_F(FloatEdit, OtherSeparators) {
    HWND h = Make();
    ASSERT_TRUE(QXFloatSetFormat(h, "x,."));
    qxt::Play(h, "1234,5");
    EXPECT_EQ(qxt::Shown(h), "1.234,5|");
    EXPECT_EQ(Value(h), 1234.5);
    qxt::Play(h, ".");  // now the group separator: not typed
    EXPECT_EQ(qxt::TextOf(h), "1.234,5");
    ASSERT_TRUE(QXFloatSetValue(h, -2.25));
    EXPECT_EQ(qxt::TextOf(h), "-2,25000");
    EXPECT_EQ(Value(h), -2.25);

    HWND s = Make();
    ASSERT_TRUE(QXFloatSetFormat(s, "x. "));
    qxt::Play(s, "1234567.5");
    EXPECT_EQ(qxt::TextOf(s), "1 234 567.5");
    EXPECT_EQ(Value(s), 1234567.5);
}

TEST_F(FloatEdit, FormatsThatCannotBeToldApartAreRefused) {
    HWND h = Make();
    const char *bad[] = {"x..", "x1,", "x.9", "x-,", "x.-", "x.", "x", ""};
    for (const char *f : bad) EXPECT_FALSE(QXFloatSetFormat(h, f)) << f;
    EXPECT_FALSE(QXFloatSetFormat(h, nullptr));
    // The format in force is still the default one.
    qxt::Play(h, "1234.5");
    EXPECT_EQ(qxt::TextOf(h), "1,234.5");
    EXPECT_EQ(Value(h), 1234.5);
}

TEST_F(FloatEdit, Range) {
    const struct {
        double min, max;
        const char *keys;
        const char *text;
    } cases[] = {
        {10, 20, "5", "5"},    {10, 20, "25", "2"},  {0, 100, "5-", "-5"},
        {-20, -10, "25-", "25"}, {-20, -10, "5-", "-5"}, {-1.5, 1.5, "1.6", "1."},
        {-1.5, 1.5, "1.5-", "-1.5"},
    };
    for (const auto &c : cases) {
        HWND h = Make();
        ASSERT_TRUE(QXFloatSetRange(h, c.min, c.max));
        qxt::Play(h, c.keys);
        EXPECT_EQ(qxt::TextOf(h), c.text) << c.min << ".." << c.max << " keys " << c.keys;
        DestroyWindow(h);
    }
}

TEST_F(FloatEdit, MaskExports) {
    HWND h = Make();
    EXPECT_FALSE(QXFloatSetMask(h, nullptr));
    EXPECT_FALSE(QXFloatSetMask(h, "99x"));
    ASSERT_TRUE(QXFloatSetMask(h, "999.9"));
    qxt::Play(h, "1234.56");
    EXPECT_EQ(qxt::TextOf(h), "123.5");
    // The mask is read with the decimal separator in force.
    HWND g = Make();
    ASSERT_TRUE(QXFloatSetFormat(g, "x,."));
    ASSERT_TRUE(QXFloatSetMask(g, "9,99"));
    qxt::Play(g, "12,345");
    EXPECT_EQ(qxt::TextOf(g), "1,34");
}

TEST_F(FloatEdit, GetValue) {
    HWND h = Make();
    EXPECT_EQ(Value(h), 0.0);
    qxt::Play(h, "1234.5");
    EXPECT_EQ(Value(h), 1234.5);
    qxt::Play(h, "-");
    EXPECT_EQ(Value(h), -1234.5);
    EXPECT_FALSE(QXFloatGetValue(h, nullptr));
}

TEST_F(FloatEdit, SpinAsksTheParentInsteadOfStepping) {
    HWND h = Make("", QXES_SPIN);
    qxt::Play(h, "12");
    parent.ClearNotifications();
    qxt::Wheel(h, 120);
    qxt::Wheel(h, -240);
    const std::vector<qxt::Notification> expected = {
        {7, QXFN_STEPUP, h}, {7, QXFN_STEPDOWN, h}, {7, QXFN_STEPDOWN, h}};
    EXPECT_TRUE(qxt::SameNotifications(expected, parent.Notifications()));
    EXPECT_EQ(qxt::TextOf(h), "12");
}

TEST_F(FloatEdit, ExportsRefuseOtherWindows) {
    HWND intEdit = parent.CreateChild("QXInteger", "", 0, 10, 40, 100, 24, 8);
    HWND plainEdit = parent.CreateChild("QXEdit", "", 0, 10, 70, 100, 24, 9);
    HWND stat = parent.CreateChild("STATIC", "", 0, 10, 100, 100, 24, 10);
    HWND gone = Make();
    DestroyWindow(gone);
    const HWND windows[] = {nullptr, intEdit, plainEdit, stat, gone, parent.hwnd()};
    for (HWND w : windows) {
        double v = 0;
        EXPECT_FALSE(QXFloatSetValue(w, 1.0)) << w;
        EXPECT_FALSE(QXFloatGetValue(w, &v)) << w;
        EXPECT_FALSE(QXFloatSetRange(w, 0, 1)) << w;
        EXPECT_FALSE(QXFloatSetFormat(w, "x.,")) << w;
        EXPECT_FALSE(QXFloatSetMask(w, "9")) << w;
    }
    EXPECT_EQ(qxt::TextOf(intEdit), "");
}

}  // namespace
