// A window class of the tests' own ("QXAccessTest") whose object answers as
// an accessibility provider, wired as the library's windows are: a window
// object of the library's kind, whose base answers WM_GETOBJECT,
// QXM_SETACCNAME and the call message.
#pragma once
#include <ole2.h>
#include <oleacc.h>
#include <windows.h>

#include <string>

#include "common/window_object.h"

namespace qxt {

extern const char kAccessTestClass[];

// An edit-like window (a value of digits only) named by its label or, as a
// button is, by its text, that can carry two parts, "&Up" and "Down", at its
// right edge, each stepping the value.
class AccessTestCtl final : public qx::WindowObject {
public:
    explicit AccessTestCtl(HWND window) : WindowObject(window), hwnd(window) {}
    using WindowObject::Access;

    HWND hwnd;

    bool namedByText = false;  // a button's caption is its text, an edit's its label
    bool spin = false;
    long focusedPart = 0;
    std::string value = "12";
    int sets = 0;  // AccSetValue calls

    long AccChildCount() override;
    long AccRole(long child) override;
    void AccCaption(long child, qx::AccText *caption) override;
    bool AccValue(long child, qx::AccText *text) override;
    long AccState(long child) override;
    void AccDefaultAction(long child, qx::AccText *text) override;
    HRESULT AccDoDefaultAction(long child) override;
    HRESULT AccSetValue(long child, const char *text) override;
    bool AccChildRect(long child, RECT *rect) override;

    // A step of the value, as a part's action does it.
    void Step(int delta);

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override { return DefWindowProcA(hwnd, msg, wp, lp); }
};

// Registers the class in the host's instance (once).
void RegisterAccessTestClass();
// The object of a window of the class.
AccessTestCtl *AccessTestObject(HWND hwnd);

}  // namespace qxt
