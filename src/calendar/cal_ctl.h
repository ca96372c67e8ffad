// The month calendar window "QXCalCntl": one CalCtl per window, its window
// object. Each message goes to one handler; the handlers change the model
// and repaint what changed at once. The four navigation buttons are child
// windows, made at WM_CREATE; the calendar never paints over them, so its
// own repaints leave them as they are (they paint themselves).
//
// Every change of the date ends in Settle: the arrow buttons follow the
// limits, screen readers hear of the new date, and (QXCS_NOTIFY) the parent
// is told, last, since it may destroy the calendar.
//
// Screen readers see a table named by its label whose value is the selected
// date in the user's long date format (see cal_date_name.h), with the days
// of the month as its cells (parts 1 to 28..31, named by their dates, with
// the action "Select"; a day beyond the limits is unavailable), and four
// push buttons named "Previous year", "Next year", "Previous month" and
// "Next month" from the library's strings, unavailable while disabled.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "calendar/cal_canvas.h"
#include "calendar/cal_date_name.h"
#include "calendar/cal_model.h"
#include "common/window_object.h"
#include "visual/theme_api.h"

namespace qx {

extern const char kCalClassName[];
// Class of the navigation buttons where the "BUTTON" theme is in force.
extern const char kCalThemedButtonClass[];
// Control identifiers of the navigation buttons (CalButton order).
constexpr int kCalFirstButtonId = 100;
// The timer that moves the mark of today at midnight (QXCS_TODAY).
constexpr UINT_PTR kCalTodayTimer = 1;

// Who changed the date: the user (a key, a click, an arrow button, a screen
// reader) or the host (a function of the library).
enum class CalOrigin { kUser, kHost };

class CalSystemButton;

class CalCtl : public WindowObject {
public:
    // Shows today.
    explicit CalCtl(HWND hwnd);
    ~CalCtl() override;
    // The factory of the class.
    static WindowObject *Make(HWND hwnd, const CREATESTRUCTA &cs);

    // The operations of the model, repainting the rows they change when
    // redraw is true; SetDay invalidates the whole window instead. A date
    // beyond a limit moves to the limit, but SetDay refuses one (false).
    // The caller ends the change with Settle.
    void SetYear(int year, bool redraw, bool clamp);
    void SetMonth(int month, bool redraw, bool clamp);
    bool SetDay(int index, bool redraw);
    // The whole window is to be painted again, but the navigation buttons.
    void Invalidate();
    void MoveSelection(int delta);
    void PreviousMonth();
    void NextMonth();
    // A day of the shown month within the limits becomes the selected one,
    // repainted at once.
    void SelectDay(int index);
    // New limits (null: none on that side); a minimum after the maximum is
    // refused (false). A selection beyond them moves to the nearer one.
    bool SetRange(const CalDate *min, const CalDate *max);
    // The end of every change of the date (see above). False when the
    // calendar is gone.
    bool Settle(CalOrigin origin);

    long AccChildCount() override;
    long AccRole(long child) override;
    void AccCaption(long child, AccText *caption) override;
    bool AccValue(long child, AccText *value) override;
    long AccState(long child) override;
    void AccDefaultAction(long child, AccText *action) override;
    HRESULT AccDoDefaultAction(long child) override;
    HRESULT AccSetValue(long child, const char *text) override;
    bool AccChildRect(long child, RECT *rect) override;

    CalModel model;

    // What is kept for drawing, and the names shown (tests).
    const CalCanvas &Canvas() const { return canvas_; }
    const CalNames &Names() const { return names_; }

    // The window procedure that button, one of this calendar's navigation
    // buttons, had before CalButtonProc; null for any other window.
    WNDPROC ButtonProc(HWND button) const;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // Message handlers.
    LRESULT OnCreate(const CREATESTRUCTA *cs);
    void OnSize(int width, int height);
    void OnFocus(bool gained);
    void OnPaint();
    void OnKeyDown(UINT vk);
    void OnCommand(int id);
    void OnClick(int x, int y, bool doubleClick);
    void OnThemeChanged();
    void OnSettingChange();
    void OnDpiChanged();
    void OnTimer(UINT_PTR id);

    LONG Style() const { return GetWindowLongA(Window(), GWL_STYLE); }
    // How the calendar is drawn now: theme, contrast, names, today, DPI.
    CalLook Look();
    // Whether today is another day than the one last painted (QXCS_TODAY);
    // notes the day as painted.
    bool TodayMoved();
    // Sets the timer to a second after the next midnight (at most an hour).
    void ArmTodayTimer();
    // Draws what body draws with a painter, now, through the window's own
    // device context (and the day grid too when today moved meanwhile).
    template <class Body>
    void PaintNow(bool focused, const Body &body) {
        PaintNow(focused, [](CalPainter &painter, const void *b) { (*static_cast<const Body *>(b))(painter); }, &body);
    }
    void PaintNow(bool focused, CalBody body, const void *context);
    void Repaint(unsigned rows);
    // The grid laid out for a size at the calendar's DPI.
    void Layout(int width, int height);
    // The class of the navigation buttons follows the theme of the calendar.
    bool ThemedButtons() { return theme_.Get(Window()) != nullptr; }
    HWND MakeButton(int button, bool themed, HINSTANCE instance, const RECT &r);
    // The navigation buttons moved to where the layout puts them.
    void PlaceButtons();
    // Each navigation button enabled when something allowed lies its way.
    void EnableButtons();
    // Takes the navigation buttons that are shown out of dc's drawing area.
    void ExcludeButtons(HDC dc) const;

    bool built_ = false;  // the buttons are made
    // The date clients and the parent last heard of.
    int announcedDay_, announcedMonth_, announcedYear_;
    // The DPI the calendar was made and is laid out at; once they differ,
    // the buttons follow every layout.
    UINT madeDpi_ = 0, dpi_ = 0;
    bool limitsSet_ = false;          // the buttons follow the limits
    bool todayTimer_ = false;         // the timer is set
    uint32_t paintedToday_ = 0;       // the day number of today when last painted
    bool localeNames_ = false;        // QXCS_LOCALE at creation
    CalNames names_;
    // What screen readers see of the system's buttons that stand in for the
    // themed ones (null for a themed button).
    std::unique_ptr<CalSystemButton> systemButtons_[4];
    // The navigation buttons made, and the procedure each had before
    // CalButtonProc (null for one that passes the focus on by itself).
    HWND buttons_[4] = {};
    WNDPROC buttonProcs_[4] = {};
    KeptTheme theme_{L"BUTTON"};
    CalCanvas canvas_;
};

// The window procedure that system navigation buttons get (month/year
// buttons pass the focus on by themselves): the focus goes on to the
// calendar, everything else to the button's own procedure, which is kept per
// button.
LRESULT CALLBACK CalButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace qx
