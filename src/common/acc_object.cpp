#include "common/acc_object.h"

#include <climits>
#include <type_traits>

#include "common/accessible.h"

namespace qx {

namespace {

void SetElement(VARIANT *v, long child) {
    V_VT(v) = VT_I4;
    V_I4(v) = child;
}

VARIANT Self() {
    VARIANT v;
    SetElement(&v, CHILDID_SELF);
    return v;
}

// A client's text in the ANSI code page. A text the code page cannot show
// exactly, or one with a 0 inside, is refused rather than changed.
HRESULT FromWide(const AccApi &api, BSTR wide, AccText *out) {
    const UINT length = wide ? api.SysStringLen(wide) : 0;
    if (length > INT_MAX / 4) return E_INVALIDARG;
    for (UINT i = 0; i < length; ++i)
        if (wide[i] == 0) return E_INVALIDARG;
    if (length == 0) return out->Assign("", 0) ? S_OK : E_OUTOFMEMORY;
    // A UTF-8 code page takes neither the flag nor the question.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL lossy = FALSE;
    BOOL *askLossy = utf8 ? nullptr : &lossy;
    const int size = WideCharToMultiByte(CP_ACP, flags, wide, static_cast<int>(length), nullptr, 0,
                                         nullptr, askLossy);
    if (size <= 0 || lossy) return E_INVALIDARG;
    char *dest = out->Buffer(static_cast<size_t>(size));
    if (!dest) return E_OUTOFMEMORY;
    if (WideCharToMultiByte(CP_ACP, flags, wide, static_cast<int>(length), dest, size, nullptr,
                            askLossy) != size ||
        lossy)
        return E_INVALIDARG;
    return S_OK;
}

}  // namespace

AccessibleObject::AccessibleObject(const AccApi &api, WindowAccess &owner, IAccessible *standard)
    : api_(api),
      hwnd_(owner.hwnd()),
      thread_(GetCurrentThreadId()),
      owner_(&owner),
      standard_(standard) {}

AccessibleObject::~AccessibleObject() {
    if (standard_) standard_->Release();
}

void AccessibleObject::Disconnect() {
    owner_ = nullptr;
    IAccessible *standard = standard_;
    standard_ = nullptr;
    if (standard) standard->Release();
    // Clients in other processes reach the object through COM's stubs, which
    // hold references: let them go, so that their proxies answer
    // disconnected at once and nothing of the library stays referenced.
    api_.CoDisconnectObject(static_cast<IAccessible *>(this), 0);
}

namespace {

// The provider held for the length of one call (AccHold to AccLetGo); when
// the call ended the window, nothing of the window's side is touched after.
class ProviderHold {
public:
    explicit ProviderHold(AccessProvider &provider) : provider_(provider) { provider_.AccHold(); }
    ~ProviderHold() { provider_.AccLetGo(); }
    ProviderHold(const ProviderHold &) = delete;
    ProviderHold &operator=(const ProviderHold &) = delete;

private:
    AccessProvider &provider_;
};

}  // namespace

void AccessibleObject::Run(AccCall *call) {
    if (!owner_) {
        call->result = RPC_E_DISCONNECTED;
        return;
    }
    ProviderHold hold(owner_->provider());
    call->result = call->run(call->context);
}

void AccCall::Run() { target->Run(this); }

template <typename Body>
HRESULT AccessibleObject::Serve(Body &&body) {
    if (GetCurrentThreadId() == thread_) {
        if (!owner_) return RPC_E_DISCONNECTED;
        ProviderHold hold(owner_->provider());
        return body();
    }
    // A client on another thread (one of this process's, or COM's for a
    // client elsewhere when the window's thread is in the multithreaded
    // apartment): the window's thread runs the call. A window that is gone,
    // or another window that now has its handle, does not answer.
    using Callable = std::remove_reference_t<Body>;
    AccCall call(this, [](void *context) -> HRESULT { return (*static_cast<Callable *>(context))(); }, &body);
    if (!SendToWindowThread(hwnd_, call)) return RPC_E_DISCONNECTED;
    return call.result;
}

template <typename Body>
HRESULT AccessibleObject::ServeElement(const VARIANT &child, Body &&body) {
    return Serve([&]() -> HRESULT {
        long id;
        const HRESULT hr = Element(child, &id);
        return FAILED(hr) ? hr : body(id);
    });
}

template <typename Body>
HRESULT AccessibleObject::ServeText(const VARIANT &child, BSTR *out, Body &&body) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return ServeElement(child, [&](long id) -> HRESULT {
        AccText text;
        const HRESULT hr = body(id, &text);
        return hr == S_OK ? Text(text, out) : hr;
    });
}

