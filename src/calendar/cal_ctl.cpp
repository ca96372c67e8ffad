#include "calendar/cal_ctl.h"

#include <new>

#include "button/month_year_btn.h"
#include "calendar/cal_date_name.h"
#include "calendar/julian_date.h"
#include "common/display.h"
#include "common/gdi.h"
#include "common/library_strings.h"
#include "common/win_util.h"
#include "qx_cntl.h"
#include "visual/theme_api.h"

namespace qx {

const char kCalClassName[] = "QXCalCntl";
const char kCalThemedButtonClass[] = "QXBmpButtonXP";

namespace {

// Window properties of a navigation button: its own window procedure, and
// for a system button its CalSystemButton.
const char kButtonProcProp[] = "QXCalButtonProc";
const char kButtonAccessProp[] = "QXCalButtonAccess";

// The names of the navigation buttons, in CalButton order.
const UINT kButtonNames[] = {QXIDS_ACC_PREVYEAR, QXIDS_ACC_NEXTYEAR, QXIDS_ACC_PREVMONTH,
                             QXIDS_ACC_NEXTMONTH};

bool HasFocus(HWND hwnd) { return GetFocus() == hwnd; }

}  // namespace

// A system push button standing in for a themed navigation button, as
// screen readers see it. The system's own object would name it by its text
// ("<"); the calendar names it after its arrow with QXM_SETACCNAME, which
// the system's button does not take, so the button's replaced procedure
// (CalButtonProc) hands the accessibility messages to this object. It
// lives in its calendar, which a client's call holds as it holds any window
// object.
class CalSystemButton final : public AccessProvider {
public:
    CalSystemButton(HWND button, CalCtl &calendar) : button_(button), access(button, *this, calendar) {}

