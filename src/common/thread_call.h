// Calls run on a window's own thread. What another thread of the process
// asks of a window (an export, an accessibility client) is sent to the
// window's thread and runs there, inside its window procedure, as a sent
// message does, so that a control's state is touched by its own thread only.
//
// The message that carries a call holds a pointer into the caller's stack.
// It is used only when it names a call that this process listed for that
// window and that has not run yet: a message from another process, a posted
// copy, or any stray value runs nothing and reads nothing through it.
#pragma once
#include <windows.h>

namespace qx {

class ThreadCall {
public:
    // Runs on the window's thread, inside its window procedure.
    virtual void Run() = 0;

protected:
    ThreadCall() = default;
    ~ThreadCall() = default;

private:
    friend bool SendToWindowThread(HWND hwnd, ThreadCall &call);
    friend bool RunThreadCall(HWND hwnd, LPARAM lp);

    HWND window_ = nullptr;
    ThreadCall *next_ = nullptr;  // the calls of the process waiting to run
    bool ran_ = false;
};

// Sends call to the thread of hwnd and waits until it has run there, as
// SendMessage waits. True when it ran; false when the window was gone before
// it could, or its procedure does not take calls.
bool SendToWindowThread(HWND hwnd, ThreadCall &call);

// The registered message that carries calls. A window procedure that takes
// them passes its lParam to RunThreadCall (WindowObject::Dispatch does).
UINT ThreadCallMessage();

// Runs the call lp names, when this process listed it for hwnd and it has
// not run yet; otherwise false, and nothing is read through lp.
bool RunThreadCall(HWND hwnd, LPARAM lp);

}  // namespace qx
