#include "common/acc_object.h"

#include <climits>
#include <new>

#include "common/accessible.h"
#include "common/window_object.h"

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

// ---- Requests and calls ----------------------------------------------------------

AccRequest::AccRequest(const AccApi &accApi, const VARIANT *element) : api(accApi), named(element != nullptr) {
    V_VT(&var) = VT_EMPTY;
    if (!element) return;
    elementType = V_VT(element);
    if (elementType == VT_I4) elementId = V_I4(element);
}

AccRequest::~AccRequest() {
    if (bstr) api.SysFreeString(bstr);
    api.VariantClear(&var);
    if (dispatch) dispatch->Release();
}

bool AccRequest::CopyArguments(const AccRequest &from) {
    named = from.named;
    checked = from.checked;
    elementType = from.elementType;
    elementId = from.elementId;
    a = from.a;
    b = from.b;
    return text.Assign(from.text.c_str(), from.text.size());
}

void AccRequest::TakeAnswers(AccRequest &from) {
    bstr = from.bstr;
    var = from.var;
    dispatch = from.dispatch;
    for (int i = 0; i < 4; ++i) n[i] = from.n[i];
    from.bstr = nullptr;
    V_VT(&from.var) = VT_EMPTY;
    from.dispatch = nullptr;
}

AccCall::AccCall(AccessibleObject &target, AccWork work) : request(target.api_), target_(target), work_(work) {
    target_.AddRef();
}

AccCall::~AccCall() { target_.Release(); }

void AccCall::Run() { result = target_.Run(work_, request); }

// ---- The object --------------------------------------------------------------------

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
    if (running_ == 0 && standard_) {
        standard_->Release();
        standard_ = nullptr;
    }
    // Clients in other processes reach the object through COM's stubs, which
    // hold references: let them go, so that their proxies answer
    // disconnected at once and nothing of the library stays referenced.
    api_.CoDisconnectObject(static_cast<IAccessible *>(this), 0);
}

HRESULT AccessibleObject::Run(AccWork work, AccRequest &request) {
    if (!owner_) return RPC_E_DISCONNECTED;
    if (request.named && request.checked) {
        const HRESULT found = Element(request, &request.id);
        if (FAILED(found)) return found;
    }
    WindowObject::Guard guard(owner_->holder());
    ++running_;
    const HRESULT hr = work(*this, request);
    if (--running_ == 0 && !owner_ && standard_) {
        standard_->Release();
        standard_ = nullptr;
    }
    return hr;
}

// A client on another thread (one of this process's, or COM's for a client
// elsewhere when the window's thread is in the multithreaded apartment):
// the window's thread runs the call. A window that is gone, or another
// window that now has its handle, does not answer.
HRESULT AccessibleObject::Serve(AccWork work, AccRequest &request) {
    if (GetCurrentThreadId() == thread_) return Run(work, request);
    AccCall *call = new (std::nothrow) AccCall(*this, work);
    if (!call) return E_OUTOFMEMORY;
    HRESULT hr = E_OUTOFMEMORY;
    if (call->request.CopyArguments(request)) {
        switch (SendToWindowThread(hwnd_, *call)) {
        case CallOutcome::kDone:
            hr = call->result;
            request.TakeAnswers(call->request);
            break;
        case CallOutcome::kReleased: hr = E_PENDING; break;
        case CallOutcome::kNotRun: hr = RPC_E_DISCONNECTED; break;
        }
    }
    call->LetGo();
    return hr;
}

long AccessibleObject::Parts() const {
    const long count = owner_->provider().AccChildCount();
    return count > 0 ? count : 0;
}