long AccessibleObject::Parts() const {
    const long count = owner_->provider().AccChildCount();
    return count > 0 ? count : 0;
}

HRESULT AccessibleObject::Element(const VARIANT &v, long *child) const {
    long id;
    if (V_VT(&v) == VT_EMPTY)
        id = CHILDID_SELF;
    else if (V_VT(&v) == VT_I4)
        id = V_I4(&v);
    else
        return E_INVALIDARG;
    if (id < 0 || id > Parts()) return E_INVALIDARG;
    *child = id;
    return S_OK;
}

HRESULT AccessibleObject::Text(const AccText &text, BSTR *out) const {
    if (text.failed()) return E_OUTOFMEMORY;
    if (text.size() > INT_MAX) return E_OUTOFMEMORY;
    const int size = static_cast<int>(text.size());
    const int length = size ? MultiByteToWideChar(CP_ACP, 0, text.c_str(), size, nullptr, 0) : 0;
    if (size && length <= 0) return E_FAIL;
    BSTR wide = api_.SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (!wide) return E_OUTOFMEMORY;
    if (length) MultiByteToWideChar(CP_ACP, 0, text.c_str(), size, wide, length);
    *out = wide;
    return S_OK;
}

// ---- IUnknown ----------------------------------------------------------------

STDMETHODIMP AccessibleObject::QueryInterface(REFIID iid, void **out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, kIidUnknown) || IsEqualIID(iid, kIidDispatch) ||
        IsEqualIID(iid, kIidAccessible)) {
        *out = static_cast<IAccessible *>(this);
    } else if (IsEqualIID(iid, kIidOleWindow)) {
        *out = static_cast<IOleWindow *>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) AccessibleObject::AddRef() { return InterlockedIncrement(&refs_); }

STDMETHODIMP_(ULONG) AccessibleObject::Release() {
    const LONG refs = InterlockedDecrement(&refs_);
    if (refs == 0) delete this;
    return refs;
}

// ---- IDispatch ---------------------------------------------------------------

STDMETHODIMP AccessibleObject::GetTypeInfoCount(UINT *count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP AccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo **info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP AccessibleObject::GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) {
    return E_NOTIMPL;
}

STDMETHODIMP AccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *,
                                      EXCEPINFO *, UINT *) {
    return E_NOTIMPL;
}

// ---- IAccessible: the window's place among windows (the default object) -----

STDMETHODIMP AccessibleObject::get_accParent(IDispatch **parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    return Serve([&]() { return standard_->get_accParent(parent); });
}

STDMETHODIMP AccessibleObject::get_accChildCount(long *count) {
    if (!count) return E_POINTER;
    *count = 0;
    return Serve([&]() -> HRESULT {
        const long parts = Parts();
        if (parts == 0) return standard_->get_accChildCount(count);
        *count = parts;
        return S_OK;
    });
}

STDMETHODIMP AccessibleObject::get_accChild(VARIANT child, IDispatch **object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    return Serve([&]() -> HRESULT {
        // Without parts the children are child windows, the default object's.
        if (Parts() == 0) return standard_->get_accChild(child, object);
        long id;
        const HRESULT hr = Element(child, &id);
        if (FAILED(hr) || id == CHILDID_SELF) return E_INVALIDARG;
        return S_FALSE;  // a part is an element of this object, not one of its own
    });
}

// ---- IAccessible: what the provider answers ----------------------------------