    long AccChildCount() override { return 0; }
    long AccRole(long) override { return ROLE_SYSTEM_PUSHBUTTON; }
    void AccCaption(long, AccText *caption) override { WindowTextCaption(button_, caption); }
    bool AccValue(long, AccText *) override { return false; }
    long AccState(long) override {
        return (SendMessageA(button_, BM_GETSTATE, 0, 0) & BST_PUSHED) ? STATE_SYSTEM_PRESSED : 0;
    }
    void AccDefaultAction(long, AccText *action) override { LoadControlString(button_, QXIDS_ACC_PRESS, action); }
    // The system button's own click (one BN_CLICKED), posted so that the
    // client is not held up by what the click does.
    HRESULT AccDoDefaultAction(long) override {
        if (!IsWindowEnabled(button_)) return E_ACCESSDENIED;
        return PostMessageA(button_, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
    }
    HRESULT AccSetValue(long, const char *) override { return DISP_E_MEMBERNOTFOUND; }
    bool AccChildRect(long, RECT *) override { return false; }

    const HWND button_;
    WindowAccess access;
};

CalCtl::CalCtl(HWND hwnd) : WindowObject(hwnd) {
    uint32_t m, d, y;
    JulianDate::Today().Split(&m, &d, &y);
    model.selected = static_cast<int>(d) - 1;
    model.month = static_cast<int>(m) - 1;
    model.year = static_cast<int>(y);
    announcedDay_ = model.selected;
    announcedMonth_ = model.month;
    announcedYear_ = model.year;
    EnglishNames(&names_);
}

// A button that outlived the calendar (moved to another parent) no longer
// finds the object that is going.
CalCtl::~CalCtl() {
    for (const auto &button : systemButtons_)
        if (button && GetPropA(button->button_, kButtonAccessProp) == button.get())
            RemovePropA(button->button_, kButtonAccessProp);
}

WindowObject *CalCtl::Make(HWND hwnd, const CREATESTRUCTA &) { return new (std::nothrow) CalCtl(hwnd); }

// High contrast draws with system colours only: no theme.
CalLook CalCtl::Look() {
    CalLook look;
    look.highContrast = HighContrast();
    look.theme = look.highContrast ? nullptr : theme_.Get(Window());
    look.names = localeNames_ ? &names_ : nullptr;
    look.dpi = dpi_;
    if (Style() & QXCS_TODAY) {
        uint32_t m, d, y;
        JulianDate::Today().Split(&m, &d, &y);
        if (static_cast<int>(m) - 1 == model.month && static_cast<int>(y) == model.year)
            look.today = static_cast<int>(d) - 1;
    }
    return look;
}

bool CalCtl::TodayMoved() {
    if (!(Style() & QXCS_TODAY)) return false;
    const uint32_t today = JulianDate::Today().DayNumber();
    const bool moved = today != paintedToday_;
    paintedToday_ = today;
    return moved;
}

void CalCtl::ArmTodayTimer() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const DWORD day = 24 * 3600 * 1000, hour = 3600 * 1000;
    const DWORD past = ((now.wHour * 60u + now.wMinute) * 60u + now.wSecond) * 1000u + now.wMilliseconds;
    const DWORD left = past < day ? day - past + 1000 : 1000;
    todayTimer_ = SetTimer(Window(), kCalTodayTimer, left < hour ? left : hour, nullptr) != 0;
}

void CalCtl::PaintNow(bool focused, CalBody body, const void *context) {
    WindowDC dc(Window());
    if (!dc) return;
    SavedDC keep(dc.get());
    ExcludeButtons(dc.get());
    struct Part {
        CalBody body;
        const void *context;
        bool todayMoved;
    } part = {body, context, TodayMoved()};
    canvas_.PaintPart(Window(), dc.get(), model, focused, Look(), [](CalPainter &painter, const void *p) {
        const Part &drawn = *static_cast<const Part *>(p);
        drawn.body(painter, drawn.context);
        if (drawn.todayMoved) painter.Rows(kCalDayGrid);
    }, &part);
}

// A button that was hidden, destroyed or given to another parent is painted
// over like the rest of the window.
void CalCtl::ExcludeButtons(HDC dc) const {
    for (HWND button : buttons_) {
        if (!button || !IsWindow(button) || GetParent(button) != Window() || !IsWindowVisible(button)) continue;
        RECT r;
        GetWindowRect(button, &r);
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT *>(&r), 2);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
}

WNDPROC CalCtl::ButtonProc(HWND button) const {
    for (int k = 0; k < 4; ++k)
        if (button && buttons_[k] == button) return buttonProcs_[k];
    return nullptr;
}

void CalCtl::Repaint(unsigned rows) {
    if (rows) PaintNow(HasFocus(Window()), [rows](CalPainter &painter) { painter.Rows(rows); });
}

bool CalCtl::Settle(CalOrigin origin) {
    if (limitsSet_) EnableButtons();
    if (model.selected == announcedDay_ && model.month == announcedMonth_ && model.year == announcedYear_)
        return true;
    announcedDay_ = model.selected;
    announcedMonth_ = model.month;
    announcedYear_ = model.year;
    NotifyValueChange(Window());
    if (!(Style() & QXCS_NOTIFY)) return true;
    return NotifyParent(origin == CalOrigin::kUser ? QXCN_SELCHANGE : QXCN_SELSET);
}

void CalCtl::SetYear(int year, bool redraw, bool clamp) {
    const unsigned rows = model.SetYear(year, clamp) | model.ClampToLimits();
    if (redraw) Repaint(rows);
}

void CalCtl::SetMonth(int month, bool redraw, bool clamp) {
    const unsigned rows = model.SetMonth(month, clamp) | model.ClampToLimits();
    if (redraw) Repaint(rows);
}

void CalCtl::Invalidate() { RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN); }

bool CalCtl::SetDay(int index, bool redraw) {
    if (!model.Allows({model.year, model.month, index})) return false;
    model.SetDay(index);
    if (redraw) Invalidate();
    return true;
}

void CalCtl::MoveSelection(int delta) { Repaint(model.MoveSelection(delta) | model.ClampToLimits()); }

void CalCtl::PreviousMonth() { Repaint(model.PreviousMonth() | model.ClampToLimits()); }

