#include <cstdlib>

#include "harness.h"

namespace qxt {

static std::string EnvValue(const char *name, const char *fallback) {
    const char *v = std::getenv(name);
    return v && *v ? v : fallback;
}

bool ClassicPrefix() { return EnvValue("QX_TEST_PREFIX", "themed") == "classic"; }
std::string RequestedVersion() { return EnvValue("QX_TEST_VERSION", "default"); }

static OSVERSIONINFOA Version() {
    OSVERSIONINFOA v;
    ZeroMemory(&v, sizeof v);
    v.dwOSVersionInfoSize = sizeof v;
    GetVersionExA(&v);
    return v;
}

DWORD OsMajor() { return Version().dwMajorVersion; }
HINSTANCE HostInstance() { return GetModuleHandleA(nullptr); }

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()> &pred, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        Pump();
        if (pred && pred()) return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms) { PumpUntil(nullptr, ms); }

bool PumpUntilSignaled(HANDLE event, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        Pump();
        if (WaitForSingleObject(event, 0) == WAIT_OBJECT_0) return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) return false;
        MsgWaitForMultipleObjects(1, &event, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

namespace {
LONG g_faults = 0;
LONG CALLBACK CountFault(EXCEPTION_POINTERS *info) {
    if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) InterlockedIncrement(&g_faults);
    return EXCEPTION_CONTINUE_SEARCH;
}
}  // namespace

FaultCounter::FaultCounter() : handler_(AddVectoredExceptionHandler(1, CountFault)) { g_faults = 0; }
FaultCounter::~FaultCounter() { RemoveVectoredExceptionHandler(handler_); }
LONG FaultCounter::Faults() const { return g_faults; }

}  // namespace qxt
