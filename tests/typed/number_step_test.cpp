// Stepping the integer edit the way its spin does, through the edit host's
// StepUp and StepDown, on real windows.
#include <string>

#include <gtest/gtest.h>

#include "edit/edit_proc.h"
#include "harness.h"
#include "number_test_util.h"
#include "qx_cntl.h"

namespace {

constexpr long kMin = -2147483647L - 1;
constexpr long kMax = 2147483647L;

class NumberStep : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(QXRegisterIntClass(qxt::HostInstance()));
    }

    HWND Make(const char *cls, const char *mask = "", DWORD style = 0) {
        return parent.CreateChild(cls, mask, style, 10, 10, 160, 24, 5);
    }

    static std::string Shown(HWND h) {
        char text[64] = {};
        int anchor, caret;
        qx::EditCtl *edit = qx::EditHostOf(h)->edit.get();
        edit->GetText(text, sizeof text);
        edit->GetSel(&anchor, &caret);
        return qxt::Marked(text, anchor, caret);
    }

    qxt::ParentWindow parent;
};

TEST_F(NumberStep, IntegerStepsWrapsAndRefuses) {
    const DWORD W = QXES_WRAP;
    const struct {
        DWORD style;
        long min, max;
        const char *mask, *start;
        bool up, result;
        const char *shown;  // afterwards
    } cases[] = {
        {0, kMin, kMax, "", "-", true, true, "|1"},
        {0, kMin, kMax, "", "", false, true, "|-1"},
        {0, kMin, kMax, "", "2147483647", true, false, "|2147483647"},
        {W, kMin, kMax, "", "2147483647", true, true, "|-2147483648"},
        {W, kMin, kMax, "", "-2147483648", false, true, "|2147483647"},
        {W, 10, 20, "", "20", true, true, "|10"},
        {W, 10, 20, "", "10", false, true, "|20"},
        {0, 10, 20, "", "5", true, true, "|6"},
        // a step the mask cannot show is refused like one past the range
        {W, kMin, kMax, "99", "-9", false, false, "|-9"},
        {W, kMin, kMax, "999", "999", true, false, "|999"},
    };
    for (const auto &c : cases) {
        HWND h = Make("QXInteger", c.mask, c.style);
        ASSERT_TRUE(QXIntSetRange(h, c.min, c.max));
        SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.start));
        parent.ClearNotifications();
        qx::EditHost *host = qx::EditHostOf(h);
        EXPECT_EQ(c.up ? host->StepUp() : host->StepDown(), c.result) << c.start << " " << c.up;
        EXPECT_EQ(Shown(h), c.shown) << c.start << " " << c.up;
        EXPECT_EQ(parent.Notifications().size(), c.result ? 2u : 0u) << c.start << " " << c.up;
        DestroyWindow(h);
    }
}

}  // namespace
