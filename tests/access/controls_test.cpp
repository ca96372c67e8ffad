// Every class of the library as a screen reader sees it, asked through
// AccessibleObjectFromWindow, through the DLL as a host uses it, with a theme
// in force and (the _classic twin) in the classic look: names (label, set
// name, none, a button's text), roles and states, the edits' values and
// their setting through the paste's checks, the spin's arrows, the
// calendar's date, days and arrow buttons, the buttons' default action, the
// objects after their windows are gone, and the WinEvents of a session.
#include <ole2.h>
#include <oleacc.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "client.h"
#include "harness.h"
#include "qx_cntl.h"

namespace {

using namespace qxt;

struct Kind {
    const char *cls;
    const char *mask;  // the window text at creation
    DWORD style;
    SIZE size;
};
const Kind kEdit = {"QXEdit", "", 0, {120, 24}};
const Kind kInt = {"QXInteger", "999", QXES_SPIN, {120, 24}};
const Kind kFloat = {"QXFloat", "9999.99", QXES_SPIN, {120, 24}};
const Kind kPicture = {"QXPicture", "(999) 999-9999", 0, {120, 24}};
const Kind kTime = {"QXTime", "99:99", QXES_SPIN, {120, 24}};
const Kind kCal = {"QXCalCntl", "", 0, {200, 150}};
const Kind kButton = {"QXBmpButton", "&OK", 0, {40, 30}};
const Kind kEdits[] = {kEdit, kInt, kFloat, kPicture, kTime};
const Kind kAll[] = {kEdit, kInt, kFloat, kPicture, kTime, kCal, kButton};

const long kFocusable = STATE_SYSTEM_FOCUSABLE;
const long kDay = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;

std::string TextOf(HWND h) {
    char buf[80] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

// The centre of an edit's upper or lower spin arrow.
POINT Arrow(HWND h, bool up) {
    RECT c;
    GetClientRect(h, &c);
    const int spin = GetSystemMetrics(SM_CXHTHUMB) < c.right / 2 ? GetSystemMetrics(SM_CXHTHUMB) : c.right / 2;
    return {c.right - spin / 2, up ? c.bottom / 4 : c.bottom * 3 / 4};
}

POINT ToScreen(HWND h, POINT p) {
    ClientToScreen(h, &p);
    return p;
}

// The part a client finds at a point of the window.
Number HitAt(IAccessible *acc, HWND h, POINT client) {
    const POINT at = ToScreen(h, client);
    VARIANT v;
    const HRESULT hr = acc->accHitTest(at.x, at.y, &v);
    return Of(hr, v);
}

// The user's long date, as the system writes it.
std::string LongDate(int year, int month, int day) {
    SYSTEMTIME st = {};
    st.wYear = WORD(year), st.wMonth = WORD(month), st.wDay = WORD(day);
    FILETIME ft;  // a round trip fills in the day of the week
    SystemTimeToFileTime(&st, &ft);
    FileTimeToSystemTime(&ft, &st);
    char text[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, text, sizeof text);
    return text;
}

void ShowDate(HWND cal, int year, int month, int day) {
    QXCalSetYear(cal, year), QXCalSetMonth(cal, month), QXCalSetDay(cal, day);
}

int DateOf(HWND cal) {  // e.g. 20240603
    int y = 0, m = 0, d = 0;
    QXCalGetYear(cal, &y), QXCalGetMonth(cal, &m), QXCalGetDay(cal, &d);
    return y * 10000 + m * 100 + d;
}

class Controls : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(RegisterQXCtls(HostInstance()), 1); }
    static void TearDownTestSuite() { UnregisterQXCtls(HostInstance()); }
    void TearDown() override { EXPECT_EQ(faults.Faults(), 0) << "access violations"; }

