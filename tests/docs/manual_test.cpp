// What the reference manual tells host developers and no other test pins:
// creation's notifications, texts laid over a mask, the ranges enforced,
// default colours, deletions that stay, the empty box's next paint, clients'
// calls that change nothing, the calendar's arrow buttons as objects.
#include <windows.h>

#include "acc_client.h"
#include "edit_window.h"


namespace {

using namespace qxt;

class Manual : public EditWindowTest {
protected:
    // A window of cls with the window text given, its notifications kept.
    HWND Create(const char *cls, const char *text, DWORD style = 0) {
        parent.ClearNotifications();
        return parent.CreateChild(cls, text, style, 10, 10, 300, 22, 7);
    }
};

// Setting the mask at creation is a change, notified before CreateWindowEx
// returns; a "QXTime" notifies its first mask even without a window text.
TEST_F(Manual, CreationNotifies) {
    const struct { const char *cls, *text; int changes; } cases[] = {
        {"QXEdit", "abc", 0},     {"QXInteger", "999", 1},     {"QXInteger", "", 0},
        {"QXFloat", "99.9", 0},   {"QXPicture", "(999)", 1},   {"QXPicture", "", 0},
        {"QXTime", "", 1},        {"QXTime", "99:99 am", 2},   {"QXTime", "not a mask", 1},
    };
    for (const auto &c : cases) {
        HWND h = Create(c.cls, c.text);
        ASSERT_NE(h, nullptr) << c.cls;
        EXPECT_TRUE(Saw(h, c.changes)) << c.cls << " '" << c.text << "'";
        DestroyWindow(h);
    }
}

// WM_SETTEXT lays a text over a picture or time mask position by position,
// using up a character at every position; QXPicSetValue keeps raw
// characters for the placeholders.
TEST_F(Manual, TextsLaidOverTheMask) {
    const struct { const char *cls, *mask, *text, *shown; } cases[] = {
        {"QXPicture", "(999) 999-99", "5551234567", "(551) 456-  "},
        {"QXPicture", "(999) 999-99", "(555)", "(555)    -  "},
        {"QXPicture", "(999) 999-99", "(555) 123-4567", "(555) 123-45"},
        {"QXTime", "99:99", "7:05", "7 :5 "},
    };
    for (const auto &c : cases) {
        HWND h = Make(c.cls, c.mask);
        EXPECT_EQ(SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.text)), TRUE) << c.text;
        EXPECT_EQ(Text(h), c.shown) << c.text;
        DestroyWindow(h);
    }
    HWND t = Make("QXTime", "99:99");
    Start(t, "7 :5 ");
    WORD hour = 0, minute = 0;
    EXPECT_TRUE(QXTime_GetTime(t, &hour, &minute) && hour == 7 && minute == 5);
    HWND p = Make("QXPicture", "(999) 999-99");
    ASSERT_TRUE(QXPicSetValue(p, "555123456789"));
    EXPECT_EQ(Text(p), "(555) 123-45");
}

// Only a negative minimum and a positive maximum are enforced, for the
// values set as for the text typed; a step from an empty integer is not
// clamped into the range.
TEST_F(Manual, RangesEnforced) {
    const struct { double min, max, value; bool taken; } floats[] = {
        {10, 20, 5, true}, {10, 20, 25, false}, {-20, -10, 25, true}, {-20, -10, -25, false}, {-20, -10, -5, true},
    };
    for (const auto &c : floats) {
        HWND h = Make("QXFloat", "999.99");
        ASSERT_TRUE(QXFloatSetRange(h, c.min, c.max));
        EXPECT_EQ(QXFloatSetValue(h, c.value), c.taken ? 1 : 0) << c.min << ".." << c.max << ": " << c.value;
        DestroyWindow(h);
    }
    HWND i = Make("QXInteger", "", QXES_SPIN);
    ASSERT_TRUE(QXIntSetRange(i, 10, 20));
    Play(i, "{");
    EXPECT_EQ(Text(i), "1");
    Play(i, "}");
    EXPECT_EQ(Text(i), "1");
    char mask[8];
    EXPECT_FALSE(QXIntGetMask(i, mask, sizeof mask));  // made without one
}

// A mask with another character than digits and the decimal separator is
// refused, yet the digits before that character count.
TEST_F(Manual, FloatMaskWithAGroupSeparator) {
    HWND h = Make("QXFloat");
    EXPECT_FALSE(QXFloatSetMask(h, "99,999.99"));
    Play(h, "123");
    EXPECT_EQ(Text(h), "12");
    Play(h, ".5");
    EXPECT_EQ(Text(h), "12.");
}

// A character typed over a selection that the class refuses leaves the
// selection deleted (and notified); WM_CLEAR with nothing selected notifies.
TEST_F(Manual, DeletionsThatStayOrNotify) {
    HWND h = Make("QXInteger");
    Start(h, "1[23]4");
    Play(h, "x");
    EXPECT_TRUE(Shown(h) == "1|4" && Saw(h, 2)) << Shown(h);
    Start(h, "12|34");
    SendMessageA(h, WM_CLEAR, 0, 0);
    EXPECT_TRUE(Shown(h) == "12|34" && Saw(h, 1)) << Shown(h);
}

// Pixels of a colour in the client area.
int Count(HWND h, COLORREF c) {
    Repaint(h);
    return Pixels(h).Count(c);
}

