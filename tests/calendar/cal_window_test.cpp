// The "QXCalCntl" window as a host uses it: every cause of a new date against
// the limits with what reaches the parent, clicks and double clicks at cell
// centres, what is painted at once, today and the days beyond the limits,
// sizes and DPIs, the user's locale, the date exports and creation. Runs
// with a theme in force and in the classic look (and its locale test under
// German and Japanese locales).
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <set>
#include <string>

#include "calendar/cal_ctl.h"
#include "calendar/julian_date.h"
#include "common/display.h"
#include "handle_counts.h"
#include "harness.h"
#include "qx_cntl.h"
#include "visual/theme_api.h"

#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

static bool g_failNothrowNew = false;

// Allocations made with std::nothrow fail while the flag is set.
void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
    return g_failNothrowNew ? nullptr : std::malloc(size ? size : 1);
}
void operator delete(void *p, const std::nothrow_t &) noexcept { std::free(p); }

namespace {

const RECT kYearRow = {12, 1, 185, 12}, kMonthRow = {12, 13, 185, 24}, kDays = {1, 37, 196, 144};

// Made at 200 x 150 the calendar has header rows of 11, day rows of 17 and
// cells 27 wide: day rows start at y 37, one every 18 pixels, a column every
// 28 from x 1 (from x 29 with week numbers).
RECT Cell(int pos, int shift = 0) {  // pos = row * 7 + column
    const int left = pos % 7 * 28 + 1 + shift, top = 37 + pos / 7 * 18;
    return {left, top, left + 27, top + 17};
}
POINT Centre(int pos, int shift = 0) { return {Cell(pos, shift).left + 13, Cell(pos).top + 8}; }

std::vector<COLORREF> Area(HWND hwnd, const RECT &r) {
    const qxt::Pixels px(hwnd);
    std::vector<COLORREF> out;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) out.push_back(px.At(x, y));
    return out;
}
// A point of a day cell clear of the number, the rings and the focus rectangle.
COLORREF BackgroundOf(HWND cal, int pos) { return qxt::Pixels(cal).At(Cell(pos).left + 3, Cell(pos).bottom - 3); }
bool NothingPending(HWND hwnd) { return !GetUpdateRect(hwnd, nullptr, FALSE); }

int Shown(HWND cal) {  // e.g. 20080229, or -1 when refused
    int y = 0, m = 0, d = 0;
    return QXCalGetYear(cal, &y) + QXCalGetMonth(cal, &m) + QXCalGetDay(cal, &d) == 3 ? y * 10000 + m * 100 + d : -1;
}
void Show(HWND cal, int ymd) {
    QXCalSetYear(cal, ymd / 10000), QXCalSetMonth(cal, ymd / 100 % 100), QXCalSetDay(cal, ymd % 100);
    UpdateWindow(cal);
}
SYSTEMTIME Date(int ymd) { return {WORD(ymd / 10000), WORD(ymd / 100 % 100), 0, WORD(ymd % 100), 0, 0, 0, 0}; }

// The classes stay registered for the whole program.
struct Calendar : ::testing::Test {
    static void SetUpTestSuite() {
        QXRegisterCalClass(qxt::HostInstance());
        QXRegisterMonthYearButtonXPClass(qxt::HostInstance());
    }
    void SetUp() override { ASSERT_NE(cal = Create(10, 200, 150), nullptr); }
    void TearDown() override { qx::SetTodayForTest(qx::JulianDate()), qx::SetHighContrastForTest(-1); }
    HWND Create(int x, int w, int h, DWORD style = 0) {
        return parent.CreateChild("QXCalCntl", "", style, x, 10, w, h, 7);
    }
    HWND Button(int id) const { return GetDlgItem(cal, id); }

    qxt::ParentWindow parent{560, 300};
    HWND cal = nullptr;
};

enum Cause { kKey, kButton, kClick, kDouble, kYear, kMonth, kDay, kRange };

// One cause of a new date on a calendar; what the export answered (1 for
// the user's causes).
QXBOOL Act(HWND h, Cause cause, int arg, int min = 0, int max = 0) {
    const SYSTEMTIME low = Date(min), high = Date(max);
    switch (cause) {
    case kKey: qxt::SendKey(h, arg); break;
    case kButton: qxt::Click(GetDlgItem(h, arg), 5, 5); break;
    case kClick: qxt::Click(h, Centre(arg).x, Centre(arg).y); break;
    case kDouble: qxt::DoubleClick(h, Centre(arg).x, Centre(arg).y); break;
    case kYear: return QXCalSetYear(h, arg);
    case kMonth: return QXCalSetMonth(h, arg);
    case kDay: return QXCalSetDay(h, arg);
    case kRange: return QXCalSetRange(h, min ? &low : nullptr, max ? &high : nullptr);
    }
    return 1;
}