    // The control at 100,10 (after the label "&Amount:" when asked), its
    // creation's notifications dropped.
    static HWND Make(ParentWindow &p, const Kind &k, bool label = false, DWORD style = 0) {
        if (label) p.CreateChild("STATIC", "&Amount:", SS_LEFT, 10, 10, 80, 20, 99);
        HWND h = p.CreateChild(k.cls, k.mask, k.style | style, 100, 10, k.size.cx, k.size.cy, 7);
        p.ClearNotifications();
        return h;
    }
    HWND Make(const Kind &k, bool label = false, DWORD style = 0) { return Make(parent, k, label, style); }

    // The parent saw n accepted changes of the control (EN_UPDATE and
    // EN_CHANGE each) and nothing else; the record is cleared.
    ::testing::AssertionResult Changed(HWND h, int n) {
        std::vector<Notification> expected;
        for (int i = 0; i < 2 * n; ++i) expected.push_back({7, WORD(i % 2 ? EN_CHANGE : EN_UPDATE), h});
        auto result = SameNotifications(expected, parent.Notifications());
        parent.ClearNotifications();
        return result;
    }

    FaultCounter faults;
    ParentWindow parent{400, 200};
};

// ---- Names -----------------------------------------------------------------------

// An edit or the calendar is named by its label or the host's name, never by
// its text; a button by its text, a picture-only one by the host's name.
TEST_F(Controls, NamedByLabelSetNameOrText) {
    struct Row {
        Kind kind;
        bool label;
        const char *text;  // set after creation
        const char *setName;
        Text name;
    };
    std::vector<Row> rows;
    for (const Kind &k : {kEdit, kInt, kFloat, kPicture, kTime, kCal}) {
        rows.push_back({k, true, "12", nullptr, Ok(L"Amount:")});
        rows.push_back({k, false, "12", nullptr, None(S_FALSE)});
        rows.push_back({k, true, "12", "Total", Ok(L"Total")});
        rows.push_back({k, false, "12", "Total", Ok(L"Total")});
    }
    rows.push_back({kButton, true, "&OK", nullptr, Ok(L"OK")});
    rows.push_back({kButton, true, "", nullptr, None(S_FALSE)});
    rows.push_back({kButton, false, "", "Print", Ok(L"Print")});
    for (const Row &row : rows) {
        ParentWindow fresh;
        HWND h = Make(fresh, row.kind, row.label);
        SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(row.text));
        if (row.setName) {
            EXPECT_EQ(SendMessageA(h, QXM_SETACCNAME, 0, reinterpret_cast<LPARAM>(row.setName)), TRUE);
        }
        Acc acc(h);
        ASSERT_EQ(acc.hr, S_OK) << row.kind.cls;
        const std::string what = std::string(row.kind.cls) + (row.label ? " label " : " ") +
                                 (row.setName ? row.setName : "") + " \"" + row.text + "\"";
        EXPECT_EQ(Name(acc.p), row.name) << what;
        // A forgotten name gives the window its own name again.
        if (row.setName) {
            SendMessageA(h, QXM_SETACCNAME, 0, 0);
            EXPECT_EQ(Name(acc.p), row.label ? Ok(L"Amount:") : None(S_FALSE)) << what << " forgotten";
        }
    }
}

// ---- Roles and states --------------------------------------------------------------