void CalCtl::NextMonth() { Repaint(model.NextMonth() | model.ClampToLimits()); }

void CalCtl::SelectDay(int index) {
    if (!model.IsAvailable(index) || index == model.selected) return;
    const int old = model.selected;
    model.selected = index;
    PaintNow(HasFocus(Window()), [index, old](CalPainter &painter) {
        painter.Day(index);
        painter.Day(old);  // nothing when it was not a day of this month
    });
}

// The days beyond the limits look different now: all is painted again.
bool CalCtl::SetRange(const CalDate *min, const CalDate *max) {
    if (min && max && CompareDates(*min, *max) > 0) return false;
    model.hasMin = min != nullptr;
    model.hasMax = max != nullptr;
    if (min) model.min = *min;
    if (max) model.max = *max;
    limitsSet_ = true;
    model.ClampToLimits();
    Invalidate();
    return true;
}

void CalCtl::Layout(int width, int height) {
    model.Layout(width, height, MetricForDpi(SM_CXBORDER, dpi_), MetricForDpi(SM_CYBORDER, dpi_));
}

// The buttons get the themed class only where the "BUTTON" theme opens for
// the calendar now; a themed button that cannot be made (its class is not
// registered) is replaced by a system one. The window then takes the size
// of the grid that the layout settled on; with week numbers it is a column
// wider than asked, so that the days keep the size they would have without
// them. A second WM_CREATE changes nothing.
LRESULT CalCtl::OnCreate(const CREATESTRUCTA *cs) {
    if (built_) return 0;
    if (!cs) return -1;
    built_ = true;
    madeDpi_ = dpi_ = WindowDpi(Window());
    const LONG style = Style();
    if (style & QXCS_LOCALE) {
        localeNames_ = true;
        LocaleNames(&names_);
        model.firstDay = names_.firstDay;
    }
    model.weekNumbers = (style & QXCS_WEEKNUMBERS) != 0;
    const int lineWidth = MetricForDpi(SM_CXBORDER, dpi_);
    Layout(model.weekNumbers ? CalModel::WidthWithWeekNumbers(cs->cx, lineWidth) : cs->cx, cs->cy);
    const bool themed = ThemedButtons();
    for (int button = kCalYearBack; button <= kCalMonthForward; ++button)
        MakeButton(button, themed, cs->hInstance, model.ButtonRect(button));
    MoveWindow(Window(), cs->x, cs->y, model.width, model.height, TRUE);
    return 0;
}

HWND CalCtl::MakeButton(int button, bool themed, HINSTANCE instance, const RECT &r) {
    const bool left = button == kCalYearBack || button == kCalMonthBack;
    const int id = kCalFirstButtonId + button;
    auto create = [&](const char *cls) {
        return CreateWindowExA(0, cls, left ? "<" : ">", WS_CHILD | WS_VISIBLE, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, Window(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    };
    // A button made again for a new look replaces one already destroyed.
    systemButtons_[button].reset();
    buttons_[button] = nullptr;
    buttonProcs_[button] = nullptr;
    HWND hwnd = themed ? create(kCalThemedButtonClass) : nullptr;
    // A month/year button of ours passes the focus on by itself; any other
    // gets a procedure that does.
    const bool passesFocus = hwnd && SetMonthYearArrow(hwnd, left, true);
    if (!hwnd) {
        hwnd = create("BUTTON");
        if (!hwnd) return nullptr;
        // Without the memory for it the button stays as the system shows it.
        systemButtons_[button].reset(new (std::nothrow) CalSystemButton(hwnd, *this));
        if (systemButtons_[button] && !SetPropA(hwnd, kButtonAccessProp, systemButtons_[button].get()))
            systemButtons_[button].reset();
    }
    // The button's own procedure is kept with the button before it is
    // replaced; without room for it the button keeps its procedure.
    // The calendar keeps it too: a repaint sends each button several
    // messages, and a window property is a trip to the server under Wine.
    buttons_[button] = hwnd;
    const LONG_PTR own = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    if (!passesFocus && SetPropA(hwnd, kButtonProcProp, reinterpret_cast<HANDLE>(own))) {
        buttonProcs_[button] = reinterpret_cast<WNDPROC>(own);
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CalButtonProc));
    }
    AccText name;
    LoadControlString(Window(), kButtonNames[button], &name);
    SendMessageA(hwnd, QXM_SETACCNAME, 0, reinterpret_cast<LPARAM>(name.c_str()));
    return hwnd;
}