// Each cause of a new date, without limits and against each limit (onto
// it, beyond it, already on it): the date (to -1: refused, it stays); the
// rows that change (1 year, 2 month, 4 days), painted at once by the user's
// causes and by UpdateWindow after a function's; what a QXCS_NOTIFY parent
// hears (s QXCN_SELCHANGE, h QXCN_SELSET, d QXCN_DAYDBLCLK) and reads
// inside, the paint done but a function's; which arrow buttons are enabled
// (bits for 100 to 103). January 2008 starts in cell 2. The buttons leave
// the focus with the calendar; a calendar without QXCS_NOTIFY tells nothing.
TEST_F(Calendar, EveryCauseAgainstEveryLimit) {
    const int kMin = 20080110, kMax = 20081220;
    const struct { int from; Cause cause; int arg, to, rows; const char *heard; int min = 0, max = 0, enabled = 15; } rows[] = {
        {20080229, kKey, VK_PRIOR, 20070228, 5, "s"},     {20080229, kKey, VK_NEXT, 20090228, 5, "s"},
        {20080101, kKey, VK_LEFT, 20071231, 7, "s"},      {20080310, kKey, VK_RIGHT, 20080311, 4, "s"},
        {20070228, kKey, VK_DOWN, 20070307, 6, "s"},      {20080305, kKey, VK_UP, 20080227, 6, "s"},
        {20080315, kKey, VK_HOME, 20080315, 0, ""},       {20080229, kButton, 100, 20070228, 5, "s"},
        {20080229, kButton, 101, 20090228, 5, "s"},       {20080115, kButton, 102, 20071215, 7, "s"},
        {20071231, kButton, 103, 20080131, 7, "s"},       {20080215, kYear, 2009, 20090215, 5, "h"},
        {20080215, kMonth, 11, 20081115, 6, "h"},         {20080215, kDay, 3, 20080203, 4, "h"},
        {20080215, kDay, 15, 20080215, 0, ""},
        {20080111, kKey, VK_LEFT, 20080110, 4, "s", kMin, kMax, 10},     {20080110, kKey, VK_LEFT, 20080110, 0, "", kMin, kMax, 10},
        {20080115, kKey, VK_UP, 20080110, 4, "s", kMin, kMax, 10},       {20081219, kKey, VK_RIGHT, 20081220, 4, "s", kMin, kMax, 5},
        {20081216, kKey, VK_DOWN, 20081220, 4, "s", kMin, kMax, 5},      {20080610, kKey, VK_PRIOR, 20080110, 6, "s", kMin, kMax, 10},
        {20080610, kKey, VK_NEXT, 20081220, 6, "s", kMin, kMax, 5},      {20080215, kButton, 102, 20080115, 6, "s", kMin, kMax, 10},
        {20080205, kButton, 102, 20080110, 6, "s", kMin, kMax, 10},      {20080615, kButton, 100, 20080110, 6, "s", kMin, kMax, 10},
        {20081125, kButton, 103, 20081220, 6, "s", kMin, kMax, 5},       {20080615, kButton, 101, 20081220, 6, "s", kMin, kMax, 5},
        {20080115, kClick, 6, 20080115, 0, "", kMin, kMax, 10},          {20080115, kClick, 11, 20080110, 4, "s", kMin, kMax, 10},
        {20080115, kDouble, 6, 20080115, 0, "", kMin, kMax, 10},         {20080115, kDouble, 12, 20080111, 4, "sd", kMin, kMax, 10},
        {20080615, kYear, 2007, 20080110, 6, "h", kMin, kMax, 10},       {20080125, kMonth, 12, 20081220, 6, "h", kMin, kMax, 5},
        {20080115, kDay, 5, -1, 0, "", kMin, kMax, 10},                  {20080115, kDay, 10, 20080110, 4, "h", kMin, kMax, 10},
        // limits set around the selection, beyond it either way, and a minimum after the maximum
        {20080615, kRange, 0, 20080615, 0, "", kMin, kMax},              {20080615, kRange, 0, 20080701, 6, "h", 20080701, 0, 10},
        {20080615, kRange, 0, 20080601, 4, "h", 0, 20080601, 5},         {20080615, kRange, 0, -1, 0, "", 20081221, kMax},
    };
    HWND noted = Create(250, 200, 150, QXCS_NOTIFY);
    for (const auto &r : rows) {
        SCOPED_TRACE(&r - rows);
        Act(noted, kRange, 0);
        Show(noted, r.from);
        if (r.cause != kRange) Act(noted, kRange, 0, r.min, r.max), UpdateWindow(noted);
        SetFocus(r.cause == kClick || r.cause == kDouble ? noted : parent.hwnd());
        parent.ClearNotifications();
        const std::vector<COLORREF> year = Area(noted, kYearRow), month = Area(noted, kMonthRow), days = Area(noted, kDays);
        std::string heard;
        int inside = 0;
        bool pending = false;
        std::vector<COLORREF> seen;
        parent.onCommand = [&](const qxt::Notification &n) {
            heard += "?dsh"[n.code & 3], inside = Shown(noted), pending = !NothingPending(noted);
            seen = Area(noted, kDays);
        };
        EXPECT_EQ(Act(noted, r.cause, r.arg, r.min, r.max), r.to != -1);
        parent.onCommand = nullptr;
        UpdateWindow(noted);
        EXPECT_TRUE(heard.empty() || (inside == r.to && (r.cause >= kYear ? pending : seen == Area(noted, kDays))));
        EXPECT_EQ(Shown(noted), r.to == -1 ? r.from : r.to);
        EXPECT_TRUE(heard == r.heard && (r.cause != kButton || GetFocus() == noted)) << heard;
        EXPECT_EQ((Area(noted, kYearRow) != year) + 2 * (Area(noted, kMonthRow) != month) + 4 * (Area(noted, kDays) != days),
                  r.rows);
        int enabled = 0;
        for (int k = 0; k < 4; ++k) enabled |= (IsWindowEnabled(GetDlgItem(noted, 100 + k)) ? 1 : 0) << k;
        EXPECT_EQ(enabled, r.enabled);
    }
    // Without QXCS_NOTIFY nothing is told; told, the parent may destroy the
    // calendar whatever the cause.
    auto arg = [](Cause c) { return c == kButton ? 101 : c == kKey ? VK_RIGHT : c == kMonth ? 3 : 20; };
    parent.ClearNotifications();
    for (Cause c : {kKey, kButton, kClick, kDouble, kYear, kMonth, kDay, kRange}) Act(cal, c, arg(c), 20080301);
    EXPECT_TRUE(parent.Notifications().size() == 1u && SendMessageA(cal, WM_GETDLGCODE, 0, 0) == DLGC_WANTARROWS);
    for (Cause c : {kKey, kButton, kClick, kDouble, kYear, kMonth, kDay, kRange}) {
        HWND h = Create(250, 200, 150, QXCS_NOTIFY);
        Show(h, 20080215);
        parent.ClearNotifications();
        parent.onCommand = [](const qxt::Notification &n) { DestroyWindow(n.from); };
        EXPECT_EQ(Act(h, c, arg(c), 20080301), 1);
        parent.onCommand = nullptr;
        EXPECT_TRUE(!IsWindow(h) && parent.Notifications().size() == 1u) << c;
    }
}