HRESULT AccessibleObject::Element(const AccRequest &request, long *child) const {
    long id;
    if (request.elementType == VT_EMPTY)
        id = CHILDID_SELF;
    else if (request.elementType == VT_I4)
        id = request.elementId;
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

namespace {

// The answers handed to the client, which owns them from here on.
HRESULT GiveText(HRESULT hr, AccRequest &r, BSTR *out) {
    *out = r.bstr;
    r.bstr = nullptr;
    return hr;
}

HRESULT GiveVariant(HRESULT hr, AccRequest &r, VARIANT *out) {
    *out = r.var;
    V_VT(&r.var) = VT_EMPTY;
    return hr;
}

HRESULT GiveDispatch(HRESULT hr, AccRequest &r, IDispatch **out) {
    *out = r.dispatch;
    r.dispatch = nullptr;
    return hr;
}

}  // namespace

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

namespace {

// The element a request names, as the default object takes it.
VARIANT ElementVariant(const AccRequest &q) {
    VARIANT v;
    V_VT(&v) = q.elementType == VT_I4 ? VT_I4 : VT_EMPTY;
    V_I4(&v) = q.elementId;
    return v;
}

}  // namespace

STDMETHODIMP AccessibleObject::get_accParent(IDispatch **parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    AccRequest r(api_);
    const HRESULT hr = Serve([](AccessibleObject &o, AccRequest &q) { return o.standard_->get_accParent(&q.dispatch); }, r);
    return GiveDispatch(hr, r, parent);
}

STDMETHODIMP AccessibleObject::get_accChildCount(long *count) {
    if (!count) return E_POINTER;
    *count = 0;
    AccRequest r(api_);
    const HRESULT hr = Serve(
        [](AccessibleObject &o, AccRequest &q) -> HRESULT {
            q.n[0] = o.Parts();
            return q.n[0] ? S_OK : o.standard_->get_accChildCount(&q.n[0]);
        },
        r);
    *count = r.n[0];
    return hr;
}

STDMETHODIMP AccessibleObject::get_accChild(VARIANT child, IDispatch **object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    AccRequest r(api_, &child);
    r.checked = false;
    const HRESULT hr = Serve(
        [](AccessibleObject &o, AccRequest &q) -> HRESULT {
            // Without parts the children are child windows, the default object's.
            if (o.Parts() == 0) {
                if (q.elementType != VT_I4 && q.elementType != VT_EMPTY) return E_INVALIDARG;
                return o.standard_->get_accChild(ElementVariant(q), &q.dispatch);
            }
            long id;
            if (FAILED(o.Element(q, &id)) || id == CHILDID_SELF) return E_INVALIDARG;
            return S_FALSE;  // a part is an element of this object, not one of its own
        },
        r);
    return GiveDispatch(hr, r, object);
}

// ---- IAccessible: what the provider answers ----------------------------------

HRESULT AccessibleObject::TextAnswer(AccRequest &q, TextBody body) {
    AccText text;
    const HRESULT hr = body(*this, q.id, &text);
    return hr == S_OK ? Text(text, &q.bstr) : hr;
}

STDMETHODIMP AccessibleObject::get_accName(VARIANT child, BSTR *name) {
    if (!name) return E_POINTER;
    *name = nullptr;
    AccRequest r(api_, &child);
    const HRESULT hr = Serve(
        [](AccessibleObject &o, AccRequest &q) {
            return o.TextAnswer(q, [](AccessibleObject &self, long id, AccText *text) -> HRESULT {
                const char *set = id == CHILDID_SELF ? self.owner_->SetName() : nullptr;
                if (set) {
                    text->Assign(set);
                } else {
                    AccText caption;
                    self.owner_->provider().AccCaption(id, &caption);
                    if (caption.failed() || !StripMnemonics(caption.c_str(), text)) return E_OUTOFMEMORY;
                }
                return text->empty() && !text->failed() ? S_FALSE : S_OK;
            });
        },
        r);
    return GiveText(hr, r, name);
}

STDMETHODIMP AccessibleObject::get_accValue(VARIANT child, BSTR *value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    AccRequest r(api_, &child);
    const HRESULT hr = Serve(
        [](AccessibleObject &o, AccRequest &q) {
            return o.TextAnswer(q, [](AccessibleObject &self, long id, AccText *text) -> HRESULT {
                return self.owner_->provider().AccValue(id, text) ? S_OK : DISP_E_MEMBERNOTFOUND;
            });
        },
        r);
    return GiveText(hr, r, value);
}

STDMETHODIMP AccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR *shortcut) {
    if (!shortcut) return E_POINTER;
    *shortcut = nullptr;
    AccRequest r(api_, &child);
    const HRESULT hr = Serve(
        [](AccessibleObject &o, AccRequest &q) {
            return o.TextAnswer(q, [](AccessibleObject &self, long id, AccText *keys) -> HRESULT {
                // The window's mnemonic moves the focus to it; its parts have none.
                if (id != CHILDID_SELF) return S_FALSE;
                AccText caption;
                self.owner_->provider().AccCaption(id, &caption);
                if (caption.failed()) return E_OUTOFMEMORY;
                return MnemonicShortcut(caption.c_str(), keys) || keys->failed() ? S_OK : S_FALSE;
            });
        },
        r);
    return GiveText(hr, r, shortcut);
}

