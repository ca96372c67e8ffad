// The month calendar window "QXCalCntl": one CalCtl per window, its pointer
// in slot 0. The window procedure hands each message to one handler; the
// handlers change the model and repaint what changed at once.
#pragma once
#include <windows.h>

#include "calendar/cal_model.h"

namespace qx {

extern const char kCalClassName[];
// Class of the navigation buttons where the "BUTTON" theme is in force.
extern const char kCalThemedButtonClass[];
// Control identifiers of the navigation buttons (CalButton order).
constexpr int kCalFirstButtonId = 100;

class CalCtl {
public:
    // Shows today.
    explicit CalCtl(HWND hwnd);
    virtual ~CalCtl();
    CalCtl(const CalCtl &) = delete;
    CalCtl &operator=(const CalCtl &) = delete;

    // The operations of the model, repainting the rows they change when
    // redraw is true; SetDay invalidates the whole window instead.
    void SetYear(int year, bool redraw, bool clamp);
    void SetMonth(int month, bool redraw, bool clamp);
    void SetDay(int index, bool redraw);
    void MoveSelection(int delta);
    void PreviousMonth();
    void NextMonth();

    // Message handlers.
    void Build(const CREATESTRUCTA &cs);
    void OnSize(int width, int height);
    void OnFocus(bool gained);
    void OnPaint();
    void OnKeyDown(UINT vk);
    void OnCommand(int id);
    void OnClick(int x, int y, bool doubleClick);

    HWND window;
    CalModel model;

private:
    void Repaint(unsigned rows);
    HWND MakeButton(int button, bool themed, HINSTANCE instance);
    void NotifyDoubleClick();
};

LRESULT CALLBACK CalWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// The window procedure that the navigation buttons get: the focus goes on to
// the calendar, everything else to the button's own procedure, which is kept
// per button.
LRESULT CALLBACK CalButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace qx