// January 2000 starts on Saturday (cell 6). Only a double click on a day
// notifies, once, also on the selected day.
TEST_F(Calendar, ClicksAndDoubleClicks) {
    Show(cal, 20000101);
    const struct { POINT at; bool twice; int day, notes; } cases[] = {  // day: selected afterwards
        // a day, the empty cells before the 1st and after the 31st
        {Centre(20), false, 15, 0}, {Centre(0), false, 15, 0}, {Centre(37), false, 15, 0},
        // less than a day row above the grid is its first row, more is not; nor is the right of the grid
        {{182, 30}, false, 1, 0}, {Centre(13), false, 8, 0}, {{182, 20}, false, 1, 0},
        {Centre(13), false, 8, 0}, {{182, 19}, false, 8, 0}, {{197, 45}, false, 8, 0},
        // double clicks: on a day, again on it, on an empty cell, on the year row
        {Centre(25), true, 20, 1}, {Centre(25), true, 20, 1}, {Centre(38), true, 20, 0}, {{190, 5}, true, 20, 0},
    };
    for (const auto &c : cases) {
        parent.ClearNotifications();
        SetFocus(parent.hwnd());
        c.twice ? qxt::DoubleClick(cal, c.at.x, c.at.y) : qxt::Click(cal, c.at.x, c.at.y);
        EXPECT_TRUE(Shown(cal) == 20000100 + c.day && GetFocus() == cal) << c.at.x << "," << c.at.y;
        const std::vector<qxt::Notification> expected(c.notes, {7, 1, cal});
        EXPECT_TRUE(qxt::SameNotifications(expected, parent.Notifications())) << c.at.x << "," << c.at.y;
    }
    // The parent may destroy the calendar while it handles the double click.
    parent.onCommand = [](const qxt::Notification &n) { DestroyWindow(n.from); };
    qxt::DoubleClick(cal, Centre(8).x, Centre(8).y);
    EXPECT_TRUE(!IsWindow(cal) && parent.Notifications().size() == 1u);
}

// The limits read back as set, all zero where there is none; a date that is
// no date is refused, as are other windows.
TEST_F(Calendar, DateExports) {
    Show(cal, 20080131);
    EXPECT_TRUE(QXCalSetYear(cal, 2007) && !NothingPending(cal) && QXCalSetMonth(cal, 2));  // painted later
    EXPECT_EQ(Shown(cal), 20070231);  // the index is kept
    qxt::SendKey(cal, VK_RIGHT);      // and walked on from
    for (int month : {0, 13, -1}) EXPECT_EQ(QXCalSetMonth(cal, month), 0) << month;
    EXPECT_EQ(Shown(cal), 20070304);
    const SYSTEMTIME low = Date(20070301), bad = Date(20070230);
    SYSTEMTIME got[2] = {Date(1), Date(1)};
    EXPECT_TRUE(QXCalSetRange(cal, &low, nullptr) && !QXCalSetRange(cal, nullptr, &bad));
    EXPECT_TRUE(QXCalGetRange(cal, &got[0], &got[1]) && QXCalGetRange(cal, nullptr, nullptr));
    EXPECT_TRUE(got[0].wYear == 2007 && got[0].wMonth == 3 && got[0].wDay == 1 && got[0].wDayOfWeek == 4);
    EXPECT_TRUE(got[1].wYear == 0 && got[1].wMonth == 0 && got[1].wDay == 0 && got[1].wDayOfWeek == 0);
    // Other windows, and a null out-pointer, are refused.
    HWND gone = Create(250, 200, 150);
    DestroyWindow(gone);
    for (HWND h : {HWND{}, parent.hwnd(), Button(100), gone}) {
        int v = -5;
        EXPECT_EQ(QXCalGetYear(h, &v) + QXCalGetMonth(h, &v) + QXCalGetDay(h, &v) + QXCalSetYear(h, 2000) +
                      QXCalSetMonth(h, 5) + QXCalSetDay(h, 5) + QXCalSetRange(h, &low, nullptr) +
                      QXCalGetRange(h, got, got) + v, -5);
    }
    EXPECT_EQ(QXCalGetYear(cal, nullptr) + QXCalGetMonth(cal, nullptr) + QXCalGetDay(cal, nullptr), 0);
}

