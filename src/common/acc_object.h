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

// A call made on another thread, sent to the window's thread (see
// thread_call.h) and run there on the object that made it.
struct AccCall final : ThreadCall {
    AccCall(AccessibleObject *target_, HRESULT (*run_)(void *), void *context_)
        : target(target_), run(run_), context(context_) {}
    void Run() override;
    AccessibleObject *target;
    HRESULT (*run)(void *context);
    void *context;
    HRESULT result = RPC_E_DISCONNECTED;
};

class AccessibleObject final : public IAccessible, public IOleWindow {
public:
    // Holds one reference to `standard` (the system's default object of the
    // window) and starts with one reference, the caller's.
    AccessibleObject(const AccApi &api, WindowAccess &owner, IAccessible *standard);
    AccessibleObject(const AccessibleObject &) = delete;
    AccessibleObject &operator=(const AccessibleObject &) = delete;

    // On the window's thread: ends the service (see WindowAccess::Disconnect).
    void Disconnect();
    // On the window's thread: runs a call sent from another thread.
    void Run(AccCall *call);

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
    ~AccessibleObject();

    // Runs `body` on the window's thread, or answers RPC_E_DISCONNECTED.
    template <typename Body>
    HRESULT Serve(Body &&body);
    // The same for one element: body(id), or E_INVALIDARG for no element.
    template <typename Body>
    HRESULT ServeElement(const VARIANT &child, Body &&body);
    // The same for a text about one element: body(id, &text) answers S_OK
    // for the text, any other result for none.
    template <typename Body>
    HRESULT ServeText(const VARIANT &child, BSTR *out, Body &&body);
    // The element a VARIANT names: E_INVALIDARG unless it is 0 or a part.
    HRESULT Element(const VARIANT &v, long *child) const;
    long Parts() const;
    // The text as a BSTR, through the ANSI code page.
    HRESULT Text(const AccText &text, BSTR *out) const;

    const AccApi &api_;
    volatile LONG refs_ = 1;
    const HWND hwnd_;
    const DWORD thread_;
    WindowAccess *owner_;    // null once disconnected
    IAccessible *standard_;  // released at Disconnect
};

}  // namespace qx
