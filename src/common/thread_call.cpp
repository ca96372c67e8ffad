#include "common/thread_call.h"

#include <atomic>

#include "common/lock.h"

namespace qx {
namespace {

Lock g_lock;  // guards g_pending and every listed call's fields
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
// and taken off the list afterwards.
bool SendToWindowThread(HWND hwnd, ThreadCall &call) {
    {
        Locked lock(g_lock);
        call.window_ = hwnd;
        call.ran_ = false;
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
    return call.ran_;
}

// lp is compared with the listed calls' addresses before it is used as one.
bool RunThreadCall(HWND hwnd, LPARAM lp) {
    ThreadCall *call = nullptr;
    {
        Locked lock(g_lock);
        for (ThreadCall *c = g_pending; c; c = c->next_) {
            if (reinterpret_cast<LPARAM>(c) == lp && c->window_ == hwnd && !c->ran_) {
                c->ran_ = true;
                call = c;
                break;
            }
        }
    }
    if (!call) return false;
    call->Run();
    return true;
}

}  // namespace qx
