#include "screens.h"

#include "imports.h"

#include <cstring>
#include <initializer_list>

namespace demo {
namespace {

using SpiFn = BOOL(WINAPI *)(UINT, UINT, PVOID, UINT);

SpiFn g_realSpi = nullptr;
bool g_contrast = false;

// The library's SystemParametersInfoA: high contrast as the demo shows it,
// everything else the system's.
BOOL WINAPI AnswerSpi(UINT action, UINT param, PVOID value, UINT ini) {
    const BOOL done = g_realSpi(action, param, value, ini);
    if (action != SPI_GETHIGHCONTRAST || !g_contrast || !value) return done;
    HIGHCONTRASTA *hc = static_cast<HIGHCONTRASTA *>(value);
    if (hc->cbSize != sizeof *hc) return done;
    if (!done) hc->lpszDefaultScheme = nullptr;
    hc->dwFlags |= HCF_HIGHCONTRASTON;
    return TRUE;
}

// Points qx_cntl.dll's import of SystemParametersInfoA at AnswerSpi, once.
bool RedirectLibrarySpi() {
    if (g_realSpi) return true;
    const auto answer = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&AnswerSpi));
    g_realSpi = reinterpret_cast<SpiFn>(reinterpret_cast<void (*)()>(
        RedirectImport(GetModuleHandleA("qx_cntl.dll"), "user32.dll", "SystemParametersInfoA", answer)));
    return g_realSpi != nullptr;
}

// A high-contrast scheme: light text on black, a cyan selection, green
// for what is greyed.
const int kIndexes[] = {COLOR_WINDOW,       COLOR_WINDOWTEXT, COLOR_BTNFACE,    COLOR_BTNTEXT,
                        COLOR_HIGHLIGHT,    COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT, COLOR_BTNSHADOW,
                        COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT,    COLOR_WINDOWFRAME};
const COLORREF kScheme[] = {RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),     RGB(255, 255, 255),
                            RGB(26, 235, 255),  RGB(0, 0, 0),       RGB(63, 242, 63), RGB(128, 128, 128),
                            RGB(255, 255, 255), RGB(192, 192, 192), RGB(255, 255, 255), RGB(255, 255, 255)};
constexpr int kCount = sizeof kIndexes / sizeof kIndexes[0];
COLORREF g_saved[kCount];

BOOL CALLBACK TellChild(HWND child, LPARAM) {
    SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
    SendMessageA(child, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    return TRUE;
}

}  // namespace

bool BeDpiAware() {
    using Fn = BOOL(WINAPI *)(DPI_AWARENESS_CONTEXT);
    const auto set = reinterpret_cast<Fn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDpiAwarenessContext")));
    for (DPI_AWARENESS_CONTEXT c : {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE})
        if (set && set(c)) return true;
    return SetProcessDPIAware() != FALSE;
}

UINT ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

int Scaled(int length) { return MulDiv(length, static_cast<int>(ScreenDpi()), 96); }

bool ShowHighContrast(HWND top, bool on) {
    if (!RedirectLibrarySpi()) return false;
    if (on == g_contrast) return true;
    if (on) {
        for (int i = 0; i < kCount; ++i) g_saved[i] = GetSysColor(kIndexes[i]);
        SetSysColors(kCount, kIndexes, kScheme);
    } else {
        SetSysColors(kCount, kIndexes, g_saved);
    }
    g_contrast = on;
    if (top) {
        SendMessageA(top, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        EnumChildWindows(top, TellChild, 0);
        RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    return true;
}

}  // namespace demo
