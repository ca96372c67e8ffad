#include "common/window_object.h"

#include <atomic>
#include <new>

#include "qx_cntl.h"

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
    if (!object) return msg == WM_NCCREATE ? Create(hwnd, wp, lp, make) : DefWindowProcA(hwnd, msg, wp, lp);
    Guard guard(*object);
    if (msg == ThreadCallMessage() && msg != 0) return RunThreadCall(hwnd, lp) ? 1 : 0;
    switch (msg) {
    case WM_GETOBJECT:
        if (const LRESULT answer = object->access_.OnGetObject(wp, lp)) return answer;
        return DefWindowProcA(hwnd, msg, wp, lp);
    case QXM_SETACCNAME: return object->access_.OnSetName(lp);
    // Clients that still hold the accessible object are told it is gone
    // from here on, whatever the class does at its end.
    case WM_NCDESTROY: object->access_.Disconnect(); break;
    default: break;
    }
    const LRESULT result = object->OnMessage(msg, wp, lp);
    // The system raises no event when a window is enabled or disabled.
    if (msg == WM_ENABLE && !object->gone_) NotifyStateChange(hwnd);
    if (msg == WM_NCDESTROY) {
        SetSlotObject(hwnd, nullptr);
        object->gone_ = true;  // deleted when the outermost Guard unwinds
    }
    return result;
}

// The object goes into slot 0 before it builds itself, so that the messages
// its building sends reach it; WM_NCCREATE itself comes last, once built.
// Destroyed from inside its own creation, it fails the creation too.
LRESULT WindowObject::Create(HWND hwnd, WPARAM wp, LPARAM lp, Factory make) {
    const auto *cs = reinterpret_cast<const CREATESTRUCTA *>(lp);
    WindowObject *object = cs ? make(hwnd, *cs) : nullptr;
    if (!object) return FALSE;
    SetSlotObject(hwnd, object);
    Guard guard(*object);
    LRESULT created = object->Build(*cs) ? TRUE : FALSE;
    if (created && !object->gone_) created = object->OnMessage(WM_NCCREATE, wp, lp);
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

WindowObject *WindowObject::Here(HWND hwnd) {
    if (!IsOurs(hwnd) || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return nullptr;
    return SlotObject(hwnd);
}

namespace {

void CopyData(CallData &to, const CallData &from, bool *copied) {
    for (int i = 0; i < 2; ++i) {
        to.number[i] = from.number[i];
        to.real[i] = from.real[i];
    }
    to.handle = from.handle;
    if (!to.text.Assign(from.text.c_str(), from.text.size())) *copied = false;
}

// An export's call on a window of another thread, with its own copy of the
// data.
class ExportCall final : public ThreadCall {
public:
    ExportCall(HWND hwnd, WindowObject::Work work) : window_(hwnd), work_(work) {}
    // On the window's thread, within its window procedure (which holds the
    // Guard): the work on the object in slot 0.
    void Run() override {
        if (WindowObject *object = SlotObject(window_)) result = work_(*object, data);
    }
    CallData data;
    bool result = false;

private:
    const HWND window_;
    const WindowObject::Work work_;
};

}  // namespace

bool CopyWhole(const AccText &text, char *dst, int size) {
    if (size <= 0 || text.size() >= static_cast<size_t>(size)) return false;
    CopyMemory(dst, text.c_str(), text.size() + 1);
    return true;
}

bool WindowObject::Call(HWND hwnd, Work work, CallData &data) {
    if (!IsOurs(hwnd)) return false;
    if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) {
        WindowObject *object = SlotObject(hwnd);
        if (!object) return false;
        Guard guard(*object);
        return work(*object, data);
    }
    ExportCall *call = new (std::nothrow) ExportCall(hwnd, work);
    if (!call) return false;
    bool copied = true;
    CopyData(call->data, data, &copied);
    bool result = false;
    if (copied) {
        switch (SendToWindowThread(hwnd, *call)) {
        case CallOutcome::kDone:
            CopyData(data, call->data, &copied);
            result = call->result && copied;
            break;
        case CallOutcome::kReleased: SetLastError(ERROR_IO_PENDING); break;
        case CallOutcome::kNotRun: break;
        }
    }
    call->LetGo();
    return result;
}

}  // namespace qx
