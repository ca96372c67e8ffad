#include "test_window.h"

#include <cstdlib>
#include <cstring>

#include "harness.h"
#include "qx_cntl.h"

namespace qxt {

const char kAccessTestClass[] = "QXAccessTest";

long AccessTestCtl::AccChildCount() { return spin ? 2 : 0; }

long AccessTestCtl::AccRole(long child) { return child ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_TEXT; }

void AccessTestCtl::AccCaption(long child, qx::AccText *caption) {
    if (child)
        caption->Assign(child == 1 ? "&Up" : "Down");  // a part's mark names no shortcut
    else if (namedByText)
        qx::WindowTextCaption(hwnd, caption);
    else
        qx::LabelCaption(hwnd, caption);
}

bool AccessTestCtl::AccValue(long child, qx::AccText *text) { return !child && text->Assign(value.c_str()); }

long AccessTestCtl::AccState(long child) { return child && child == focusedPart ? STATE_SYSTEM_FOCUSED : 0; }

void AccessTestCtl::AccDefaultAction(long child, qx::AccText *text) { text->Assign(child ? "Press" : ""); }

HRESULT AccessTestCtl::AccDoDefaultAction(long child) {
    if (!child) return DISP_E_MEMBERNOTFOUND;
    if (!IsWindowEnabled(hwnd)) return E_ACCESSDENIED;
    return Step(child == 1 ? 1 : -1), S_OK;
}

HRESULT AccessTestCtl::AccSetValue(long child, const char *text) {
    ++sets;
    if (child) return DISP_E_MEMBERNOTFOUND;
    if (!IsWindowEnabled(hwnd)) return E_ACCESSDENIED;
    if (std::strspn(text, "0123456789") != std::strlen(text)) return E_INVALIDARG;
    value = text;
    qx::NotifyValueChange(hwnd);
    return S_OK;
}

bool AccessTestCtl::AccChildRect(long child, RECT *rect) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int middle = client.bottom / 2;
    *rect = {client.right - 16, child == 1 ? 0 : middle, client.right,
             child == 1 ? middle : client.bottom};
    return true;
}

void AccessTestCtl::Step(int delta) {
    value = std::to_string(std::atol(value.c_str()) + delta);
    qx::NotifyValueChange(hwnd);
}

namespace {

qx::WindowObject *Make(HWND hwnd, const CREATESTRUCTA &) { return new AccessTestCtl(hwnd); }

LRESULT CALLBACK TestProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return qx::WindowObject::Dispatch(hwnd, msg, wp, lp, Make);
}

}  // namespace

void RegisterAccessTestClass() {
    static bool done = false;
    if (done) return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TestProc;
    wc.hInstance = HostInstance();
    wc.lpszClassName = kAccessTestClass;
    wc.cbWndExtra = sizeof(LONG_PTR);
    done = RegisterClassA(&wc) != 0;
}

AccessTestCtl *AccessTestObject(HWND hwnd) {
    return dynamic_cast<AccessTestCtl *>(reinterpret_cast<qx::WindowObject *>(GetWindowLongPtrA(hwnd, 0)));
}

}  // namespace qxt
