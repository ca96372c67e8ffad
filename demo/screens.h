// What the demo and the gallery do to show the controls on other screens:
// the process made DPI aware (the system's DPI is then the screen's, where
// an unaware program is shown 96 dpi and stretched), and a high-contrast
// look switched on and off.
#pragma once
#include <windows.h>

namespace demo {

// Makes the process per-monitor DPI aware, before any window: true when
// it is aware (also when it already was).
bool BeDpiAware();

// The system's DPI as the (aware) process sees it.
UINT ScreenDpi();

// A length of 96 dpi at the screen's DPI.
int Scaled(int length);

// Shows high contrast on or off as a system that has the setting does: the
// system colours of a high-contrast scheme (black, white, cyan selection)
// and the setting itself as qx_cntl.dll asks for it, then WM_SYSCOLORCHANGE
// and WM_SETTINGCHANGE to `top` and every window inside it, as a host passes
// them on to its controls. Switched off, the colours the system had come
// back. Wine cannot switch the setting (SPI_SETHIGHCONTRAST fails), so the
// library's question for it (its import of SystemParametersInfoA) is
// answered here; the colours are the whole session's while it is on, as
// the setting's are. False when the library's import cannot be found.
bool ShowHighContrast(HWND top, bool on);

}  // namespace demo