// A parent that leaves the colour requests to the default window procedure
// gives a disabled edit the window text on the button face, as it does a
// read-only one.
TEST_F(Manual, DefaultColoursOfADisabledEdit) {
    ASSERT_NE(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_GRAYTEXT));
    HWND h = Make("QXEdit");
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_VAR_FONT)), 0);
    Start(h, "WWWW");
    EnableWindow(h, FALSE);
    EXPECT_GT(Count(h, GetSysColor(COLOR_WINDOWTEXT)), 10);
    EXPECT_EQ(Count(h, GetSysColor(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(Pixels(h).At(290, 10), GetSysColor(COLOR_BTNFACE));
}

// QXPicHideEmptyValues takes effect at the next paint, which it does not
// ask for.
TEST_F(Manual, EmptyBoxChangesAtTheNextPaint) {
    HWND h = Make("QXPicture", "(999) 999-99");
    UpdateWindow(h);
    const auto ink = [h] {
        const Pixels px(h);
        return px.CountOther(GetSysColor(COLOR_WINDOW), RECT{0, 0, px.width(), px.height()});
    };
    ASSERT_EQ(ink(), 0);
    ASSERT_TRUE(QXPicHideEmptyValues(h, 0));
    UpdateWindow(h);
    EXPECT_EQ(ink(), 0);
    InvalidateRect(h, nullptr, FALSE);
    UpdateWindow(h);
    EXPECT_GT(ink(), 0);
}

// The calls of a client that an element does not take: each is answered as
// the manual's table says and changes nothing (the text, the date, the
// focus, the parent's notifications).
TEST_F(Manual, ClientCallsThatChangeNothing) {
    enum Op { kSetValue, kAction, kSetName };
    const struct {
        const char *cls;
        DWORD style;
        long child;
        Op op;
        HRESULT hr;
    } rows[] = {
        {"QXInteger", QXES_SPIN, 1, kSetValue, DISP_E_MEMBERNOTFOUND},
        {"QXInteger", QXES_SPIN, 0, kAction, DISP_E_MEMBERNOTFOUND},
        {"QXInteger", QXES_SPIN, 3, kAction, E_INVALIDARG},
        {"QXEdit", 0, 1, kSetValue, E_INVALIDARG},
        {"QXEdit", 0, 0, kSetName, E_NOTIMPL},
        {"QXCalCntl", 0, 0, kSetValue, DISP_E_MEMBERNOTFOUND},
        {"QXCalCntl", 0, 10, kSetValue, DISP_E_MEMBERNOTFOUND},
        {"QXCalCntl", 0, 0, kAction, DISP_E_MEMBERNOTFOUND},
        {"QXBmpButton", 0, 0, kSetValue, DISP_E_MEMBERNOTFOUND},
    };
    for (const auto &row : rows) {
        const bool cal = std::strcmp(row.cls, "QXCalCntl") == 0;
        HWND h = parent.CreateChild(row.cls, "", row.style, 10, 10, cal ? 200 : 120, cal ? 150 : 22, 7);
        if (cal) {
            QXCalSetYear(h, 2024), QXCalSetMonth(h, 6), QXCalSetDay(h, 3);
        } else {
            SetWindowTextA(h, "12");
        }
        SetFocus(parent.hwnd());
        parent.ClearNotifications();
        Acc acc(h);
        ASSERT_EQ(acc.hr, S_OK) << row.cls;
        HRESULT hr = E_FAIL;
        if (row.op == kSetValue) hr = SetValue(acc.p, L"5", row.child);
        if (row.op == kAction) hr = acc->accDoDefaultAction(Child(row.child));
        if (row.op == kSetName) {
            BSTR name = SysAllocString(L"5");
            hr = acc->put_accName(Child(row.child), name);
            SysFreeString(name);
        }
        PumpFor(20);
        const std::string what = std::string(row.cls) + " element " + std::to_string(row.child) + " op " +
                                 std::to_string(row.op);
        EXPECT_EQ(hr, row.hr) << what;
        int day = 0;
        if (cal)
            EXPECT_TRUE(QXCalGetDay(h, &day) && day == 3) << what;
        else
            EXPECT_EQ(Text(h), "12") << what;
        EXPECT_EQ(GetFocus(), parent.hwnd()) << what;
        EXPECT_TRUE(parent.Notifications().empty()) << what;
        DestroyWindow(h);
    }
}

// The calendar's children are its days; its arrow buttons are windows of
// their own, which a hit test over one answers as an object.
TEST_F(Manual, CalendarArrowButtonsAreFoundByHitTest) {
    HWND cal = parent.CreateChild("QXCalCntl", "", 0, 10, 10, 200, 150, 7);
    QXCalSetYear(cal, 2024), QXCalSetMonth(cal, 2), QXCalSetDay(cal, 1);
    Acc acc(cal);
    long count = 0;
    EXPECT_EQ(acc->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 29);
    RECT r;
    GetWindowRect(GetDlgItem(cal, 100), &r);
    VARIANT hit;
    VariantInit(&hit);
    EXPECT_EQ(acc->accHitTest((r.left + r.right) / 2, (r.top + r.bottom) / 2, &hit), S_OK);
    EXPECT_EQ(V_VT(&hit), VT_DISPATCH);
    VariantClear(&hit);
}

}  // namespace
