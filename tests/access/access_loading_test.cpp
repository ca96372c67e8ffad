// The system's accessibility libraries are loaded when a window is first
// asked for its accessible object, from the system folder, and not before:
// a host whose windows are never asked loads none of them. This program
// imports none of them itself and leaves COM uninitialised, as such a host
// may.
#include <windows.h>

#include <string>

#include "common/acc_api.h"
#include "harness.h"
#include "qx_cntl.h"
#include "test_window.h"

namespace {

// ole32.dll is left out: Wine's display driver loads it with the first
// top-level window (for drag and drop).
const char *const kLibraries[] = {"oleacc.dll", "oleaut32.dll"};

TEST(AccessLoading, LibrariesLoadAtTheFirstRequestFromTheSystemFolder) {
    for (const char *library : kLibraries)
        ASSERT_EQ(GetModuleHandleA(library), nullptr) << library << " was loaded before the test";
    qxt::RegisterAccessTestClass();
    qxt::ParentWindow parent;
    parent.CreateChild("STATIC", "&Amount", SS_LEFT, 10, 10, 80, 20, 99);
    HWND hwnd = parent.CreateChild(qxt::kAccessTestClass, "mask", 0, 100, 10, 120, 24, 7);

    // Everything but the request: events, a set name, state changes.
    SendMessageA(hwnd, QXM_SETACCNAME, 0, reinterpret_cast<LPARAM>("Total"));
    qx::NotifyValueChange(hwnd);
    EnableWindow(hwnd, FALSE);
    qx::NotifyStateChange(hwnd);
    qxt::Pump();
    for (const char *library : kLibraries) EXPECT_EQ(GetModuleHandleA(library), nullptr) << library;

    const LRESULT answer = SendMessageA(hwnd, WM_GETOBJECT, 0, OBJID_CLIENT);
    EXPECT_GT(answer, 0);
    char folder[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryA(folder, MAX_PATH), 0u);
    for (const char *library : kLibraries) {
        const HMODULE module = GetModuleHandleA(library);
        ASSERT_NE(module, nullptr) << library;
        char path[MAX_PATH];
        ASSERT_GT(GetModuleFileNameA(module, path, MAX_PATH), 0u);
        EXPECT_EQ(lstrcmpiA(path, (std::string(folder) + "\\" + library).c_str()), 0) << path;
    }

    // The answer is the window's object.
    using FromLresult = HRESULT(WINAPI *)(LRESULT, REFIID, WPARAM, void **);
    const auto fromLresult = reinterpret_cast<FromLresult>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("oleacc.dll"), "ObjectFromLresult")));
    ASSERT_NE(fromLresult, nullptr);
    IAccessible *acc = nullptr;
    ASSERT_EQ(fromLresult(answer, qx::kIidAccessible, 0, reinterpret_cast<void **>(&acc)), S_OK);
    VARIANT self, role;
    V_VT(&self) = VT_I4;
    V_I4(&self) = CHILDID_SELF;
    EXPECT_EQ(acc->get_accRole(self, &role), S_OK);
    EXPECT_EQ(V_VT(&role) == VT_I4 ? V_I4(&role) : 0, ROLE_SYSTEM_TEXT);
    acc->Release();
}

}  // namespace
