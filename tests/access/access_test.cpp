// Every class as a screen reader hears it, through the DLL: what it hears, and what each cause raises.
#include <algorithm>
#include <cstring>
#include <memory>

#include "acc_client.h"
#include "qx_cntl.h"

namespace {

using namespace qxt;

struct Kind { const char *cls, *text; DWORD style; int w, h; bool classic = false; };  // classic: born with styles off
const Kind kEdit = {"QXEdit", "", 0, 120, 24}, kInt = {"QXInteger", "999", QXES_SPIN, 120, 24},
           kFloat = {"QXFloat", "9999.99", QXES_SPIN, 120, 24}, kPic = {"QXPicture", "(999) 999-9999", 0, 120, 24},
           kTime = {"QXTime", "99:99", QXES_SPIN, 120, 24}, kCal = {"QXCalCntl", "", 0, 200, 150},
           kOldCal = {"QXCalCntl", "", 0, 200, 150, true}, kBtn = {"QXBmpButton", "&OK", 0, 40, 30};

using Step = std::function<void(HWND)>;
Step Both(Step a, Step b) { return [a, b](HWND h) { a(h), b(h); }; }
void Focus(HWND h) { SetFocus(h); }
void Disable(HWND h) { EnableWindow(h, FALSE); }
void ReadOnly(HWND h) { SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) | QXES_READONLY); }
void Destroy(HWND h) { DestroyWindow(h); }
Step Shows(const char *t) { return [t](HWND h) { SendMessageA(h, WM_SETTEXT, 0, LPARAM(t)); }; }
Step Named(const char *n) { return [n](HWND h) { SendMessageA(h, QXM_SETACCNAME, 0, LPARAM(n)); }; }
Step Int(long v) { return [v](HWND h) { QXIntSetValue(h, v); }; }
Step Time(WORD hr, WORD m) { return [hr, m](HWND h) { QXTime_SetTime(h, hr, m); }; }
Step Date(int y, int m, int d) { return [=](HWND h) { QXCalSetYear(h, y), QXCalSetMonth(h, m), QXCalSetDay(h, d); }; }
// A limit of the calendar's range: the first day it takes (low) or the last.
Step Limit(bool low, int y, int m, int d) {
    return [=](HWND h) { const SYSTEMTIME t = {WORD(y), WORD(m), 0, WORD(d), 0, 0, 0, 0};
                         QXCalSetRange(h, low ? &t : nullptr, low ? nullptr : &t); };
}

// 3 June 2024 (the 1st the first day); 1 February 2024, the 10th the last.
const Step jun3 = Date(2024, 6, 3), atJun1 = Both(jun3, Limit(true, 2024, 6, 1));
const Step feb1 = Date(2024, 2, 1), toFeb10 = Both(feb1, Limit(false, 2024, 2, 10));
Step Hold(bool up) { return [up](HWND h) { const POINT p = SpinArrow(h, up); MouseDown(h, p.x, p.y); }; }

// The user's long date, as the system writes it.
std::string LongDate(int year, int month, int day) {
    SYSTEMTIME st = {WORD(year), WORD(month), 0, WORD(day), 0, 0, 0, 0};
    FILETIME ft;  // a round trip fills in the day of the week
    SystemTimeToFileTime(&st, &ft);
    FileTimeToSystemTime(&ft, &st);
    char text[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, text, sizeof text);
    return text;
}

// What a cause leaves: an edit's text, the date (yyyymmdd), a button's focus.
std::string After(HWND h) {
    char text[80] = {};
    GetClassNameA(h, text, sizeof text);
    int y = 0, m = 0, d = 0;
    if (std::strcmp(text, "QXCalCntl") == 0 && QXCalGetYear(h, &y) && QXCalGetMonth(h, &m) && QXCalGetDay(h, &d))
        return std::to_string(y * 10000 + m * 100 + d);
    if (std::strncmp(text, "QXBmpButton", 11) == 0) return GetFocus() == h ? "focused" : "";
    GetWindowTextA(h, text, sizeof text);
    return text;
}

