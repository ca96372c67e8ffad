// The window object of every edit-family window. It owns the typed edit
// object (made by the EditMaker its class gives) and, with the spin style,
// the spin button, and routes layout, mouse, paint and non-client messages
// among them.
#pragma once
#include <windows.h>

#include <memory>

#include "common/window_object.h"
#include "edit/edit_ctl.h"
#include "visual/spin_ctl.h"

namespace qx {

// Makes the typed edit object of an edit-family window from its class name,
// placed at (x, y, width, height): *edit stays null for a name of no edit
// kind. False when the object cannot be allocated.
using EditMaker = bool (*)(const char *className, WindowObject &host, int x, int y, int width,
                           int height, std::unique_ptr<EditCtl> *edit);

class EditHost : public WindowObject, public SpinOwner {
public:
    EditHost(HWND hwnd, EditMaker make);
    ~EditHost() override;

    // The spin steps the typed edit, a change of the user's (nothing without
    // one, nor while read-only).
    bool Step(bool up) override;
    WindowObject &SpinHost() override { return *this; }

    // The typed edit object; null for a class name of no edit kind.
    EditCtl *Edit() const { return edit.get(); }

    // Accessibility: editable text named by its label, its value the text
    // as shown, read-only with the style bit; the spin's arrows are parts 1
    // and 2 (push buttons that step once). Setting the value is the user's
    // entering the text as a paste over the whole text.
    long AccChildCount() override;
    long AccRole(long child) override;
    void AccCaption(long child, AccText *caption) override;
    bool AccValue(long child, AccText *value) override;
    long AccState(long child) override;
    void AccDefaultAction(long child, AccText *action) override;
    HRESULT AccDoDefaultAction(long child) override;
    HRESULT AccSetValue(long child, const char *text) override;
    bool AccChildRect(long child, RECT *rect) override;

protected:
    // The spin, the typed edit and their settings from the creation record;
    // false when an allocation fails.
    bool Build(const CREATESTRUCTA &cs) override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // WM_SIZE: the spin takes the right end of the client area, the edit
    // the rest; both sized for the window's DPI.
    void Layout();
    // WM_DPICHANGED_AFTERPARENT: the frame, the layout and every drawing
    // made anew for the window's new DPI (a new font comes by WM_SETFONT).
    void OnDpiChanged();
    // High contrast switched on or off (WM_SETTINGCHANGE), new system
    // colours (WM_SYSCOLORCHANGE): the whole window drawn anew.
    void OnColorsChanged();
    void Paint();
    LRESULT GetText(WPARAM wp, LPARAM lp);
    LRESULT GetSel(WPARAM wp, LPARAM lp);

    // Keys and characters: the shortcuts first, the Apps key opens the
    // context menu; a character typed into a read-only edit is refused.
    void OnKeyDown(UINT vk);
    LRESULT OnSysKeyDown(WPARAM wp, LPARAM lp);
    void OnChar(char ch);
    // WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR, WM_UNDO and EM_UNDO (the context
    // menu's commands too); EM_UNDO's result.
    LRESULT EditCommand(UINT msg);
    // EM_SETREADONLY sets or clears the style bit; a change of the bit (by
    // it or by SetWindowLong) repaints the face and the border, and clients
    // are told (EVENT_OBJECT_STATECHANGE).
    void SetReadOnly(bool on);
    void OnStyleChanged(WPARAM which, const STYLESTRUCT *change);
    // WM_CONTEXTMENU (edit_menu.cpp): lp holds the screen point, or -1 for
    // a menu asked for from the keyboard (at the caret).
    void ContextMenu(LPARAM lp);

    // Mouse routing between the spin and the edit.
    void OnLButtonDown(int x, int y, WPARAM keys);
    void OnLButtonUp(int x, int y, WPARAM keys);
    void OnMouseMove(int x, int y);
    LRESULT OnMouseWheel(WPARAM wp, LPARAM lp);
    void OnCaptureChanged(HWND gaining);
    // The edit takes no changes from the user (QXES_READONLY).
    bool ReadOnly() const;

    // The non-client area: the 2-pixel hand-drawn frame where the old 3-D
    // look is in force, the themed "EDIT" border, or the system's border.
    bool Old3d() const;
    LRESULT OnNcCalcSize(WPARAM wp, LPARAM lp);
    void OnNcPaint(WPARAM wp);

    EditMaker make_;
    HFONT givenFont = nullptr;  // WM_SETFONT's, which WM_GETFONT answers
    std::unique_ptr<SpinCtl> spin;
    std::unique_ptr<EditCtl> edit;
    // Who holds the left button.
    enum class MouseOwner : unsigned char { kSpin, kEdit, kNobody } mouseOwner = MouseOwner::kNobody;
    DWORD osMajor;
    // A button-up is releasing the capture: the capture change that follows
    // is the host's own.
    bool releasing = false;
};

// How the exports' work (see WindowObject::Call) reaches a typed edit: the
// typed object of an edit-family window's object when it is a T, else null.
template <class T>
T *EditOf(WindowObject &object) {
    auto *host = dynamic_cast<EditHost *>(&object);
    return host ? dynamic_cast<T *>(host->Edit()) : nullptr;
}

// Old 3-D frame: a 2-pixel sunken frame inside r (right and bottom
// inclusive), lines bx wide vertically and by high horizontally.
void DrawSunkenFrame(HDC dc, const RECT &r, int bx, int by);

}  // namespace qx
