// The environment, the message loop, looks, tips and beeps as a test sees them.
#include "harness.h"

#include <uxtheme.h>

#include <cstdlib>

#include "imports.h"

namespace qxt {
namespace {

std::string EnvValue(const char *name, const char *fallback) {
    const char *v = std::getenv(name);
    return v && *v ? v : fallback;
}

// Pumps until pred() holds or ms have passed, woken by messages and the event.
bool PumpWaiting(const std::function<bool()> &pred, DWORD ms, HANDLE event) {
    const DWORD start = GetTickCount();
    for (;;) {
        Pump();
        if (pred && pred()) return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) return false;
        MsgWaitForMultipleObjects(event ? 1 : 0, &event, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

LONG g_faults = 0;
LONG CALLBACK CountFault(EXCEPTION_POINTERS *info) {
    if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) InterlockedIncrement(&g_faults);
    return EXCEPTION_CONTINUE_SEARCH;
}

// A class list no theme has: every OpenThemeData of the window gives null.
const wchar_t kNoThemeClass[] = L"QxTestNoSuchThemeClass";

LRESULT CALLBACK ClassicAtCreation(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) SetWindowTheme(reinterpret_cast<HWND>(wp), nullptr, kNoThemeClass);
    return CallNextHookEx(nullptr, code, wp, lp);
}

BOOL CALLBACK AddTip(HWND w, LPARAM list) {
    char cls[32] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (!lstrcmpiA(cls, "tooltips_class32")) reinterpret_cast<std::vector<HWND> *>(list)->push_back(w);
    return TRUE;
}

std::vector<HWND> Tips() {
    std::vector<HWND> tips;
    EnumThreadWindows(GetCurrentThreadId(), AddTip, reinterpret_cast<LPARAM>(&tips));
    return tips;
}

int g_beeps;
BOOL WINAPI CountBeep(UINT) { return ++g_beeps, TRUE; }

}  // namespace

bool ClassicPrefix() { return EnvValue("QX_TEST_PREFIX", "themed") == "classic"; }
std::string RequestedVersion() { return EnvValue("QX_TEST_VERSION", "default"); }

DWORD OsMajor() {
    OSVERSIONINFOA v = {sizeof v, 0, 0, 0, 0, ""};
    GetVersionExA(&v);
    return v.dwMajorVersion;
}

HINSTANCE HostInstance() { return GetModuleHandleA(nullptr); }

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()> &pred, DWORD ms) { return PumpWaiting(pred, ms, nullptr); }
void PumpFor(DWORD ms) { PumpWaiting(nullptr, ms, nullptr); }
bool PumpUntilSignaled(HANDLE event, DWORD ms) {
    return PumpWaiting([event] { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }, ms, event);
}

FaultCounter::FaultCounter() : handler_(AddVectoredExceptionHandler(1, CountFault)) { g_faults = 0; }
FaultCounter::~FaultCounter() { RemoveVectoredExceptionHandler(handler_); }
LONG FaultCounter::Faults() const { return g_faults; }

// SetWindowTheme sends the window WM_THEMECHANGED itself.
void SetWindowStyles(HWND hwnd, bool on) {
    SetWindowTheme(hwnd, nullptr, on ? nullptr : kNoThemeClass);
    Pump();
}

ClassicBirths::ClassicBirths()
    : hook_(SetWindowsHookExA(WH_CBT, ClassicAtCreation, nullptr, GetCurrentThreadId())) {}

ClassicBirths::~ClassicBirths() {
    if (hook_) UnhookWindowsHookEx(hook_);
}

SysColors::SysColors(const std::vector<std::pair<int, COLORREF>> &colors) {
    std::vector<COLORREF> values;
    for (const auto &c : colors) {
        indexes_.push_back(c.first);
        old_.push_back(GetSysColor(c.first));
        values.push_back(c.second);
    }
    SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), values.data());
    Pump();
}

SysColors::~SysColors() {
    SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), old_.data());
    Pump();
}

int TipWindows() { return static_cast<int>(Tips().size()); }

HWND ShownTip() {
    for (HWND w : Tips())
        if (IsWindowVisible(w)) return w;
    return nullptr;
}

std::string WindowText(HWND hwnd) {
    char text[256] = "";
    if (hwnd) GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

BeepCounter::BeepCounter(HMODULE module)
    : module_(module),
      real_(demo::RedirectImport(module, "user32.dll", "MessageBeep",
                                 reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&CountBeep)))) {
    EXPECT_NE(real_, nullptr) << "no import of MessageBeep";
    g_beeps = 0;
}

BeepCounter::~BeepCounter() {
    if (real_) demo::RedirectImport(module_, "user32.dll", "MessageBeep", real_);
}

int BeepCounter::Beeps() const { return g_beeps; }

}  // namespace qxt
