// The integer edit through the real DLL: typing, the exports, the wheel.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "edit_keys.h"
#include "harness.h"
#include "qx_cntl.h"

namespace {

constexpr long kMin = -2147483647L - 1;
constexpr long kMax = 2147483647L;

class IntEdit : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const HINSTANCE inst = qxt::HostInstance();
        ASSERT_TRUE(QXRegisterEditClass(inst));
        ASSERT_TRUE(QXRegisterIntClass(inst));
        ASSERT_TRUE(QXRegisterFloatClass(inst));
    }

    HWND Make(const char *mask = "", DWORD style = 0) {
        HWND h = parent.CreateChild("QXInteger", mask, style, 10, 10, 160, 24, 7);
        EXPECT_NE(h, nullptr);
        SetFocus(h);
        qxt::Pump();
        parent.ClearNotifications();
        return h;
    }

    qxt::ParentWindow parent;
};

struct TypingCase {
    const char *mask;
    long min, max;
    const char *keys;
    const char *shown;
    int changes;  // accepted changes, each notified with EN_UPDATE and EN_CHANGE
};

TEST_F(IntEdit, TypingSequences) {
    const TypingCase cases[] = {
        {"", kMin, kMax, "123", "123|", 3},
        {"", kMin, kMax, "12a3", "123|", 3},
        {"", kMin, kMax, "1 2", "12|", 2},
        {"", kMin, kMax, "12-", "12|", 2},
        {"999", kMin, kMax, "1234", "123|", 3},
        {"999", kMin, kMax, "-99", "-99|", 3},
        {"999", kMin, kMax, "-100", "-10|", 3},
        {"", kMin, kMax, "007", "7|", 3},
        {"", kMin, kMax, "-05", "-05|", 3},
        {"", kMin, kMax, "105^#", "|5", 4},
        {"", kMin, kMax, "1234<<~", "1|34", 5},
        {"", kMin, kMax, "~", "|", 1},
        {"", kMin, kMax, "12$#", "12|", 2},
        {"", 10, 20, "25", "2|", 1},
        {"", 10, 20, "15", "15|", 2},
        // a lone sign reads as 0, which is above a negative max
        {"", -20, -10, "-5", "|", 0},
        {"", -20, -10, "-15", "|", 0},
        {"", kMin, kMax, "2147483648", "214748364|", 9},
        {"", kMin, kMax, "-2147483648", "-2147483648|", 11},
        {"", kMin, kMax, "99999999999", "999999999|", 9},
    };
    for (const auto &c : cases) {
        HWND h = Make(c.mask);
        ASSERT_TRUE(QXIntSetRange(h, c.min, c.max));
        qxt::Play(h, c.keys);
        EXPECT_EQ(qxt::Shown(h), c.shown) << "mask '" << c.mask << "' keys " << c.keys;
        EXPECT_TRUE(qxt::SameNotifications(qxt::Changes(h, c.changes), parent.Notifications()))
            << "keys " << c.keys;
        DestroyWindow(h);
    }
}

TEST_F(IntEdit, RefusedKeyDropsTheTypeAhead) {
    HWND h = Make();
    qxt::PostText(h, "1a23");
    qxt::Pump();
    EXPECT_EQ(qxt::Shown(h), "1|");
    EXPECT_TRUE(qxt::SameNotifications(qxt::Changes(h, 1), parent.Notifications()));
}

TEST_F(IntEdit, WindowNameIsTheMaskNotTheText) {
    HWND h = Make("999");
    EXPECT_EQ(qxt::TextOf(h), "");
    char mask[8];
    ASSERT_TRUE(QXIntGetMask(h, mask, sizeof mask));
    EXPECT_STREQ(mask, "999");
    // A name that is no integer mask sets none.
    HWND other = Make("99x");
    EXPECT_FALSE(QXIntGetMask(other, mask, sizeof mask));
    qxt::Play(other, "1234");
    EXPECT_EQ(qxt::TextOf(other), "1234");
}

