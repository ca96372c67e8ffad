// The "QXCalCntl" window through the DLL, as a host uses it: keys, the four
// navigation buttons, clicks and double clicks at cell centres, what reaches
// the parent, what is painted at once, resizing, and the date exports. Runs
// with a theme in force and in the classic look.
#include <windows.h>

#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "harness.h"
#include "qx_cntl.h"

namespace {

const int kCalId = 7;
const COLORREF kCyan = RGB(192, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// Geometry of a calendar created at 200 x 150 with one-pixel lines: header
// rows 11, day rows 17, cells 27, a 197 x 145 grid whose day rows start at
// y 37 (one every 18 pixels), with a column every 28 pixels.
struct Geometry {
    int header, dayRow, cell, width, height;
    int GridTop() const { return 3 * header + 4; }
    RECT Cell(int column, int row) const {
        const int left = column * (cell + 1) + 1, top = GridTop() + row * (dayRow + 1);
        return {left, top, left + cell, top + dayRow};
    }
    POINT Centre(int column, int row) const {
        const RECT r = Cell(column, row);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
};
const Geometry kSmall = {11, 17, 27, 197, 145};
const Geometry kLarge = {15, 24, 41, 295, 199};  // after resizing to 300 x 200

struct Date {
    int year, month, day;
    bool operator==(const Date &o) const { return year == o.year && month == o.month && day == o.day; }
};

std::ostream &operator<<(std::ostream &os, const Date &d) {
    return os << d.year << "-" << d.month << "-" << d.day;
}

class CalendarTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(QXRegisterCalClass(qxt::HostInstance()), 1); }
    static void TearDownTestSuite() { QXUnregisterCalClass(); }

    void SetUp() override {
        ASSERT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
        ASSERT_EQ(GetSystemMetrics(SM_CYBORDER), 1);
        cal = Create(200, 150);
        ASSERT_NE(cal, nullptr);
    }

    HWND Create(int w, int h) { return parent.CreateChild("QXCalCntl", "", 0, 10, 10, w, h, kCalId); }

    void Show(Date d) {
        ASSERT_EQ(QXCalSetYear(cal, d.year), 1);
        ASSERT_EQ(QXCalSetMonth(cal, d.month), 1);
        ASSERT_EQ(QXCalSetDay(cal, d.day), 1);
        UpdateWindow(cal);
    }

    Date Shown() const {
        Date d = {0, 0, 0};
        EXPECT_EQ(QXCalGetYear(cal, &d.year), 1);
        EXPECT_EQ(QXCalGetMonth(cal, &d.month), 1);
        EXPECT_EQ(QXCalGetDay(cal, &d.day), 1);
        return d;
    }

    HWND Button(int id) const { return GetDlgItem(cal, id); }

    // Cell of a day of the shown month, from its first column.
    POINT DayCentre(int day, int firstColumn, const Geometry &g = kSmall) const {
        const int pos = day - 1 + firstColumn;
        return g.Centre(pos % 7, pos / 7);
    }
    RECT DayCell(int day, int firstColumn, const Geometry &g = kSmall) const {
        const int pos = day - 1 + firstColumn;
        return g.Cell(pos % 7, pos / 7);
    }

    qxt::ParentWindow parent{400, 300};
    HWND cal = nullptr;
};

// ---- Creation ---------------------------------------------------------------

TEST_F(CalendarTest, TakesTheSizeOfItsGridAndShowsToday) {
    RECT r;
    GetClientRect(cal, &r);
    EXPECT_EQ(r.right, kSmall.width);
    EXPECT_EQ(r.bottom, kSmall.height);
    SYSTEMTIME now;
    GetLocalTime(&now);
    const Date shown = Shown();
    EXPECT_EQ(shown.year, now.wYear);
    EXPECT_EQ(shown.month, now.wMonth);
    EXPECT_GE(shown.day, 1);
    EXPECT_LE(shown.day - now.wDay, 1);  // a midnight in between
}

TEST_F(CalendarTest, FourNavigationButtons) {
    struct {
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
        RECT r;
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, cal, reinterpret_cast<POINT *>(&r), 2);
        EXPECT_TRUE(EqualRect(&r, &b.at)) << b.id << ": " << r.left << "," << r.top << " "
                                          << r.right << "," << r.bottom;
        EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
        char cls[32] = "", text[8] = "";
        GetClassNameA(hwnd, cls, sizeof cls);
        GetWindowTextA(hwnd, text, sizeof text);
        // Without the themed button class registered, system buttons serve
        // with a theme as well.
        EXPECT_STREQ(cls, "Button") << b.id;
        EXPECT_STREQ(text, b.text) << b.id;
    }
}