// Notifications: U C (update, change), + - (focus), K (clicked), ^ v (step up, down).
std::string Notes(const std::vector<Notification> &notes) {
    static const std::pair<WORD, const char *> names[] = {{EN_UPDATE, "U"}, {EN_CHANGE, "C"}, {EN_SETFOCUS, "+"},
        {EN_KILLFOCUS, "-"}, {BN_CLICKED, "K"}, {QXFN_STEPUP, "^"}, {QXFN_STEPDOWN, "v"}};
    std::string heard;
    for (const Notification &n : notes) {
        heard += heard.empty() ? "" : " ";
        const auto *k = std::find_if(std::begin(names), std::end(names), [&](auto &c) { return c.first == n.code; });
        heard += k == std::end(names) ? std::to_string(n.code) : k->second;
    }
    return heard;
}

class Access : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(RegisterQXCtls(HostInstance()), 1); }
    static void TearDownTestSuite() { UnregisterQXCtls(HostInstance()); }
    void TearDown() override { EXPECT_EQ(faults.Faults(), 0) << "access violations"; }

    // After the windows `before` names: "L" a label, "N" without prefix, "H" hidden, "E" a line, "B" a button.
    HWND Make(ParentWindow &p, const Kind &k, const std::vector<const char *> &before = {}) {
        for (const char *w : before) {
            const DWORD style = w[0] == 'N' ? SS_NOPREFIX : w[0] == 'E' ? SS_ETCHEDHORZ : SS_LEFT;
            HWND made = p.CreateChild(w[0] == 'B' ? "BUTTON" : "STATIC", w + 1, style, 10, 10, 80, 20, 99);
            if (w[0] == 'H') ShowWindow(made, SW_HIDE);
        }
        std::unique_ptr<ClassicBirths> classic(k.classic ? new ClassicBirths : nullptr);
        HWND h = p.CreateChild(k.cls, k.text, k.style, 100, 10, k.w, k.h, 7);
        p.ClearNotifications();
        return h;
    }

    FaultCounter faults;
};