STDMETHODIMP AccessibleObject::get_accDefaultAction(VARIANT child, BSTR *action) {
    if (!action) return E_POINTER;
    *action = nullptr;
    AccRequest r(api_, &child);
    const HRESULT hr = Serve(
        [](AccessibleObject &o, AccRequest &q) {
            return o.TextAnswer(q, [](AccessibleObject &self, long id, AccText *text) -> HRESULT {
                self.owner_->provider().AccDefaultAction(id, text);
                return text->empty() && !text->failed() ? S_FALSE : S_OK;
            });
        },
        r);
    return GiveText(hr, r, action);
}

STDMETHODIMP AccessibleObject::get_accRole(VARIANT child, VARIANT *role) {
    if (!role) return E_POINTER;
    V_VT(role) = VT_EMPTY;
    AccRequest r(api_, &child);
    const HRESULT hr = Serve(
        [](AccessibleObject &o, AccRequest &q) -> HRESULT {
            SetElement(&q.var, o.owner_->provider().AccRole(q.id));
            return S_OK;
        },
        r);
    return GiveVariant(hr, r, role);
}

STDMETHODIMP AccessibleObject::get_accState(VARIANT child, VARIANT *state) {
    if (!state) return E_POINTER;
    V_VT(state) = VT_EMPTY;
    AccRequest r(api_, &child);
    const HRESULT hr = Serve(
        [](AccessibleObject &o, AccRequest &q) -> HRESULT {
            const long window = AccWindowState(o.hwnd_);
            const long inherited = q.id == CHILDID_SELF
                                       ? window
                                       : window & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE);
            SetElement(&q.var, o.owner_->provider().AccState(q.id) | inherited);
            return S_OK;
        },
        r);
    return GiveVariant(hr, r, state);
}

STDMETHODIMP AccessibleObject::accDoDefaultAction(VARIANT child) {
    AccRequest r(api_, &child);
    return Serve([](AccessibleObject &o, AccRequest &q) { return o.owner_->provider().AccDoDefaultAction(q.id); }, r);
}

// The client's text is read on the client's thread: it is the client's, and
// may be freed once a client released early has returned.
STDMETHODIMP AccessibleObject::put_accValue(VARIANT child, BSTR value) {
    AccRequest r(api_, &child);
    const HRESULT converted = FromWide(api_, value, &r.text);
    if (FAILED(converted)) return converted;
    return Serve(
        [](AccessibleObject &o, AccRequest &q) { return o.owner_->provider().AccSetValue(q.id, q.text.c_str()); }, r);
}

STDMETHODIMP AccessibleObject::put_accName(VARIANT child, BSTR) {
    AccRequest r(api_, &child);
    return Serve([](AccessibleObject &, AccRequest &) { return E_NOTIMPL; }, r);
}