void CalCtl::PlaceButtons() {
    for (int button = kCalYearBack; button <= kCalMonthForward; ++button) {
        HWND hwnd = buttons_[button];
        if (!hwnd || !IsWindow(hwnd) || GetParent(hwnd) != Window()) continue;
        const RECT r = model.ButtonRect(button);
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// A system button's state event is the calendar's to raise: the system
// raises none for it.
void CalCtl::EnableButtons() {
    for (int button = kCalYearBack; button <= kCalMonthForward; ++button) {
        HWND hwnd = buttons_[button];
        const bool back = button == kCalYearBack || button == kCalMonthBack;
        const bool enable = back ? model.CanGoBack() : model.CanGoForward();
        if (!hwnd || !IsWindow(hwnd) || (IsWindowEnabled(hwnd) != FALSE) == enable) continue;
        EnableWindow(hwnd, enable);
        if (systemButtons_[button]) NotifyStateChange(hwnd);
    }
}

// Layout reads the line sizes again, so a change of system metrics shows on
// the next size change. The buttons stay where they were made, unless the
// calendar has moved to a screen of another DPI since.
void CalCtl::OnSize(int width, int height) {
    Layout(width, height);
    if (dpi_ != madeDpi_) PlaceButtons();
}

// A new DPI (the window moved to another screen, or the host's font that
// comes with the move): the grid is laid out again for it, and the buttons
// move to their places in it.
void CalCtl::OnDpiChanged() {
    const UINT dpi = WindowDpi(Window());
    if (!built_ || dpi == dpi_) return;
    dpi_ = dpi;
    RECT client;
    GetClientRect(Window(), &client);
    Layout(client.right, client.bottom);
    PlaceButtons();
    Invalidate();
}

// Only the selected day shows the focus.
void CalCtl::OnFocus(bool gained) {
    const int day = model.selected;
    PaintNow(gained, [day](CalPainter &painter) { painter.Day(day); });
}

void CalCtl::OnPaint() {
    PaintDC dc(Window());
    if (!dc) return;
    SavedDC keep(dc.get());
    ExcludeButtons(dc.get());
    TodayMoved();
    if ((Style() & QXCS_TODAY) && !todayTimer_) ArmTodayTimer();
    canvas_.PaintAll(Window(), dc.get(), model, HasFocus(Window()), Look());
}

// At midnight (and every hour, should the clock be moved) the mark of today
// moves when the day has changed.
void CalCtl::OnTimer(UINT_PTR id) {
    if (id != kCalTodayTimer) return;
    if (!(Style() & QXCS_TODAY)) {
        KillTimer(Window(), kCalTodayTimer);
        todayTimer_ = false;
        return;
    }
    ArmTodayTimer();
    PaintNow(HasFocus(Window()), [](CalPainter &) {});
}

// A new look: the theme is opened again, the day faces are drawn again, and
// each navigation button whose class no longer suits the look is made anew
// in the other class, where the old one was.
void CalCtl::OnThemeChanged() {
    theme_.Drop();
    canvas_.DropFaces();
    const bool themed = ThemedButtons();
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Window(), GWLP_HINSTANCE));
    for (int button = kCalYearBack; button <= kCalMonthForward && !Gone(); ++button) {
        HWND old = GetDlgItem(Window(), kCalFirstButtonId + button);
        char cls[32] = "";
        if (!old || !GetClassNameA(old, cls, sizeof cls)) continue;
        if ((lstrcmpiA(cls, kCalThemedButtonClass) == 0) == themed) continue;
        RECT r;
        GetWindowRect(old, &r);
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT *>(&r), 2);
        DestroyWindow(old);
        if (!Gone()) MakeButton(button, themed, instance, r);
    }
    if (Gone()) return;
    if (limitsSet_) EnableButtons();
    InvalidateRect(Window(), nullptr, TRUE);
}