TEST_F(IntEdit, SetTextIsCheckedAndNormalised) {
    const struct {
        const char *set;
        const char *text;
    } cases[] = {
        {"  12", "12"}, {"007", "7"}, {"-0", "-0"}, {"12x", "5"}, {"2147483648", "5"},
        {"-2147483649", "5"},
    };
    for (const auto &c : cases) {
        HWND h = Make();
        qxt::Play(h, "5$");  // End takes the saved copy of "5"
        parent.ClearNotifications();
        SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.set));
        EXPECT_EQ(qxt::TextOf(h), c.text) << c.set;
        const bool accepted = std::strcmp(c.text, "5") != 0;
        EXPECT_TRUE(qxt::SameNotifications(qxt::Changes(h, accepted ? 1 : 0),
                                           parent.Notifications()))
            << c.set;
        DestroyWindow(h);
    }
}

TEST_F(IntEdit, EmptyMaskAllowsOnlyASign) {
    HWND h = Make("99");
    ASSERT_TRUE(QXIntSetMask(h, ""));
    parent.ClearNotifications();
    qxt::Play(h, "-5");
    EXPECT_EQ(qxt::Shown(h), "-|");
    EXPECT_TRUE(qxt::SameNotifications(qxt::Changes(h, 1), parent.Notifications()));
    long value = 99;
    ASSERT_TRUE(QXIntGetValue(h, &value));
    EXPECT_EQ(value, 0);
}

TEST_F(IntEdit, SetValueBypassesChecksAndNotifiesNothing) {
    HWND h = Make("99");
    ASSERT_TRUE(QXIntSetRange(h, 0, 10));
    const long values[] = {12345, kMin, kMax, 0, -7};
    for (long v : values) {
        ASSERT_TRUE(QXIntSetValue(h, v));
        EXPECT_EQ(qxt::TextOf(h), std::to_string(v));
        long back = 99;
        ASSERT_TRUE(QXIntGetValue(h, &back));
        EXPECT_EQ(back, v);
    }
    EXPECT_TRUE(parent.Notifications().empty());
}

TEST_F(IntEdit, SetValueLowersTheSelectionToTheNewText) {
    HWND h = Make();
    qxt::Play(h, "123456");
    ASSERT_TRUE(QXIntSetValue(h, 7));
    EXPECT_EQ(qxt::Shown(h), "7|");
}

TEST_F(IntEdit, Range) {
    HWND h = Make();
    long lo = 1, hi = 1;
    ASSERT_TRUE(QXIntGetRange(h, &lo, &hi));
    EXPECT_EQ(lo, kMin);
    EXPECT_EQ(hi, kMax);
    EXPECT_FALSE(QXIntSetRange(h, 5, 4));
    ASSERT_TRUE(QXIntGetRange(h, &lo, &hi));
    EXPECT_EQ(lo, kMin);
    EXPECT_EQ(hi, kMax);
    EXPECT_TRUE(QXIntSetRange(h, 7, 7));
    ASSERT_TRUE(QXIntGetRange(h, &lo, &hi));
    EXPECT_EQ(lo, 7);
    EXPECT_EQ(hi, 7);
    EXPECT_FALSE(QXIntGetRange(h, nullptr, &hi));
    EXPECT_FALSE(QXIntGetRange(h, &lo, nullptr));
    // The current text is not checked again.
    HWND g = Make();
    qxt::Play(g, "50");
    ASSERT_TRUE(QXIntSetRange(g, 0, 10));
    EXPECT_EQ(qxt::TextOf(g), "50");
}

