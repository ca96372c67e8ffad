#include "common/display.h"

#include <atomic>

#include "common/lock.h"
#include "common/system_library.h"

namespace qx {
namespace {

using GetDpiForWindowFn = UINT(WINAPI *)(HWND);
using GetDpiForSystemFn = UINT(WINAPI *)();
using GetSystemMetricsForDpiFn = int(WINAPI *)(int, UINT);

struct DpiApi {
    GetDpiForWindowFn dpiForWindow;
    GetDpiForSystemFn dpiForSystem;
    GetSystemMetricsForDpiFn metricsForDpi;
    UINT screenDpi;  // the screen DC's, where GetDpiForSystem is missing
};

DpiApi g_api;
INIT_ONCE g_apiOnce = INIT_ONCE_STATIC_INIT;

// user32 is loaded in every process that has windows: its entry points are
// looked up, never loaded.
BOOL CALLBACK LoadDpiApi(PINIT_ONCE, PVOID, PVOID *) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    g_api.dpiForWindow = FindEntry<GetDpiForWindowFn>(user32, "GetDpiForWindow");
    g_api.dpiForSystem = FindEntry<GetDpiForSystemFn>(user32, "GetDpiForSystem");
    g_api.metricsForDpi = FindEntry<GetSystemMetricsForDpiFn>(user32, "GetSystemMetricsForDpi");
    g_api.screenDpi = kBaseDpi;
    if (HDC screen = GetDC(nullptr)) {
        const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        if (dpi > 0) g_api.screenDpi = static_cast<UINT>(dpi);
        ReleaseDC(nullptr, screen);
    }
    return TRUE;
}

const DpiApi &Api() {
    InitOnceExecuteOnce(&g_apiOnce, LoadDpiApi, nullptr, nullptr);
    return g_api;
}

// The tests' DPIs of single windows, and their high-contrast setting.
struct DpiOverride {
    HWND window;
    UINT dpi;
};
constexpr int kOverrides = 8;
Lock g_overrideLock;
DpiOverride g_overrides[kOverrides];
std::atomic<int> g_overrideCount{0};
std::atomic<int> g_highContrastForTest{-1};

UINT OverriddenDpi(HWND hwnd) {
    Locked lock(g_overrideLock);
    for (HWND w = hwnd; w; w = (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr) {
        for (const DpiOverride &o : g_overrides)
            if (o.window && o.window == w) return o.dpi;
    }
    return 0;
}

}  // namespace

UINT SystemDpi() {
    const DpiApi &api = Api();
    if (api.dpiForSystem) {
        const UINT dpi = api.dpiForSystem();
        if (dpi) return dpi;
    }
    return api.screenDpi;
}

UINT WindowDpi(HWND hwnd) {
    if (!hwnd) return SystemDpi();
    if (g_overrideCount.load(std::memory_order_acquire) > 0) {
        if (const UINT dpi = OverriddenDpi(hwnd)) return dpi;
    }
    const DpiApi &api = Api();
    if (api.dpiForWindow) {
        const UINT dpi = api.dpiForWindow(hwnd);
        if (dpi) return dpi;
    }
    return SystemDpi();
}

int MetricForDpi(int index, UINT dpi) {
    const UINT system = SystemDpi();
    if (dpi == 0 || dpi == system) return GetSystemMetrics(index);
    const DpiApi &api = Api();
    if (api.metricsForDpi) return api.metricsForDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(system));
}

int ScaleForDpi(int length, UINT dpi) {
    if (dpi == 0 || dpi == kBaseDpi || length == 0) return length;
    const int scaled = MulDiv(length, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
    if (length > 0 && scaled < 1) return 1;
    return scaled;
}

int LineForDpi(int index, UINT dpi) {
    return ScaleForDpi(MetricForDpi(index, kBaseDpi), dpi);
}

bool HighContrast() {
    const int forced = g_highContrastForTest.load(std::memory_order_relaxed);
    if (forced >= 0) return forced != 0;
    HIGHCONTRASTA hc = {};
    hc.cbSize = sizeof(hc);
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(hc), &hc, 0) &&
           (hc.dwFlags & HCF_HIGHCONTRASTON);
}

void SetDpiForTest(HWND hwnd, UINT dpi) {
    Locked lock(g_overrideLock);
    int count = 0;
    DpiOverride *free = nullptr;
    for (DpiOverride &o : g_overrides) {
        if (o.window == hwnd) o = DpiOverride{};
        if (!o.window && !free) free = &o;
    }
    if (hwnd && dpi && free) *free = DpiOverride{hwnd, dpi};
    for (const DpiOverride &o : g_overrides) count += o.window != nullptr;
    g_overrideCount.store(count, std::memory_order_release);
}

void SetHighContrastForTest(int on) { g_highContrastForTest.store(on, std::memory_order_relaxed); }

}  // namespace qx
