#include "calendar/cal_ctl.h"

#include <new>

#include "button/month_year_btn.h"
#include "calendar/julian_date.h"
#include "common/gdi.h"
#include "common/win_util.h"
#include "qx_cntl.h"
#include "visual/theme_api.h"

namespace qx {

const char kCalClassName[] = "QXCalCntl";
const char kCalThemedButtonClass[] = "QXBmpButtonXP";

namespace {

// Window property of a navigation button holding its own window procedure.
const char kButtonProcProp[] = "QXCalButtonProc";

bool HasFocus(HWND hwnd) { return GetFocus() == hwnd; }

}  // namespace

CalCtl::CalCtl(HWND hwnd) : WindowObject(hwnd) {
    uint32_t m, d, y;
    JulianDate::Today().Split(&m, &d, &y);
    model.selected = static_cast<int>(d) - 1;
    model.month = static_cast<int>(m) - 1;
    model.year = static_cast<int>(y);
}

WindowObject *CalCtl::Make(HWND hwnd, const CREATESTRUCTA &) { return new (std::nothrow) CalCtl(hwnd); }

template <class Body>
void CalCtl::PaintNow(Body body) {
    WindowDC dc(Window());
    if (dc) canvas_.PaintPart(Window(), dc.get(), model, HasFocus(Window()), theme_.Get(Window()), body);
}

void CalCtl::Repaint(unsigned rows) {
    if (rows) PaintNow([rows](CalPainter &painter) { painter.Rows(rows); });
}

void CalCtl::SetYear(int year, bool redraw, bool clamp) {
    const unsigned rows = model.SetYear(year, clamp);
    if (redraw) Repaint(rows);
}

void CalCtl::SetMonth(int month, bool redraw, bool clamp) {
    const unsigned rows = model.SetMonth(month, clamp);
    if (redraw) Repaint(rows);
}

void CalCtl::SetDay(int index, bool redraw) {
    model.SetDay(index);
    if (redraw) InvalidateRect(Window(), nullptr, TRUE);
}

void CalCtl::MoveSelection(int delta) { Repaint(model.MoveSelection(delta)); }

void CalCtl::PreviousMonth() { Repaint(model.PreviousMonth()); }

void CalCtl::NextMonth() { Repaint(model.NextMonth()); }

// The buttons get the themed class only where the "BUTTON" theme opens for
// the calendar now; a themed button that cannot be made (its class is not
// registered) is replaced by a system one. The window then takes the size
// of the grid that the layout settled on. A second WM_CREATE changes nothing.
LRESULT CalCtl::OnCreate(const CREATESTRUCTA *cs) {
    if (built_) return 0;
    if (!cs) return -1;
    built_ = true;
    model.Layout(cs->cx, cs->cy, GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER));
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
    HWND hwnd = themed ? create(kCalThemedButtonClass) : nullptr;
    if (hwnd) SetMonthYearArrow(hwnd, left);
    if (!hwnd) hwnd = create("BUTTON");
    if (!hwnd) return nullptr;
    // The button's own procedure is kept with the button before it is
    // replaced; without room for it the button keeps its procedure.
    const LONG_PTR own = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    if (SetPropA(hwnd, kButtonProcProp, reinterpret_cast<HANDLE>(own)))
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CalButtonProc));
    return hwnd;
}

// Layout reads the line sizes again, so a change of system metrics shows on
// the next size change. The buttons stay where they were made.
void CalCtl::OnSize(int width, int height) {
    model.Layout(width, height, GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER));
}

// Only the selected day shows the focus.
void CalCtl::OnFocus(bool gained) {
    WindowDC dc(Window());
    if (!dc) return;
    const int day = model.selected;
    canvas_.PaintPart(Window(), dc.get(), model, gained, theme_.Get(Window()),
                      [day](CalPainter &painter) { painter.Day(day); });
}

void CalCtl::OnPaint() {
    PaintDC dc(Window());
    if (dc) canvas_.PaintAll(Window(), dc.get(), model, HasFocus(Window()), theme_.Get(Window()));
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
    if (!Gone()) InvalidateRect(Window(), nullptr, TRUE);
}

void CalCtl::OnKeyDown(UINT vk) {
    switch (vk) {
    case VK_PRIOR: SetYear(AddWrapping(model.year, -1), true, true); break;
    case VK_NEXT: SetYear(AddWrapping(model.year, 1), true, true); break;
    case VK_LEFT: MoveSelection(-1); break;
    case VK_UP: MoveSelection(-7); break;
    case VK_RIGHT: MoveSelection(1); break;
    case VK_DOWN: MoveSelection(7); break;
    default: break;
    }
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
}

void CalCtl::OnClick(int x, int y, bool doubleClick) {
    SetFocus(Window());
    // A focus handler elsewhere may have destroyed the calendar.
    if (Gone()) return;
    const int index = model.DayAt(x, y);
    const bool valid = CalModel::IsValidDay(index, model.month, model.year);
    if (valid && index != model.selected) {
        const int old = model.selected;
        model.selected = index;
        PaintNow([index, old](CalPainter &painter) {
            painter.Day(index);
            painter.Day(old);  // nothing when it was not a day of this month
        });
    }
    // Last: the parent may destroy the calendar while it handles this.
    if (doubleClick && valid) NotifyParent(QXCN_DAYDBLCLK);
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
        canvas_.PaintAll(Window(), reinterpret_cast<HDC>(wp), model, HasFocus(Window()), theme_.Get(Window()));
        return 0;
    // The colours are compared at every paint; only the window must be painted again.
    case WM_SYSCOLORCHANGE: InvalidateRect(Window(), nullptr, TRUE); return 0;
    case WM_THEMECHANGED: OnThemeChanged(); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wp)); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wp)); return 0;
    case WM_LBUTTONDOWN: OnClick(LowSigned(lp), HighSigned(lp), false); return 0;
    case WM_LBUTTONDBLCLK: OnClick(LowSigned(lp), HighSigned(lp), true); return 0;
    default: return DefWindowProcA(Window(), msg, wp, lp);
    }
}

LRESULT CALLBACK CalButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const WNDPROC own = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kButtonProcProp));
    switch (msg) {
    case WM_SETFOCUS: SetFocus(GetParent(hwnd)); return 0;
    case WM_KILLFOCUS: return 0;
    case WM_NCDESTROY: RemovePropA(hwnd, kButtonProcProp); break;
    default: break;
    }
    return own ? CallWindowProcA(own, hwnd, msg, wp, lp) : 0;
}

}  // namespace qx