// What a client hears of each element (`child` 100 to 103: the calendar's arrow button of that id).
TEST_F(Access, WhatAClientHears) {
    const std::string june3 = LongDate(2024, 6, 3), june17 = LongDate(2024, 6, 17);
    const std::string amount = "text 'Amount' ='' [focusable] key 'Alt+A'";
    const std::string selectable = "focusable selectable] do 'Select'";
    const Kind roEdit = {"QXEdit", "", QXES_READONLY, 120, 24}, defBtn = {"QXBmpButton", "&OK", BS_DEFPUSHBUTTON, 40, 30},
               bareBtn = {"QXBmpButton", "", 0, 40, 30};
    const struct Row { const char *what; Kind kind; std::vector<const char *> before; Step setup; long child;
                       std::string heard; } rows[] = {
        {"label", kEdit, {"L&Amount:"}, {}, 0, "text 'Amount:' ='' [focusable] key 'Alt+A'"},
        {"a label without prefix", kEdit, {"NR&D"}, {}, 0, "text 'R&D' ='' [focusable]"},
        {"a doubled mark", kEdit, {"LCash && C&ard"}, {}, 0, "text 'Cash & Card' ='' [focusable] key 'Alt+a'"},
        {"past a line and a hidden label", kEdit, {"L&Amount", "E", "H&Hidden"}, {}, 0, amount},
        {"a button between", kEdit, {"L&Amount", "B&Go"}, {}, 0, "text - ='' [focusable]"},
        {"an empty label between", kEdit, {"L&Amount", "L"}, {}, 0, "text - ='' [focusable]"},
        {"the code page", kEdit, {"LPr\x80is &\xE9t\xE9"}, {}, 0,
         "text 'Pr\x80is \xE9t\xE9' ='' [focusable] key 'Alt+\xE9'"},
        {"the host's name", kEdit, {"L&Amount"}, Named("Total due"), 0, "text 'Total due' ='' [focusable] key 'Alt+A'"},
        {"the host's empty name", kEdit, {"L&Amount"}, Named(""), 0, "text - ='' [focusable] key 'Alt+A'"},
        {"the host's name forgotten", kEdit, {"L&Amount"}, Both(Named("Total"), Named(nullptr)), 0, amount},
        {"disabled", kEdit, {}, Disable, 0, "text - ='' [unavailable]"},
        {"read-only from its creation", roEdit, {}, {}, 0, "text - ='' [readonly focusable]"},
        {"an integer, focused", kInt, {"L&Count"}, Focus, 0, "text 'Count' ='' [focused focusable] key 'Alt+C' parts 2"},
        {"a float", kFloat, {}, [](HWND h) { QXFloatSetValue(h, 2.5); }, 0, "text - ='2.50' [focusable] parts 2"},
        {"a picture's empty box", kPic, {"L&Phone"}, {}, 0, "text 'Phone' ='' [focusable] key 'Alt+P'"},
        {"a picture focused", kPic, {}, Focus, 0, "text - ='(   )    -    ' [focused focusable]"},
        {"a time read-only", kTime, {}, Both(Time(5, 30), ReadOnly), 0, "text - ='05:30' [readonly focusable] parts 2"},
        {"the upper arrow", kInt, {}, {}, 1, "button 'Up' [] do 'Press'"},
        {"the lower arrow held", kInt, {}, Hold(false), 2, "button 'Down' [pressed] do 'Press'"},
        {"the upper arrow, the lower held", kInt, {}, Hold(false), 1, "button 'Up' [] do 'Press'"},
        {"an arrow of a focused edit", kTime, {}, Focus, 1, "button 'Up' [] do 'Press'"},
        {"an arrow of a disabled hidden edit", kInt, {}, Both(Disable, [](HWND h) { ShowWindow(h, SW_HIDE); }), 2,
         "button 'Down' [unavailable invisible] do 'Press'"},
        {"past the arrows", kInt, {}, {}, 3, "all E_INVALIDARG"},
        {"a part of an edit without a spin", kEdit, {}, {}, 1, "all E_INVALIDARG"},
        {"an edit gone", kInt, {}, Destroy, 0, "all RPC_E_DISCONNECTED"},
        {"the calendar", kCal, {"L&Date"}, jun3, 0, "table 'Date' ='" + june3 + "' [focusable] key 'Alt+D' parts 30"},
        {"before 1601", kCal, {}, Date(1600, 12, 31), 0, "table - ='December 31, 1600' [focusable] parts 31"},
        {"a month without the day", kCal, {}, Date(2023, 2, 29), 0, "table - ='February 2023' [focusable] parts 28"},
        {"a day", kCal, {}, jun3, 17, "cell '" + june17 + "' [" + selectable},
        {"the selected day", kCal, {}, jun3, 3, "cell '" + june3 + "' [selected " + selectable},
        {"focused", kCal, {}, Both(jun3, Focus), 3, "cell '" + june3 + "' [selected focused " + selectable},
        {"past the last", kCal, {}, toFeb10, 11, "cell '" + LongDate(2024, 2, 11) + "' [unavailable] do 'Select'"},
        {"no 31st in June", kCal, {}, jun3, 31, "all E_INVALIDARG"},
        {"an arrow button: the host's text", kCal, {}, {}, 100, "button 'Year back' [focusable] do 'Press'"},
        {"a classic arrow button", kOldCal, {}, {}, 100, "button 'Year back' [focusable] do 'Press'"},
        {"a classic one at a limit", kOldCal, {}, atJun1, 102, "button 'Previous month' [unavailable] do 'Press'"},
        {"an arrow button at a limit", kCal, {}, atJun1, 100, "button 'Year back' [unavailable] do 'Press'"},
        {"a classic arrow button gone", kOldCal, {}, Destroy, 101, "all RPC_E_DISCONNECTED"},
        {"a button, named by its text", kBtn, {"L&Amount"}, {}, 0, "button 'OK' [focusable] do 'Press' key 'Alt+O'"},
        {"the default button held", defBtn, {}, [](HWND h) { MouseDown(h, 5, 5); }, 0,
         "button 'OK' [focused pressed default focusable] do 'Press' key 'Alt+O'"},
        {"a button without text, named", bareBtn, {}, Named("Print"), 0, "button 'Print' [focusable] do 'Press'"},
        {"a button gone", kBtn, {}, Destroy, 0, "all RPC_E_DISCONNECTED"},
    };
    ASSERT_EQ(GetACP(), 1252u) << "the names are those of code page 1252";
    for (const Row &row : rows) {
        ParentWindow parent;
        HWND h = Make(parent, row.kind, row.before);
        const bool button = row.child >= 100;
        Acc acc(button ? GetDlgItem(h, row.child) : h);
        ASSERT_EQ(acc.hr, S_OK) << row.what;
        if (row.setup) row.setup(h);
        EXPECT_EQ(Heard(acc.p, button ? CHILDID_SELF : row.child), row.heard) << row.what;
        ReleaseCapture();
    }
}

