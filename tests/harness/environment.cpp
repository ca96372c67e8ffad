#include <cstdlib>

#include "harness.h"

namespace qxt {

static std::string EnvValue(const char *name, const char *fallback) {
    const char *v = std::getenv(name);
    return v && *v ? v : fallback;
}

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

// Pumps until pred() holds or ms have passed, woken by messages and the event.
static bool PumpWaiting(const std::function<bool()> &pred, DWORD ms, HANDLE event) {
    const DWORD start = GetTickCount();
    for (;;) {
        Pump();
        if (pred && pred()) return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) return false;
        MsgWaitForMultipleObjects(event ? 1 : 0, &event, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

bool PumpUntil(const std::function<bool()> &pred, DWORD ms) { return PumpWaiting(pred, ms, nullptr); }
void PumpFor(DWORD ms) { PumpWaiting(nullptr, ms, nullptr); }
bool PumpUntilSignaled(HANDLE event, DWORD ms) {
    return PumpWaiting([event] { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }, ms, event);
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
