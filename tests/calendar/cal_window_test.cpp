// The calendar window as a host uses it, themed and classic (its locale test under German and Japanese too).
#include <cstdlib>
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

static bool g_failNothrowNew = false;
void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
    return g_failNothrowNew ? nullptr : std::malloc(size ? size : 1);
}
void operator delete(void *p, const std::nothrow_t &) noexcept { std::free(p); }

namespace {

const RECT kYearRow = {12, 1, 185, 12}, kMonthRow = {12, 13, 185, 24}, kDays = {1, 37, 196, 144};
const UINT kDpiChanged = 0x02E3;  // WM_DPICHANGED_AFTERPARENT

// At 200 x 150: day rows from y 37 every 18 pixels, a column every 28 from x 1.
RECT Cell(int pos, int shift = 0) {  // pos = row * 7 + column
    const int left = pos % 7 * 28 + 1 + shift, top = 37 + pos / 7 * 18;
    return {left, top, left + 27, top + 17};
}
POINT Centre(int pos, int shift = 0) { return {Cell(pos, shift).left + 13, Cell(pos).top + 8}; }
std::vector<COLORREF> Area(HWND hwnd, const RECT &r) {
    const qxt::Pixels px(hwnd);
    std::vector<COLORREF> out;
    for (int i = 0; i < (r.right - r.left) * (r.bottom - r.top); ++i)
        out.push_back(px.At(r.left + i % (r.right - r.left), r.top + i / (r.right - r.left)));
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
std::string ClassOf(HWND hwnd) {
    std::string s(32, '\0');
    s.resize(GetClassNameA(hwnd, &s[0], 32));
    return s;
}

struct Calendar : ::testing::Test {
    static void SetUpTestSuite() {
        QXRegisterCalClass(qxt::HostInstance());
        QXRegisterMonthYearButtonXPClass(qxt::HostInstance());
    }
    void SetUp() override { ASSERT_NE(cal = Create(10, 200, 150), nullptr); }
    void TearDown() override { qx::SetTodayForTest(qx::JulianDate()), qx::SetHighContrastForTest(-1); }
    HWND Create(int x, int w, int h, DWORD style = 0) { return parent.CreateChild("QXCalCntl", "", style, x, 10, w, h, 7); }
    HWND Button(int id) const { return GetDlgItem(cal, id); }
    qxt::ParentWindow parent{700, 300};
    HWND cal = nullptr;
};

enum Cause { kKey, kButton, kClick, kDouble, kYear, kMonth, kDay, kRange };
// One cause of a new date; what the export answered (1 for the user's causes).
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

// Each cause free and at each limit: the date (-1 refused), rows painted (1 year 2 month 4 days), s/h/d heard, arrows.
TEST_F(Calendar, EveryCauseAgainstEveryLimit) {
    const int kMin = 20080110, kMax = 20081220;
    const struct { int from; Cause cause; int arg, to, rows; const char *heard; int min = 0, max = 0, enabled = 15; } rows[] = {
        {20080229, kKey, VK_PRIOR, 20070228, 5, "s"},     {20080101, kKey, VK_LEFT, 20071231, 7, "s"},
        {20070228, kKey, VK_DOWN, 20070307, 6, "s"},      {20080305, kKey, VK_UP, 20080227, 6, "s"},
        {20080315, kKey, VK_HOME, 20080315, 0, ""},       {20080229, kButton, 101, 20090228, 5, "s"},
        {20080115, kButton, 102, 20071215, 7, "s"},       {20080215, kYear, 2009, 20090215, 5, "h"},
        {20080215, kMonth, 11, 20081115, 6, "h"},         {20080215, kDay, 3, 20080203, 4, "h"},
        {20080215, kDay, 15, 20080215, 0, ""},            {20080109, kDouble, 10, 20080109, 0, "d"},
        {20080109, kClick, 1, 20080109, 0, ""},           {20080109, kDouble, 36, 20080109, 0, ""},
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
        EXPECT_TRUE(heard.empty() || (inside == Shown(noted) && (r.cause >= kYear ? pending : seen == Area(noted, kDays))));
        EXPECT_EQ(Shown(noted), r.to == -1 ? r.from : r.to);
        EXPECT_TRUE(heard == r.heard && (r.cause != kButton || GetFocus() == noted)) << heard;
        EXPECT_EQ((Area(noted, kYearRow) != year) + 2 * (Area(noted, kMonthRow) != month) + 4 * (Area(noted, kDays) != days),
                  r.rows);
        int enabled = 0;
        for (int k = 0; k < 4; ++k) enabled |= (IsWindowEnabled(GetDlgItem(noted, 100 + k)) ? 1 : 0) << k;
        EXPECT_EQ(enabled, r.enabled);
    }
    // Without QXCS_NOTIFY nothing is told; told, the parent may destroy the calendar whatever the cause.
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

// A month's index kept past its end; the limits read back, zero where none; no date, other windows refused.
TEST_F(Calendar, DateExports) {
    Show(cal, 20080131);
    EXPECT_TRUE(QXCalSetYear(cal, 2007) && !NothingPending(cal) && QXCalSetMonth(cal, 2));
    EXPECT_EQ(Shown(cal), 20070231);
    qxt::SendKey(cal, VK_RIGHT);
    for (int month : {0, 13, -1}) EXPECT_EQ(QXCalSetMonth(cal, month), 0) << month;
    EXPECT_EQ(Shown(cal), 20070304);
    const SYSTEMTIME low = Date(20070301), bad = Date(20070230);
    SYSTEMTIME got[2] = {Date(1), Date(1)};
    EXPECT_TRUE(QXCalSetRange(cal, &low, nullptr) && !QXCalSetRange(cal, nullptr, &bad));
    EXPECT_TRUE(QXCalGetRange(cal, &got[0], &got[1]) && QXCalGetRange(cal, nullptr, nullptr));
    EXPECT_TRUE(got[0].wYear == 2007 && got[0].wMonth == 3 && got[0].wDay == 1 && got[0].wDayOfWeek == 4);
    EXPECT_TRUE(got[1].wYear == 0 && got[1].wMonth == 0 && got[1].wDay == 0 && got[1].wDayOfWeek == 0);
    HWND gone = Create(250, 200, 150);
    DestroyWindow(gone);
    for (HWND h : {HWND{}, parent.hwnd(), Button(100), gone}) {
        int v = -5;
        EXPECT_EQ(QXCalGetYear(h, &v) + QXCalGetMonth(h, &v) + QXCalGetDay(h, &v) + QXCalSetYear(h, 2000) + QXCalSetMonth(h, 5) +
                      QXCalSetDay(h, 5) + QXCalSetRange(h, &low, nullptr) + QXCalGetRange(h, got, got) + v, -5);
    }
}

// January 2000, today and selected the 12th (cell 17), minimum the 5th: selection, focus, today, grey days, contrast.
TEST_F(Calendar, Painting) {
    qxt::SysColors grey({{COLOR_GRAYTEXT, RGB(0, 170, 0)}});
    qx::SetTodayForTest(qx::JulianDate(1, 12, 2000));
    DestroyWindow(cal);
    cal = Create(10, 200, 150, QXCS_TODAY);
    Show(cal, 20000112);
    const RECT face = {0, 1, 12, 12};
    const std::vector<COLORREF> enabledBack = Area(Button(100), face);
    const SYSTEMTIME low = Date(20000105);
    QXCalSetRange(cal, &low, nullptr);
    SetFocus(cal);
    UpdateWindow(cal);
    auto framed = [&](int pos, COLORREF c) { return qxt::Pixels(cal).At(Cell(pos).left, Cell(pos).top + 8) == c; };
    const COLORREF selected = BackgroundOf(cal, 17), normal = BackgroundOf(cal, 25), teal = qx::kCalTodayColor;
    EXPECT_TRUE(selected != normal && (selected == RGB(192, 255, 255)) == qxt::ClassicPrefix());
    const std::vector<COLORREF> focused = Area(cal, Cell(17));
    SetFocus(parent.hwnd());
    EXPECT_TRUE(NothingPending(cal) && Area(cal, Cell(17)) != focused);
    SetFocus(cal);
    EXPECT_EQ(Area(cal, Cell(17)), focused);
    qxt::Click(cal, Centre(25).x, Centre(25).y);
    EXPECT_TRUE(NothingPending(cal) && BackgroundOf(cal, 25) == selected && BackgroundOf(cal, 17) == normal);
    const qxt::Pixels px(cal);
    const COLORREF flat = px.At(Cell(8).left + 1, Cell(8).top + 1);
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
        for (int i = 0; i < hc.width() * hc.height(); ++i) other += !system.count(hc.At(i % hc.width(), i / hc.width()));
        EXPECT_EQ(other, 0);
        EXPECT_TRUE(BackgroundOf(cal, 26) == GetSysColor(COLOR_HIGHLIGHT) && framed(26, GetSysColor(COLOR_HIGHLIGHTTEXT)));
    }
    qx::SetHighContrastForTest(0);
    SendMessageA(cal, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    UpdateWindow(cal), qxt::Pump();
    EXPECT_EQ(qxt::Pixels(cal).Differences(before), 0);
}

// QXCS_LOCALE with week numbers: the locale's names and first column, clicks on the right days, weeks 52 and 1.
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
    qxt::Click(h, Centre(14).x, Centre(14).y);  // on the week numbers: no day
    EXPECT_EQ(Shown(h), 19991226 + row->firstDay);
    Show(h, 20090201);  // February 2009: its sixth row is empty, no week number beside it
    EXPECT_TRUE(qxt::Pixels(h).CountOther(GetSysColor(COLOR_WINDOW), Cell(21)) > 0 &&
                qxt::Pixels(h).CountOther(GetSysColor(COLOR_WINDOW), Cell(35)) == 0);
}

// A calendar made hidden (at w x h, or resized to it), classic when asked, given a date, shown.
HWND Fresh(qxt::ParentWindow &parent, int ymd, bool classic, int w = 200, int h = 150, bool madeAtSize = false) {
    std::unique_ptr<qxt::ClassicBirths> births(classic ? new qxt::ClassicBirths : nullptr);
    HWND cal = CreateWindowExA(0, "QXCalCntl", "", WS_CHILD, 340, 10, madeAtSize ? w : 200, madeAtSize ? h : 150,
                               parent.hwnd(), nullptr, qxt::HostInstance(), nullptr);
    births.reset();
    if (!madeAtSize) SetWindowPos(cal, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
    QXCalSetYear(cal, ymd / 10000), QXCalSetMonth(cal, ymd / 100 % 100), QXCalSetDay(cal, ymd % 100);
    ShowWindow(cal, SW_SHOWNA);
    qxt::Repaint(cal);
    return cal;
}

// After each change UpdateWindow alone shows what one made afresh shows; the buttons remade for the look work.
TEST_F(Calendar, LooksFollowEveryChange) {
    enum Change { kYear, kMonth, kDay, kColors, kStylesOff, kStylesOn, kSize, kDpi };
    const struct { Change change; int to, color = 0; } rows[] = {
        {kYear, 20090215}, {kMonth, 20081115}, {kDay, 20080203}, {kColors, 20080215, COLOR_BTNSHADOW},
        {kColors, 20080215, COLOR_WINDOW}, {kStylesOff, 20080215}, {kStylesOn, 20080215}, {kSize, 20080215}, {kDpi, 20080215}};
    DestroyWindow(cal);
    for (const auto &r : rows) {
        SCOPED_TRACE(&r - rows);
        const bool classic = qxt::ClassicPrefix() || r.change == kStylesOff;
        cal = Fresh(parent, 20080215, r.change == kStylesOn);
        SetWindowPos(cal, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        qxt::Repaint(cal);
        const qxt::Pixels before(cal);
        std::unique_ptr<qxt::SysColors> colors;
        HWND fresh = nullptr;
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
        case kDpi: {  // as one made there, at the size it settled on
            qx::SetDpiForTest(parent.hwnd(), 144);
            fresh = Fresh(parent, r.to, classic, 300, 225, true);
            qx::SetDpiForTest(parent.hwnd(), 0), qx::SetDpiForTest(cal, 144);
            const qxt::Pixels made(fresh);
            EXPECT_NEAR(made.width(), 197 * 1.5, 3);  // cells grow in proportion
            SetWindowPos(cal, nullptr, 0, 0, made.width(), made.height(), SWP_NOMOVE | SWP_NOZORDER);
            SendMessageA(cal, kDpiChanged, 0, 0);
            break;
        }
        }
        UpdateWindow(cal);
        qxt::Pump();
        const qxt::Pixels after(cal);
        if (!fresh) fresh = r.change == kSize ? Fresh(parent, r.to, classic, 260, 190) : Fresh(parent, r.to, classic);
        EXPECT_EQ(after.Differences(qxt::Pixels(fresh)), 0);
        const bool shows = r.change == kColors ? r.color != COLOR_BTNSHADOW || qxt::ClassicPrefix()
                                               : !qxt::ClassicPrefix() || r.change < kStylesOff || r.change >= kSize;
        EXPECT_EQ(before.Differences(after) > 0, shows) << "the change shows";
        EXPECT_EQ(ClassOf(Button(100)) + ClassOf(Button(103)), classic ? "ButtonButton" : "QXBmpButtonXPQXBmpButtonXP");
        const int year = Shown(cal) / 10000;
        qxt::Click(Button(101), 5, 5);
        EXPECT_TRUE(Shown(cal) / 10000 == year + 1 && GetFocus() == cal) << "a new button works";
        qx::SetDpiForTest(cal, 0), DestroyWindow(cal), DestroyWindow(fresh);
    }
    cal = nullptr;
}

// Printing (focused or not, too large for an image) leaves the caller's DC as it was; repeats keep no handle.
TEST_F(Calendar, DeviceContextsAndHandleCounts) {
    HWND huge = Create(250, 30000, 20000);
    for (HWND h : {cal, cal, huge}) {
        SetFocus(GetFocus() == cal ? parent.hwnd() : h);
        qxt::PrintTarget target(197, 145);
        EXPECT_EQ((target.Print(h), target.Print(h), target.Changed()), "") << (h == huge);
    }
    DestroyWindow(huge), DestroyWindow(cal);
    cal = Create(10, 200, 150, QXCS_TODAY | QXCS_WEEKNUMBERS | QXCS_LOCALE);
    Show(cal, 20080215);
    const SYSTEMTIME low = Date(20080210);
    qxt::PrintTarget target(197, 145);
    int k = 0;
    const std::vector<qxt::Repeat> rows = {
        {"setters", 12, [&] { QXCalSetYear(cal, 2000 + k % 3), QXCalSetMonth(cal, 1 + k % 12), QXCalSetDay(cal, 1 + k % 28), UpdateWindow(cal); }},
        {"keys and clicks", 6, [&] {
            for (UINT vk : {VK_RIGHT, VK_DOWN, VK_NEXT, VK_LEFT, VK_UP, VK_PRIOR}) SendMessageA(cal, WM_KEYDOWN, vk, 0);
            SendMessageA(cal, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Centre(8 + k % 20).x, Centre(8 + k % 20).y));
            SendMessageA(cal, WM_COMMAND, 100 + k % 4, 0);
        }},
        {"focus and print", 12, [&] { SetFocus(k % 2 ? cal : parent.hwnd()), target.Print(cal); }},
        {"colours", 3, [&] { qxt::SysColors c({{COLOR_BTNFACE, 0}}); SendMessageA(cal, WM_SYSCOLORCHANGE, 0, 0), UpdateWindow(cal); }},
        {"styles", 4, [&] { qxt::SetWindowStyles(cal, k % 2 != 0), UpdateWindow(cal), qxt::Pump(); }},
        {"size and limits", 6, [&] {
            SetWindowPos(cal, nullptr, 0, 0, 200 + k % 2 * 40, 150 + k % 2 * 20, SWP_NOMOVE | SWP_NOZORDER);
            QXCalSetRange(cal, k % 2 ? &low : nullptr, nullptr), UpdateWindow(cal);
        }},
        {"midnight", 6, [&] { qx::SetTodayForTest(qx::JulianDate(2, 10 + k % 5, 2008)), SendMessageA(cal, WM_TIMER, 1, 0); }},
        {"contrast and dpi", 4, [&] {
            qx::SetHighContrastForTest(k % 2), qx::SetDpiForTest(cal, 96 + k % 2 * 48);
            SendMessageA(cal, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0), SendMessageA(cal, kDpiChanged, 0, 0), UpdateWindow(cal);
        }},
        {"made", 4, [&] { DestroyWindow(Create(250, 200, 150, QXCS_TODAY | QXCS_WEEKNUMBERS)), qxt::Pump(); }},
    };
    qxt::ExpectHandleCountsFlat(rows, &k, !qxt::ClassicPrefix());
    qx::SetDpiForTest(cal, 0);
}

// Made at its grid's size for double clicks, not without its object; arrows work before and after the XP class.
TEST_F(Calendar, Creation) {
    const qxt::Pixels px(cal);
    EXPECT_TRUE(px.width() == 197 && px.height() == 145 && (GetClassLongPtrA(cal, GCL_STYLE) & CS_DBLCLKS));
    DestroyWindow(cal);
    g_failNothrowNew = true;
    cal = Create(10, 200, 150);
    g_failNothrowNew = false;
    EXPECT_TRUE(cal == nullptr && GetWindow(parent.hwnd(), GW_CHILD) == nullptr);
    QXUnregisterMonthYearButtonXPClass(qxt::HostInstance());
    HWND plain = Create(10, 200, 150);
    QXRegisterMonthYearButtonXPClass(qxt::HostInstance());
    cal = Create(250, 200, 150);
    EXPECT_EQ(ClassOf(GetDlgItem(plain, 100)) + "," + ClassOf(Button(100)),
              qxt::ClassicPrefix() ? "Button,Button" : "Button,QXBmpButtonXP");
    for (HWND h : {plain, cal, plain}) {
        const int year = Shown(h) / 10000;
        qxt::Click(GetDlgItem(h, 101), 5, 5);
        EXPECT_TRUE(Shown(h) / 10000 == year + 1 && GetFocus() == h);
    }
}

}  // namespace
