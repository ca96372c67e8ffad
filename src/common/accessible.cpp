#include "common/accessible.h"

#include <ole2.h>
#include <oleacc.h>

#include <cstring>
#include <new>

#include "common/acc_api.h"
#include "common/acc_object.h"

namespace qx {

WindowAccess::WindowAccess(HWND hwnd, AccessProvider &provider, WindowObject &holder)
    : hwnd_(hwnd), provider_(provider), holder_(holder) {}

WindowAccess::~WindowAccess() { Disconnect(); }

LRESULT WindowAccess::OnGetObject(WPARAM flags, LPARAM objectId) {
    // The id arrives zero-extended from 32 bits on 64-bit systems.
    if (closed_ || static_cast<DWORD>(objectId) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
    const AccApi *api = LoadAccApi();
    if (!api) return 0;
    if (!object_) {
        IAccessible *standard = nullptr;
        if (FAILED(api->CreateStdAccessibleObject(hwnd_, OBJID_CLIENT, kIidAccessible,
                                                  reinterpret_cast<void **>(&standard))) ||
            !standard)
            return 0;
        object_ = new (std::nothrow) AccessibleObject(*api, *this, standard);
        if (!object_) {
            standard->Release();
            return 0;
        }
    }
    return api->LresultFromObject(kIidAccessible, flags, static_cast<IAccessible *>(object_));
}

LRESULT WindowAccess::OnSetName(LPARAM name) {
    const char *text = reinterpret_cast<const char *>(name);
    if (named_ && text && std::strcmp(text, name_.c_str()) == 0) return TRUE;
    if (!named_ && !text) return TRUE;
    named_ = text && name_.Assign(text);
    if (!named_) name_.Clear();
    NotifyNameChange(hwnd_);
    return !text || named_ ? TRUE : FALSE;
}

void WindowAccess::Disconnect() {
    closed_ = true;
    AccessibleObject *object = object_;
    object_ = nullptr;
    if (object) {
        object->Disconnect();
        object->Release();
    }
}

namespace {

// Statics that show text, as opposed to pictures, frames, rectangles and
// etched lines.
bool ShowsText(LONG style) {
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
    case SS_OWNERDRAW:
        return true;
    default:
        return false;
    }
}

bool IsStatic(HWND hwnd) {
    char name[16];
    return GetClassNameA(hwnd, name, sizeof name) > 0 && lstrcmpiA(name, "Static") == 0;
}

}  // namespace

void DoubleAmpersands(AccText *caption) {
    size_t marks = 0;
    for (const char *p = caption->c_str(); *p; ++p) marks += *p == '&';
    if (!marks) return;
    AccText plain;
    if (!plain.Assign(caption->c_str(), caption->size())) return;
    char *dest = caption->Buffer(plain.size() + marks);
    if (!dest) return;
    // '&' is never a trail byte of a double-byte character.
    for (const char *p = plain.c_str(); *p; ++p) {
        *dest++ = *p;
        if (*p == '&') *dest++ = '&';
    }
}

long AccWindowState(HWND hwnd) {
    long state = 0;
    if (!IsWindowEnabled(hwnd))
        state |= STATE_SYSTEM_UNAVAILABLE;
    else
        state |= STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == hwnd) state |= STATE_SYSTEM_FOCUSED;
    if (!IsWindowVisible(hwnd)) state |= STATE_SYSTEM_INVISIBLE;
    return state;
}

void WindowTextCaption(HWND hwnd, AccText *caption) {
    const int length = GetWindowTextLengthA(hwnd);
    char *dest = caption->Buffer(length > 0 ? static_cast<size_t>(length) : 0);
    if (!dest) return;
    const int got = length > 0 ? GetWindowTextA(hwnd, dest, length + 1) : 0;
    caption->Truncate(got > 0 ? static_cast<size_t>(got) : 0);
}

void LabelCaption(HWND hwnd, AccText *caption) {
    caption->Clear();
    // A top-level window's predecessors are other top-level windows.
    if (!(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) return;
    for (HWND w = GetWindow(hwnd, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        const LONG style = GetWindowLongA(w, GWL_STYLE);
        if (!(style & WS_VISIBLE)) continue;
        if (!IsStatic(w)) return;
        if (!ShowsText(style)) continue;
        WindowTextCaption(w, caption);
        if (style & SS_NOPREFIX) DoubleAmpersands(caption);
        return;
    }
}

void NotifyAccEvent(DWORD event, HWND hwnd, long child) {
    RaiseWinEvent(event, hwnd, OBJID_CLIENT, child);
}
void NotifyValueChange(HWND hwnd, long child) {
    NotifyAccEvent(EVENT_OBJECT_VALUECHANGE, hwnd, child);
}
void NotifyStateChange(HWND hwnd, long child) {
    NotifyAccEvent(EVENT_OBJECT_STATECHANGE, hwnd, child);
}
void NotifyNameChange(HWND hwnd, long child) {
    NotifyAccEvent(EVENT_OBJECT_NAMECHANGE, hwnd, child);
}

}  // namespace qx
