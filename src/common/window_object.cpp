#include "common/window_object.h"

#include <atomic>
#include <mutex>

namespace qx {
namespace {

WindowObject *SlotObject(HWND hwnd) { return reinterpret_cast<WindowObject *>(GetWindowLongPtrA(hwnd, 0)); }
void SetSlotObject(HWND hwnd, WindowObject *object) {
    SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(object));
}

// The class procedures of the library: a handful, added once each, never
// removed.
constexpr int kMaxClassProcs = 16;
std::atomic<WNDPROC> g_classProcs[kMaxClassProcs];

std::mutex g_pendingLock;  // guards WindowObject::pending_

bool IsClassProcOfOurs(WNDPROC proc) {
    if (!proc) return false;
    for (const auto &p : g_classProcs)
        if (p.load() == proc) return true;
    return false;
}

}  // namespace

void WindowObject::AddClassProc(WNDPROC proc) {
    for (auto &p : g_classProcs) {
        WNDPROC expected = nullptr;
        if (p.compare_exchange_strong(expected, proc) || expected == proc) return;
    }
}

UINT WindowObject::CallMessage() {
    static const UINT message = RegisterWindowMessageA("QXCntlObjectCall");
    return message;
}

bool WindowObject::Build(const CREATESTRUCTA &) { return true; }

bool WindowObject::SendToParent(UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    if (gone_) return false;
    const LRESULT answer = SendMessageA(GetParent(hwnd_), msg, wp, lp);
    if (result) *result = answer;
    return !gone_;
}

bool WindowObject::NotifyParent(WORD code) {
    const WORD id = static_cast<WORD>(GetDlgCtrlID(hwnd_));
    return SendToParent(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hwnd_));
}

// ---- The window procedure ----------------------------------------------------

LRESULT WindowObject::Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, Factory make) {
    WindowObject *object = SlotObject(hwnd);
    if (!object) return msg == WM_NCCREATE ? Create(hwnd, lp, make) : DefWindowProcA(hwnd, msg, wp, lp);
    Guard guard(*object);
    if (msg == CallMessage() && msg != 0) return RunSentCall(*object, lp);
    const LRESULT result = object->OnMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetSlotObject(hwnd, nullptr);
        object->gone_ = true;  // deleted when the outermost Guard unwinds
    }
    return result;
}

// The object goes into slot 0 before it builds itself, so that the messages
// its building sends reach it; WM_NCCREATE itself comes last, once built.
// Destroyed from inside its own creation, it fails the creation too.
LRESULT WindowObject::Create(HWND hwnd, LPARAM lp, Factory make) {
    const auto *cs = reinterpret_cast<const CREATESTRUCTA *>(lp);
    WindowObject *object = cs ? make(hwnd, *cs) : nullptr;
    if (!object) return FALSE;
    SetSlotObject(hwnd, object);
    Guard guard(*object);
    LRESULT created = object->Build(*cs) ? TRUE : FALSE;
    if (created && !object->gone_) created = object->OnMessage(WM_NCCREATE, 0, lp);
    if (object->gone_) return FALSE;
    if (!created) {
        SetSlotObject(hwnd, nullptr);
        object->gone_ = true;
    }
    return created;
}

// ---- The exports' way in -----------------------------------------------------

// The class procedure, not the window's: a host may subclass our windows.
bool WindowObject::IsOurs(HWND hwnd) {
    if (!hwnd || !IsWindow(hwnd)) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != GetCurrentProcessId()) return false;
    if (!IsClassProcOfOurs(reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd, GCLP_WNDPROC)))) return false;
    return GetClassLongPtrA(hwnd, GCL_CBWNDEXTRA) >= kWindowExtraBytes;
}

bool WindowObject::RunCall(HWND hwnd, Call &call) {
    if (!IsOurs(hwnd)) return false;
    if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return RunOnOwnThread(hwnd, call);
    WindowObject *object = SlotObject(hwnd);
    if (!object) return false;
    Guard guard(*object);
    return call.Run(*object);
}

WindowObject::Call *WindowObject::pending_ = nullptr;

// The call is listed for its window while the message carrying it is sent,
// and taken off the list afterwards: a window that is gone before the
// message arrives leaves it unrun (false).
bool WindowObject::RunOnOwnThread(HWND hwnd, Call &call) {
    call.window = hwnd;
    {
        std::lock_guard<std::mutex> lock(g_pendingLock);
        call.next = pending_;
        pending_ = &call;
    }
    SendMessageA(hwnd, CallMessage(), 0, reinterpret_cast<LPARAM>(&call));
    std::lock_guard<std::mutex> lock(g_pendingLock);
    for (Call **p = &pending_; *p; p = &(*p)->next) {
        if (*p == &call) {
            *p = call.next;
            break;
        }
    }
    return call.result;
}

// lParam is compared with the listed calls before it is used as one: a
// message from another process, or any stray value, matches none.
LRESULT WindowObject::RunSentCall(WindowObject &object, LPARAM lp) {
    Call *call = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_pendingLock);
        for (Call *c = pending_; c; c = c->next) {
            if (reinterpret_cast<LPARAM>(c) == lp && c->window == object.hwnd_ && !c->taken) {
                c->taken = true;
                call = c;
                break;
            }
        }
    }
    if (!call) return 0;
    call->result = call->Run(object);
    return call->result ? 1 : 0;
}

}  // namespace qx