// Resized, the calendar lays the grid out again and leaves the buttons where
// they are. Too small for any cell (made 0 x 0, or resized to 3 x 3) it finds
// no day and never divides by zero.
TEST_F(Calendar, Resizing) {
    Show(cal, 20000101);
    SetWindowPos(cal, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    qxt::Click(cal, 63, 136);  // the 17th in cell 22, with header rows of 15, day rows of 24, cells 41 wide
    EXPECT_TRUE(Shown(cal) == 20000117 && ChildWindowFromPoint(cal, {190, 5}) == Button(101));
    HWND tiny = Create(250, 0, 0);
    SetWindowPos(cal, nullptr, 0, 0, 3, 3, SWP_NOMOVE | SWP_NOZORDER);
    for (HWND h : {tiny, cal}) {
        for (int xy : {0, 1, 3, 9}) qxt::Click(h, xy, xy), qxt::DoubleClick(h, xy, xy);
        qxt::SendKey(h, VK_RIGHT);
        qxt::Repaint(h);
    }
    EXPECT_TRUE(IsWindow(tiny) && IsWindow(cal) && parent.Notifications().empty());
}

// January 2000 (the 1st in cell 6), QXCS_TODAY on the 12th (cell 17), the
// 12th selected, the days before the 5th beyond the minimum: the selected day
// in each look, the focus rectangle only with the focus, the new and the old
// day of a click; today framed in the selection's hue; a day beyond a limit
// flat, its number grey, and a back button disabled by the limit looking it.
// The frame moves at midnight by the timer alone, and when a key repaints
// other days after midnight. In high contrast, switched on while shown, every
// pixel of the calendar and its arrow buttons is a system colour (these made
// unlike any other), the selection the highlight, today framed in the
// highlight's text colour on it; switched off, all is as before. A selected
// index beyond the month's end is painted nowhere.
TEST_F(Calendar, Painting) {
    qxt::SysColors grey({{COLOR_GRAYTEXT, RGB(0, 170, 0)}});
    qx::SetTodayForTest(qx::JulianDate(1, 12, 2000));
    DestroyWindow(cal);
    cal = Create(10, 200, 150, QXCS_TODAY);
    Show(cal, 20000112);
    const RECT face = {0, 1, 12, 12};  // the buttons overlap by a line
    const std::vector<COLORREF> enabledBack = Area(Button(100), face);
    const SYSTEMTIME low = Date(20000105);
    QXCalSetRange(cal, &low, nullptr);
    SetFocus(cal);
    UpdateWindow(cal);
    auto framed = [&](int pos, COLORREF c) { return qxt::Pixels(cal).At(Cell(pos).left, Cell(pos).top + 8) == c; };
    const COLORREF selected = BackgroundOf(cal, 17), normal = BackgroundOf(cal, 25), teal = qx::kCalTodayColor;
    EXPECT_TRUE(selected != normal && (selected == RGB(192, 255, 255)) == qxt::ClassicPrefix());  // or themed
    const std::vector<COLORREF> focused = Area(cal, Cell(17));
    SetFocus(parent.hwnd());
    EXPECT_TRUE(NothingPending(cal) && Area(cal, Cell(17)) != focused);
    SetFocus(cal);
    EXPECT_EQ(Area(cal, Cell(17)), focused);
    qxt::Click(cal, Centre(25).x, Centre(25).y);
    EXPECT_TRUE(NothingPending(cal) && BackgroundOf(cal, 25) == selected && BackgroundOf(cal, 17) == normal);
    const qxt::Pixels px(cal);
    const COLORREF flat = px.At(Cell(8).left + 1, Cell(8).top + 1);  // where a normal day has a ring
    EXPECT_TRUE(framed(17, teal) && !framed(18, teal) && Area(Button(100), face) != enabledBack);
    EXPECT_TRUE(px.Count(RGB(0, 170, 0), Cell(8)) > 0 && px.Count(RGB(0, 170, 0), Cell(10)) == 0);
    EXPECT_TRUE(!qxt::ClassicPrefix() || (flat == GetSysColor(COLOR_BTNFACE) && px.At(Cell(10).left + 1, Cell(10).top + 1) != flat));
    qx::SetTodayForTest(qx::JulianDate(1, 13, 2000));
    SendMessageA(cal, WM_TIMER, qx::kCalTodayTimer, 0);
    EXPECT_TRUE(NothingPending(cal) && framed(18, teal) && !framed(17, teal));
    qx::SetTodayForTest(qx::JulianDate(1, 27, 2000));
    qxt::SendKey(cal, VK_RIGHT);  // the 21st: cells 25 and 26 painted
    EXPECT_TRUE(NothingPending(cal) && framed(32, teal) && !framed(18, teal));
    qx::SetTodayForTest(qx::JulianDate(1, 21, 2000));
    SendMessageA(cal, WM_TIMER, qx::kCalTodayTimer, 0);
    const qxt::Pixels before(cal);
    {
        qxt::SysColors contrast({{COLOR_WINDOW, RGB(0, 0, 40)}, {COLOR_WINDOWTEXT, RGB(250, 250, 0)},
                                 {COLOR_BTNFACE, RGB(40, 0, 0)}, {COLOR_BTNTEXT, RGB(250, 250, 250)},
                                 {COLOR_BTNSHADOW, RGB(90, 90, 250)}, {COLOR_BTNHIGHLIGHT, RGB(250, 90, 90)},
                                 {COLOR_3DDKSHADOW, RGB(10, 60, 10)}, {COLOR_3DLIGHT, RGB(200, 100, 0)},
                                 {COLOR_HIGHLIGHT, RGB(0, 200, 200)}, {COLOR_HIGHLIGHTTEXT, RGB(40, 40, 0)}});
        qx::SetHighContrastForTest(1);
        SendMessageA(cal, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        UpdateWindow(cal), qxt::Pump();
        std::set<COLORREF> system;
        for (int k : {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT,
                      COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT})
            system.insert(GetSysColor(k));
        const qxt::Pixels hc(cal);
        int other = 0;
        for (int y = 0; y < hc.height(); ++y)
            for (int x = 0; x < hc.width(); ++x) other += !system.count(hc.At(x, y));
        EXPECT_EQ(other, 0);
        EXPECT_TRUE(BackgroundOf(cal, 26) == GetSysColor(COLOR_HIGHLIGHT) && framed(26, GetSysColor(COLOR_HIGHLIGHTTEXT)));
    }
    qx::SetHighContrastForTest(0);
    SendMessageA(cal, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    UpdateWindow(cal), qxt::Pump();
    EXPECT_EQ(qxt::Pixels(cal).Differences(before), 0);
    // A selected index beyond the month's end is painted nowhere, neither on a
    // focus change nor as the old day of a click.
    Show(cal, 20080231);  // February 2008: Friday the 1st (cell 5), 29 days
    SetFocus(parent.hwnd());
    qxt::Click(cal, Centre(14).x, Centre(14).y);
    EXPECT_EQ(qxt::Pixels(cal).CountOther(GetSysColor(COLOR_BTNFACE), Cell(35)), 0);  // where a 31st would be
}

// Made at 96, 144 and 192 dpi at sizes scaled alike, the cells and the arrow
// buttons grow in proportion (within two pixels), the buttons where the
// layout puts them, and a click at a day's centre finds it. Moved to 144 dpi
// and resized, a calendar lays itself out and moves its buttons as one made
// there; one left alone keeps all it shows.
TEST_F(Calendar, FollowsTheWindowsDpi) {
    DestroyWindow(cal);
    for (UINT dpi : {96u, 144u, 192u}) {
        qx::SetDpiForTest(parent.hwnd(), dpi);
        cal = Create(10, qx::ScaleForDpi(200, dpi), qx::ScaleForDpi(150, dpi));
        Show(cal, 20000101);
        qx::CalModel m;
        qx::WindowObject::With<qx::CalCtl>(cal, [&](qx::CalCtl &c) { return m = c.model, true; });
        const RECT day17 = m.CellRect(1, 3), want = m.ButtonRect(qx::kCalMonthForward);
        qxt::Click(cal, (day17.left + day17.right) / 2, (day17.top + day17.bottom) / 2);
        RECT b;
        GetWindowRect(Button(103), &b);
        MapWindowPoints(nullptr, cal, reinterpret_cast<POINT *>(&b), 2);
        EXPECT_TRUE(Shown(cal) == 20000117 && EqualRect(&b, &want)) << dpi;
        EXPECT_NEAR(m.cellWidth, 27 * dpi / 96.0, 2) << dpi;
        EXPECT_NEAR(m.dayRowHeight, 17 * dpi / 96.0, 4) << dpi;
        EXPECT_NEAR(b.right - b.left, 12 * dpi / 96.0, 2) << dpi;
        DestroyWindow(cal);
    }
    qx::SetDpiForTest(parent.hwnd(), 144);
    cal = Create(10, 300, 225);
    Show(cal, 20000112);
    SetFocus(parent.hwnd());
    const qxt::Pixels made(cal);
    DestroyWindow(cal);
    qx::SetDpiForTest(parent.hwnd(), 0);
    cal = Create(10, 200, 150);
    HWND alone = Create(320, 200, 150);  // resized: its buttons stay where they were made
    SetWindowPos(alone, nullptr, 0, 0, 220, 170, SWP_NOMOVE | SWP_NOZORDER);
    Show(cal, 20000112), Show(alone, 20000112);
    const qxt::Pixels aloneBefore(alone);
    qx::SetDpiForTest(cal, 144);
    SetWindowPos(cal, nullptr, 0, 0, made.width(), made.height(), SWP_NOMOVE | SWP_NOZORDER);
    for (HWND h : {cal, alone}) SendMessageA(h, WM_DPICHANGED_AFTERPARENT, 0, 0), UpdateWindow(h);
    qxt::Pump();
    EXPECT_EQ(qxt::Pixels(alone).Differences(aloneBefore), 0);
    EXPECT_EQ(qxt::Pixels(cal).Differences(made), 0);
    qx::SetDpiForTest(cal, 0);
}

// QXCS_LOCALE with week numbers, in the locale the program runs in (the
// suite runs this in English, German and Japanese): the names and the first
// column are the locale's; the days keep the size they have without week
// numbers; a click on the first column and a key land on the right days,
// one on the week numbers on none; week 52 beside the first row of January
// 2000, week 1 beside the second, none beside an empty row.
TEST_F(Calendar, UserLocale) {
    const struct { LANGID language; const char *january, *first; int firstDay; } rows[] = {
        {LANG_ENGLISH, "January", "Sun", 0}, {LANG_GERMAN, "Januar", "Mo.", 1}, {LANG_JAPANESE, "1\x8c\x8e", "\x93\xfa", 0}};
    const auto *row = rows;
    while (row < std::end(rows) && row->language != PRIMARYLANGID(GetUserDefaultLangID())) ++row;
    ASSERT_NE(row, std::end(rows));
    HWND h = Create(250, 200, 150, QXCS_LOCALE | QXCS_WEEKNUMBERS);
    Show(h, 20000101);
    std::string january, first;
    int firstDay = -1, weeks[2] = {};
    qx::WindowObject::With<qx::CalCtl>(h, [&](qx::CalCtl &c) {
        january = c.Names().months[0], first = c.Names().weekdays[c.model.WeekdayOf(0)], firstDay = c.model.firstDay;
        return weeks[0] = c.model.WeekOfRow(0), weeks[1] = c.model.WeekOfRow(1), true;
    });
    EXPECT_TRUE(january == row->january && first == row->first && firstDay == row->firstDay) << january << first;
    EXPECT_TRUE(qxt::Pixels(h).width() == 225 && weeks[0] == 52 && weeks[1] == 1);
    qxt::Click(h, Centre(7, 28).x, Centre(7, 28).y);  // Sunday the 2nd, or Monday the 3rd
    EXPECT_EQ(Shown(h), 20000102 + row->firstDay);
    qxt::SendKey(h, VK_UP);
    qxt::Click(h, Centre(14).x, Centre(14).y);
    EXPECT_EQ(Shown(h), 19991226 + row->firstDay);
    EXPECT_TRUE(qxt::Pixels(h).CountOther(GetSysColor(COLOR_WINDOW), Cell(0)) > 0 && Area(h, Cell(0)) != Area(h, Cell(7)));
    Show(h, 20090201);  // February 2009: its sixth row is empty
    EXPECT_EQ(qxt::Pixels(h).CountOther(GetSysColor(COLOR_WINDOW), Cell(35)), 0);
}

// A calendar made hidden (nothing drawn until it is shown), born without
// visual styles when asked, resized and given a date, then shown and drawn
// once, in full.
HWND Fresh(qxt::ParentWindow &parent, int ymd, bool classic, int w = 200, int h = 150) {
    std::unique_ptr<qxt::ClassicBirths> births(classic ? new qxt::ClassicBirths : nullptr);
    HWND cal = CreateWindowExA(0, "QXCalCntl", "", WS_CHILD, 280, 10, 200, 150, parent.hwnd(), nullptr,
                               qxt::HostInstance(), nullptr);
    births.reset();
    SetWindowPos(cal, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
    QXCalSetYear(cal, ymd / 10000), QXCalSetMonth(cal, ymd / 100 % 100), QXCalSetDay(cal, ymd % 100);
    ShowWindow(cal, SW_SHOWNA);
    qxt::Repaint(cal);
    return cal;
}

std::string ClassOf(HWND hwnd) {
    std::string s(32, '\0');
    s.resize(GetClassNameA(hwnd, &s[0], 32));
    return s;
}

// What a calendar shows follows every change of what it depends on, drawn by
// UpdateWindow alone (and the paints its new buttons ask for): the pixels of
// a calendar made afresh in the end state. Each date setter alone; the
// system colours (the host passes WM_SYSCOLORCHANGE on); visual styles
// switched off and on again (WM_THEMECHANGED): the navigation buttons are
// made again in the class that suits the look, where they were, and still
// work; a new size. Each change shows (but switching styles in the classic
// look, where there are none to switch).
TEST_F(Calendar, LooksFollowEveryChange) {
    enum Change { kYear, kMonth, kDay, kColors, kStylesOff, kStylesOn, kSize };
    const struct { Change change; int from, to, color = 0; } rows[] = {
        {kYear, 20080215, 20090215}, {kMonth, 20080215, 20081115}, {kDay, 20080215, 20080203},
        {kColors, 20080215, 20080215, COLOR_BTNFACE}, {kColors, 20080215, 20080215, COLOR_BTNSHADOW},
        {kColors, 20080215, 20080215, COLOR_WINDOW}, {kStylesOff, 20080215, 20080215},
        {kStylesOn, 20080215, 20080215}, {kSize, 20080215, 20080215}};
    DestroyWindow(cal);
    for (const auto &r : rows) {
        SCOPED_TRACE(&r - rows);  // the row
        const bool classic = qxt::ClassicPrefix() || r.change == kStylesOff;
        cal = Fresh(parent, r.from, r.change == kStylesOn);
        SetWindowPos(cal, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        qxt::Repaint(cal);
        const qxt::Pixels before(cal);
        std::unique_ptr<qxt::SysColors> colors;
        switch (r.change) {
        case kYear: QXCalSetYear(cal, r.to / 10000); break;
        case kMonth: QXCalSetMonth(cal, r.to / 100 % 100); break;
        case kDay: QXCalSetDay(cal, r.to % 100); break;
        case kColors:
            colors.reset(new qxt::SysColors({{r.color, RGB(90, 160, 30)}}));
            SendMessageA(cal, WM_SYSCOLORCHANGE, 0, 0);
            break;
        case kStylesOff: qxt::SetWindowStyles(cal, false); break;
        case kStylesOn: qxt::SetWindowStyles(cal, true); break;
        case kSize: SetWindowPos(cal, nullptr, 0, 0, 260, 190, SWP_NOMOVE | SWP_NOZORDER); break;
        }
        UpdateWindow(cal);
        qxt::Pump();
        const qxt::Pixels after(cal);
        HWND fresh = r.change == kSize ? Fresh(parent, r.to, false, 260, 190) : Fresh(parent, r.to, classic);
        EXPECT_EQ(after.Differences(qxt::Pixels(fresh)), 0);
        // The shadow colour shows in the classic look only.
        const bool shows = r.change == kColors ? r.color != COLOR_BTNSHADOW || qxt::ClassicPrefix()
                                               : !qxt::ClassicPrefix() || r.change < kStylesOff || r.change == kSize;
        EXPECT_EQ(before.Differences(after) > 0, shows) << "the change shows";
        EXPECT_EQ(ClassOf(Button(100)) + ClassOf(Button(103)), classic ? "ButtonButton" : "QXBmpButtonXPQXBmpButtonXP");
        const int year = Shown(cal) / 10000;
        qxt::Click(Button(101), 5, 5);
        EXPECT_TRUE(Shown(cal) / 10000 == year + 1 && GetFocus() == cal) << "a new button works";
        DestroyWindow(cal), DestroyWindow(fresh);
    }
    cal = nullptr;
}

// Painted into a device context of the caller's (WM_PRINTCLIENT), focused or
// not, a calendar leaves its selected objects, colours and modes as they
// were, and draws what a painter draws straight there with the calendar's
// font (the same pixels from the kept day faces and the off-screen image).
// One too large to keep an image of draws straight onto the device context.
TEST_F(Calendar, PrintsLeaveTheDeviceContextAlone) {
    Show(cal, 20080215);
    HWND huge = Create(250, 30000, 20000);
    const struct { HWND h; bool focused; } rows[] = {{cal, false}, {cal, true}, {huge, false}};
    for (const auto &r : rows) {
        const HWND h = r.h;
        SetFocus(r.focused ? h : parent.hwnd());
        for (int pass = 0; pass < 2; ++pass) {
            qxt::PrintTarget target(197, 145);
            target.Print(h);
            EXPECT_EQ(target.Changed(), "") << (h == huge) << " " << pass;
        }
        if (h == huge) continue;
        qxt::PrintTarget target(197, 145);
        target.Print(h);
        HDC dc = CreateCompatibleDC(nullptr);
        BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), 197, -145, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, nullptr, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bmp);
        const RECT all = {0, 0, 197, 145};
        FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
        ASSERT_TRUE(qx::WindowObject::With<qx::CalCtl>(h, [&](qx::CalCtl &c) {
            HGDIOBJ font = SelectObject(dc, c.Canvas().KeptFont());
            qx::ScopedTheme theme(h, L"BUTTON");
            qx::CalPainter(dc, c.model, GetFocus() == h, qx::CalLook{theme.get()}).All();
            SelectObject(dc, font);
            return true;
        }));
        int differ = 0;
        for (int y = 0; y < 145; ++y)
            for (int x = 0; x < 197; ++x) differ += GetPixel(dc, x, y) != target.At(x, y);
        EXPECT_EQ(differ, 0) << "focused " << (GetFocus() == h);
        SelectObject(dc, old), DeleteObject(bmp), DeleteDC(dc);
    }
}

// Nothing a calendar does again and again keeps a GDI or USER handle: after
// two rounds of a kind of repeat (which make what is kept), the free slots
// of both tables are the same after many more. Repaints, each date setter
// alone, keys and clicks (parts painted at once), the focus, paints into a
// device context of the caller's, colours changed and put back, visual
// styles switched off and on (the buttons made again), sizes, limits,
// midnight, high contrast and DPIs switched, and whole calendars made and
// destroyed (what each keeps goes with it).
TEST_F(Calendar, HandleCountsStayFlat) {
    DestroyWindow(cal);
    cal = Create(10, 200, 150, QXCS_TODAY | QXCS_WEEKNUMBERS | QXCS_LOCALE);
    Show(cal, 20080215);
    const SYSTEMTIME low = Date(20080210);
    const bool themed = !qxt::ClassicPrefix();
    qxt::PrintTarget target(197, 145);
    int k = 0;
    const std::vector<qxt::Repeat> rows = {
        {"repaint", 12, [&] { qxt::Repaint(cal); }},
        {"year", 12, [&] { QXCalSetYear(cal, 2000 + k % 3), UpdateWindow(cal); }},
        {"month", 12, [&] { QXCalSetMonth(cal, 1 + k % 12), UpdateWindow(cal); }},
        {"day", 12, [&] { QXCalSetDay(cal, 1 + k % 28), UpdateWindow(cal); }},
        {"keys and clicks", 6, [&] {
            for (UINT vk : {VK_RIGHT, VK_DOWN, VK_NEXT, VK_LEFT, VK_UP, VK_PRIOR}) SendMessageA(cal, WM_KEYDOWN, vk, 0);
            const POINT at = Centre(8 + k % 20);
            SendMessageA(cal, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
            SendMessageA(cal, WM_COMMAND, 100 + k % 4, 0);
        }},
        {"focus", 12, [&] { SetFocus(k % 2 ? cal : parent.hwnd()); }},
        {"print", 12, [&] { target.Print(cal); }},
        {"colours", 3, [&] {
            qxt::SysColors colors({{COLOR_BTNFACE, RGB(200, 220, 240)}, {COLOR_BTNSHADOW, RGB(90, 60, 30)}});
            SendMessageA(cal, WM_SYSCOLORCHANGE, 0, 0), UpdateWindow(cal);
        }},
        {"styles", 4, [&] { qxt::SetWindowStyles(cal, k % 2 != 0), UpdateWindow(cal), qxt::Pump(); }},
        {"size", 6, [&] {
            SetWindowPos(cal, nullptr, 0, 0, 200 + k % 2 * 40, 150 + k % 2 * 20, SWP_NOMOVE | SWP_NOZORDER);
            UpdateWindow(cal);
        }},
        {"limits", 6, [&] { QXCalSetRange(cal, k % 2 ? &low : nullptr, nullptr), UpdateWindow(cal); }},
        {"midnight", 6, [&] { qx::SetTodayForTest(qx::JulianDate(2, 10 + k % 5, 2008)), SendMessageA(cal, WM_TIMER, 1, 0); }},
        {"contrast", 4, [&] {
            qx::SetHighContrastForTest(k % 2);
            SendMessageA(cal, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0), UpdateWindow(cal), qxt::Pump();
        }},
        {"dpi", 4, [&] { qx::SetDpiForTest(cal, 96 + k % 2 * 48), SendMessageA(cal, WM_DPICHANGED_AFTERPARENT, 0, 0), UpdateWindow(cal); }},
        {"made", 4, [&] { DestroyWindow(Create(250, 200, 150, QXCS_TODAY | QXCS_WEEKNUMBERS)), qxt::Pump(); }},
    };
    // USER handles (windows) are counted where styles switch: filling their
    // table takes seconds, and without a theme no button is made again.
    qxt::ExpectHandleCountsFlat(rows, &k, themed);
    qx::SetDpiForTest(cal, 0);
}

// Navigation buttons that paint themselves in one colour and count their paints.
const COLORREF kMark = RGB(255, 0, 255);
WNDPROC g_buttonProcs[4];
int g_buttonPaints = 0;
LRESULT CALLBACK MarkedButton(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_PAINT) return CallWindowProcA(g_buttonProcs[GetDlgCtrlID(hwnd) - 100], hwnd, msg, wp, lp);
    ++g_buttonPaints;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    SetDCBrushColor(dc, kMark);
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    EndPaint(hwnd, &ps);
    return 0;
}

// The calendar's repaints, whole or of some rows, leave its buttons as they
// are: it never draws over them, and what it invalidates itself does not
// make them paint again.
TEST_F(Calendar, RepaintsLeaveTheButtonsAlone) {
    const struct { const char *what; std::function<void(HWND)> act; } rows[] = {
        {"the calendar alone invalidated",
         [](HWND h) { RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN); }},
        {"QXCalSetDay", [](HWND h) { QXCalSetDay(h, 20); }},
        {"QXCalSetYear", [](HWND h) { QXCalSetYear(h, 2031); }},
        {"QXCalSetMonth", [](HWND h) { QXCalSetMonth(h, 7); }},
        {"Page Down", [](HWND h) { SendMessageA(h, WM_KEYDOWN, VK_NEXT, 0); }},
        {"the focus", [](HWND h) { SetFocus(h); }},
    };
    Show(cal, 20000112);
    for (int k = 0; k < 4; ++k) {
        g_buttonProcs[k] = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(Button(100 + k), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MarkedButton)));
        RedrawWindow(Button(100 + k), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    g_buttonPaints = 0;
    for (const auto &row : rows) {
        row.act(cal);
        UpdateWindow(cal);
        for (int id = 100; id <= 103; ++id)
            EXPECT_EQ(qxt::Pixels(Button(id)).CountOther(kMark, {0, 0, 12, 13}), 0) << row.what << ", button " << id;
        EXPECT_EQ(g_buttonPaints, 0) << row.what;
    }
    // A hidden button's place is the calendar's again.
    for (int id = 100; id <= 103; ++id) ShowWindow(Button(id), SW_HIDE);
    RedrawWindow(cal, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(qxt::Pixels(cal).Count(kMark), 0);
}

// Made at its grid's size, for double clicks; not made at all, leaving no
// buttons, when its object cannot be. Calendars made before and after the
// themed button class exists live side by side, each button with its own
// procedure behind the focus forwarding. A system navigation button given to
// another window keeps working through its own procedure, during and after
// the calendar's life.
TEST_F(Calendar, Creation) {
    const qxt::Pixels px(cal);
    EXPECT_TRUE(px.width() == 197 && px.height() == 145 && (GetClassLongPtrA(cal, GCL_STYLE) & CS_DBLCLKS));
    DestroyWindow(cal);
    g_failNothrowNew = true;
    cal = Create(10, 200, 150);
    g_failNothrowNew = false;
    EXPECT_TRUE(cal == nullptr && GetWindow(parent.hwnd(), GW_CHILD) == nullptr);
    QXUnregisterMonthYearButtonXPClass(qxt::HostInstance());
    SYSTEMTIME before, after;  // a new calendar shows today
    GetLocalTime(&before);
    HWND plain = Create(10, 200, 150);
    GetLocalTime(&after);
    EXPECT_TRUE(before.wDay != after.wDay || Shown(plain) == after.wYear * 10000 + after.wMonth * 100 + after.wDay);
    QXRegisterMonthYearButtonXPClass(qxt::HostInstance());
    cal = Create(250, 200, 150);
    EXPECT_EQ(ClassOf(GetDlgItem(plain, 100)) + "," + ClassOf(Button(100)),
              qxt::ClassicPrefix() ? "Button,Button" : "Button,QXBmpButtonXP");
    // Each shows its arrow: the two "<" alike, the two ">" alike.
    const RECT face = {0, 1, 12, 12};  // the buttons overlap by a line
    const std::vector<COLORREF> back = Area(Button(100), face), forward = Area(Button(101), face);
    EXPECT_TRUE(back != forward && Area(Button(102), face) == back && Area(Button(103), face) == forward);
    for (HWND h : {plain, cal, plain}) {
        const int year = Shown(h) / 10000;
        qxt::Click(GetDlgItem(h, 101), 5, 5);
        EXPECT_TRUE(Shown(h) / 10000 == year + 1 && GetFocus() == h);
    }
    HWND button = GetDlgItem(plain, 101);
    auto says = [&] { char text[8] = ""; return GetWindowTextA(button, text, sizeof text) == 1 && text[0] == '>'; };
    SetParent(button, parent.hwnd());
    EXPECT_TRUE(says());
    DestroyWindow(plain);
    EXPECT_TRUE(says());
    SendMessageA(button, WM_SETFOCUS, 0, 0);  // passed on to the new parent
    EXPECT_EQ(GetFocus(), parent.hwnd());
    DestroyWindow(button);
}

}  // namespace
