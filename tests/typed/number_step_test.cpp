// Stepping the integer and floating-point edits the way their spin does:
// through the edit host's StepUp and StepDown, on real windows.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "edit/edit_host.h"
#include "edit/edit_proc.h"
#include "edit_keys.h"
#include "harness.h"
#include "qx_cntl.h"
#include "typed/float_ctl.h"
#include "typed/int_ctl.h"

namespace {

constexpr long kMin = -2147483647L - 1;
constexpr long kMax = 2147483647L;

class NumberStep : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const HINSTANCE inst = qxt::HostInstance();
        ASSERT_TRUE(QXRegisterIntClass(inst));
        ASSERT_TRUE(QXRegisterFloatClass(inst));
    }

    HWND Make(const char *cls, const char *mask, DWORD style) {
        HWND h = parent.CreateChild(cls, mask, style, 10, 10, 160, 24, 5);
        EXPECT_NE(h, nullptr);
        return h;
    }

    static qx::EditHost *Host(HWND h) { return qx::EditHostOf(h); }

    qxt::ParentWindow parent;
};

TEST_F(NumberStep, ClassNamesMakeTheirObjects) {
    const struct {
        const char *cls;
        bool isInt, isFloat;
    } cases[] = {
        {"QXInteger", true, false}, {"qxinteger", true, false},
        {"QXFloat", false, true},   {"QXFLOAT", false, true},
    };
    for (const auto &c : cases) {
        HWND h = Make(c.cls, "", 0);
        ASSERT_NE(Host(h), nullptr) << c.cls;
        qx::EditCtl *edit = Host(h)->edit.get();
        EXPECT_EQ(dynamic_cast<qx::IntCtl *>(edit) != nullptr, c.isInt) << c.cls;
        EXPECT_EQ(dynamic_cast<qx::FloatCtl *>(edit) != nullptr, c.isFloat) << c.cls;
        DestroyWindow(h);
    }
}

struct IntStepCase {
    DWORD style;
    long min, max;
    const char *mask;
    const char *start;
    bool up;
    bool result;
    const char *text;  // afterwards, the caret at its start when it changed
};

TEST_F(NumberStep, IntegerStepsWrapsAndRefuses) {
    const DWORD W = QXES_WRAP;
    const IntStepCase cases[] = {
        {0, kMin, kMax, "", "", true, true, "1"},
        {0, kMin, kMax, "", "", false, true, "-1"},
        {0, kMin, kMax, "", "-", true, true, "1"},
        {0, kMin, kMax, "", "41", true, true, "42"},
        {0, kMin, kMax, "", "2147483647", true, false, "2147483647"},
        {W, kMin, kMax, "", "2147483647", true, true, "-2147483648"},
        {0, kMin, kMax, "", "-2147483648", false, false, "-2147483648"},
        {W, kMin, kMax, "", "-2147483648", false, true, "2147483647"},
        {0, kMin, kMax, "", "2147483646", true, true, "2147483647"},
        {0, 10, 20, "", "20", true, false, "20"},
        {W, 10, 20, "", "20", true, true, "10"},
        {0, 10, 20, "", "10", false, false, "10"},
        {W, 10, 20, "", "10", false, true, "20"},
        {0, 10, 20, "", "5", true, true, "6"},
        {W, 10, 20, "", "5", false, true, "20"},
        {0, 10, 20, "", "", false, false, ""},
        // a step the mask cannot show is refused like one past the range
        {0, kMin, kMax, "9", "9", true, false, "9"},
        {W, kMin, kMax, "99", "-9", false, false, "-9"},
        {W, kMin, kMax, "999", "999", true, false, "999"},
    };
    for (const auto &c : cases) {
        HWND h = Make("QXInteger", c.mask, c.style);
        ASSERT_TRUE(QXIntSetRange(h, c.min, c.max));
        SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.start));
        ASSERT_EQ(qxt::TextOf(h), c.start);
        parent.ClearNotifications();
        qx::EditHost *host = Host(h);
        EXPECT_EQ(c.up ? host->StepUp() : host->StepDown(), c.result)
            << c.start << (c.up ? " up" : " down") << " in " << c.min << ".." << c.max;
        EXPECT_EQ(qxt::TextOf(h), c.text) << c.start << (c.up ? " up" : " down");
        EXPECT_TRUE(qxt::SameNotifications(qxt::Changes(h, c.result ? 1 : 0),
                                           parent.Notifications()))
            << c.start << (c.up ? " up" : " down");
        if (c.result) {
            EXPECT_EQ(qxt::Shown(h), std::string("|") + c.text);
        }
        DestroyWindow(h);
    }
}

TEST_F(NumberStep, FloatStepsOnlyNotifyTheParent) {
    HWND h = Make("QXFloat", "", QXES_SPIN);
    qxt::Play(h, "1234.5");
    parent.ClearNotifications();
    qx::EditHost *host = Host(h);
    EXPECT_TRUE(host->StepUp());
    EXPECT_TRUE(host->StepDown());
    EXPECT_TRUE(host->StepUp());
    const std::vector<qxt::Notification> expected = {
        {5, QXFN_STEPUP, h}, {5, QXFN_STEPDOWN, h}, {5, QXFN_STEPUP, h}};
    EXPECT_TRUE(qxt::SameNotifications(expected, parent.Notifications()));
    EXPECT_EQ(qxt::Shown(h), "1,234.5|");
}

}  // namespace