TEST_F(Controls, RolesAndStates) {
    for (const Kind &k : kAll) {
        ParentWindow fresh;
        HWND h = Make(fresh, k);
        Acc acc(h);
        ASSERT_EQ(acc.hr, S_OK) << k.cls;
        const long role = k.cls == kCal.cls      ? ROLE_SYSTEM_TABLE
                          : k.cls == kButton.cls ? ROLE_SYSTEM_PUSHBUTTON
                                                 : ROLE_SYSTEM_TEXT;
        EXPECT_EQ(Role(acc.p), I4(role)) << k.cls;
        EXPECT_EQ(State(acc.p), I4(kFocusable)) << k.cls;
        SetFocus(h);
        EXPECT_EQ(State(acc.p), I4(kFocusable | STATE_SYSTEM_FOCUSED)) << k.cls;
        SetFocus(fresh.hwnd());
        EnableWindow(h, FALSE);
        EXPECT_EQ(State(acc.p), I4(STATE_SYSTEM_UNAVAILABLE)) << k.cls;
    }
    // The read-only style bit, at creation and changed later.
    for (const Kind &k : kEdits) {
        ParentWindow fresh;
        HWND h = Make(fresh, k, false, QXES_READONLY);
        Acc acc(h);
        EXPECT_EQ(State(acc.p), I4(kFocusable | STATE_SYSTEM_READONLY)) << k.cls;
        SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) & ~QXES_READONLY);
        EXPECT_EQ(State(acc.p), I4(kFocusable)) << k.cls;
    }
    // A button is pressed while the mouse holds it; the default one says so.
    HWND b = Make(kButton, false, BS_DEFPUSHBUTTON);
    Acc acc(b);
    EXPECT_EQ(State(acc.p), I4(kFocusable | STATE_SYSTEM_DEFAULT));
    MouseDown(b, 5, 5);
    EXPECT_EQ(State(acc.p), I4(kFocusable | STATE_SYSTEM_DEFAULT | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_PRESSED));
    MouseUp(b, 5, 5);
    EXPECT_EQ(State(acc.p), I4(kFocusable | STATE_SYSTEM_DEFAULT | STATE_SYSTEM_FOCUSED));
}

// ---- Values of the edits ------------------------------------------------------------

// The value is the text as shown, after every kind of change; each change of
// it raises one value event, a refused one none.
TEST_F(Controls, EditValuesAndTheirEvents) {
    auto paste = [](const char *text) {
        return [text](HWND h) { SetClipboardText(text), SendMessageA(h, WM_PASTE, 0, 0); };
    };
    const struct Row {
        const char *what;
        Kind kind;
        std::function<void(HWND)> act;
        const char *value;
        int events;
    } rows[] = {
        {"nothing yet", kEdit, [](HWND) {}, "", 0},
        {"typed", kEdit, [](HWND h) { TypeText(h, "ab"); }, "ab", 2},
        {"a refused key", kInt, [](HWND h) { TypeText(h, "1x2"); }, "12", 2},
        {"a key past the mask", kInt, [](HWND h) { TypeText(h, "1234"); }, "123", 3},
        {"pasted", kInt, paste("34"), "34", 1},
        {"a refused paste", kInt, paste("3x"), "", 0},
        {"set text", kEdit, [](HWND h) { SendMessageA(h, WM_SETTEXT, 0, LPARAM("hi")); }, "hi", 1},
        {"the same text again", kEdit,
         [](HWND h) { SendMessageA(h, WM_SETTEXT, 0, LPARAM("hi")), SendMessageA(h, WM_SETTEXT, 0, LPARAM("hi")); },
         "hi", 1},
        {"integer export", kInt, [](HWND h) { QXIntSetValue(h, 77); }, "77", 1},
        {"the same integer again", kInt, [](HWND h) { QXIntSetValue(h, 77), QXIntSetValue(h, 77); }, "77", 1},
        {"spin wheel", kInt, [](HWND h) { QXIntSetValue(h, 5), Wheel(h, 2 * WHEEL_DELTA); }, "7", 3},
        {"float export", kFloat, [](HWND h) { QXFloatSetValue(h, 2.5); }, "2.50", 1},
        {"picture blank, not focused: an empty box", kPicture, [](HWND) {}, "", 0},
        {"picture blank, focused", kPicture, [](HWND h) { SetFocus(h); }, "(   )    -    ", 0},
        {"picture typed", kPicture, [](HWND h) { SetFocus(h), TypeText(h, "55"); }, "(55 )    -    ", 2},
        {"picture export", kPicture, [](HWND h) { QXPicSetValue(h, "5551234567"); }, "(555) 123-4567", 1},
        {"time export", kTime, [](HWND h) { QXTime_SetTime(h, 9, 30); }, "09:30", 1},
        {"time cleared", kTime, [](HWND h) { QXTime_SetTime(h, 9, 30), SetFocus(h), QXTime_Clear(h); }, "  :  ",
         2},
    };
    for (const Row &row : rows) {
        ParentWindow fresh;
        HWND h = Make(fresh, row.kind);
        Acc acc(h);
        EventRecorder recorder(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE);
        recorder.Watch(h);
        row.act(h);
        EXPECT_EQ(Value(acc.p), Ok(std::string(row.value))) << row.what;
        EXPECT_EQ(recorder.Wait(row.events).size(), size_t(row.events)) << row.what;
    }
}