// ---- Keyboard -----------------------------------------------------------------

TEST_F(CalendarTest, Keys) {
    struct {
        Date from;
        UINT vk;
        Date to;
    } cases[] = {
        {{2008, 2, 29}, VK_PRIOR, {2007, 2, 28}}, {{2008, 2, 29}, VK_NEXT, {2009, 2, 28}},
        {{2008, 1, 1}, VK_LEFT, {2007, 12, 31}},  {{2007, 12, 31}, VK_RIGHT, {2008, 1, 1}},
        {{2007, 2, 28}, VK_DOWN, {2007, 3, 7}},   {{2008, 3, 5}, VK_UP, {2008, 2, 27}},
        {{2008, 3, 15}, VK_UP, {2008, 3, 8}},     {{2008, 3, 15}, VK_HOME, {2008, 3, 15}},
        {{2008, 3, 15}, VK_END, {2008, 3, 15}},   {{2008, 3, 15}, VK_SPACE, {2008, 3, 15}},
    };
    for (const auto &c : cases) {
        Show(c.from);
        qxt::SendKey(cal, c.vk);
        EXPECT_EQ(Shown(), c.to) << c.from << " key " << c.vk;
    }
    EXPECT_TRUE(qxt::SameNotifications({}, parent.Notifications()));
    EXPECT_EQ(SendMessageA(cal, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

// Auto-repeated key-downs act each time.
TEST_F(CalendarTest, RepeatedKeyDowns) {
    Show({2008, 1, 30});
    for (int i = 0; i < 3; ++i) SendMessageA(cal, WM_KEYDOWN, VK_RIGHT, 0x40000001);
    EXPECT_EQ(Shown(), (Date{2008, 2, 2}));
}

// ---- Navigation buttons -------------------------------------------------------

TEST_F(CalendarTest, ButtonsMoveYearAndMonth) {
    struct {
        Date from;
        int id;
        Date to;
    } cases[] = {
        {{2008, 2, 29}, 100, {2007, 2, 28}}, {{2008, 2, 29}, 101, {2009, 2, 28}},
        {{2008, 3, 31}, 102, {2008, 2, 29}}, {{2008, 1, 15}, 102, {2007, 12, 15}},
        {{2007, 1, 31}, 103, {2007, 2, 28}}, {{2007, 12, 31}, 103, {2008, 1, 31}},
    };
    for (const auto &c : cases) {
        Show(c.from);
        HWND b = Button(c.id);
        qxt::Click(b, 5, 5);
        qxt::Pump();
        EXPECT_EQ(Shown(), c.to) << c.from << " button " << c.id;
        // The buttons never keep the focus.
        EXPECT_EQ(GetFocus(), cal) << c.id;
    }
    EXPECT_TRUE(qxt::SameNotifications({}, parent.Notifications()));
}

TEST_F(CalendarTest, CommandsWithOtherIdsAreIgnored) {
    Show({2008, 5, 10});
    for (int id : {0, 99, 104, kCalId}) SendMessageA(cal, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    EXPECT_EQ(Shown(), (Date{2008, 5, 10}));
    // The code is not looked at.
    SendMessageA(cal, WM_COMMAND, MAKEWPARAM(101, 0x1234), 0);
    EXPECT_EQ(Shown(), (Date{2009, 5, 10}));
}

TEST_F(CalendarTest, ButtonsPassTheFocusOn) {
    SetFocus(parent.hwnd());
    SetFocus(Button(103));
    EXPECT_EQ(GetFocus(), cal);
}

// ---- Mouse --------------------------------------------------------------------

// January 2000 starts on Saturday (column 6) and has 31 days.
TEST_F(CalendarTest, ClicksSelectDaysWithoutNotifying) {
    Show({2000, 1, 1});
    SetFocus(parent.hwnd());
    struct {
        int x, y;
        int day;  // selected afterwards
    } cases[] = {
        {DayCentre(15, 6).x, DayCentre(15, 6).y, 15},
        {DayCentre(31, 6).x, DayCentre(31, 6).y, 31},
        {kSmall.Centre(0, 0).x, kSmall.Centre(0, 0).y, 31},  // empty cell before the 1st
        {kSmall.Centre(2, 5).x, kSmall.Centre(2, 5).y, 31},  // empty cell after the 31st
        {6 * 28 + 14, 30, 1},                                // weekday row above the 1st
        {kSmall.Centre(6, 1).x, kSmall.Centre(6, 1).y, 8},
        {6 * 28 + 14, 20, 1},                                // lower part of the month row
        {kSmall.Centre(6, 1).x, kSmall.Centre(6, 1).y, 8},
        {6 * 28 + 14, 19, 8},                                // above that: nothing
    };
    for (const auto &c : cases) {
        qxt::Click(cal, c.x, c.y);
        EXPECT_EQ(Shown(), (Date{2000, 1, c.day})) << c.x << "," << c.y;
    }
    EXPECT_EQ(GetFocus(), cal);
    EXPECT_TRUE(qxt::SameNotifications({}, parent.Notifications()));
}

TEST_F(CalendarTest, DoubleClicksNotifyOnValidDaysOnly) {
    Show({2000, 1, 1});
    const qxt::Notification note = {kCalId, 1, cal};
    struct {
        POINT at;
        int day;
        int notes;
    } cases[] = {
        {DayCentre(20, 6), 20, 1},
        {DayCentre(20, 6), 20, 1},          // already selected
        {kSmall.Centre(0, 0), 20, 0},       // empty cell
        {kSmall.Centre(3, 5), 20, 0},       // empty cell after the 31st
        {{6 * 28 + 14, 30}, 1, 1},          // weekday row above the 1st
        {{190, 5}, 1, 0},                   // year row: far above the grid
    };
    for (const auto &c : cases) {
        parent.ClearNotifications();
        qxt::DoubleClick(cal, c.at.x, c.at.y);
        EXPECT_EQ(Shown(), (Date{2000, 1, c.day})) << c.at.x << "," << c.at.y;
        EXPECT_TRUE(qxt::SameNotifications(std::vector<qxt::Notification>(c.notes, note),
                                           parent.Notifications()))
            << c.at.x << "," << c.at.y;
    }
}

// A parent may destroy the calendar while it handles the double click.
TEST_F(CalendarTest, ParentDestroysCalendarOnDoubleClick) {
    Show({2000, 1, 1});
    parent.onCommand = [&](const qxt::Notification &n) { DestroyWindow(n.from); };
    qxt::DoubleClick(cal, DayCentre(3, 6).x, DayCentre(3, 6).y);
    parent.onCommand = nullptr;
    EXPECT_FALSE(IsWindow(cal));
    EXPECT_EQ(parent.Notifications().size(), 1u);
    int year = 0;
    EXPECT_EQ(QXCalGetYear(cal, &year), 0);
}

// ---- Exports --------------------------------------------------------------------

TEST_F(CalendarTest, SettersKeepTheSelectedIndex) {
    Show({2008, 1, 31});
    EXPECT_EQ(QXCalSetMonth(cal, 2), 1);
    EXPECT_EQ(Shown(), (Date{2008, 2, 31}));
    EXPECT_EQ(QXCalSetYear(cal, 2007), 1);
    EXPECT_EQ(Shown(), (Date{2007, 2, 31}));
    // A move from there walks on from the index.
    qxt::SendKey(cal, VK_RIGHT);
    EXPECT_EQ(Shown(), (Date{2007, 3, 4}));
    EXPECT_EQ(QXCalSetDay(cal, 0), 1);
    EXPECT_EQ(Shown(), (Date{2007, 3, 0}));
    qxt::SendKey(cal, VK_RIGHT);
    EXPECT_EQ(Shown(), (Date{2007, 3, 1}));
}

TEST_F(CalendarTest, MonthsOutsideTheYearAreRefused) {
    Show({2008, 6, 15});
    for (int month : {0, 13, -1, INT_MIN, INT_MAX}) {
        EXPECT_EQ(QXCalSetMonth(cal, month), 0) << month;
        EXPECT_EQ(Shown(), (Date{2008, 6, 15})) << month;
    }
    for (int month : {1, 12}) EXPECT_EQ(QXCalSetMonth(cal, month), 1) << month;
}

TEST_F(CalendarTest, ExtremeValuesStayHarmless) {
    EXPECT_EQ(QXCalSetYear(cal, INT_MAX), 1);
    EXPECT_EQ(QXCalSetDay(cal, INT_MIN), 1);
    qxt::Repaint(cal);
    qxt::SendKey(cal, VK_NEXT);
    qxt::SendKey(cal, VK_LEFT);
    qxt::Click(Button(103), 5, 5);
    const Date d = Shown();
    EXPECT_GE(d.day, 1);
    EXPECT_LE(d.day, 31);
}

TEST_F(CalendarTest, ExportsRefuseOtherWindows) {
    HWND button = parent.CreateChild("BUTTON", "x", 0, 250, 10, 40, 20, 9);
    HWND gone = Create(200, 150);
    DestroyWindow(gone);
    const HWND others[] = {nullptr, parent.hwnd(), button, gone, Button(100),
                           reinterpret_cast<HWND>(static_cast<INT_PTR>(0x12345))};
    for (HWND h : others) {
        int v = -5;
        EXPECT_EQ(QXCalGetYear(h, &v), 0);
        EXPECT_EQ(QXCalGetMonth(h, &v), 0);
        EXPECT_EQ(QXCalGetDay(h, &v), 0);
        EXPECT_EQ(v, -5);
        EXPECT_EQ(QXCalSetYear(h, 2000), 0);
        EXPECT_EQ(QXCalSetMonth(h, 5), 0);
        EXPECT_EQ(QXCalSetDay(h, 5), 0);
    }
    // A null out-pointer is refused, not written through.
    EXPECT_EQ(QXCalGetYear(cal, nullptr), 0);
    EXPECT_EQ(QXCalGetMonth(cal, nullptr), 0);
    EXPECT_EQ(QXCalGetDay(cal, nullptr), 0);
}

// ---- Size -----------------------------------------------------------------------

TEST_F(CalendarTest, ResizingMovesTheGridButNotTheButtons) {
    Show({2000, 1, 1});
    SetWindowPos(cal, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    qxt::Pump();
    RECT r;
    GetClientRect(cal, &r);
    EXPECT_EQ(r.right, 300);  // not sized back to the grid
    EXPECT_EQ(r.bottom, 200);
    GetWindowRect(Button(101), &r);
    MapWindowPoints(nullptr, cal, reinterpret_cast<POINT *>(&r), 2);
    EXPECT_EQ(r.left, 185);
    EXPECT_EQ(r.right, 197);
    for (int day : {1, 9, 17, 31}) {
        const POINT p = DayCentre(day, 6, kLarge);
        qxt::Click(cal, p.x, p.y);
        EXPECT_EQ(Shown(), (Date{2000, 1, day})) << day;
    }
    qxt::Repaint(cal);
    const qxt::Pixels px(cal);
    for (int y = 25; y < kLarge.height; ++y) {  // below the buttons
        ASSERT_EQ(px.At(0, y), kBlack) << y;
        ASSERT_EQ(px.At(kLarge.width - 1, y), kBlack) << y;
    }
}

// Too small for any cell: clicks and paints find no day and never divide by
// zero.
TEST_F(CalendarTest, TooSmallForItsGrid) {
    HWND tiny = Create(0, 0);
    ASSERT_NE(tiny, nullptr);
    const POINT points[] = {{0, 0}, {1, 1}, {3, 5}, {7, 9}};
    for (HWND h : {tiny, cal}) {
        if (h == cal) SetWindowPos(cal, nullptr, 0, 0, 3, 3, SWP_NOMOVE | SWP_NOZORDER);
        qxt::Repaint(h);
        for (const POINT &p : points) {
            qxt::Click(h, p.x, p.y);
            qxt::DoubleClick(h, p.x, p.y);
        }
        qxt::SendKey(h, VK_RIGHT);
        qxt::Repaint(h);
        EXPECT_TRUE(IsWindow(h));
    }
    EXPECT_TRUE(qxt::SameNotifications({}, parent.Notifications()));
}

// ---- Pixels ---------------------------------------------------------------------

// A point of a day cell that shows its background in both looks: clear of
// the number, the raised rings and the focus rectangle.
POINT BackgroundPoint(const RECT &cell) { return {cell.left + 3, cell.bottom - 3}; }

COLORREF BackgroundOf(HWND hwnd, const RECT &cell) {
    const POINT p = BackgroundPoint(cell);
    return qxt::Pixels(hwnd).At(p.x, p.y);
}

// Pixels of one rectangle, row by row.
std::vector<COLORREF> Area(HWND hwnd, const RECT &r) {
    const qxt::Pixels px(hwnd);
    std::vector<COLORREF> out;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) out.push_back(px.At(x, y));
    return out;
}

bool NothingPending(HWND hwnd) { return !GetUpdateRect(hwnd, nullptr, FALSE); }

const RECT kYearRow = {12, 1, 185, 12};
const RECT kMonthRow = {12, 13, 185, 24};
const RECT kGrid = {1, 37, 196, 144};

// The look of the selected day and of the others (January 2000, the 12th
// selected, the calendar focused).
class CalendarLookTest : public CalendarTest {
protected:
    void SetUp() override {
        CalendarTest::SetUp();
        Show({2000, 1, 12});
        SetFocus(cal);
        qxt::Repaint(cal);
        selectedLook = BackgroundOf(cal, DayCell(12, 6));
        normalLook = BackgroundOf(cal, DayCell(20, 6));
    }
    COLORREF selectedLook = 0, normalLook = 0;
};

TEST_F(CalendarLookTest, SelectedDayInEachLook) {
    EXPECT_NE(selectedLook, normalLook);
    if (qxt::ClassicPrefix()) {
        EXPECT_EQ(selectedLook, kCyan);
        EXPECT_EQ(normalLook, GetSysColor(COLOR_BTNFACE));
        // Raised rings: white at the top left, the shadow at the bottom right.
        const RECT c = DayCell(20, 6);
        const qxt::Pixels px(cal);
        EXPECT_EQ(px.At(c.left, c.top), RGB(255, 255, 255));
        EXPECT_EQ(px.At(c.left + 1, c.top + 1), RGB(255, 255, 255));
        EXPECT_EQ(px.At(c.right - 1, c.bottom - 1), GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(px.At(c.right - 2, c.bottom - 2), GetSysColor(COLOR_BTNSHADOW));
    } else {
        // Pressed and normal themed push buttons, no classic colour.
        EXPECT_NE(selectedLook, kCyan);
        EXPECT_EQ(qxt::Pixels(cal).Count(kCyan, kGrid), 0);
    }
}

TEST_F(CalendarLookTest, GridLinesAndEmptyCells) {
    const qxt::Pixels px(cal);
    for (int y = 25; y < 145; ++y) {
        EXPECT_EQ(px.At(0, y), kBlack) << y;
        EXPECT_EQ(px.At(196, y), kBlack) << y;
    }
    for (int k = 1; k <= 6; ++k) {
        for (int y = 36; y < 145; ++y) EXPECT_EQ(px.At(28 * k, y), kBlack) << k << "," << y;
        EXPECT_NE(px.At(28 * k, 30), kBlack) << k;  // no column lines in the header rows
    }
    for (int y : {12, 24, 36, 54, 72, 90, 108, 126, 144})
        for (int x = 13; x < 185; ++x) EXPECT_EQ(px.At(x, y), kBlack) << x << "," << y;
    // Empty cells before the 1st and after the 31st.
    EXPECT_EQ(px.CountOther(GetSysColor(COLOR_BTNFACE), kSmall.Cell(0, 0)), 0);
    EXPECT_EQ(px.CountOther(GetSysColor(COLOR_BTNFACE), kSmall.Cell(6, 5)), 0);
    // Year and month rows on the face colour, weekday names on the window's.
    EXPECT_GT(px.Count(GetSysColor(COLOR_BTNFACE), kYearRow), 1000);
    EXPECT_GT(px.Count(GetSysColor(COLOR_BTNTEXT), kYearRow), 20);
    EXPECT_GT(px.Count(GetSysColor(COLOR_BTNTEXT), kMonthRow), 20);
    const RECT weekdays = {1, 25, 196, 36};
    EXPECT_GT(px.Count(GetSysColor(COLOR_WINDOW), weekdays), 1000);
    EXPECT_GT(px.Count(GetSysColor(COLOR_WINDOWTEXT), weekdays), 50);
}

// A click paints the new and the old selected day at once.
TEST_F(CalendarLookTest, ClickRepaintsBothDaysAtOnce) {
    const std::vector<COLORREF> yearRow = Area(cal, kYearRow);
    qxt::Click(cal, DayCentre(20, 6).x, DayCentre(20, 6).y);
    EXPECT_TRUE(NothingPending(cal));
    EXPECT_EQ(BackgroundOf(cal, DayCell(20, 6)), selectedLook);
    EXPECT_EQ(BackgroundOf(cal, DayCell(12, 6)), normalLook);
    EXPECT_EQ(Area(cal, kYearRow), yearRow);
}

// Only the selected day shows the focus, as a dotted rectangle inside it.
TEST_F(CalendarLookTest, FocusRectangleOnlyWithTheFocus) {
    const RECT cell = DayCell(12, 6);
    const std::vector<COLORREF> focused = Area(cal, cell);
    const std::vector<COLORREF> otherCell = Area(cal, DayCell(13, 6));
    SetFocus(parent.hwnd());
    EXPECT_TRUE(NothingPending(cal));
    const std::vector<COLORREF> unfocused = Area(cal, cell);
    EXPECT_EQ(Area(cal, DayCell(13, 6)), otherCell);
    // The rectangle: the number's area (one line in from the cell, one more
    // at the top left) shrunk by two lines.
    const RECT ring = {4, 4, 23, 13};  // inclusive, relative to the cell
    int changed = 0;
    const int w = cell.right - cell.left;
    for (size_t i = 0; i < focused.size(); ++i) {
        if (focused[i] == unfocused[i]) continue;
        ++changed;
        const int x = static_cast<int>(i) % w, y = static_cast<int>(i) / w;
        const bool onRing = ((x == ring.left || x == ring.right) && y >= ring.top && y <= ring.bottom) ||
                            ((y == ring.top || y == ring.bottom) && x >= ring.left && x <= ring.right);
        EXPECT_TRUE(onRing) << x << "," << y;
    }
    EXPECT_GT(changed, 20);
    SetFocus(cal);
    EXPECT_EQ(Area(cal, cell), focused);
}

// Each move repaints at once the rows it changes.
TEST_F(CalendarLookTest, MovesRepaintTheirRowsAtOnce) {
    struct {
        Date from;
        UINT vk;  // or 0 for a click on the month's ">"
        bool yearChanges, monthChanges;
    } cases[] = {
        {{2008, 3, 10}, VK_RIGHT, false, false},
        {{2008, 3, 1}, VK_LEFT, false, true},
        {{2008, 1, 1}, VK_LEFT, true, true},
        {{2008, 3, 10}, VK_PRIOR, true, false},
        {{2007, 12, 10}, 0, true, true},
        {{2007, 11, 10}, 0, false, true},
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
}

// The setters repaint later, the whole window.
TEST_F(CalendarLookTest, SettersInvalidate) {
    const std::vector<COLORREF> year = Area(cal, kYearRow);
    EXPECT_EQ(QXCalSetYear(cal, 2001), 1);
    EXPECT_FALSE(NothingPending(cal));
    EXPECT_EQ(Area(cal, kYearRow), year);
    UpdateWindow(cal);
    EXPECT_NE(Area(cal, kYearRow), year);
}

// A selected index beyond the month's end highlights nothing, and moving the
// selection or the focus away from it paints no day where there is none.
TEST_F(CalendarLookTest, IndexBeyondTheMonthShowsNoDay) {
    Show({2008, 1, 31});
    QXCalSetMonth(cal, 2);  // February 2008: Friday the 1st, 29 days
    UpdateWindow(cal);
    for (int day = 1; day <= 29; ++day)
        EXPECT_NE(BackgroundOf(cal, DayCell(day, 5)), selectedLook) << day;
    const RECT phantom = kSmall.Cell(0, 5);  // where a 31st would be
    const std::vector<COLORREF> empty = Area(cal, phantom);
    EXPECT_EQ(qxt::Pixels(cal).CountOther(GetSysColor(COLOR_BTNFACE), phantom), 0);
    SetFocus(parent.hwnd());
    SetFocus(cal);
    EXPECT_EQ(Area(cal, phantom), empty);
    qxt::Click(cal, DayCentre(10, 5).x, DayCentre(10, 5).y);
    EXPECT_EQ(Area(cal, phantom), empty);
    EXPECT_EQ(BackgroundOf(cal, DayCell(10, 5)), selectedLook);
    // No day selected at all.
    QXCalSetDay(cal, 0);
    UpdateWindow(cal);
    for (int day = 1; day <= 29; ++day)
        EXPECT_NE(BackgroundOf(cal, DayCell(day, 5)), selectedLook) << day;
}

}  // namespace
