// The system entry points that accessibility needs, found at run time. The
// library imports none of them: oleacc.dll, oleaut32.dll and ole32.dll are
// loaded from the system folder, by full path, the first time a window is
// asked for its accessible object (never while the library loads), so a host
// that never asks loads none of them. Once loaded they stay for the rest of
// the process: objects handed out to clients may be released at any time and
// call into them until then.
#pragma once
#include <ole2.h>
#include <windows.h>

namespace qx {

struct AccApi {
    // oleacc.dll
    HRESULT(WINAPI *CreateStdAccessibleObject)(HWND, LONG, REFIID, void **);
    LRESULT(WINAPI *LresultFromObject)(REFIID, WPARAM, LPUNKNOWN);
    // oleaut32.dll
    BSTR(WINAPI *SysAllocStringLen)(const OLECHAR *, UINT);
    UINT(WINAPI *SysStringLen)(BSTR);
    void(WINAPI *SysFreeString)(BSTR);
    HRESULT(WINAPI *VariantClear)(VARIANT *);
    // ole32.dll
    HRESULT(WINAPI *CoDisconnectObject)(LPUNKNOWN, DWORD);
};

// Loads the libraries on the first call, once for the process (the system's
// one-time initialisation: threads that ask meanwhile wait for it); null
// when one of them or one entry point is missing (then, and for good, the
// system's default objects serve).
const AccApi *LoadAccApi();

// NotifyWinEvent where the system has it; nothing otherwise. Loads nothing:
// user32.dll is always there.
void RaiseWinEvent(DWORD event, HWND hwnd, LONG object, LONG child);

// The interface identifiers, written out: the symbols of mingw's import
// libraries are not all data (IID_IAccessible from liboleacc.a resolves to
// import-thunk code).
extern const IID kIidUnknown;
extern const IID kIidDispatch;
extern const IID kIidAccessible;
extern const IID kIidOleWindow;

}  // namespace qx