using Cause = std::function<HRESULT(HWND, IAccessible *)>;
Cause Do(Step s) { return [s](HWND h, IAccessible *) { return s(h), S_OK; }; }
Cause Type(const char *t) { return Do([t](HWND h) { TypeText(h, t); }); }
Cause Paste(const char *t) { return Do([t](HWND h) { SetClipboardText(t), SendMessageA(h, WM_PASTE, 0, 0); }); }
Cause Put(std::wstring v, long child = 0) {
    return [v, child](HWND, IAccessible *a) { return SetValue(a, v.c_str(), UINT(v.size()), child); };
}
Cause Press(long child) { return [child](HWND, IAccessible *a) { return a->accDoDefaultAction(Child(child)); }; }
// A client presses a calendar's arrow button.
Cause PressButton(int id) {
    return [id](HWND h, IAccessible *) { return Acc(GetDlgItem(h, id))->accDoDefaultAction(Child(CHILDID_SELF)); };
}

// A cause's client result, what it leaves, its WinEvents, the parent's notifications.
TEST_F(Access, WhatEachCauseRaises) {
    const std::wstring a64(64, L'a');
    const struct Row { const char *what; Kind kind; Step start; Cause cause; const char *result; std::string after;
                       const char *events, *notes; } rows[] = {
        {"a key refused", kInt, {}, Type("1x2"), "S_OK", "12", "V V", "U C U C"},
        {"a key past the mask", kInt, {}, Type("1234"), "S_OK", "123", "V V V", "U C U C U C"},
        {"pasted", kInt, {}, Paste("34"), "S_OK", "34", "V", "U C"},
        {"a paste refused", kInt, {}, Paste("3x"), "S_OK", "", "", ""},
        {"the host's text twice", kEdit, {}, Do(Both(Shows("hi"), Shows("hi"))), "S_OK", "hi", "V", "U C U C"},
        {"an export twice", kInt, {}, Do(Both(Int(77), Int(77))), "S_OK", "77", "V", ""},
        {"the wheel", kInt, Int(5), Do([](HWND h) { Wheel(h, 2 * WHEEL_DELTA); }), "S_OK", "7", "V V", "U C U C"},
        {"a picture typed", kPic, Focus, Type("55"), "S_OK", "(55 )    -    ", "V V", "U C U C"},
        {"a time cleared", kTime, Both(Time(9, 30), Focus), Do(QXTime_Clear), "S_OK", "  :  ", "V", "U C"},
        {"read-only", kEdit, {}, Do([](HWND h) { SendMessageA(h, EM_SETREADONLY, TRUE, 0); }), "S_OK", "", "S", ""},
        {"a name, twice", kEdit, {}, Do(Both(Named("Count"), Named("Count"))), "S_OK", "", "N", ""},
        {"a name forgotten", kEdit, Named("Count"), Do(Named(nullptr)), "S_OK", "", "N", ""},
        {"disabled and enabled", kEdit, {}, Do([](HWND h) { EnableWindow(h, FALSE), EnableWindow(h, TRUE); }),
         "S_OK", "", "S S", ""},
        {"an arrow clicked", kInt, Int(5), Do([](HWND h) { const POINT p = SpinArrow(h, true); Click(h, p.x, p.y); }),
         "S_OK", "6", "S1 V S1", "U C +"},
        {"an arrow's press ended by a lost capture", kTime, Hold(true), Do([](HWND) { ReleaseCapture(); }), "S_OK",
         "00:00", "S1", ""},
        {"a client presses an arrow", kInt, Int(5), Press(2), "S_OK", "4", "V", "U C"},
        {"... of a read-only edit", kInt, Both(Int(5), ReadOnly), Press(1), "E_ACCESSDENIED", "5", "", ""},
        {"... of a disabled edit", kInt, Both(Int(5), Disable), Press(1), "E_ACCESSDENIED", "5", "", ""},
        {"... of a float, which asks the host", kFloat, {}, Press(2), "S_OK", "", "", "v"},
        {"a client's value", kEdit, Shows("5"), Put(L"new text"), "S_OK", "new text", "V", "U C"},
        {"... undone as one step", kEdit, Shows("5"), [](HWND h, IAccessible *a) {
             const HRESULT hr = SetValue(a, L"new");
             return SendMessageA(h, EM_UNDO, 0, 0) ? hr : E_FAIL; }, "S_OK", "5", "V V", "U C U C"},
        {"... of 63 characters", kEdit, Shows("5"), Put(a64.substr(1)), "S_OK", std::string(63, 'a'), "V", "U C"},
        {"... of 64", kEdit, Shows("5"), Put(a64), "E_INVALIDARG", "5", "", ""},
        {"... not in the code page", kEdit, Shows("5"), Put(L"4\u4E00"), "E_INVALIDARG", "5", "", ""},
        {"... only the best fit", kEdit, Shows("5"), Put(L"\u0100"), "E_INVALIDARG", "5", "", ""},
        {"... with a 0 inside", kEdit, Shows("5"), Put(std::wstring(L"34\0" L"5", 4)), "E_INVALIDARG", "5", "", ""},
        {"... of digits", kInt, Shows("5"), Put(L"42"), "S_OK", "42", "V", "U C"},
        {"... with a letter", kInt, Shows("5"), Put(L"4x"), "E_INVALIDARG", "5", "", ""},
        {"... longer than the mask", kInt, Shows("5"), Put(L"1234"), "E_INVALIDARG", "5", "", ""},
        {"... a time", kTime, Time(5, 30), Put(L"10:45"), "S_OK", "10:45", "V", "U C"},
        {"... no time", kTime, Time(5, 30), Put(L"25:00"), "E_INVALIDARG", "05:30", "", ""},
        {"... read-only", kEdit, Both(Shows("5"), ReadOnly), Put(L"new"), "E_ACCESSDENIED", "5", "", ""},
        {"... disabled", kEdit, Both(Shows("5"), Disable), Put(L"new"), "E_ACCESSDENIED", "5", "", ""},
        {"a key", kCal, Both(jun3, Focus), Do([](HWND h) { SendKey(h, VK_RIGHT); }), "S_OK", "20240604", "V", ""},
        {"the same day again", kCal, jun3, Do([](HWND h) { QXCalSetDay(h, 3); }), "S_OK", "20240603", "", ""},
        {"a client selects a day", kCal, jun3, Press(17), "S_OK", "20240617", "V", ""},
        {"... past the last", kCal, toFeb10, Press(11), "E_ACCESSDENIED", "20240201", "", ""},
        {"... disabled", kCal, Both(feb1, Disable), Press(5), "E_ACCESSDENIED", "20240201", "", ""},
        {"a client presses an arrow button", kCal, jun3, PressButton(100), "S_OK", "20230603", "S@100 S@100 V", ""},
        {"... a classic one", kOldCal, jun3, PressButton(102), "S_OK", "20240503", "V", ""},
        {"... one a limit disables", kOldCal, atJun1, PressButton(102), "E_ACCESSDENIED", "20240603", "", ""},
        {"a limit disables them", kCal, jun3, Do(Limit(true, 2024, 6, 1)), "S_OK", "20240603", "S@100 S@102", ""},
        {"... classic ones", kOldCal, jun3, Do(Limit(true, 2024, 6, 1)), "S_OK", "20240603", "S@100 S@102", ""},
        {"a button clicked", kBtn, {}, Do([](HWND h) { Click(h, 5, 5); }), "S_OK", "focused", "S S", "K"},
        {"a press ended by a lost capture", kBtn, {}, Do([](HWND h) { MouseDown(h, 5, 5), SetCapture(GetParent(h)); }),
         "S_OK", "focused", "S S", ""},
        {"a client presses a button: a click once the call returned", kBtn, {}, [](HWND h, IAccessible *a) {
             const HRESULT hr = a->accDoDefaultAction(Child(0));
             return GetFocus() == h ? E_FAIL : hr; }, "S_OK", "focused", "S S", "K"},
        {"... disabled before the click", kBtn, {}, [](HWND h, IAccessible *a) {
             const HRESULT hr = a->accDoDefaultAction(Child(0));
             return EnableWindow(h, FALSE), hr; }, "S_OK", "", "S", ""},
        {"... disabled", kBtn, Disable, Press(0), "E_ACCESSDENIED", "", "", ""},
        // calls an element does not take change nothing
        {"a client's value of an arrow", kInt, Shows("12"), Put(L"5", 1), "DISP_E_MEMBERNOTFOUND", "12", "", ""},
        {"... of no part", kEdit, Shows("12"), Put(L"5", 1), "E_INVALIDARG", "12", "", ""},
        {"... of a calendar", kCal, jun3, Put(L"5"), "DISP_E_MEMBERNOTFOUND", "20240603", "", ""},
        {"... of a day", kCal, jun3, Put(L"5", 10), "DISP_E_MEMBERNOTFOUND", "20240603", "", ""},
        {"... of a button", kBtn, {}, Put(L"5"), "DISP_E_MEMBERNOTFOUND", "", "", ""},
        {"a client presses an edit", kInt, Shows("12"), Press(0), "DISP_E_MEMBERNOTFOUND", "12", "", ""},
        {"... past its arrows", kInt, Shows("12"), Press(3), "E_INVALIDARG", "12", "", ""},
        {"... the calendar", kCal, jun3, Press(0), "DISP_E_MEMBERNOTFOUND", "20240603", "", ""},
        {"a client's name", kEdit, Shows("12"), [](HWND, IAccessible *a) { return a->put_accName(Child(0), nullptr); },
         "E_NOTIMPL", "12", "", ""},
    };
    for (const Row &row : rows) {
        ParentWindow parent;
        HWND h = Make(parent, row.kind);
        if (row.start) row.start(h);
        parent.ClearNotifications();
        Acc acc(h);
        EventRecorder recorder(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_VALUECHANGE);
        for (HWND w : {h, GetDlgItem(h, 100), GetDlgItem(h, 101), GetDlgItem(h, 102), GetDlgItem(h, 103)})
            recorder.Watch(w);
        EXPECT_EQ(ResultName(row.cause(h, acc.p)), row.result) << row.what;
        const std::string events = row.events;
        recorder.Wait(events.empty() ? 0 : std::count(events.begin(), events.end(), ' ') + 1);
        EXPECT_EQ(recorder.Heard(h), row.events) << row.what;
        EXPECT_EQ(After(h), row.after) << row.what;
        EXPECT_EQ(Notes(parent.Notifications()), row.notes) << row.what;
        ReleaseCapture();
    }
}

