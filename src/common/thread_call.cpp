#include "common/thread_call.h"

#include <atomic>

#include "common/lock.h"

namespace qx {
namespace {

Lock g_lock;  // guards g_pending and every listed call's list fields and state
ThreadCall *g_pending = nullptr;
// Registering the name again gives the same number, so threads that meet
// here first at the same moment store the same value.
std::atomic<UINT> g_message{0};

}  // namespace

UINT ThreadCallMessage() {
    UINT message = g_message.load(std::memory_order_relaxed);
    if (!message) {
        message = RegisterWindowMessageA("QXCntlThreadCall");
        g_message.store(message, std::memory_order_relaxed);
    }
    return message;
}

// The call is listed for its window while the message carrying it is sent,
// and taken off the list afterwards, whatever became of it: a call still
// listed then never runs.
CallOutcome SendToWindowThread(HWND hwnd, ThreadCall &call) {
    {
        Locked lock(g_lock);
        call.window_ = hwnd;
        call.state_ = ThreadCall::State::kListed;
        call.next_ = g_pending;
        g_pending = &call;
    }
    SendMessageA(hwnd, ThreadCallMessage(), 0, reinterpret_cast<LPARAM>(&call));
    Locked lock(g_lock);
    for (ThreadCall **p = &g_pending; *p; p = &(*p)->next_) {
        if (*p == &call) {
            *p = call.next_;
            break;
        }
    }
    switch (call.state_) {
    case ThreadCall::State::kDone: return CallOutcome::kDone;
    case ThreadCall::State::kRunning: return CallOutcome::kReleased;
    case ThreadCall::State::kListed: break;
    }
    return CallOutcome::kNotRun;
}

// lp is compared with the listed calls' addresses before it is used as one.
// The window's thread holds the call while it runs.
bool RunThreadCall(HWND hwnd, LPARAM lp) {
    ThreadCall *call = nullptr;
    {
        Locked lock(g_lock);
        for (ThreadCall *c = g_pending; c; c = c->next_) {
            if (reinterpret_cast<LPARAM>(c) == lp && c->window_ == hwnd && c->state_ == ThreadCall::State::kListed) {
                c->state_ = ThreadCall::State::kRunning;
                c->Hold();
                call = c;
                break;
            }
        }
    }
    if (!call) return false;
    call->Run();
    {
        Locked lock(g_lock);
        call->state_ = ThreadCall::State::kDone;
    }
    call->LetGo();
    return true;
}

}  // namespace qx