STDMETHODIMP AccessibleObject::get_accName(VARIANT child, BSTR *name) {
    return ServeText(child, name, [&](long id, AccText *text) -> HRESULT {
        const char *set = id == CHILDID_SELF ? owner_->SetName() : nullptr;
        if (set) {
            text->Assign(set);
        } else {
            AccText caption;
            owner_->provider().AccCaption(id, &caption);
            if (caption.failed() || !StripMnemonics(caption.c_str(), text)) return E_OUTOFMEMORY;
        }
        return text->empty() && !text->failed() ? S_FALSE : S_OK;
    });
}

STDMETHODIMP AccessibleObject::get_accValue(VARIANT child, BSTR *value) {
    return ServeText(child, value, [&](long id, AccText *text) -> HRESULT {
        return owner_->provider().AccValue(id, text) ? S_OK : DISP_E_MEMBERNOTFOUND;
    });
}

STDMETHODIMP AccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR *shortcut) {
    return ServeText(child, shortcut, [&](long id, AccText *keys) -> HRESULT {
        // The window's mnemonic moves the focus to it; its parts have none.
        if (id != CHILDID_SELF) return S_FALSE;
        AccText caption;
        owner_->provider().AccCaption(id, &caption);
        if (caption.failed()) return E_OUTOFMEMORY;
        return MnemonicShortcut(caption.c_str(), keys) || keys->failed() ? S_OK : S_FALSE;
    });
}

STDMETHODIMP AccessibleObject::get_accDefaultAction(VARIANT child, BSTR *action) {
    return ServeText(child, action, [&](long id, AccText *text) -> HRESULT {
        owner_->provider().AccDefaultAction(id, text);
        return text->empty() && !text->failed() ? S_FALSE : S_OK;
    });
}

STDMETHODIMP AccessibleObject::get_accRole(VARIANT child, VARIANT *role) {
    if (!role) return E_POINTER;
    V_VT(role) = VT_EMPTY;
    return ServeElement(child, [&](long id) -> HRESULT {
        SetElement(role, owner_->provider().AccRole(id));
        return S_OK;
    });
}

STDMETHODIMP AccessibleObject::get_accState(VARIANT child, VARIANT *state) {
    if (!state) return E_POINTER;
    V_VT(state) = VT_EMPTY;
    return ServeElement(child, [&](long id) -> HRESULT {
        const long window = AccWindowState(hwnd_);
        const long inherited = id == CHILDID_SELF
                                   ? window
                                   : window & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE);
        SetElement(state, owner_->provider().AccState(id) | inherited);
        return S_OK;
    });
}

STDMETHODIMP AccessibleObject::accDoDefaultAction(VARIANT child) {
    return ServeElement(child, [&](long id) { return owner_->provider().AccDoDefaultAction(id); });
}

STDMETHODIMP AccessibleObject::put_accValue(VARIANT child, BSTR value) {
    return ServeElement(child, [&](long id) -> HRESULT {
        AccText text;
        const HRESULT hr = FromWide(api_, value, &text);
        return FAILED(hr) ? hr : owner_->provider().AccSetValue(id, text.c_str());
    });
}

STDMETHODIMP AccessibleObject::put_accName(VARIANT child, BSTR) {
    return ServeElement(child, [](long) { return E_NOTIMPL; });
}

// ---- IAccessible: the window's from the default object, the parts' here ------

STDMETHODIMP AccessibleObject::get_accDescription(VARIANT child, BSTR *description) {
    if (!description) return E_POINTER;
    *description = nullptr;
    return ServeElement(child, [&](long id) {
        return id == CHILDID_SELF ? standard_->get_accDescription(Self(), description) : S_FALSE;
    });
}

STDMETHODIMP AccessibleObject::get_accHelp(VARIANT child, BSTR *help) {
    if (!help) return E_POINTER;
    *help = nullptr;
    return ServeElement(child, [&](long id) {
        return id == CHILDID_SELF ? standard_->get_accHelp(Self(), help) : S_FALSE;
    });
}

STDMETHODIMP AccessibleObject::get_accHelpTopic(BSTR *file, VARIANT child, long *topic) {
    if (!file || !topic) return E_POINTER;
    *file = nullptr;
    *topic = -1;
    return ServeElement(child, [&](long id) {
        return id == CHILDID_SELF ? standard_->get_accHelpTopic(file, Self(), topic) : S_FALSE;
    });
}