TEST_F(IntEdit, MaskExports) {
    HWND h = Make("999");
    qxt::Play(h, "12");
    parent.ClearNotifications();

    char buf[8];
    std::memset(buf, '#', sizeof buf);
    EXPECT_FALSE(QXIntGetMask(h, buf, 3));  // "999" and its zero need 4
    EXPECT_EQ(buf[0], '#');
    EXPECT_FALSE(QXIntGetMask(h, buf, 0));
    EXPECT_FALSE(QXIntGetMask(h, buf, -1));
    EXPECT_FALSE(QXIntGetMask(h, nullptr, 8));
    EXPECT_EQ(buf[0], '#');
    ASSERT_TRUE(QXIntGetMask(h, buf, 4));
    EXPECT_STREQ(buf, "999");

    // A refused mask changes nothing.
    EXPECT_FALSE(QXIntSetMask(h, "99a"));
    EXPECT_FALSE(QXIntSetMask(h, nullptr));
    ASSERT_TRUE(QXIntGetMask(h, buf, sizeof buf));
    EXPECT_STREQ(buf, "999");
    EXPECT_EQ(qxt::TextOf(h), "12");
    EXPECT_TRUE(parent.Notifications().empty());

    // An accepted one empties the value, and says so.
    ASSERT_TRUE(QXIntSetMask(h, "9"));
    EXPECT_EQ(qxt::TextOf(h), "");
    EXPECT_TRUE(qxt::SameNotifications(qxt::Changes(h, 1), parent.Notifications()));
    ASSERT_TRUE(QXIntGetMask(h, buf, sizeof buf));
    EXPECT_STREQ(buf, "9");
    qxt::Play(h, "12");
    EXPECT_EQ(qxt::TextOf(h), "1");

    HWND none = Make();
    EXPECT_FALSE(QXIntGetMask(none, buf, sizeof buf));
}

TEST_F(IntEdit, ExportsRefuseOtherWindows) {
    HWND floatEdit = parent.CreateChild("QXFloat", "", 0, 10, 40, 100, 24, 8);
    HWND plainEdit = parent.CreateChild("QXEdit", "", 0, 10, 70, 100, 24, 9);
    HWND stat = parent.CreateChild("STATIC", "", 0, 10, 100, 100, 24, 10);
    HWND gone = Make();
    DestroyWindow(gone);
    const HWND windows[] = {nullptr, floatEdit, plainEdit, stat, gone, parent.hwnd()};
    for (HWND w : windows) {
        long a = 0, b = 0;
        char buf[8];
        EXPECT_FALSE(QXIntSetValue(w, 1)) << w;
        EXPECT_FALSE(QXIntGetValue(w, &a)) << w;
        EXPECT_FALSE(QXIntSetRange(w, 0, 1)) << w;
        EXPECT_FALSE(QXIntGetRange(w, &a, &b)) << w;
        EXPECT_FALSE(QXIntSetMask(w, "9")) << w;
        EXPECT_FALSE(QXIntGetMask(w, buf, sizeof buf)) << w;
    }
    EXPECT_EQ(qxt::TextOf(floatEdit), "");
    HWND h = Make();
    EXPECT_FALSE(QXIntGetValue(h, nullptr));
}

TEST_F(IntEdit, WheelStepsWithTheSpin) {
    HWND h = Make("", QXES_SPIN);
    qxt::Wheel(h, 120);
    EXPECT_EQ(qxt::Shown(h), "|1");
    qxt::Wheel(h, -360);
    EXPECT_EQ(qxt::Shown(h), "|-2");
    EXPECT_TRUE(qxt::SameNotifications(qxt::Changes(h, 4), parent.Notifications()));

    // Past the top without wrap: refused, nothing changes.
    ASSERT_TRUE(QXIntSetValue(h, kMax));
    parent.ClearNotifications();
    qxt::Wheel(h, 120);
    EXPECT_EQ(qxt::TextOf(h), "2147483647");
    EXPECT_TRUE(parent.Notifications().empty());

    HWND w = Make("", QXES_SPIN | QXES_WRAP);
    ASSERT_TRUE(QXIntSetValue(w, kMax));
    qxt::Wheel(w, 120);
    EXPECT_EQ(qxt::TextOf(w), "-2147483648");
    qxt::Wheel(w, -120);
    EXPECT_EQ(qxt::TextOf(w), "2147483647");

    // Without the spin style the wheel does nothing.
    HWND plain = Make();
    qxt::Wheel(plain, 120);
    EXPECT_EQ(qxt::TextOf(plain), "");
}

}  // namespace