// A client's value is the user's, entered as a paste over the whole text:
// the same checks, notifications and event, one step to undo; a refused one
// changes nothing (text, selection, notifications, events) and is told
// E_INVALIDARG, as is a text the ANSI code page cannot show exactly or one
// with a 0 inside; a read-only or disabled edit takes none.
TEST_F(Controls, SettingTheValueIsAPasteOverTheWholeText) {
    const std::wstring tooLong(64, L'a');
    const struct Row {
        const char *what;
        Kind kind;
        DWORD style;
        std::wstring value;
        HRESULT hr;
        std::string text;  // afterwards; the start is "5" ("05:30" for times)
    } rows[] = {
        {"text", kEdit, 0, L"new text", S_OK, "new text"},
        {"empty", kEdit, 0, L"", S_OK, ""},
        {"63 characters", kEdit, 0, tooLong.c_str() + 1, S_OK, std::string(63, 'a')},
        {"64 characters", kEdit, 0, tooLong, E_INVALIDARG, "5"},
        {"not in the code page", kEdit, 0, L"4\u4E00", E_INVALIDARG, "5"},
        {"best fit", kEdit, 0, L"\u0100", E_INVALIDARG, "5"},
        {"a 0 inside", kEdit, 0, std::wstring(L"34\0" L"5", 4), E_INVALIDARG, "5"},
        {"a control character", kEdit, 0, L"a\tb", E_INVALIDARG, "5"},
        {"digits", kInt, 0, L"42", S_OK, "42"},
        {"a letter", kInt, 0, L"4x", E_INVALIDARG, "5"},
        {"more digits than the mask", kInt, 0, L"1234", E_INVALIDARG, "5"},
        {"a time", kTime, 0, L"10:45", S_OK, "10:45"},
        {"no time", kTime, 0, L"25:00", E_INVALIDARG, "05:30"},
        {"read-only", kEdit, QXES_READONLY, L"new", E_ACCESSDENIED, "5"},
        {"disabled", kEdit, WS_DISABLED, L"new", E_ACCESSDENIED, "5"},
    };
    for (const Row &row : rows) {
        ParentWindow fresh;
        HWND h = Make(fresh, row.kind, false, row.style);
        const bool time = row.kind.cls == kTime.cls;
        if (time)
            QXTime_SetTime(h, 5, 30);
        else
            SendMessageA(h, WM_SETTEXT, 0, LPARAM("5"));
        SendMessageA(h, EM_SETSEL, 1, 1);
        fresh.ClearNotifications();
        const std::string start = TextOf(h);
        Acc acc(h);
        EventRecorder recorder(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE);
        recorder.Watch(h);
        EXPECT_EQ(SetValue(acc.p, row.value.c_str(), UINT(row.value.size())), row.hr) << row.what;
        const std::string &text = row.text;
        EXPECT_EQ(TextOf(h), text) << row.what;
        const bool taken = row.hr == S_OK;
        std::vector<Notification> expected;
        if (taken) expected = {{7, EN_UPDATE, h}, {7, EN_CHANGE, h}};
        EXPECT_TRUE(SameNotifications(expected, fresh.Notifications())) << row.what;
        EXPECT_EQ(recorder.Wait(taken).size(), size_t(taken && text != start)) << row.what;
        if (!taken) {
            EXPECT_EQ(SendMessageA(h, EM_GETSEL, 0, 0), MAKELRESULT(1, 1)) << row.what;
        } else {  // the user's change, undone as one
            EXPECT_EQ(SendMessageA(h, EM_UNDO, 0, 0), TRUE) << row.what;
            EXPECT_EQ(TextOf(h), start) << row.what;
        }
    }
}

