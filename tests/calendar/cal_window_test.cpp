// The "QXCalCntl" window through the DLL, as a host uses it: keys, the four
// navigation buttons, clicks and double clicks at cell centres, what reaches
// the parent, what is painted at once, resizing, and the date exports. Runs
// with a theme in force and in the classic look.
#include <windows.h>

#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "harness.h"
#include "qx_cntl.h"

namespace {

const int kCalId = 7;
const COLORREF kCyan = RGB(192, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// A calendar created at 200 x 150 with one-pixel lines has header rows of
// 11, day rows of 17 and cells 27 wide: day rows start at y 37, one every 18
// pixels, and a column every 28 from x 1. After a resize to 300 x 200: 15,
// 24, 41.
struct Geometry {
    int header, dayRow, cell;
    RECT Cell(int pos) const {  // pos = row * 7 + column
        const int left = (pos % 7) * (cell + 1) + 1, top = 3 * header + 4 + (pos / 7) * (dayRow + 1);
        return {left, top, left + cell, top + dayRow};
    }
    POINT Centre(int pos) const {
        const RECT r = Cell(pos);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
};
const Geometry kSmall = {11, 17, 27};
const Geometry kLarge = {15, 24, 41};
const RECT kYearRow = {12, 1, 185, 12};
const RECT kMonthRow = {12, 13, 185, 24};
const RECT kGrid = {1, 37, 196, 144};

struct Date {
    int year, month, day;
    bool operator==(const Date &o) const { return year == o.year && month == o.month && day == o.day; }
};
std::ostream &operator<<(std::ostream &os, const Date &d) {
    return os << d.year << "-" << d.month << "-" << d.day;
}

std::vector<COLORREF> Area(HWND hwnd, const RECT &r) {
    const qxt::Pixels px(hwnd);
    std::vector<COLORREF> out;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) out.push_back(px.At(x, y));
    return out;
}

// A point of a cell clear of the number, the rings and the focus rectangle.
COLORREF BackgroundOf(HWND hwnd, const RECT &cell) {
    return qxt::Pixels(hwnd).At(cell.left + 3, cell.bottom - 3);
}

bool NothingPending(HWND hwnd) { return !GetUpdateRect(hwnd, nullptr, FALSE); }

class CalendarTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(QXRegisterCalClass(qxt::HostInstance()), 1);
        ASSERT_EQ(QXRegisterMonthYearButtonXPClass(qxt::HostInstance()), 1);
    }
    static void TearDownTestSuite() {
        QXUnregisterMonthYearButtonXPClass(qxt::HostInstance());
        QXUnregisterCalClass();
    }

    void SetUp() override {
        ASSERT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
        ASSERT_EQ(GetSystemMetrics(SM_CYBORDER), 1);
        cal = Create(200, 150);
        ASSERT_NE(cal, nullptr);
    }
    HWND Create(int w, int h) { return parent.CreateChild("QXCalCntl", "", 0, 10, 10, w, h, kCalId); }
    void Show(Date d) {
        ASSERT_EQ(QXCalSetYear(cal, d.year) + QXCalSetMonth(cal, d.month) + QXCalSetDay(cal, d.day), 3);
        UpdateWindow(cal);
    }
    Date Shown() const {
        Date d = {0, 0, 0};
        EXPECT_EQ(QXCalGetYear(cal, &d.year) + QXCalGetMonth(cal, &d.month) + QXCalGetDay(cal, &d.day), 3);
        return d;
    }
    HWND Button(int id) const { return GetDlgItem(cal, id); }

    qxt::ParentWindow parent{400, 300};
    HWND cal = nullptr;
};