// High contrast on or off, or new regional settings: names are read again
// (QXCS_LOCALE), and all is painted again, the buttons too.
void CalCtl::OnSettingChange() {
    if (localeNames_) {
        LocaleNames(&names_);
        model.firstDay = names_.firstDay;
    }
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CalCtl::OnKeyDown(UINT vk) {
    switch (vk) {
    case VK_PRIOR: SetYear(AddWrapping(model.year, -1), true, true); break;
    case VK_NEXT: SetYear(AddWrapping(model.year, 1), true, true); break;
    case VK_LEFT: MoveSelection(-1); break;
    case VK_UP: MoveSelection(-7); break;
    case VK_RIGHT: MoveSelection(1); break;
    case VK_DOWN: MoveSelection(7); break;
    default: return;
    }
    Settle(CalOrigin::kUser);
}

void CalCtl::OnCommand(int id) {
    switch (id - kCalFirstButtonId) {
    case kCalYearBack: SetYear(AddWrapping(model.year, -1), true, true); break;
    case kCalYearForward: SetYear(AddWrapping(model.year, 1), true, true); break;
    case kCalMonthBack: PreviousMonth(); break;
    case kCalMonthForward: NextMonth(); break;
    default: return;
    }
    SendDlgItemMessageA(Window(), id, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    Settle(CalOrigin::kUser);
}

void CalCtl::OnClick(int x, int y, bool doubleClick) {
    SetFocus(Window());
    // A focus handler elsewhere may have destroyed the calendar.
    if (Gone()) return;
    const int index = model.DayAt(x, y);
    const bool available = model.IsAvailable(index);
    SelectDay(index);
    // Last: the parent may destroy the calendar while it handles these.
    if (Settle(CalOrigin::kUser) && doubleClick && available) NotifyParent(QXCN_DAYDBLCLK);
}

LRESULT CalCtl::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: return OnCreate(reinterpret_cast<const CREATESTRUCTA *>(lp));
    case WM_DESTROY: return 0;
    case WM_SIZE: OnSize(LowSigned(lp), HighSigned(lp)); return 0;
    case WM_SETFOCUS: OnFocus(true); return 0;
    case WM_KILLFOCUS: OnFocus(false); return 0;
    case WM_PAINT: OnPaint(); return 0;
    // Every paint covers the whole window, background included.
    case WM_ERASEBKGND: return 1;
    case WM_PRINTCLIENT:
        canvas_.PaintAll(Window(), reinterpret_cast<HDC>(wp), model, HasFocus(Window()), Look());
        return 0;
    // The colours are compared at every paint; only the window must be painted again.
    case WM_SYSCOLORCHANGE: InvalidateRect(Window(), nullptr, TRUE); return 0;
    case WM_SETTINGCHANGE: OnSettingChange(); return 0;
    case WM_THEMECHANGED: OnThemeChanged(); return 0;
    // The text is as high as the rows: a host's font is not used, but it
    // comes with a move to a screen of another DPI.
    case WM_SETFONT: OnDpiChanged(); return 0;
    case kWmDpiChangedAfterParent: OnDpiChanged(); return 0;
    case WM_TIMER: OnTimer(wp); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wp)); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wp)); return 0;
    case WM_LBUTTONDOWN: OnClick(LowSigned(lp), HighSigned(lp), false); return 0;
    case WM_LBUTTONDBLCLK: OnClick(LowSigned(lp), HighSigned(lp), true); return 0;
    default: return DefWindowProcA(Window(), msg, wp, lp);
    }
}