// ---- The spin ------------------------------------------------------------------------

// The arrows are parts 1 "Up" and 2 "Down": push buttons whose action steps
// once, found where they are drawn, pressed while the mouse holds them; not
// while the edit takes no changes. An edit without a spin has no parts.
TEST_F(Controls, SpinArrowsArePushButtonsThatStepOnce) {
    HWND h = Make(kInt);
    QXIntSetValue(h, 5);
    Acc acc(h);
    long count = -1;
    EXPECT_EQ(acc->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(std::vector<Text>({Name(acc.p, 1), Name(acc.p, 2), Action(acc.p, 1), Action(acc.p, 2)}),
              std::vector<Text>({Ok(L"Up"), Ok(L"Down"), Ok(L"Press"), Ok(L"Press")}));
    EXPECT_EQ(Role(acc.p, 1), I4(ROLE_SYSTEM_PUSHBUTTON));
    EXPECT_EQ(Value(acc.p, 1), None(DISP_E_MEMBERNOTFOUND));

    EXPECT_EQ(acc->accDoDefaultAction(Child(1)), S_OK);
    EXPECT_EQ(TextOf(h), "6");
    EXPECT_TRUE(Changed(h, 1));
    EXPECT_EQ(acc->accDoDefaultAction(Child(2)), S_OK);
    EXPECT_EQ(TextOf(h), "5");

    for (bool up : {true, false}) {
        const POINT arrow = Arrow(h, up);
        const long part = up ? 1 : 2;
        EXPECT_EQ(HitAt(acc.p, h, arrow), I4(part)) << up;
        long x, y, w, hh;
        EXPECT_EQ(acc->accLocation(&x, &y, &w, &hh, Child(part)), S_OK);
        const POINT at = ToScreen(h, arrow);
        EXPECT_TRUE(at.x >= x && at.x < x + w && at.y >= y && at.y < y + hh) << up;
        MouseDown(h, arrow.x, arrow.y);
        EXPECT_EQ(std::vector<Number>({State(acc.p, 1), State(acc.p, 2)}),
                  std::vector<Number>({I4(up ? STATE_SYSTEM_PRESSED : 0), I4(up ? 0 : STATE_SYSTEM_PRESSED)}));
        MouseUp(h, arrow.x, arrow.y);
        EXPECT_EQ(State(acc.p, part), I4(0)) << up;
    }
    EXPECT_EQ(HitAt(acc.p, h, {5, 5}), I4(CHILDID_SELF));
    parent.ClearNotifications();

    SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) | QXES_READONLY);
    EXPECT_EQ(acc->accDoDefaultAction(Child(1)), E_ACCESSDENIED);
    SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) & ~QXES_READONLY);
    EnableWindow(h, FALSE);
    EXPECT_EQ(acc->accDoDefaultAction(Child(1)), E_ACCESSDENIED);
    EXPECT_EQ(State(acc.p, 1), I4(STATE_SYSTEM_UNAVAILABLE));
    EXPECT_EQ(TextOf(h), "5");
    EXPECT_TRUE(SameNotifications({{7, EN_KILLFOCUS, h}}, parent.Notifications()));  // disabled

    // A floating-point spin asks the host to step, once.
    ParentWindow other;
    HWND f = Make(other, kFloat);
    Acc floatAcc(f);
    EXPECT_EQ(floatAcc->accDoDefaultAction(Child(2)), S_OK);
    EXPECT_TRUE(SameNotifications({{7, QXFN_STEPDOWN, f}}, other.Notifications()));

    ParentWindow plain;
    Acc plainAcc(Make(plain, kEdit));
    EXPECT_EQ(plainAcc->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(Name(plainAcc.p, 1), None(E_INVALIDARG));
}