TEST_F(CalendarTest, CreatedAtItsGridSizeWithFourButtons) {
    RECT r;
    GetClientRect(cal, &r);
    EXPECT_EQ(r.right * 1000 + r.bottom, 197145);
    SYSTEMTIME now;
    GetLocalTime(&now);
    const Date shown = Shown();  // today
    EXPECT_EQ(shown.year * 100 + shown.month, now.wYear * 100 + now.wMonth);
    EXPECT_TRUE(shown.day == now.wDay || shown.day + 1 == now.wDay);  // made before a midnight
    const struct {
        int id;
        const char *text;
        RECT at;
    } buttons[] = {{100, "<", {0, 0, 12, 13}},
                   {101, ">", {185, 0, 197, 13}},
                   {102, "<", {0, 12, 12, 25}},
                   {103, ">", {185, 12, 197, 25}}};
    int children = 0;
    for (HWND c = GetWindow(cal, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, 4);
    for (const auto &b : buttons) {
        HWND hwnd = Button(b.id);
        ASSERT_NE(hwnd, nullptr) << b.id;
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, cal, reinterpret_cast<POINT *>(&r), 2);
        EXPECT_TRUE(EqualRect(&r, &b.at)) << b.id << ": " << r.left << "," << r.top;
        char cls[32] = "", text[8] = "";
        GetClassNameA(hwnd, cls, sizeof cls);
        GetWindowTextA(hwnd, text, sizeof text);
        EXPECT_STREQ(cls, qxt::ClassicPrefix() ? "Button" : "QXBmpButtonXP") << b.id;
        if (qxt::ClassicPrefix()) {
            EXPECT_STREQ(text, b.text) << b.id;
        }
    }
    // Themed buttons show their arrows: the two "<" alike, the two ">" alike.
    if (!qxt::ClassicPrefix()) {
        const RECT face = {0, 0, 12, 13};
        const std::vector<COLORREF> back = Area(Button(100), face), forward = Area(Button(101), face);
        EXPECT_NE(back, forward);
        EXPECT_EQ(Area(Button(102), face), back);
        EXPECT_EQ(Area(Button(103), face), forward);
    }
}