// A system button's accessibility messages (the name, the object, the calls
// of clients on other threads) go to its CalSystemButton.
// The stand-in is looked up only for the messages it takes: a window
// property is a trip to the server under Wine, and a repaint sends each
// button several messages.
LRESULT CALLBACK CalButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // The procedure is the calendar's to tell; the property is read only for
    // a button that has left its calendar.
    WNDPROC own = nullptr;
    const HWND parent = GetParent(hwnd);
    if (GetWindowThreadProcessId(parent, nullptr) == GetCurrentThreadId())
        WindowObject::With<CalCtl>(parent, [&](CalCtl &cal) {
            own = cal.ButtonProc(hwnd);
            return own != nullptr;
        });
    if (!own) own = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kButtonProcProp));
    const bool forAccess = msg == WM_GETOBJECT || msg == QXM_SETACCNAME || msg == WM_NCDESTROY ||
                           (msg == ThreadCallMessage() && msg != 0);
    auto *system = forAccess ? static_cast<CalSystemButton *>(GetPropA(hwnd, kButtonAccessProp)) : nullptr;
    if (system) {
        if (msg == WM_GETOBJECT) {
            if (const LRESULT answer = system->access.OnGetObject(wp, lp)) return answer;
        } else if (msg == QXM_SETACCNAME) {
            return system->access.OnSetName(lp);
        } else if (msg == ThreadCallMessage() && msg != 0) {
            return RunThreadCall(hwnd, lp) ? 1 : 0;
        }
    }
    switch (msg) {
    case WM_SETFOCUS: SetFocus(GetParent(hwnd)); return 0;
    case WM_KILLFOCUS: return 0;
    case WM_NCDESTROY:
        RemovePropA(hwnd, kButtonProcProp);
        if (system) {
            system->access.Disconnect();
            RemovePropA(hwnd, kButtonAccessProp);
        }
        break;
    default: break;
    }
    return own ? CallWindowProcA(own, hwnd, msg, wp, lp) : 0;
}

// ---- Accessibility ---------------------------------------------------------------

long CalCtl::AccChildCount() {
    const int days = CalModel::DaysInMonth(model.month, model.year);
    return days > 0 ? days : 0;
}

long CalCtl::AccRole(long child) { return child ? ROLE_SYSTEM_CELL : ROLE_SYSTEM_TABLE; }

void CalCtl::AccCaption(long child, AccText *caption) {
    if (!child) {
        LabelCaption(Window(), caption);
        return;
    }
    CalDateName(model.year, model.month, static_cast<int>(child - 1), caption);
    DoubleAmpersands(caption);
}

bool CalCtl::AccValue(long child, AccText *value) {
    if (child) return false;
    CalDateName(model.year, model.month, model.selected, value);
    return true;
}

long CalCtl::AccState(long child) {
    if (!child) return 0;
    if (!model.IsAvailable(static_cast<int>(child - 1))) return STATE_SYSTEM_UNAVAILABLE;
    long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (child - 1 == model.selected) {
        state |= STATE_SYSTEM_SELECTED;
        if (HasFocus(Window())) state |= STATE_SYSTEM_FOCUSED;
    }
    return state;
}

void CalCtl::AccDefaultAction(long child, AccText *action) {
    if (child)
        LoadControlString(Window(), QXIDS_ACC_SELECT, action);
    else
        action->Clear();
}

HRESULT CalCtl::AccDoDefaultAction(long child) {
    if (!child) return DISP_E_MEMBERNOTFOUND;
    if (!IsWindowEnabled(Window()) || !model.IsAvailable(static_cast<int>(child - 1))) return E_ACCESSDENIED;
    SelectDay(static_cast<int>(child - 1));
    Settle(CalOrigin::kUser);
    return S_OK;
}

HRESULT CalCtl::AccSetValue(long, const char *) { return DISP_E_MEMBERNOTFOUND; }

bool CalCtl::AccChildRect(long child, RECT *rect) {
    int column, row;
    if (!child || !model.DayCell(static_cast<int>(child - 1), &column, &row)) return false;
    *rect = model.CellRect(column, row);
    return true;
}

}  // namespace qx