STDMETHODIMP AccessibleObject::get_accFocus(VARIANT *child) {
    if (!child) return E_POINTER;
    V_VT(child) = VT_EMPTY;
    return Serve([&]() -> HRESULT {
        const HRESULT hr = standard_->get_accFocus(child);
        if (hr != S_OK || V_VT(child) != VT_I4 || V_I4(child) != CHILDID_SELF) return hr;
        // The window has the focus: a part may hold it inside.
        const long parts = Parts();
        for (long id = 1; id <= parts; ++id)
            if (owner_->provider().AccState(id) & STATE_SYSTEM_FOCUSED) {
                SetElement(child, id);
                break;
            }
        return S_OK;
    });
}

STDMETHODIMP AccessibleObject::get_accSelection(VARIANT *children) {
    if (!children) return E_POINTER;
    V_VT(children) = VT_EMPTY;
    return Serve([&]() { return standard_->get_accSelection(children); });
}

STDMETHODIMP AccessibleObject::accSelect(long flags, VARIANT child) {
    return ServeElement(child, [&](long id) {
        return id == CHILDID_SELF ? standard_->accSelect(flags, Self()) : DISP_E_MEMBERNOTFOUND;
    });
}

STDMETHODIMP AccessibleObject::accLocation(long *left, long *top, long *width, long *height,
                                           VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    return ServeElement(child, [&](long id) -> HRESULT {
        if (id == CHILDID_SELF) return standard_->accLocation(left, top, width, height, Self());
        RECT r;
        if (!owner_->provider().AccChildRect(id, &r)) return S_FALSE;
        POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
        MapWindowPoints(hwnd_, nullptr, corners, 2);
        *left = corners[0].x;
        *top = corners[0].y;
        *width = corners[1].x - corners[0].x;
        *height = corners[1].y - corners[0].y;
        return S_OK;
    });
}

STDMETHODIMP AccessibleObject::accNavigate(long direction, VARIANT start, VARIANT *end) {
    if (!end) return E_POINTER;
    V_VT(end) = VT_EMPTY;
    return ServeElement(start, [&](long id) -> HRESULT {
        const long parts = Parts();
        long to = 0;  // none
        if (id == CHILDID_SELF) {
            if (parts == 0 || (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD))
                return standard_->accNavigate(direction, Self(), end);
            to = direction == NAVDIR_FIRSTCHILD ? 1 : parts;
        } else if (direction == NAVDIR_NEXT) {
            to = id < parts ? id + 1 : 0;
        } else if (direction == NAVDIR_PREVIOUS) {
            to = id - 1;
        } else if (direction >= NAVDIR_UP && direction <= NAVDIR_RIGHT) {
            return DISP_E_MEMBERNOTFOUND;  // parts are not placed against each other
        } else if (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD) {
            return E_INVALIDARG;
        }  // else a part's first or last child: parts have none
        if (to == 0) return S_FALSE;
        SetElement(end, to);
        return S_OK;
    });
}

STDMETHODIMP AccessibleObject::accHitTest(long x, long y, VARIANT *child) {
    if (!child) return E_POINTER;
    V_VT(child) = VT_EMPTY;
    return Serve([&]() -> HRESULT {
        const HRESULT hr = standard_->accHitTest(x, y, child);
        if (hr != S_OK || V_VT(child) != VT_I4 || V_I4(child) != CHILDID_SELF) return hr;
        // Inside the window and on none of its child windows: perhaps on a part.
        POINT at = {x, y};
        ScreenToClient(hwnd_, &at);
        const long parts = Parts();
        for (long id = 1; id <= parts; ++id) {
            RECT r;
            if (owner_->provider().AccChildRect(id, &r) && PtInRect(&r, at)) {
                SetElement(child, id);
                break;
            }
        }
        return S_OK;
    });
}

// ---- IOleWindow ----------------------------------------------------------------

STDMETHODIMP AccessibleObject::GetWindow(HWND *hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = nullptr;
    return Serve([&]() {
        *hwnd = hwnd_;
        return S_OK;
    });
}

STDMETHODIMP AccessibleObject::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

}  // namespace qx