TEST_F(CalendarTest, KeysAndButtons) {
    const struct {
        Date from;
        UINT vk;  // a key, or 0 for a click on the button of id `button`
        int button;
        Date to;
    } cases[] = {
        {{2008, 2, 29}, VK_PRIOR, 0, {2007, 2, 28}}, {{2008, 2, 29}, VK_NEXT, 0, {2009, 2, 28}},
        {{2008, 1, 1}, VK_LEFT, 0, {2007, 12, 31}},  {{2007, 12, 31}, VK_RIGHT, 0, {2008, 1, 1}},
        {{2007, 2, 28}, VK_DOWN, 0, {2007, 3, 7}},   {{2008, 3, 5}, VK_UP, 0, {2008, 2, 27}},
        {{2008, 3, 15}, VK_HOME, 0, {2008, 3, 15}},  {{2008, 3, 15}, VK_END, 0, {2008, 3, 15}},
        {{2008, 2, 29}, 0, 100, {2007, 2, 28}},      {{2008, 2, 29}, 0, 101, {2009, 2, 28}},
        {{2008, 1, 15}, 0, 102, {2007, 12, 15}},     {{2007, 1, 31}, 0, 103, {2007, 2, 28}},
        {{2007, 12, 31}, 0, 103, {2008, 1, 31}},
    };
    for (const auto &c : cases) {
        Show(c.from);
        SetFocus(parent.hwnd());
        if (c.vk)
            qxt::SendKey(cal, c.vk);
        else
            qxt::Click(Button(c.button), 5, 5);
        EXPECT_EQ(Shown(), c.to) << c.from << " key " << c.vk << " button " << c.button;
        // A click on a button leaves the focus with the calendar.
        if (!c.vk) {
            EXPECT_EQ(GetFocus(), cal) << c.button;
        }
    }
    // Other commands are ignored; the notification code is not looked at.
    Show({2008, 5, 10});
    for (int id : {0, 99, 104}) SendMessageA(cal, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    EXPECT_EQ(Shown(), (Date{2008, 5, 10}));
    SendMessageA(cal, WM_COMMAND, MAKEWPARAM(101, 0x1234), 0);
    EXPECT_EQ(Shown(), (Date{2009, 5, 10}));
    EXPECT_TRUE(qxt::SameNotifications({}, parent.Notifications()));
    EXPECT_EQ(SendMessageA(cal, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

// January 2000 starts on Saturday (position 6) and has 31 days. Only a
// double click on a day notifies, once, also on the selected day.
TEST_F(CalendarTest, ClicksAndDoubleClicks) {
    Show({2000, 1, 1});
    const struct {
        POINT at;
        bool twice;
        int day;  // selected afterwards
        int notes;
    } cases[] = {
        {kSmall.Centre(20), false, 15, 0},
        {kSmall.Centre(0), false, 15, 0},    // empty cell before the 1st
        {kSmall.Centre(37), false, 15, 0},   // empty cell after the 31st
        {{182, 30}, false, 1, 0},            // weekday row above the 1st
        {kSmall.Centre(13), false, 8, 0},
        {{182, 20}, false, 1, 0},            // lower part of the month row
        {kSmall.Centre(13), false, 8, 0},
        {{182, 19}, false, 8, 0},            // above that: nothing
        {kSmall.Centre(25), true, 20, 1},
        {kSmall.Centre(25), true, 20, 1},    // already selected
        {kSmall.Centre(38), true, 20, 0},    // empty cell
        {{190, 5}, true, 20, 0},             // year row
        {{182, 30}, true, 1, 1},
    };
    for (const auto &c : cases) {
        parent.ClearNotifications();
        SetFocus(parent.hwnd());
        if (c.twice)
            qxt::DoubleClick(cal, c.at.x, c.at.y);
        else
            qxt::Click(cal, c.at.x, c.at.y);
        EXPECT_EQ(Shown(), (Date{2000, 1, c.day})) << c.at.x << "," << c.at.y;
        EXPECT_EQ(GetFocus(), cal);
        const std::vector<qxt::Notification> expected(c.notes, qxt::Notification{kCalId, 1, cal});
        EXPECT_TRUE(qxt::SameNotifications(expected, parent.Notifications())) << c.at.x << "," << c.at.y;
    }
}

// A parent may destroy the calendar while it handles the double click.
TEST_F(CalendarTest, ParentDestroysCalendarOnDoubleClick) {
    Show({2000, 1, 1});
    parent.onCommand = [](const qxt::Notification &n) { DestroyWindow(n.from); };
    qxt::DoubleClick(cal, kSmall.Centre(8).x, kSmall.Centre(8).y);
    parent.onCommand = nullptr;
    EXPECT_FALSE(IsWindow(cal));
    EXPECT_EQ(parent.Notifications().size(), 1u);
}

TEST_F(CalendarTest, SettersKeepTheIndexAndRefuseBadMonths) {
    Show({2008, 1, 31});
    EXPECT_EQ(QXCalSetMonth(cal, 2), 1);
    EXPECT_EQ(QXCalSetYear(cal, 2007), 1);
    EXPECT_EQ(Shown(), (Date{2007, 2, 31}));
    qxt::SendKey(cal, VK_RIGHT);  // walks on from the index
    EXPECT_EQ(Shown(), (Date{2007, 3, 4}));
    for (int month : {0, 13, -1, INT_MIN, INT_MAX}) {
        EXPECT_EQ(QXCalSetMonth(cal, month), 0) << month;
        EXPECT_EQ(Shown(), (Date{2007, 3, 4})) << month;
    }
    EXPECT_EQ(QXCalSetDay(cal, 0), 1);
    EXPECT_EQ(Shown(), (Date{2007, 3, 0}));
    // Extreme values stay harmless, and a move ends on a real day.
    EXPECT_EQ(QXCalSetYear(cal, INT_MAX) + QXCalSetDay(cal, INT_MIN), 2);
    qxt::Repaint(cal);
    qxt::SendKey(cal, VK_NEXT);
    qxt::SendKey(cal, VK_LEFT);
    qxt::Click(Button(103), 5, 5);
    EXPECT_GE(Shown().day, 1);
    EXPECT_LE(Shown().day, 31);
    // The setters repaint later, the whole window.
    EXPECT_EQ(QXCalSetYear(cal, 2001), 1);
    EXPECT_FALSE(NothingPending(cal));
}

TEST_F(CalendarTest, ExportsRefuseOtherWindows) {
    HWND button = parent.CreateChild("BUTTON", "x", 0, 250, 10, 40, 20, 9);
    HWND gone = Create(200, 150);
    DestroyWindow(gone);
    const HWND others[] = {nullptr, parent.hwnd(), button, gone, Button(100),
                           reinterpret_cast<HWND>(static_cast<INT_PTR>(0x12345))};
    for (HWND h : others) {
        int v = -5;
        EXPECT_EQ(QXCalGetYear(h, &v) + QXCalGetMonth(h, &v) + QXCalGetDay(h, &v), 0);
        EXPECT_EQ(v, -5);
        EXPECT_EQ(QXCalSetYear(h, 2000) + QXCalSetMonth(h, 5) + QXCalSetDay(h, 5), 0);
    }
    // A null out-pointer is refused, not written through.
    EXPECT_EQ(QXCalGetYear(cal, nullptr) + QXCalGetMonth(cal, nullptr) + QXCalGetDay(cal, nullptr), 0);
}

TEST_F(CalendarTest, ResizingMovesTheGridButNotTheButtons) {
    Show({2000, 1, 1});
    SetWindowPos(cal, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    qxt::Pump();
    RECT r;
    GetClientRect(cal, &r);
    EXPECT_EQ(r.right * 1000 + r.bottom, 300200);  // not sized back to the grid
    GetWindowRect(Button(101), &r);
    MapWindowPoints(nullptr, cal, reinterpret_cast<POINT *>(&r), 2);
    EXPECT_EQ(r.left, 185);
    for (int day : {1, 9, 17, 31}) {
        qxt::Click(cal, kLarge.Centre(day + 5).x, kLarge.Centre(day + 5).y);
        EXPECT_EQ(Shown(), (Date{2000, 1, day})) << day;
    }
    qxt::Repaint(cal);
    const qxt::Pixels px(cal);
    for (int y = 25; y < 199; ++y) {  // below the buttons
        ASSERT_EQ(px.At(0, y), kBlack) << y;
        ASSERT_EQ(px.At(294, y), kBlack) << y;
    }
}

// Too small for any cell: clicks and paints find no day and never divide by
// zero.
TEST_F(CalendarTest, TooSmallForItsGrid) {
    HWND tiny = Create(0, 0);
    ASSERT_NE(tiny, nullptr);
    SetWindowPos(cal, nullptr, 0, 0, 3, 3, SWP_NOMOVE | SWP_NOZORDER);
    for (HWND h : {tiny, cal}) {
        qxt::Repaint(h);
        for (int xy : {0, 1, 3, 9}) {
            qxt::Click(h, xy, xy);
            qxt::DoubleClick(h, xy, xy);
        }
        qxt::SendKey(h, VK_RIGHT);
        qxt::Repaint(h);
        EXPECT_TRUE(IsWindow(h));
    }
    EXPECT_TRUE(qxt::SameNotifications({}, parent.Notifications()));
}

// ---- What is painted: January 2000, the 12th selected, the calendar focused.

class CalendarLookTest : public CalendarTest {
protected:
    void SetUp() override {
        CalendarTest::SetUp();
        Show({2000, 1, 12});
        SetFocus(cal);
        qxt::Repaint(cal);
        selectedLook = BackgroundOf(cal, kSmall.Cell(17));
        normalLook = BackgroundOf(cal, kSmall.Cell(25));
    }
    COLORREF selectedLook = 0, normalLook = 0;
};

TEST_F(CalendarLookTest, SelectedDayGridAndRowsInEachLook) {
    EXPECT_NE(selectedLook, normalLook);
    const qxt::Pixels px(cal);
    if (qxt::ClassicPrefix()) {
        EXPECT_EQ(selectedLook, kCyan);
        EXPECT_EQ(normalLook, GetSysColor(COLOR_BTNFACE));
        // Raised rings: white at the top left, the shadow at the bottom right.
        const RECT c = kSmall.Cell(25);
        EXPECT_EQ(px.At(c.left + 1, c.top + 1), RGB(255, 255, 255));
        EXPECT_EQ(px.At(c.right - 1, c.bottom - 1), GetSysColor(COLOR_BTNSHADOW));
    } else {
        EXPECT_EQ(px.Count(kCyan, kGrid), 0);  // themed cells only
    }
    // Lines: the outer ones, a column line below the header rows only, rows.
    EXPECT_EQ(px.CountOther(kBlack, {0, 25, 1, 145}) + px.CountOther(kBlack, {196, 25, 197, 145}), 0);
    EXPECT_EQ(px.CountOther(kBlack, {28, 36, 29, 145}), 0);
    EXPECT_NE(px.At(28, 30), kBlack);
    for (int y : {12, 24, 36, 54, 144}) EXPECT_EQ(px.CountOther(kBlack, {13, y, 185, y + 1}), 0) << y;
    EXPECT_EQ(px.CountOther(GetSysColor(COLOR_BTNFACE), kSmall.Cell(0)), 0);  // empty cells
    EXPECT_EQ(px.CountOther(GetSysColor(COLOR_BTNFACE), kSmall.Cell(41)), 0);
    EXPECT_GT(px.Count(GetSysColor(COLOR_BTNTEXT), kYearRow), 20);
    EXPECT_GT(px.Count(GetSysColor(COLOR_BTNTEXT), kMonthRow), 20);
    EXPECT_GT(px.Count(GetSysColor(COLOR_WINDOWTEXT), {1, 25, 196, 36}), 50);  // weekday names
}

// Only the selected day shows the focus, as a dotted rectangle: the number's
// area (one line in, one more at the top left) shrunk by two lines.
TEST_F(CalendarLookTest, FocusRectangleOnlyWithTheFocus) {
    const RECT cell = kSmall.Cell(17);
    const std::vector<COLORREF> focused = Area(cal, cell), otherCell = Area(cal, kSmall.Cell(18));
    SetFocus(parent.hwnd());
    EXPECT_TRUE(NothingPending(cal));
    const std::vector<COLORREF> unfocused = Area(cal, cell);
    EXPECT_EQ(Area(cal, kSmall.Cell(18)), otherCell);
    int changed = 0;
    for (size_t i = 0; i < focused.size(); ++i) {
        if (focused[i] == unfocused[i]) continue;
        ++changed;
        const int x = static_cast<int>(i) % 27, y = static_cast<int>(i) / 27;
        EXPECT_TRUE(((x == 4 || x == 23) && y >= 4 && y <= 13) || ((y == 4 || y == 13) && x >= 4 && x <= 23))
            << x << "," << y;
    }
    EXPECT_GT(changed, 20);
    SetFocus(cal);
    EXPECT_EQ(Area(cal, cell), focused);
}

// A click, a key or a button repaints at once exactly the rows it changes.
TEST_F(CalendarLookTest, MovesRepaintTheirRowsAtOnce) {
    const struct {
        Date from;
        UINT vk;  // or 0 for a click on the month's ">"
        bool yearChanges, monthChanges;
    } cases[] = {
        {{2008, 3, 10}, VK_RIGHT, false, false}, {{2008, 3, 1}, VK_LEFT, false, true},
        {{2008, 1, 1}, VK_LEFT, true, true},     {{2008, 3, 10}, VK_PRIOR, true, false},
        {{2007, 12, 10}, 0, true, true},         {{2007, 11, 10}, 0, false, true},
    };
    for (const auto &c : cases) {
        Show(c.from);
        const std::vector<COLORREF> year = Area(cal, kYearRow), month = Area(cal, kMonthRow),
                                    grid = Area(cal, kGrid);
        if (c.vk)
            qxt::SendKey(cal, c.vk);
        else
            qxt::Click(Button(103), 5, 5);
        EXPECT_TRUE(NothingPending(cal)) << c.from;
        EXPECT_EQ(Area(cal, kYearRow) != year, c.yearChanges) << c.from << " " << c.vk;
        EXPECT_EQ(Area(cal, kMonthRow) != month, c.monthChanges) << c.from << " " << c.vk;
        EXPECT_NE(Area(cal, kGrid), grid) << c.from << " " << c.vk;
    }
    Show({2000, 1, 12});
    qxt::Click(cal, kSmall.Centre(25).x, kSmall.Centre(25).y);
    EXPECT_TRUE(NothingPending(cal));
    EXPECT_EQ(BackgroundOf(cal, kSmall.Cell(25)), selectedLook);
    EXPECT_EQ(BackgroundOf(cal, kSmall.Cell(17)), normalLook);
}

// A selected index beyond the month's end highlights nothing, and a focus
// change or a click paints no day where there is none.
TEST_F(CalendarLookTest, IndexBeyondTheMonthShowsNoDay) {
    Show({2008, 1, 31});
    QXCalSetMonth(cal, 2);  // February 2008: Friday the 1st, 29 days
    UpdateWindow(cal);
    for (int pos = 5; pos < 34; ++pos) EXPECT_NE(BackgroundOf(cal, kSmall.Cell(pos)), selectedLook) << pos;
    const std::vector<COLORREF> empty = Area(cal, kSmall.Cell(35));  // where a 31st would be
    EXPECT_EQ(qxt::Pixels(cal).CountOther(GetSysColor(COLOR_BTNFACE), kSmall.Cell(35)), 0);
    SetFocus(parent.hwnd());
    SetFocus(cal);
    qxt::Click(cal, kSmall.Centre(14).x, kSmall.Centre(14).y);
    EXPECT_EQ(Area(cal, kSmall.Cell(35)), empty);
    EXPECT_EQ(BackgroundOf(cal, kSmall.Cell(14)), selectedLook);
}

}  // namespace