// ---- IAccessible: the window's from the default object, the parts' here ------

STDMETHODIMP AccessibleObject::get_accDescription(VARIANT child, BSTR *description) {
    if (!description) return E_POINTER;
    *description = nullptr;
    AccRequest r(api_, &child);
    const HRESULT hr = Serve(
        [](AccessibleObject &o, AccRequest &q) -> HRESULT {
            return q.id == CHILDID_SELF ? o.standard_->get_accDescription(Self(), &q.bstr) : S_FALSE;
        },
        r);
    return GiveText(hr, r, description);
}

STDMETHODIMP AccessibleObject::get_accHelp(VARIANT child, BSTR *help) {
    if (!help) return E_POINTER;
    *help = nullptr;
    AccRequest r(api_, &child);
    const HRESULT hr = Serve(
        [](AccessibleObject &o, AccRequest &q) -> HRESULT {
            return q.id == CHILDID_SELF ? o.standard_->get_accHelp(Self(), &q.bstr) : S_FALSE;
        },
        r);
    return GiveText(hr, r, help);
}

STDMETHODIMP AccessibleObject::get_accHelpTopic(BSTR *file, VARIANT child, long *topic) {
    if (!file || !topic) return E_POINTER;
    *file = nullptr;
    *topic = -1;
    AccRequest r(api_, &child);
    r.n[0] = -1;
    const HRESULT hr = Serve(
        [](AccessibleObject &o, AccRequest &q) -> HRESULT {
            return q.id == CHILDID_SELF ? o.standard_->get_accHelpTopic(&q.bstr, Self(), &q.n[0]) : S_FALSE;
        },
        r);
    *topic = r.n[0];
    return GiveText(hr, r, file);
}

// The default object says whether the window has the focus; a part may hold
// it inside. The window may be gone once the default object has answered.
STDMETHODIMP AccessibleObject::get_accFocus(VARIANT *child) {
    if (!child) return E_POINTER;
    V_VT(child) = VT_EMPTY;
    AccRequest r(api_);
    const HRESULT hr = Serve(
        [](AccessibleObject &o, AccRequest &q) -> HRESULT {
            const HRESULT asked = o.standard_->get_accFocus(&q.var);
            if (!o.Serving()) return RPC_E_DISCONNECTED;
            if (asked != S_OK || V_VT(&q.var) != VT_I4 || V_I4(&q.var) != CHILDID_SELF) return asked;
            const long parts = o.Parts();
            for (long id = 1; id <= parts; ++id)
                if (o.owner_->provider().AccState(id) & STATE_SYSTEM_FOCUSED) {
                    SetElement(&q.var, id);
                    break;
                }
            return S_OK;
        },
        r);
    return GiveVariant(hr, r, child);
}

STDMETHODIMP AccessibleObject::get_accSelection(VARIANT *children) {
    if (!children) return E_POINTER;
    V_VT(children) = VT_EMPTY;
    AccRequest r(api_);
    const HRESULT hr = Serve([](AccessibleObject &o, AccRequest &q) { return o.standard_->get_accSelection(&q.var); }, r);
    return GiveVariant(hr, r, children);
}

STDMETHODIMP AccessibleObject::accSelect(long flags, VARIANT child) {
    AccRequest r(api_, &child);
    r.a = flags;
    return Serve(
        [](AccessibleObject &o, AccRequest &q) -> HRESULT {
            return q.id == CHILDID_SELF ? o.standard_->accSelect(q.a, Self()) : DISP_E_MEMBERNOTFOUND;
        },
        r);
}

