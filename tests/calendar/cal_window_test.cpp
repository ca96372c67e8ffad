// The "QXCalCntl" window as a host uses it: keys, the four navigation buttons,
// clicks and double clicks at cell centres with what reaches the parent, what
// is painted at once, sizes, the date exports and creation. Runs with a theme
// in force and in the classic look.
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <string>

#include "calendar/cal_ctl.h"
#include "handle_counts.h"
#include "harness.h"
#include "qx_cntl.h"
#include "visual/theme_api.h"

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
// 28 from x 1.
RECT Cell(int pos) {  // pos = row * 7 + column
    const int left = pos % 7 * 28 + 1, top = 37 + pos / 7 * 18;
    return {left, top, left + 27, top + 17};
}
POINT Centre(int pos) { return {Cell(pos).left + 13, Cell(pos).top + 8}; }

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

// The classes stay registered for the whole program.
struct Calendar : ::testing::Test {
    static void SetUpTestSuite() {
        QXRegisterCalClass(qxt::HostInstance());
        QXRegisterMonthYearButtonXPClass(qxt::HostInstance());
    }
    void SetUp() override { ASSERT_NE(cal = Create(10, 200, 150), nullptr); }
    HWND Create(int x, int w, int h) { return parent.CreateChild("QXCalCntl", "", 0, x, 10, w, h, 7); }
    HWND Button(int id) const { return GetDlgItem(cal, id); }
    void Show(int ymd) {
        QXCalSetYear(cal, ymd / 10000), QXCalSetMonth(cal, ymd / 100 % 100), QXCalSetDay(cal, ymd % 100);
        UpdateWindow(cal);
    }

    qxt::ParentWindow parent{560, 300};
    HWND cal = nullptr;
};

// Each key and button repaints at once the rows it changes (1 year, 2 month,
// 4 days); a button leaves the focus with the calendar.
TEST_F(Calendar, KeysAndButtons) {
    const struct { int from; UINT key; int to, rows; } cases[] = {  // key: a virtual key or a button's id
        {20080229, VK_PRIOR, 20070228, 5}, {20080229, VK_NEXT, 20090228, 5}, {20080101, VK_LEFT, 20071231, 7},
        {20080310, VK_RIGHT, 20080311, 4}, {20070228, VK_DOWN, 20070307, 6}, {20080305, VK_UP, 20080227, 6},
        {20080315, VK_HOME, 20080315, 0},  {20080229, 100, 20070228, 5},     {20080229, 101, 20090228, 5},
        {20080115, 102, 20071215, 7},      {20071231, 103, 20080131, 7},
    };
    for (const auto &c : cases) {
        Show(c.from);
        SetFocus(parent.hwnd());
        const std::vector<COLORREF> year = Area(cal, kYearRow), month = Area(cal, kMonthRow), days = Area(cal, kDays);
        c.key >= 100 ? qxt::Click(Button(c.key), 5, 5) : qxt::SendKey(cal, c.key);
        EXPECT_EQ(Shown(cal), c.to) << c.from << " " << c.key;
        EXPECT_TRUE(NothingPending(cal) && (c.key < 100 || GetFocus() == cal)) << c.from << " " << c.key;
        EXPECT_EQ((Area(cal, kYearRow) != year) + 2 * (Area(cal, kMonthRow) != month) + 4 * (Area(cal, kDays) != days),
                  c.rows) << c.from << " " << c.key;
    }
    EXPECT_TRUE(parent.Notifications().empty() && SendMessageA(cal, WM_GETDLGCODE, 0, 0) == DLGC_WANTARROWS);
}