// ---- The calendar ---------------------------------------------------------------------

// The value is the selected date in the user's long date format; dates the
// system cannot write (years before 1601 or after 30827) in the calendar's
// own words, and a month without a selected day as the month and year.
TEST_F(Controls, CalendarValueIsTheSelectedDate) {
    HWND cal = Make(kCal);
    Acc acc(cal);
    const struct Row { int year, month, day; std::string value; } rows[] = {
        {2024, 6, 3, LongDate(2024, 6, 3)},         {2024, 2, 29, LongDate(2024, 2, 29)},
        {1601, 1, 1, LongDate(1601, 1, 1)},         {30827, 12, 31, LongDate(30827, 12, 31)},
        {1600, 12, 31, "December 31, 1600"},        {30828, 1, 1, "January 1, 30828"},
        {1066, 10, 14, "October 14, 1066"},         {99, 3, 15, "March 15, 99"},
        {-5, 3, 15, "March 15, -5"},                {2023, 2, 29, "February 2023"},
        {2024, 6, 0, "June 2024"},
    };
    for (const Row &row : rows) {
        ShowDate(cal, row.year, row.month, row.day);
        EXPECT_EQ(Value(acc.p), Ok(row.value)) << row.year << "-" << row.month << "-" << row.day;
    }
    if (GetUserDefaultLCID() == MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT)) {
        ShowDate(cal, 2024, 6, 3);
        EXPECT_EQ(Value(acc.p), Ok(L"Monday, June 3, 2024"));
    }
}

// The days of the shown month are cells named by their dates, the selected
// one selected (and focused with the window); "Select" selects a day, as a
// click does, and is announced.
TEST_F(Controls, CalendarDaysAreCells) {
    HWND cal = Make(kCal);
    ShowDate(cal, 2024, 6, 3);
    Acc acc(cal);
    long count = -1;
    EXPECT_EQ(acc->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 30);
    EXPECT_EQ(Role(acc.p, 30), I4(ROLE_SYSTEM_CELL));
    EXPECT_EQ(Name(acc.p, 17), Ok(LongDate(2024, 6, 17)));
    EXPECT_EQ(Name(acc.p, 31), None(E_INVALIDARG));
    EXPECT_EQ(Action(acc.p, 17), Ok(L"Select"));
    EXPECT_EQ(Action(acc.p), None(S_FALSE));
    EXPECT_EQ(std::vector<Number>({State(acc.p, 3), State(acc.p, 4)}),
              std::vector<Number>({I4(kDay | STATE_SYSTEM_SELECTED), I4(kDay)}));
    SetFocus(cal);
    EXPECT_EQ(State(acc.p, 3), I4(kDay | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED));
    VARIANT focus;
    EXPECT_EQ(acc->get_accFocus(&focus), S_OK);
    EXPECT_EQ(Of(S_OK, focus), I4(3));

    // 1 June 2024 is a Saturday: the 17th is in the fourth row, second column.
    const POINT day17 = {28 + 14, 37 + 3 * 18 + 8};
    EXPECT_EQ(HitAt(acc.p, cal, day17), I4(17));
    EventRecorder recorder(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE);
    recorder.Watch(cal);
    EXPECT_EQ(acc->accDoDefaultAction(Child(17)), S_OK);
    EXPECT_EQ(DateOf(cal), 20240617);
    EXPECT_EQ(State(acc.p, 3), I4(kDay));
    EXPECT_EQ(recorder.Wait(1).size(), 1u);
    EXPECT_TRUE(SameNotifications({}, parent.Notifications()));

    ShowDate(cal, 2024, 2, 1);
    EXPECT_EQ(acc->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 29);
    // A day beyond a limit is unavailable and refuses "Select", as all do in a disabled calendar.
    const SYSTEMTIME high = {2024, 2, 0, 10, 0, 0, 0, 0};
    QXCalSetRange(cal, nullptr, &high);
    EXPECT_TRUE(State(acc.p, 11) == I4(STATE_SYSTEM_UNAVAILABLE) && acc->accDoDefaultAction(Child(11)) == E_ACCESSDENIED);
    EnableWindow(cal, FALSE);
    EXPECT_EQ(acc->accDoDefaultAction(Child(5)), E_ACCESSDENIED);
    EXPECT_EQ(DateOf(cal), 20240201);
}