// Parts are elements of the window's object: navigated, located, holding the focus.
TEST_F(Access, WhereThePartsAre) {
    ParentWindow parent;
    HWND h = Make(parent, kInt), cal = Make(parent, kCal), found = nullptr;
    jun3(cal);
    Acc acc(h), calAcc(cal);
    IDispatch *part = reinterpret_cast<IDispatch *>(1);
    EXPECT_TRUE(acc->get_accChild(Child(1), &part) == S_FALSE && !part);
    EXPECT_TRUE(WindowFromAccessibleObject(acc.p, &found) == S_OK && found == h);
    const struct { long from, direction; HRESULT hr; long to; } moves[] = {
        {CHILDID_SELF, NAVDIR_LASTCHILD, S_OK, 2}, {1, NAVDIR_NEXT, S_OK, 2}, {2, NAVDIR_PREVIOUS, S_OK, 1},
        {2, NAVDIR_NEXT, S_FALSE, 0}, {1, NAVDIR_UP, DISP_E_MEMBERNOTFOUND, 0}, {3, NAVDIR_PREVIOUS, E_INVALIDARG, 0}};
    for (const auto &m : moves) {
        VARIANT v;
        const Number to = Of(acc->accNavigate(m.direction, Child(m.from), &v), v);
        EXPECT_TRUE(to.hr == m.hr && to.value == m.to) << m.from << " " << m.direction;
    }
    // 1 June 2024 is a Saturday: the 17th is in the fourth row, second column.
    const struct { IAccessible *a; HWND w; POINT at; long part; } hits[] = {
        {acc.p, h, SpinArrow(h, true), 1}, {acc.p, h, SpinArrow(h, false), 2}, {acc.p, h, {5, 5}, 0},
        {calAcc.p, cal, {28 + 14, 37 + 3 * 18 + 8}, 17}};
    for (const auto &hit : hits) {
        POINT at = hit.at;
        ClientToScreen(hit.w, &at);
        VARIANT v;
        const Number there = Of(hit.a->accHitTest(at.x, at.y, &v), v);
        EXPECT_TRUE(there.hr == S_OK && there.value == hit.part) << hit.part;
        long x = 0, y = 0, w = 0, ht = 0;
        EXPECT_TRUE(!hit.part || (hit.a->accLocation(&x, &y, &w, &ht, Child(hit.part)) == S_OK && at.x >= x &&
                                  at.x < x + w && at.y >= y && at.y < y + ht)) << hit.part;
    }
    SetFocus(cal);
    VARIANT focus;
    const Number focused = Of(calAcc->get_accFocus(&focus), focus);
    EXPECT_TRUE(focused.hr == S_OK && focused.value == 3);
}

// A refusal explained: an alert from the tip's window, named the reason.
TEST_F(Access, RefusalAlert) {
    ParentWindow parent;
    HWND h = Make(parent, {"QXInteger", "99", QXES_EXPLAIN, 120, 24});
    EventRecorder recorder(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT);
    SendChar(h, 'x');
    ASSERT_EQ(recorder.Wait(1).size(), 1u);
    char why[128] = "";
    LoadStringA(GetModuleHandleA("qx_cntl.dll"), QXIDS_WHY_NOTACCEPTED, why, sizeof why);
    EXPECT_EQ(Narrow(Name(Acc(recorder.events[0].hwnd).p).text), why);
    EXPECT_TRUE(IsWindowVisible(recorder.events[0].hwnd));
}

}  // namespace