STDMETHODIMP AccessibleObject::accLocation(long *left, long *top, long *width, long *height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    AccRequest r(api_, &child);
    const HRESULT hr = Serve(
        [](AccessibleObject &o, AccRequest &q) -> HRESULT {
            if (q.id == CHILDID_SELF) return o.standard_->accLocation(&q.n[0], &q.n[1], &q.n[2], &q.n[3], Self());
            RECT rect;
            if (!o.owner_->provider().AccChildRect(q.id, &rect)) return S_FALSE;
            POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
            MapWindowPoints(o.hwnd_, nullptr, corners, 2);
            q.n[0] = corners[0].x;
            q.n[1] = corners[0].y;
            q.n[2] = corners[1].x - corners[0].x;
            q.n[3] = corners[1].y - corners[0].y;
            return S_OK;
        },
        r);
    *left = r.n[0];
    *top = r.n[1];
    *width = r.n[2];
    *height = r.n[3];
    return hr;
}

STDMETHODIMP AccessibleObject::accNavigate(long direction, VARIANT start, VARIANT *end) {
    if (!end) return E_POINTER;
    V_VT(end) = VT_EMPTY;
    AccRequest r(api_, &start);
    r.a = direction;
    const HRESULT hr = Serve(
        [](AccessibleObject &o, AccRequest &q) -> HRESULT {
            const long parts = o.Parts(), way = q.a, id = q.id;
            long to = 0;  // none
            if (id == CHILDID_SELF) {
                if (parts == 0 || (way != NAVDIR_FIRSTCHILD && way != NAVDIR_LASTCHILD))
                    return o.standard_->accNavigate(way, Self(), &q.var);
                to = way == NAVDIR_FIRSTCHILD ? 1 : parts;
            } else if (way == NAVDIR_NEXT) {
                to = id < parts ? id + 1 : 0;
            } else if (way == NAVDIR_PREVIOUS) {
                to = id - 1;
            } else if (way >= NAVDIR_UP && way <= NAVDIR_RIGHT) {
                return DISP_E_MEMBERNOTFOUND;  // parts are not placed against each other
            } else if (way != NAVDIR_FIRSTCHILD && way != NAVDIR_LASTCHILD) {
                return E_INVALIDARG;
            }  // else a part's first or last child: parts have none
            if (to == 0) return S_FALSE;
            SetElement(&q.var, to);
            return S_OK;
        },
        r);
    return GiveVariant(hr, r, end);
}

// Inside the window and on none of its child windows, the point may be on a
// part. The window may be gone once the default object has answered.
STDMETHODIMP AccessibleObject::accHitTest(long x, long y, VARIANT *child) {
    if (!child) return E_POINTER;
    V_VT(child) = VT_EMPTY;
    AccRequest r(api_);
    r.a = x;
    r.b = y;
    const HRESULT hr = Serve(
        [](AccessibleObject &o, AccRequest &q) -> HRESULT {
            const HRESULT asked = o.standard_->accHitTest(q.a, q.b, &q.var);
            if (!o.Serving()) return RPC_E_DISCONNECTED;
            if (asked != S_OK || V_VT(&q.var) != VT_I4 || V_I4(&q.var) != CHILDID_SELF) return asked;
            POINT at = {q.a, q.b};
            ScreenToClient(o.hwnd_, &at);
            const long parts = o.Parts();
            for (long id = 1; id <= parts; ++id) {
                RECT rect;
                if (o.owner_->provider().AccChildRect(id, &rect) && PtInRect(&rect, at)) {
                    SetElement(&q.var, id);
                    break;
                }
            }
            return S_OK;
        },
        r);
    return GiveVariant(hr, r, child);
}

// ---- IOleWindow ----------------------------------------------------------------

STDMETHODIMP AccessibleObject::GetWindow(HWND *hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = nullptr;
    AccRequest r(api_);
    const HRESULT hr = Serve([](AccessibleObject &, AccRequest &) { return S_OK; }, r);
    if (hr == S_OK) *hwnd = hwnd_;
    return hr;
}

STDMETHODIMP AccessibleObject::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

}  // namespace qx