// The four arrow buttons (themed month/year buttons, or the system's in the
// classic look) are push buttons named after what they do, by the host's
// string where it has one (this program's string table names the first);
// "Press" clicks each once. Those a limit disables are unavailable and
// refuse "Press".
TEST_F(Controls, CalendarArrowButtonsAreNamedAndPressOnce) {
    HWND cal = Make(kCal);
    ShowDate(cal, 2024, 6, 3);
    const struct { const wchar_t *name; int after; } buttons[] = {
        {L"Year back", 20230603}, {L"Next year", 20240603}, {L"Previous month", 20240503}, {L"Next month", 20240603}};
    for (int i = 0; i < 4; ++i) {
        HWND b = GetDlgItem(cal, 100 + i);
        Acc acc(b);
        ASSERT_EQ(acc.hr, S_OK) << i;
        EXPECT_EQ(Name(acc.p), Ok(buttons[i].name)) << i;
        EXPECT_EQ(Role(acc.p), I4(ROLE_SYSTEM_PUSHBUTTON)) << i;
        EXPECT_EQ(Action(acc.p), Ok(L"Press")) << i;
        EXPECT_EQ(acc->accDoDefaultAction(Child(CHILDID_SELF)), S_OK) << i;
        PumpFor(50);
        EXPECT_EQ(DateOf(cal), buttons[i].after) << i;
    }
    const SYSTEMTIME low = {2024, 6, 0, 1, 0, 0, 0, 0};
    QXCalSetRange(cal, &low, nullptr);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(State(Acc(GetDlgItem(cal, 100 + i)).p).value & STATE_SYSTEM_UNAVAILABLE, i % 2 ? 0 : STATE_SYSTEM_UNAVAILABLE) << i;
    EXPECT_EQ(Acc(GetDlgItem(cal, 102))->accDoDefaultAction(Child(CHILDID_SELF)), E_ACCESSDENIED);
}

// ---- Buttons ---------------------------------------------------------------------------

// "Press" clicks as the mouse does, once, after the client's call has
// returned; a disabled button refuses, and one disabled before the click
// runs does not click.
TEST_F(Controls, ButtonPressClicksOnce) {
    HWND b = Make(kButton);
    Acc acc(b);
    EXPECT_EQ(Action(acc.p), Ok(L"Press"));
    EXPECT_EQ(acc->accDoDefaultAction(Child(CHILDID_SELF)), S_OK);
    EXPECT_TRUE(SameNotifications({}, parent.Notifications()));
    PumpFor(50);
    EXPECT_TRUE(SameNotifications({{7, BN_CLICKED, b}}, parent.Notifications()));
    EXPECT_EQ(GetFocus(), b);
    EXPECT_EQ(State(acc.p), I4(kFocusable | STATE_SYSTEM_FOCUSED));
    parent.ClearNotifications();

    EXPECT_EQ(acc->accDoDefaultAction(Child(CHILDID_SELF)), S_OK);
    EnableWindow(b, FALSE);
    EXPECT_EQ(acc->accDoDefaultAction(Child(CHILDID_SELF)), E_ACCESSDENIED);
    PumpFor(50);
    EXPECT_TRUE(SameNotifications({}, parent.Notifications()));
    EXPECT_EQ(SetValue(acc.p, L"x"), DISP_E_MEMBERNOTFOUND);
}

