// The spin button of an edit window: two stacked arrow buttons at the right
// end of the client area. Not a window of its own: the edit window's
// procedure feeds it mouse, paint and size messages, and it draws into the
// edit window.
#pragma once
#include <windows.h>
#include <uxtheme.h>

#include "visual/spin_geometry.h"

namespace qx {

class EditHost;

// Border edges of a spin.
enum SpinEdge : unsigned { kSpinEdgeLeft = 1, kSpinEdgeRight = 2, kSpinEdgeTop = 4, kSpinEdgeBottom = 8 };

class SpinBase {
public:
    SpinBase(HWND window, int left, int top, int width, int height, unsigned edges);
    virtual ~SpinBase();
    SpinBase(const SpinBase &) = delete;
    SpinBase &operator=(const SpinBase &) = delete;

    // A step: true when it changed something and repetition may go on.
    virtual bool StepUp() = 0;
    virtual bool StepDown() = 0;

    void Layout(int left, int top, int width, int height);
    void Paint(HDC dc);
    bool MouseDown(int x, int y);
    bool MouseUp(int x, int y);
    void MouseMove(int x, int y);
    void MouseLeave(int x, int y);
    void Wheel(int notches);
    // The window lost the mouse capture while an arrow may be held: the
    // arrow is released and any repetition stops.
    void CaptureLost();

    // Read-only views for callers that inspect the spin.
    HWND Window() const { return window; }
    const SpinGeometry &Geometry() const { return geometry; }
    SpinButton Pressed() const { return pressed; }

protected:
    HWND window;            // the edit window that carries the spin
    SpinGeometry geometry;  // heights, width, borders, gap, edges, left, top
    SpinButton pressed;     // the button held, kSpinNone when none

private:
    enum class Look { Normal, Hot, Pressed };
    struct LifeGuard;

    void DrawButton(HDC dc, HTHEME theme, SpinButton button, Look look);
    void DrawButtonNow(SpinButton button, Look look);
    void HotTrack(int x, int y);

    // Operations that call a step (which may destroy this spin) watch it
    // through guards chained here; the destructor marks them all.
    LifeGuard *guards = nullptr;
};

// The spin whose step the process is repeating, or null.
const SpinBase *SpinRepeatTarget();

class SpinCtl : public SpinBase {
public:
    SpinCtl(EditHost *owner, HWND window, int left, int top, int width, int height, unsigned edges);
    bool StepUp() override;
    bool StepDown() override;

private:
    EditHost *owner;
};

}  // namespace qx
