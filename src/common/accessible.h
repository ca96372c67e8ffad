// Accessibility of the library's windows: what a window tells screen readers
// and other clients that ask it for its accessible object (WM_GETOBJECT with
// OBJID_CLIENT).
//
// A window's object implements AccessProvider and owns one WindowAccess. The
// WindowAccess answers WM_GETOBJECT with an accessible object of the library's
// own, made at the first request and kept until the window goes, which asks
// the provider for role, name, value, states and actions and leaves location,
// navigation among windows, parent, hit testing, focus, selection, help and
// description to the system's default object for the window.
//
// Elements: element 0 is the window itself; elements 1 to AccChildCount() are
// parts of it that are no windows (a spin's buttons, a calendar's days), each
// answered by the provider with its number. A client asking about any other
// number is told E_INVALIDARG.
//
// Clients may hold the object after the window is gone: WindowAccess
// disconnects it (Disconnect, or the destructor), after which every call
// answers RPC_E_DISCONNECTED without touching the window or its object.
// Each client's call holds the window object that owns the WindowAccess
// (its holder) with a Guard, as every way into an object does; a call whose
// window goes in the middle (a parent that destroys it when told of a value
// a client set, a focus handler) touches nothing of the window's side after
// that and answers RPC_E_DISCONNECTED where it had more to ask.
// Calls that arrive on another thread are run on the window's thread (see
// thread_call.h: the window procedure passes ThreadCallMessage on to
// RunThreadCall, as WindowObject::Dispatch does); what they answer is kept
// with the call, so a client released early (E_PENDING) is written nothing.
#pragma once
#include <windows.h>
// ROLE_SYSTEM_* and the interfaces.
#include <ole2.h>
#include <oleacc.h>

#include "common/acc_text.h"

namespace qx {

class AccessibleObject;
class WindowObject;

// What a window's object answers about itself and its parts. Every operation
// runs on the window's thread while the window exists; `child` is 0 or a
// part's number (1..AccChildCount()), never anything else.
class AccessProvider {
public:
    // Number of parts; 0 for a window that has none (then the default object
    // answers for child windows, e.g. the calendar's arrow buttons).
    virtual long AccChildCount() = 0;
    // ROLE_SYSTEM_* (ROLE_SYSTEM_TEXT, ROLE_SYSTEM_PUSHBUTTON, ...).
    virtual long AccRole(long child) = 0;
    // The caption that names the element, with '&' marking its mnemonic as
    // in a dialog ("&&" for a literal '&'); the name is the caption without
    // the marks, the keyboard shortcut "Alt+" and the marked character.
    // Element 0 is named by what the host set instead (SetName), when it did.
    // An edit gives LabelCaption(hwnd), a button its window text.
    virtual void AccCaption(long child, AccText *caption) = 0;
    // The value as shown; false when the element has none.
    virtual bool AccValue(long child, AccText *value) = 0;
    // STATE_SYSTEM_* bits of the element's own: read-only, pressed,
    // selected, checked, focused (of a part). For element 0 the window's are
    // added (AccWindowState); for a part, unavailable and invisible when the
    // window is.
    virtual long AccState(long child) = 0;
    // The default action's name ("Press"); left empty when there is none.
    virtual void AccDefaultAction(long child, AccText *action) = 0;
    // Performs the default action. S_OK, or DISP_E_MEMBERNOTFOUND when the
    // element has none, or another failure (E_ACCESSDENIED when disabled).
    virtual HRESULT AccDoDefaultAction(long child) = 0;
    // Sets the value as if the user had entered it, through the same checks.
    // S_OK when it was taken; DISP_E_MEMBERNOTFOUND when the element has no
    // value to set; E_ACCESSDENIED when it is read-only or disabled;
    // E_INVALIDARG when the checks refuse the text.
    virtual HRESULT AccSetValue(long child, const char *text) = 0;
    // Where a part is, in client coordinates; false when it is not shown.
    virtual bool AccChildRect(long child, RECT *rect) = 0;

protected:
    ~AccessProvider() = default;
};

class WindowAccess {
public:
    // holder: the window object that owns this (itself the provider, or the
    // owner of a stand-in provider), held for the length of each call.
    WindowAccess(HWND hwnd, AccessProvider &provider, WindowObject &holder);
    // Disconnects.
    ~WindowAccess();
    WindowAccess(const WindowAccess &) = delete;
    WindowAccess &operator=(const WindowAccess &) = delete;

    // WM_GETOBJECT: the accessible object for OBJID_CLIENT, made at the
    // first request; 0 (the system's default) for any other object id, after
    // Disconnect, and when the system's accessibility libraries are missing.
    LRESULT OnGetObject(WPARAM flags, LPARAM objectId);
    // QXM_SETACCNAME: a name the host gives element 0 (null forgets it, and
    // the caption names the window again). Raises EVENT_OBJECT_NAMECHANGE
    // when the name changes. TRUE, or FALSE when out of memory.
    LRESULT OnSetName(LPARAM name);

    // Ends the object's service: from now on every call a client makes
    // answers RPC_E_DISCONNECTED, and WM_GETOBJECT is left to the system.
    // The window's object calls it when the window goes, before it is
    // destroyed (the destructor calls it too).
    void Disconnect();

    HWND hwnd() const { return hwnd_; }
    AccessProvider &provider() const { return provider_; }
    WindowObject &holder() const { return holder_; }
    // The name the host set; null when it set none.
    const char *SetName() const { return named_ ? name_.c_str() : nullptr; }

private:
    HWND hwnd_;
    AccessProvider &provider_;
    WindowObject &holder_;
    AccessibleObject *object_ = nullptr;  // one reference, ours
    bool closed_ = false;
    bool named_ = false;
    AccText name_;
};

// STATE_SYSTEM_* of a window as such: unavailable when disabled, else
// focusable; focused when it has the focus; invisible when hidden.
long AccWindowState(HWND hwnd);

// The caption of the label of a child window, the way the system names its
// own edits: the nearest visible preceding sibling (in the dialog's order)
// when it is a static control showing text; statics showing pictures, frames
// or rectangles and hidden windows are passed over; any other window in
// between means no label. A label with SS_NOPREFIX shows its '&' as is (the
// caption doubles them). Empty when there is none.
void LabelCaption(HWND hwnd, AccText *caption);

// The window's own text as a caption (a button's).
void WindowTextCaption(HWND hwnd, AccText *caption);

// Makes every '&' of a text literal (each written twice), so that a text
// that is no caption (a date) can serve as one.
void DoubleAmpersands(AccText *caption);

// WinEvents a control raises for itself (element 0) or for one of its parts
// (OBJID_CLIENT, through NotifyWinEvent).
void NotifyAccEvent(DWORD event, HWND hwnd, long child = CHILDID_SELF);
void NotifyValueChange(HWND hwnd, long child = CHILDID_SELF);
void NotifyStateChange(HWND hwnd, long child = CHILDID_SELF);
void NotifyNameChange(HWND hwnd, long child = CHILDID_SELF);

}  // namespace qx
