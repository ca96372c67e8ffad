// The object in slot 0 of every edit-family window. It owns the typed edit
// object (chosen by the window's class name) and, with the spin style, the
// spin button, and routes layout, mouse and non-client messages among them.
#pragma once
#include <windows.h>

#include <memory>

#include "edit/edit_ctl.h"
#include "visual/spin_ctl.h"

namespace qx {

class EditHost {
public:
    EditHost();
    virtual ~EditHost();
    EditHost(const EditHost &) = delete;
    EditHost &operator=(const EditHost &) = delete;

    // What the spin calls when an arrow fires, while it repeats, and per
    // wheel notch; they step the typed edit (false without one).
    virtual bool StepUp();
    virtual bool StepDown();

    // WM_NCCREATE: makes the host of hwnd, stores it in slot 0 and builds
    // the spin and the typed edit. False (slot 0 left empty, nothing kept)
    // when an allocation fails.
    static bool Create(HWND hwnd, const CREATESTRUCTA &cs);

    // WM_SIZE: the spin takes the right end of the client area, the edit
    // the rest.
    void Layout();

    // Mouse routing between the spin and the edit.
    void OnLButtonDown(int x, int y, WPARAM keys);
    void OnLButtonUp(int x, int y, WPARAM keys);
    void OnMouseMove(int x, int y);
    void OnWheel(int delta);
    void OnCaptureChanged(HWND gaining);

    // The non-client area: the 2-pixel hand-drawn frame where the old 3-D
    // look is in force, the themed "EDIT" border, or the system's border.
    bool Old3d() const;
    LRESULT OnNcCalcSize(WPARAM wp, LPARAM lp);
    void OnNcPaint(WPARAM wp);

    std::unique_ptr<SpinCtl> spin;
    bool hasSpin = false;
    std::unique_ptr<EditCtl> edit;
    int mouseOwner = 2;  // who holds the left button: 0 spin, 1 edit, 2 nobody
    DWORD osMajor;

    HWND hwnd = nullptr;
    // Calls into the host in progress: a window destroyed from inside one
    // (a parent's notification handler may destroy its control) keeps its
    // host until the outermost call returns.
    int busy = 0;
    bool destroyed = false;
    // A button-up is releasing the capture: the capture change that follows
    // is the host's own.
    bool releasing = false;
};

// Holds a host alive for the duration of a call; deletes it at the end of
// the outermost call once its window is gone.
class HostCall {
public:
    explicit HostCall(EditHost *host) : host_(host) { ++host_->busy; }
    ~HostCall() {
        if (--host_->busy == 0 && host_->destroyed) delete host_;
    }
    HostCall(const HostCall &) = delete;
    HostCall &operator=(const HostCall &) = delete;

private:
    EditHost *host_;
};

// Old 3-D frame: a 2-pixel sunken frame inside r (right and bottom
// inclusive), lines bx wide vertically and by high horizontally.
void DrawSunkenFrame(HDC dc, const RECT &r, int bx, int by);

}  // namespace qx
