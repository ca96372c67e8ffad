// The spin button of an edit window: two stacked arrow buttons at the right
// end of the client area. Not a window of its own: the window object that
// owns it feeds it mouse, paint and size messages, and it draws into that
// window. It steps through its owner, and shares the owner's lifetime: every
// step holds the owner's window object alive, and once that object's window
// is gone the spin touches nothing more.
#pragma once
#include <windows.h>
#include <uxtheme.h>

#include "common/acc_text.h"
#include "common/window_object.h"
#include "visual/spin_faces.h"
#include "visual/spin_geometry.h"
#include "visual/theme_api.h"

namespace qx {

// What a spin needs from the object that owns it.
class SpinOwner {
public:
    // One step up or down: true when it changed something, so that a held
    // arrow goes on repeating.
    virtual bool Step(bool up) = 0;
    // The window object the spin draws into and lives in. A step is made
    // under a Guard on it; the spin is deleted with it.
    virtual WindowObject &SpinHost() = 0;

protected:
    ~SpinOwner() = default;
};

class SpinCtl {
public:
    SpinCtl(SpinOwner &owner, int left, int top, int width, int height, unsigned edges);
    ~SpinCtl();
    SpinCtl(const SpinCtl &) = delete;
    SpinCtl &operator=(const SpinCtl &) = delete;

    void Layout(int left, int top, int width, int height);
    void Paint(HDC dc);
    // A press on an arrow steps at once and, held, repeats: again after
    // about 350 ms, then every 50 ms. True when the spin takes the press.
    // A thread repeats one spin at a time; threads repeat apart.
    bool MouseDown(int x, int y);
    // True when an arrow was held.
    bool MouseUp(int x, int y);
    void MouseMove(int x, int y);
    void MouseLeave(int x, int y);
    // One step per notch, up for positive notches.
    void Wheel(int notches);
    // The theme changed (WM_THEMECHANGED): the theme is opened anew and the
    // arrows' faces drawn anew when next needed. (A new button-face colour
    // or DPI needs no call: the faces are kept per colour and DPI.)
    void LookChanged();
    // The window lost the mouse capture while an arrow may be held: the
    // arrow is released and any repetition stops.
    void CaptureLost();

    // Accessibility: the arrows are parts 1 ("Up", the upper) and 2 ("Down")
    // of the accessible object of the window that carries the spin; the
    // owner answers for them through these. A held arrow is pressed, and a
    // change of that raises EVENT_OBJECT_STATECHANGE for its part.
    static constexpr long kAccParts = 2;
    void AccCaption(long part, AccText *caption) const;
    long AccState(long part) const;
    // The arrow's rectangle in client coordinates; false when it has no room.
    bool AccRect(long part, RECT *rect) const;
    // The arrow's default action: one step, as a click on it that is
    // released at once.
    void AccPress(long part);

    // Read-only views for callers that inspect the spin.
    HWND Window() const { return window_; }
    const SpinGeometry &Geometry() const { return geometry_; }
    SpinButton Pressed() const { return pressed_; }

private:
    enum class Look { Normal, Hot, Pressed };

    // One step of the owner under a Guard on its window object; false when
    // that object's window is gone afterwards (*changed is then not set).
    bool Step(bool up, bool *changed);
    // The theme kept for the window (null: the classic look, always in high
    // contrast).
    HTHEME Theme();
    void DrawButton(HDC dc, HTHEME theme, SpinButton button, Look look);
    void DrawButtonNow(SpinButton button, Look look);
    void HotTrack(int x, int y);
    // The repetition of a held arrow, on this spin's thread.
    void StartRepeat(bool up);
    void StopRepeat();
    // Holds or releases an arrow (kSpinNone: none held) and tells clients.
    void SetPressed(SpinButton button);
    static void CALLBACK RepeatTick(HWND, UINT, UINT_PTR id, DWORD);

    SpinOwner &owner_;
    HWND window_;            // the window that carries the spin
    SpinGeometry geometry_;  // heights, width, borders, gap, edges, left, top
    UINT dpi_ = 0;           // the window's DPI at the layout
    SpinButton pressed_;     // the button held, kSpinNone when none
    KeptTheme theme_{L"SPIN"};
    SpinFaces faces_;        // the themed arrows as drawn
    UINT_PTR repeatTimer_ = 0;  // the thread timer of the repetition, 0 when none
    bool repeatUp_ = false;     // the repetition's direction
    bool repeating_ = false;    // the first, longer delay has passed
    // A step of the repetition is running; a tick that comes from a modal
    // loop inside it is skipped.
    bool stepping_ = false;
};

// The spin whose step the calling thread is repeating, or null.
const SpinCtl *SpinRepeatTarget();

}  // namespace qx
