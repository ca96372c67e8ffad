// The month calendar window "QXCalCntl": one CalCtl per window, its window
// object. Each message goes to one handler; the handlers change the model
// and repaint what changed at once. The four navigation buttons are child
// windows, made at WM_CREATE.
#pragma once
#include <windows.h>

#include "calendar/cal_canvas.h"
#include "calendar/cal_model.h"
#include "common/window_object.h"
#include "visual/theme_api.h"

namespace qx {

extern const char kCalClassName[];
// Class of the navigation buttons where the "BUTTON" theme is in force.
extern const char kCalThemedButtonClass[];
// Control identifiers of the navigation buttons (CalButton order).
constexpr int kCalFirstButtonId = 100;

class CalCtl : public WindowObject {
public:
    // Shows today.
    explicit CalCtl(HWND hwnd);
    // The factory of the class.
    static WindowObject *Make(HWND hwnd, const CREATESTRUCTA &cs);

    // The operations of the model, repainting the rows they change when
    // redraw is true; SetDay invalidates the whole window instead.
    void SetYear(int year, bool redraw, bool clamp);
    void SetMonth(int month, bool redraw, bool clamp);
    void SetDay(int index, bool redraw);
    void MoveSelection(int delta);
    void PreviousMonth();
    void NextMonth();

    CalModel model;

    // What is kept for drawing (tests).
    const CalCanvas &Canvas() const { return canvas_; }

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

    // Draws what body draws with a painter, now, through the window's own
    // device context.
    template <class Body>
    void PaintNow(Body body);
    void Repaint(unsigned rows);
    // The class of the navigation buttons follows the theme of the calendar.
    bool ThemedButtons() { return theme_.Get(Window()) != nullptr; }
    HWND MakeButton(int button, bool themed, HINSTANCE instance, const RECT &r);

    bool built_ = false;  // the buttons are made
    KeptTheme theme_{L"BUTTON"};
    CalCanvas canvas_;
};

// The window procedure that the navigation buttons get: the focus goes on to
// the calendar, everything else to the button's own procedure, which is kept
// per button.
LRESULT CALLBACK CalButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace qx