// January 2000 starts on Saturday (cell 6). Only a double click on a day
// notifies, once, also on the selected day.
TEST_F(Calendar, ClicksAndDoubleClicks) {
    Show(20000101);
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

TEST_F(Calendar, DateExports) {
    Show(20080131);
    EXPECT_TRUE(QXCalSetYear(cal, 2007) && !NothingPending(cal) && QXCalSetMonth(cal, 2));  // painted later
    EXPECT_EQ(Shown(cal), 20070231);  // the index is kept
    qxt::SendKey(cal, VK_RIGHT);      // and walked on from
    for (int month : {0, 13, -1}) EXPECT_EQ(QXCalSetMonth(cal, month), 0) << month;
    EXPECT_EQ(Shown(cal), 20070304);
    // Other windows, and a null out-pointer, are refused.
    HWND gone = Create(250, 200, 150);
    DestroyWindow(gone);
    for (HWND h : {HWND{}, parent.hwnd(), Button(100), gone}) {
        int v = -5;
        EXPECT_EQ(QXCalGetYear(h, &v) + QXCalGetMonth(h, &v) + QXCalGetDay(h, &v) + QXCalSetYear(h, 2000) +
                      QXCalSetMonth(h, 5) + QXCalSetDay(h, 5) + v, -5);
    }
    EXPECT_EQ(QXCalGetYear(cal, nullptr) + QXCalGetMonth(cal, nullptr) + QXCalGetDay(cal, nullptr), 0);
}

// Resized, the calendar lays the grid out again and leaves the buttons where
// they are. Too small for any cell (made 0 x 0, or resized to 3 x 3) it finds
// no day and never divides by zero.
TEST_F(Calendar, Resizing) {
    Show(20000101);
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

// January 2000, the 12th (cell 17) selected: the selected day in each look,
// the focus rectangle only with the focus, the new and the old day of a click.
TEST_F(Calendar, Painting) {
    SetFocus(cal);
    Show(20000112);
    const COLORREF selected = BackgroundOf(cal, 17), normal = BackgroundOf(cal, 25);
    EXPECT_TRUE(selected != normal && (selected == RGB(192, 255, 255)) == qxt::ClassicPrefix());  // or themed
    const std::vector<COLORREF> focused = Area(cal, Cell(17));
    SetFocus(parent.hwnd());
    EXPECT_TRUE(NothingPending(cal) && Area(cal, Cell(17)) != focused);
    SetFocus(cal);
    EXPECT_EQ(Area(cal, Cell(17)), focused);
    qxt::Click(cal, Centre(25).x, Centre(25).y);
    EXPECT_TRUE(NothingPending(cal) && BackgroundOf(cal, 25) == selected && BackgroundOf(cal, 17) == normal);
    // A selected index beyond the month's end is painted nowhere, neither on a
    // focus change nor as the old day of a click.
    Show(20080231);  // February 2008: Friday the 1st (cell 5), 29 days
    SetFocus(parent.hwnd());
    qxt::Click(cal, Centre(14).x, Centre(14).y);
    EXPECT_EQ(qxt::Pixels(cal).CountOther(GetSysColor(COLOR_BTNFACE), Cell(35)), 0);  // where a 31st would be
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
    Show(20080215);
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

// What a calendar keeps is deleted when it is replaced and with the
// calendar: the font when the rows change height, the image when the size
// changes, the faces of the days when the colours change.
TEST_F(Calendar, KeptDrawingToolsAreDeleted) {
    auto kept = [&] {
        std::vector<HGDIOBJ> k;
        EXPECT_TRUE(qx::WindowObject::With<qx::CalCtl>(cal, [&](qx::CalCtl &c) {
            k = {c.Canvas().KeptFont(), c.Canvas().Image(), c.Canvas().NormalFace(), c.Canvas().SelectedFace()};
            return true;
        }));
        return k;
    };
    auto gone = [](const std::vector<HGDIOBJ> &k) {
        std::string s;
        for (HGDIOBJ h : k) s += GetObjectType(h) ? "-" : "x";
        return s;
    };
    qxt::Repaint(cal);
    std::vector<HGDIOBJ> before = kept();
    EXPECT_EQ(gone(before), "----");
    {
        qxt::SysColors colors({{COLOR_BTNSHADOW, RGB(90, 160, 30)}});
        qxt::Repaint(cal);
        EXPECT_EQ(gone(before), "--xx") << "colours";
    }
    qxt::Repaint(cal);
    before = kept();
    SetWindowPos(cal, nullptr, 0, 0, 240, 170, SWP_NOMOVE | SWP_NOZORDER);
    qxt::Repaint(cal);
    EXPECT_EQ(gone(before), "xxxx") << "size";
    before = kept();
    DestroyWindow(cal);
    cal = nullptr;
    EXPECT_EQ(gone(before), "xxxx") << "destroyed";
}

// Nothing a calendar does again and again keeps a GDI or USER handle: after
// two rounds of a kind of repeat (which make what is kept), the free slots
// of both tables are the same after many more. Repaints, each date setter
// alone, keys and clicks (parts painted at once), the focus, paints into a
// device context of the caller's, colours changed and put back, visual
// styles switched off and on (the buttons made again), sizes.
TEST_F(Calendar, HandleCountsStayFlat) {
    Show(20080215);
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
    };
    // USER handles (windows) are counted where styles switch: filling their
    // table takes seconds, and without a theme no button is made again.
    qxt::ExpectHandleCountsFlat(rows, &k, themed);
}

// Made at its grid's size, for double clicks; not made at all, leaving no
// buttons, when its object cannot be. Calendars made before and after the themed button class
// exists live side by side, each button with its own procedure behind the
// focus forwarding.
// A navigation button that paints itself in one colour and counts its paints.
struct MarkedButton {
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto *self = static_cast<MarkedButton *>(GetPropA(hwnd, "QXTestMark"));
        if (msg != WM_PAINT) return CallWindowProcA(self->own, hwnd, msg, wp, lp);
        ++self->paints;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH brush = CreateSolidBrush(kMark);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        return 0;
    }
    explicit MarkedButton(HWND b) : hwnd(b) {
        SetPropA(hwnd, "QXTestMark", this);
        own = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        paints = 0;
    }
    ~MarkedButton() {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        RemovePropA(hwnd, "QXTestMark");
    }
    bool Shown() const {
        RECT r;
        GetClientRect(hwnd, &r);
        return qxt::Pixels(hwnd).CountOther(kMark, r) == 0;
    }
    static constexpr COLORREF kMark = RGB(255, 0, 255);
    HWND hwnd;
    WNDPROC own = nullptr;
    int paints = 0;
};

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
    Show(20000112);
    std::vector<std::unique_ptr<MarkedButton>> marked;
    for (int id = 100; id <= 103; ++id) marked.emplace_back(new MarkedButton(Button(id)));
    for (const auto &row : rows) {
        row.act(cal);
        UpdateWindow(cal);
        for (const auto &m : marked)
            EXPECT_TRUE(m->Shown() && m->paints == 0) << row.what << ", button " << GetDlgCtrlID(m->hwnd);
    }
    // A hidden button's place is the calendar's again.
    for (const auto &m : marked) ShowWindow(m->hwnd, SW_HIDE);
    RedrawWindow(cal, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(qxt::Pixels(cal).Count(MarkedButton::kMark), 0);
}

// A system navigation button given to another window keeps working through
// its own procedure, during and after the calendar's life.
TEST_F(Calendar, AButtonMovedAwayKeepsItsProcedure) {
    QXUnregisterMonthYearButtonXPClass(qxt::HostInstance());
    HWND plain = Create(250, 200, 150);
    QXRegisterMonthYearButtonXPClass(qxt::HostInstance());
    HWND button = GetDlgItem(plain, 101);
    char text[8] = "";
    ASSERT_TRUE(button && GetWindowTextA(button, text, sizeof text) == 1 && text[0] == '>');
    SetParent(button, parent.hwnd());
    text[0] = 0;
    EXPECT_TRUE(GetWindowTextA(button, text, sizeof text) == 1 && text[0] == '>');
    DestroyWindow(plain);
    text[0] = 0;
    EXPECT_TRUE(GetWindowTextA(button, text, sizeof text) == 1 && text[0] == '>');
    SendMessageA(button, WM_SETFOCUS, 0, 0);  // passed on to the new parent
    EXPECT_EQ(GetFocus(), parent.hwnd());
    DestroyWindow(button);
}

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
    auto kind = [](HWND b) { std::string s(32, '\0'); s.resize(GetClassNameA(b, &s[0], 32)); return s; };
    EXPECT_EQ(kind(GetDlgItem(plain, 100)) + "," + kind(Button(100)),
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
}

}  // namespace
