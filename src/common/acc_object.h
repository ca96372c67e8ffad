// The accessible object of one window of the library (see accessible.h for
// what it answers). A COM object: its reference count is shared by every
// thread; everything else is touched on the window's thread only, where
// calls made on other threads are sent.
#pragma once
#include <ole2.h>
#include <oleacc.h>
#include <windows.h>

#include "common/acc_api.h"
#include "common/acc_text.h"
#include "common/thread_call.h"

namespace qx {

class AccessibleObject;
class WindowAccess;

// What one client's call reads and writes. A call made on another thread
// keeps its own copy (see thread_call.h): what the window's thread answers
// after the client was released stays with the call and is freed with it.
struct AccRequest {
    explicit AccRequest(const AccApi &accApi, const VARIANT *element = nullptr);
    ~AccRequest();
    AccRequest(const AccRequest &) = delete;
    AccRequest &operator=(const AccRequest &) = delete;
    // The arguments, copied from another request; false when out of memory.
    bool CopyArguments(const AccRequest &from);
    // The answers, taken from another request (which keeps none of them).
    void TakeAnswers(AccRequest &from);

    const AccApi &api;
    // Given: the element named (its type and, for VT_I4, its number), two
    // numbers (flags, a direction, a point), a text in the ANSI code page.
    // A named element is checked before the work runs (E_INVALIDARG unless
    // it is 0 or a part) and given to it as id, unless not checked.
    bool named = false, checked = true;
    VARTYPE elementType = VT_EMPTY;
    long elementId = 0, id = 0;
    long a = 0, b = 0;
    AccText text;
    // Answered.
    BSTR bstr = nullptr;
    VARIANT var;
    IDispatch *dispatch = nullptr;
    long n[4] = {};
};

using AccWork = HRESULT (*)(AccessibleObject &object, AccRequest &request);

// A call made on another thread, sent to the window's thread (see
// thread_call.h) and run there on the object that made it, which it holds.
class AccCall final : public ThreadCall {
public:
    AccCall(AccessibleObject &target, AccWork work);
    void Run() override;
    AccRequest request;
    HRESULT result = RPC_E_DISCONNECTED;

private:
    ~AccCall() override;
    AccessibleObject &target_;
    const AccWork work_;
};

class AccessibleObject final : public IAccessible, public IOleWindow {
public:
    // Holds one reference to `standard` (the system's default object of the
    // window) and starts with one reference, the caller's.
    AccessibleObject(const AccApi &api, WindowAccess &owner, IAccessible *standard);
    AccessibleObject(const AccessibleObject &) = delete;
    AccessibleObject &operator=(const AccessibleObject &) = delete;

    // On the window's thread: ends the service (see WindowAccess::Disconnect).
    // The system's object is let go at once, or when the calls running on
    // it have returned.
    void Disconnect();
    // On the window's thread: runs one call under a Guard on the window
    // object that holds the service; RPC_E_DISCONNECTED once it ended.
    HRESULT Run(AccWork work, AccRequest &request);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void **out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch: no type information; clients use the IAccessible methods.
    STDMETHODIMP GetTypeInfoCount(UINT *count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo **info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR *names, UINT count, LCID lcid,
                               DISPID *ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS *params,
                        VARIANT *result, EXCEPINFO *exception, UINT *argError) override;

    // IAccessible
    STDMETHODIMP get_accParent(IDispatch **parent) override;
    STDMETHODIMP get_accChildCount(long *count) override;
    STDMETHODIMP get_accChild(VARIANT child, IDispatch **object) override;
    STDMETHODIMP get_accName(VARIANT child, BSTR *name) override;
    STDMETHODIMP get_accValue(VARIANT child, BSTR *value) override;
    STDMETHODIMP get_accDescription(VARIANT child, BSTR *description) override;
    STDMETHODIMP get_accRole(VARIANT child, VARIANT *role) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT *state) override;
    STDMETHODIMP get_accHelp(VARIANT child, BSTR *help) override;
    STDMETHODIMP get_accHelpTopic(BSTR *file, VARIANT child, long *topic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR *shortcut) override;
    STDMETHODIMP get_accFocus(VARIANT *child) override;
    STDMETHODIMP get_accSelection(VARIANT *children) override;
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR *action) override;
    STDMETHODIMP accSelect(long flags, VARIANT child) override;
    STDMETHODIMP accLocation(long *left, long *top, long *width, long *height,
                             VARIANT child) override;
    STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT *end) override;
    STDMETHODIMP accHitTest(long x, long y, VARIANT *child) override;
    STDMETHODIMP accDoDefaultAction(VARIANT child) override;
    STDMETHODIMP put_accName(VARIANT child, BSTR name) override;
    STDMETHODIMP put_accValue(VARIANT child, BSTR value) override;

    // IOleWindow: the window (how clients find it from the object).
    STDMETHODIMP GetWindow(HWND *hwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;

private:
    friend class AccCall;
    ~AccessibleObject();

    // Runs work on the window's thread (sent there from another thread) and
    // answers what it answers; RPC_E_DISCONNECTED when the service ended or
    // the window is gone before it ran, E_PENDING when a client on another
    // thread was released before the work was done.
    HRESULT Serve(AccWork work, AccRequest &request);
    // A text about the element a request names: body(object, id, &text)
    // answers S_OK for the text (then the request's BSTR), any other result
    // for none.
    using TextBody = HRESULT (*)(AccessibleObject &object, long id, AccText *text);
    HRESULT TextAnswer(AccRequest &request, TextBody body);
    // The element a request names: E_INVALIDARG unless it is 0 or a part.
    HRESULT Element(const AccRequest &request, long *child) const;
    long Parts() const;
    // The text as a BSTR, through the ANSI code page.
    HRESULT Text(const AccText &text, BSTR *out) const;
    // Whether the service still runs: after a call out of the library (to
    // the system's object, to the parent, to another window) the window may
    // be gone.
    bool Serving() const { return owner_ != nullptr; }

    const AccApi &api_;
    volatile LONG refs_ = 1;
    const HWND hwnd_;
    const DWORD thread_;
    WindowAccess *owner_;    // null once disconnected
    IAccessible *standard_;  // let go at Disconnect, once no call runs on it
    int running_ = 0;        // calls running on the window's thread
};

}  // namespace qx