// ---- Lifetime --------------------------------------------------------------------------

// A client that holds an object after its window is gone is told so, for
// every class and for the calendar's buttons.
TEST_F(Controls, ObjectsOutliveTheirWindows) {
    for (const Kind &k : kAll) {
        ParentWindow fresh;
        HWND h = Make(fresh, k);
        Acc acc(h);
        ASSERT_EQ(acc.hr, S_OK) << k.cls;
        Acc button(k.cls == kCal.cls ? GetDlgItem(h, 100) : h);
        DestroyWindow(h);
        Pump();
        EXPECT_EQ(Name(acc.p), None(RPC_E_DISCONNECTED)) << k.cls;
        EXPECT_EQ(acc->accDoDefaultAction(Child(k.cls == kInt.cls ? 1 : 0)), RPC_E_DISCONNECTED) << k.cls;
        EXPECT_EQ(Name(button.p), None(RPC_E_DISCONNECTED)) << k.cls;
    }
}

// ---- WinEvents ---------------------------------------------------------------------------

// A scripted session over an integer edit, the calendar and a button,
// recorded by an out-of-context hook: focus (the system's), values, states
// and names (the controls'); refused and unchanged values raise nothing.
TEST_F(Controls, WinEventsOfASession) {
    HWND num = Make(kInt);
    HWND cal = parent.CreateChild(kCal.cls, "", 0, 100, 40, 200, 150, 8);
    HWND btn = parent.CreateChild(kButton.cls, "&OK", 0, 320, 40, 40, 30, 9);
    ShowDate(cal, 2024, 6, 3);
    Acc acc(num);
    EventRecorder recorder(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE);
    for (HWND h : {num, cal, btn}) recorder.Watch(h);
    const DWORD kFocus = EVENT_OBJECT_FOCUS, kState = EVENT_OBJECT_STATECHANGE, kName = EVENT_OBJECT_NAMECHANGE,
                kValue = EVENT_OBJECT_VALUECHANGE;

    SetFocus(num);
    TypeText(num, "1x");                   // the letter is refused
    SetClipboardText("2"), SendMessageA(num, WM_PASTE, 0, 0);
    QXIntSetValue(num, 40);
    QXIntSetValue(num, 40);                // no change
    SetValue(acc.p, L"4y");                // refused
    SetValue(acc.p, L"41");
    const POINT up = Arrow(num, true);
    Click(num, up.x, up.y);                // pressed, stepped, released
    acc->accDoDefaultAction(Child(2));     // stepped
    SendMessageA(num, EM_SETREADONLY, TRUE, 0);
    SendMessageA(num, QXM_SETACCNAME, 0, LPARAM("Count"));
    SetFocus(cal);
    SendKey(cal, VK_RIGHT);
    QXCalSetDay(cal, 4);                   // no change
    EnableWindow(num, FALSE);
    EnableWindow(num, TRUE);
    Click(btn, 5, 5);                      // focused, pressed, released
    MouseDown(btn, 5, 5), SetCapture(num);  // pressed, released: the press is over
    ReleaseCapture();

    const std::vector<Event> expected = {
        {kFocus, num, 0}, {kValue, num, 0}, {kValue, num, 0}, {kValue, num, 0}, {kValue, num, 0},
        {kState, num, 1}, {kValue, num, 0}, {kState, num, 1}, {kValue, num, 0},
        {kState, num, 0}, {kName, num, 0},
        {kFocus, cal, 0}, {kValue, cal, 0},
        {kState, num, 0}, {kState, num, 0},
        {kFocus, btn, 0}, {kState, btn, 0}, {kState, btn, 0}, {kState, btn, 0}, {kState, btn, 0},
    };
    EXPECT_EQ(recorder.Wait(expected.size()), expected);
    EXPECT_EQ(TextOf(num), "41");
}

}  // namespace
