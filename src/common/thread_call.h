// Calls run on a window's own thread. What another thread of the process
// asks of a window (an export, an accessibility client) is sent to the
// window's thread and runs there, inside its window procedure, as a sent
// message does, so that a control's state is touched by its own thread only.
//
// A call is a record on the heap that holds what the work reads and writes,
// never a pointer into its caller's stack: the window's thread may reply
// early (a handler of a notification the work sends calls ReplyMessage, as
// hosts do before a message box), which releases the caller while the work
// goes on. The caller and the window's thread each hold a reference; the
// one that lets go last frees the record. After an early reply the caller
// cannot know what the work did, and reads nothing of the record.
//
// The message that carries a call holds the record's address. It is used
// only when it names a call that this process listed for that window and
// that has not run yet: a message from another process, a posted copy, or
// any stray value runs nothing and reads nothing through it.
#pragma once
#include <windows.h>

namespace qx {

enum class CallOutcome {
    kDone,      // the work ran to its end before the caller was released
    kNotRun,    // it never ran and never will: the window was gone, or its
                // procedure does not take calls
    kReleased,  // the window's thread replied early while the work ran: it
                // goes on there, and its outcome is unknown to the caller
};

class ThreadCall {
public:
    // Runs on the window's thread, inside its window procedure.
    virtual void Run() = 0;
    // Made with one reference, the caller's; the last LetGo deletes it.
    void Hold() { InterlockedIncrement(&refs_); }
    void LetGo() {
        if (InterlockedDecrement(&refs_) == 0) delete this;
    }
    ThreadCall(const ThreadCall &) = delete;
    ThreadCall &operator=(const ThreadCall &) = delete;

protected:
    ThreadCall() = default;
    virtual ~ThreadCall() = default;

private:
    enum class State : unsigned char { kListed, kRunning, kDone };
    friend CallOutcome SendToWindowThread(HWND hwnd, ThreadCall &call);
    friend bool RunThreadCall(HWND hwnd, LPARAM lp);

    volatile LONG refs_ = 1;
    HWND window_ = nullptr;
    ThreadCall *next_ = nullptr;  // the calls of the process waiting to run
    State state_ = State::kListed;
};

// Sends call (made with new, its one reference the caller's, which the
// caller lets go afterwards) to the thread of hwnd, and waits as
// SendMessage waits.
CallOutcome SendToWindowThread(HWND hwnd, ThreadCall &call);

// The registered message that carries calls. A window procedure that takes
// them passes its lParam to RunThreadCall (WindowObject::Dispatch does).
UINT ThreadCallMessage();

// Runs the call lp names, when this process listed it for hwnd and it has
// not run yet; otherwise false, and nothing is read through lp.
bool RunThreadCall(HWND hwnd, LPARAM lp);

}  // namespace qx
