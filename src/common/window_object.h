// The base of every window's object in the library, and the one lifetime
// rule they all follow:
//
// - The class's factory makes the object at WM_NCCREATE; it goes into extra
//   window slot 0 and builds itself there. A window whose object cannot be
//   made or built is not created, and nothing of it is left behind.
// - Every way in (the window procedure, each export, a timer tick, a
//   client's call on the accessible object or on that of a part the object
//   stands in for) holds a Guard on the object for the length of its call:
//   the one way an object is held.
// - WM_NCDESTROY clears slot 0 and marks the object gone; the Guard that
//   unwinds last deletes it, so it is deleted exactly once, after the
//   outermost call on it has returned.
//
// Code that sends a message out of the control (a notification, a colour
// request to the parent) learns from the send whether the window is still
// there; once it is gone it touches nothing of the object again.
//
// A control's state is touched by its own thread only: an export given a
// window of another thread of the process runs on that window's thread, as
// a sent message does (Call, and thread_call.h for a caller released early).
//
// Every object answers screen readers (see accessible.h): it implements the
// AccessProvider operations for its class, and the base answers WM_GETOBJECT
// and QXM_SETACCNAME with them, raises EVENT_OBJECT_STATECHANGE when the
// window is enabled or disabled, and disconnects the accessible object at
// WM_NCDESTROY, before the object itself may go.
#pragma once
#include <windows.h>

#include "common/acc_text.h"
#include "common/accessible.h"
#include "common/thread_call.h"

namespace qx {

// Extra bytes every class of the library asks for: slot 0, pointer-sized.
constexpr int kWindowExtraBytes = sizeof(LONG_PTR);

// What an export's work reads and writes: its arguments and its results.
// A call to a window of another thread keeps its own copy, so that work
// finished after its caller was released writes nothing of the caller's.
struct CallData {
    long number[2] = {};
    double real[2] = {};
    void *handle = nullptr;
    AccText text;  // a text given or read
};

// A text read by an export's work into a caller's buffer of size bytes,
// whole: true when it fits with its terminating zero; otherwise false, and
// nothing is written.
bool CopyWhole(const AccText &text, char *dst, int size);

class WindowObject : public AccessProvider {
public:
    // Makes (allocates) the object of a window at WM_NCCREATE; null when it
    // cannot. Whatever may fail after the allocation belongs in Build.
    using Factory = WindowObject *(*)(HWND hwnd, const CREATESTRUCTA &cs);

    explicit WindowObject(HWND hwnd) : hwnd_(hwnd), access_(hwnd, *this, *this) {}
    virtual ~WindowObject() = default;
    WindowObject(const WindowObject &) = delete;
    WindowObject &operator=(const WindowObject &) = delete;

    HWND Window() const { return hwnd_; }
    // The window is destroyed: the object lives on only until the outermost
    // call on it returns, and must not be used for anything more.
    bool Gone() const { return gone_; }

    // Holds an object alive for the length of a call; deletes it when this
    // is the last guard and its window is gone.
    class Guard {
    public:
        explicit Guard(WindowObject &object) : object_(object) { object_.Hold(); }
        ~Guard() { object_.LetGo(); }
        Guard(const Guard &) = delete;
        Guard &operator=(const Guard &) = delete;
        bool Gone() const { return object_.gone_; }

    private:
        WindowObject &object_;
    };

    // The whole window procedure of a class is one call of this with the
    // class's factory: makes the object at WM_NCCREATE, guards it, hands
    // each message to OnMessage, handles WM_NCDESTROY, and runs the calls
    // that other threads send (see thread_call.h). WM_GETOBJECT and
    // QXM_SETACCNAME are the base's: the class never sees them.
    static LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, Factory make);

    // The exports' way to an object: when hwnd is a live window of this
    // process whose class procedure is one of the library's, runs
    // work(object, data) under a Guard on the window's own thread (sent
    // there from another thread, see thread_call.h) and returns what it
    // returns; false for any other window (null, not a window, another
    // process's, another class's, a window whose class asks for too few
    // extra bytes) and for work that finds an object of another kind.
    // From another thread the work reads and writes a copy of data, copied
    // back when it has run. A caller the window's thread released early
    // gets false with the last error ERROR_IO_PENDING: the work goes on,
    // its outcome unknown, and data stays as it was.
    using Work = bool (*)(WindowObject &object, CallData &data);
    static bool Call(HWND hwnd, Work work, CallData &data);

    // body(T &) under a Guard, for a window of this thread whose object is
    // a T (as Call checks it); false for anything else, a window of another
    // thread included.
    template <class T, class Body>
    static bool With(HWND hwnd, Body body);

    // Sends msg to the parent window (*result gets the answer). True when
    // this object's window is still there afterwards; false when it is gone
    // (the parent destroyed it meanwhile, or it already was, and then
    // nothing is sent). Only while a Guard is held.
    bool SendToParent(UINT msg, WPARAM wp, LPARAM lp, LRESULT *result = nullptr);
    // WM_COMMAND with the window's identifier and code, the window as lParam.
    bool NotifyParent(WORD code);

    // Makes proc one of the library's class procedures (RegisterCounted does
    // it for every class it registers): With reads slot 0 only of windows
    // whose class procedure is one of them.
    static void AddClassProc(WNDPROC proc);

protected:
    // The accessible object of the window, which the base answers with.
    WindowAccess &Access() { return access_; }
    // Runs once the object is in slot 0, under a Guard: the building steps
    // that can fail (allocations, child objects) and may send messages.
    // False fails WM_NCCREATE.
    virtual bool Build(const CREATESTRUCTA &cs);
    // Every message of the window from WM_NCCREATE (once built) to
    // WM_NCDESTROY, both included, but the calls of other threads; what a
    // class does not handle goes to DefWindowProcA.
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;

private:
    // A Guard's two ends: the last to let go of a gone object deletes it.
    void Hold() { ++calls_; }
    void LetGo() {
        if (--calls_ == 0 && gone_) delete this;
    }
    static LRESULT Create(HWND hwnd, WPARAM wp, LPARAM lp, Factory make);
    static bool IsOurs(HWND hwnd);
    // The object of a window of ours on this thread; null for any other.
    static WindowObject *Here(HWND hwnd);

    HWND hwnd_;
    int calls_ = 0;  // Guards held
    bool gone_ = false;
    WindowAccess access_;
};

template <class T, class Body>
bool WindowObject::With(HWND hwnd, Body body) {
    WindowObject *object = Here(hwnd);
    if (!object) return false;
    Guard guard(*object);
    T *typed = dynamic_cast<T *>(object);
    return typed && body(*typed);
}

}  // namespace qx
