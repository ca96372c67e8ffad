// "QXTime" windows through the DLL: field-aware typing, the letter cleared
// with the space before it, stepping the field under the caret with the
// wheel, and the QXTime exports with their failures.
#include "edit_window.h"

namespace {

using qxt::EditWindowTest;

const char *const kMasks[] = {"99:99", "99:99 am", "99:99 AM", "99:99 a.m.", "99:99 A.M."};

class TimeEdit : public EditWindowTest {};

TEST_F(TimeEdit, FieldAwareTyping) {
    struct {
        const char *mask, *keys, *text;
        int caret;
        int changes;  // accepted changes, each notified with EN_UPDATE and EN_CHANGE
    } cases[] = {
        {"99:99 am", "7:05p", " 7:05 pm", 7, 5},
        {"99:99 A.M.", "11:30a", "11:30 A.M.", 7, 6},
        {"99:99", "23:59", "23:59", 5, 5},
        {"99:99", "9 7", " 9:7 ", 4, 3},
        {"99:99", "7p", " 7:  ", 2, 1},         // no letter in 24 hours
        {"99:99 am", "13", " 1:    m", 2, 1},    // hour 13 refused by the range check
        {"99:99", "24", " 2:  ", 2, 1},
        {"99:99", ":60", "  :6 ", 4, 2},
        {"99:99 am", "123", "12:    m", 2, 2},   // no third hour digit
        {"99:99 am", "7:05p\b", " 7:05  m", 6, 6},
        // Backspace over the space before the letter clears the letter too.
        {"99:99 am", "7:05p\x01\b", " 7:05  m", 5, 6},
        {"99:99 AM", "7:05p\x01\x01\x7f", " 7:05  M", 6, 6},
    };
    for (const auto &c : cases) {
        HWND h = Make("QXTime", c.mask);
        Play(h, c.keys);
        EXPECT_EQ(Text(h), c.text) << c.mask << " typing " << c.keys;
        EXPECT_EQ(Sel(h), std::make_pair(c.caret, c.caret)) << c.mask << " typing " << c.keys;
        EXPECT_TRUE(qxt::SameNotifications(Changes(h, c.changes), parent.Notifications()))
            << c.mask << " typing " << c.keys;
        DestroyWindow(h);
    }
}

TEST_F(TimeEdit, SetAndGetTime) {
    struct {
        const char *mask;
        WORD hour, minute;
        const char *text;
    } cases[] = {
        {"99:99 am", 0, 5, "12:05 am"},   {"99:99 AM", 0, 5, "12:05 AM"},
        {"99:99", 0, 5, "00:05"},         {"99:99 am", 13, 5, "01:05 pm"},
        {"99:99 am", 12, 5, "12:05 pm"},  {"99:99 A.M.", 23, 59, "11:59 P.M."},
        {"99:99 a.m.", 9, 0, "09:00 a.m."},
    };
    for (const auto &c : cases) {
        HWND h = Make("QXTime", c.mask);
        ASSERT_EQ(QXTime_SetTime(h, c.hour, c.minute), 1);
        EXPECT_EQ(Text(h), c.text);
        EXPECT_TRUE(qxt::SameNotifications(Changes(h, 1), parent.Notifications())) << c.text;
        WORD hour = 99, minute = 99;
        ASSERT_EQ(QXTime_GetTime(h, &hour, &minute), 1) << c.text;
        EXPECT_EQ(hour, c.hour) << c.text;
        EXPECT_EQ(minute, c.minute) << c.text;
        BOOL valid = FALSE;
        ASSERT_EQ(QXTime_HasValidTime(h, &valid), 1);
        EXPECT_TRUE(valid) << c.text;

        // Out of range: refused whole, nothing changes and nothing is sent.
        parent.ClearNotifications();
        EXPECT_EQ(QXTime_SetTime(h, 24, 0), 0);
        EXPECT_EQ(QXTime_SetTime(h, 0, 60), 0);
        EXPECT_EQ(Text(h), c.text);
        EXPECT_TRUE(parent.Notifications().empty());
        DestroyWindow(h);
    }
}

// A text that holds no time reads as none: false, the outputs untouched.
TEST_F(TimeEdit, TextsWithoutATime) {
    struct {
        const char *mask, *value;
        bool empty;
    } cases[] = {
        {"99:99 am", "", true},
        {"99:99 am", "    p", false},    // only the letter
        {"99:99", "  05", false},        // no hours
        {"99:99 am", "0030a", false},    // hour 00 passes the checks but is no time
        {"99:99 am", "0730", false},     // no letter
    };
    for (const auto &c : cases) {
        HWND h = Make("QXTime", c.mask);
        ASSERT_EQ(QXPicSetValue(h, c.value), 1) << c.value;
        QXBOOL empty = 7;
        ASSERT_EQ(QXTime_HasEmptyTime(h, &empty), 1);
        EXPECT_EQ(empty, c.empty ? 1 : 0) << c.value;
        BOOL valid = TRUE;
        ASSERT_EQ(QXTime_HasValidTime(h, &valid), 1);
        EXPECT_FALSE(valid) << c.value;
        WORD hour = 99, minute = 99;
        EXPECT_EQ(QXTime_GetTime(h, &hour, &minute), 0) << c.value;
        EXPECT_EQ(hour, 99);
        EXPECT_EQ(minute, 99);
        DestroyWindow(h);
    }
}

struct StepCase {
    int mask;        // index into kMasks
    const char *at;  // the starting text, set with QXPicSetValue
    int anchor, caret;
    int delta;       // wheel distance: 120 a notch up
    const char *text;
    int selAnchor, selCaret;
};

// Every field of every mask, from an empty control and from a time, both ways.
TEST_F(TimeEdit, WheelStepsFieldUnderCaret) {
    const StepCase cases[] = {
        {0, "", 0, 0, 120, "00:00", 0, 2},          {0, "", 0, 0, -120, "00:00", 0, 2},
        {0, "", 3, 3, 120, "23:01", 3, 5},          {0, "", 4, 4, -120, "01:59", 3, 5},
        {0, "2359", 3, 5, 120, "23:00", 3, 5},      {0, "2310", 1, 1, 240, "01:10", 0, 2},
        {1, "", 0, 0, 120, "12:00 am", 0, 2},       {1, "", 3, 3, 120, "11:01 pm", 3, 5},
        {1, "", 5, 5, -120, "01:59 am", 3, 5},      {1, "1130a", 0, 0, 120, "12:30 pm", 0, 2},
        {1, "0705a", 7, 7, 120, "07:05 pm", 6, 7},  {2, "1130P", 2, 2, 120, "12:30 AM", 0, 2},
        {2, "", 3, 3, 120, "11:01 PM", 3, 5},       {2, "0100A", 1, 1, -240, "11:00 PM", 0, 2},
        {3, "1205a", 6, 6, 120, "12:05 p.m.", 6, 8}, {3, "", 0, 0, -120, "12:00 a.m.", 0, 2},
        {4, "1205P", 9, 9, -120, "12:05 A.M.", 6, 8}, {4, "", 4, 4, 120, "11:01 P.M.", 3, 5},
    };
    for (const auto &c : cases) {
        HWND h = Make("QXTime", kMasks[c.mask], QXES_SPIN);
        ASSERT_EQ(QXPicSetValue(h, c.at), 1) << c.at;
        SendMessageA(h, EM_SETSEL, c.anchor, c.caret);
        parent.ClearNotifications();
        qxt::Wheel(h, c.delta);
        EXPECT_EQ(Text(h), c.text) << kMasks[c.mask] << " '" << c.at << "' at " << c.anchor;
        EXPECT_EQ(Sel(h), std::make_pair(c.selAnchor, c.selCaret)) << c.text;
        const int steps = (c.delta < 0 ? -c.delta : c.delta) / 120;
        EXPECT_TRUE(qxt::SameNotifications(Changes(h, steps), parent.Notifications())) << c.text;
        DestroyWindow(h);
    }
}

TEST_F(TimeEdit, StepRefusedWhenNoTimeCanBeRead) {
    HWND h = Make("QXTime", "99:99 am", QXES_SPIN);
    ASSERT_EQ(QXPicSetValue(h, "0030a"), 1);
    parent.ClearNotifications();
    qxt::Wheel(h, 120);
    EXPECT_EQ(Text(h), "00:30 am");
    EXPECT_TRUE(parent.Notifications().empty());
    HWND still = Make("QXTime", "99:99");  // no spin: the wheel does nothing
    qxt::Wheel(still, 120);
    EXPECT_EQ(Text(still), "  :  ");
}

TEST_F(TimeEdit, MasksAndClear) {
    for (const char *m : kMasks) EXPECT_EQ(QXTime_IsTimeMask(m), 1) << m;
    for (const char *m : {"", "99:99 pm", "99:99 Am", "99:99 ", "9:99", static_cast<const char *>(nullptr)})
        EXPECT_EQ(QXTime_IsTimeMask(m), 0) << (m ? m : "null");

    HWND h = Make("QXTime", "not a time");  // refused: the 24-hour mask stays
    BOOL is24 = FALSE;
    ASSERT_EQ(QXTime_Is24Hour(h, &is24), 1);
    EXPECT_TRUE(is24);
    EXPECT_EQ(Text(h), "  :  ");
    ASSERT_EQ(QXTime_SetMask(h, "99:99 AM"), 1);
    ASSERT_EQ(QXTime_Is24Hour(h, &is24), 1);
    EXPECT_FALSE(is24);
    ASSERT_EQ(QXTime_SetTime(h, 19, 5), 1);
    EXPECT_EQ(QXTime_SetMask(h, "99:99 pm"), 0);
    EXPECT_EQ(QXTime_SetMask(h, nullptr), 0);
    EXPECT_EQ(Text(h), "07:05 PM");
    parent.ClearNotifications();
    ASSERT_EQ(QXTime_Clear(h), 1);
    EXPECT_EQ(Text(h), "  :    M");
    EXPECT_TRUE(qxt::SameNotifications(Changes(h, 1), parent.Notifications()));
    EXPECT_EQ(Text(Make("QXTime", "99:99 a.m.")), "  :    .m.");
}

TEST_F(TimeEdit, ExportFailures) {
    HWND time = Make("QXTime", "99:99");
    BOOL flag = 5;
    QXBOOL empty = 5;
    EXPECT_EQ(QXTime_Is24Hour(time, nullptr), 0);
    EXPECT_EQ(QXTime_HasEmptyTime(time, nullptr), 0);
    EXPECT_EQ(QXTime_HasValidTime(time, nullptr), 0);
    WORD hour = 5;
    EXPECT_EQ(QXTime_GetTime(time, &hour, nullptr), 0);
    EXPECT_EQ(QXTime_GetTime(time, nullptr, &hour), 0);

    HWND others[] = {nullptr, reinterpret_cast<HWND>(0x4321), parent.hwnd(), Make("STATIC", ""),
                     Make("QXPicture", "99:99"), Make("QXEdit", "99:99"), Make("QXFloat", "")};
    for (HWND w : others) {
        EXPECT_EQ(QXTime_Clear(w), 0) << w;
        EXPECT_EQ(QXTime_Is24Hour(w, &flag), 0) << w;
        EXPECT_EQ(QXTime_SetMask(w, "99:99"), 0) << w;
        EXPECT_EQ(QXTime_HasEmptyTime(w, &empty), 0) << w;
        EXPECT_EQ(QXTime_HasValidTime(w, &flag), 0) << w;
        EXPECT_EQ(QXTime_GetTime(w, &hour, &hour), 0) << w;
        EXPECT_EQ(QXTime_SetTime(w, 7, 5), 0) << w;
    }
    EXPECT_EQ(flag, 5);
    EXPECT_EQ(empty, 5);
    EXPECT_EQ(hour, 5);
    EXPECT_EQ(Text(others[4]), "  :  ");  // the picture window is untouched
}

}  // namespace
