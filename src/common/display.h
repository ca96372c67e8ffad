// What the controls know of the screen a window is drawn on: its DPI, the
// system metrics for that DPI, and whether high contrast is on.
//
// Every size the library lays out or draws is asked of these functions with
// the DPI of the window it draws. At the system DPI they answer exactly what
// GetSystemMetrics answers, so a window on a screen of the system's DPI is
// laid out as it always was. The system functions that know a window's own
// DPI (Windows 10 1607 and later) are looked up at run time: the library
// still loads where they are missing, and then every window is taken to be
// at the system DPI.
//
// A control is told of a new DPI by WM_DPICHANGED_AFTERPARENT, and of a new
// high-contrast setting by WM_SETTINGCHANGE (SPI_SETHIGHCONTRAST) or
// WM_SYSCOLORCHANGE.
#pragma once
#include <windows.h>

namespace qx {

// The DPI every length of the library is given for.
constexpr UINT kBaseDpi = 96;

// The system DPI as the calling thread sees it (a thread that is not DPI
// aware sees 96 wherever the system virtualises it).
UINT SystemDpi();

// The DPI at which hwnd is drawn: GetDpiForWindow where the system has it,
// otherwise the system DPI; the system DPI for a null window.
UINT WindowDpi(HWND hwnd);

// GetSystemMetrics(index) for a window at dpi: at the system DPI exactly
// GetSystemMetrics; elsewhere GetSystemMetricsForDpi where the system has it,
// otherwise the system's value scaled from the system DPI.
int MetricForDpi(int index, UINT dpi);

// A length given for 96 dpi, at dpi (rounded to the nearest pixel; 0 stays
// 0, and a length of at least one pixel stays at least one).
int ScaleForDpi(int length, UINT dpi);

// The width of a line the system gives as a border metric (SM_CXBORDER,
// SM_CYBORDER), drawn by the library at dpi: the metric at 96 dpi, scaled.
// The system keeps these metrics at one pixel at every DPI; the library's
// bevels, frames and focus marks grow with the window instead. At 96 dpi
// exactly GetSystemMetrics.
int LineForDpi(int index, UINT dpi);

// The message a child window receives once its parent has followed a new
// DPI (named in the system's headers only for newer targets).
constexpr UINT kWmDpiChangedAfterParent = 0x02E3;

// High contrast is on (SPI_GETHIGHCONTRAST): controls then draw with system
// colours only, without themed faces.
bool HighContrast();

// Seams for tests, which cannot make Wine change a window's DPI or turn high
// contrast on. SetDpiForTest makes WindowDpi answer dpi for hwnd and the
// windows inside it (0 forgets hwnd); SetHighContrastForTest makes
// HighContrast answer on (1) or off (0), or the system again (-1). Nothing of
// the library calls them.
void SetDpiForTest(HWND hwnd, UINT dpi);
void SetHighContrastForTest(int on);

}  // namespace qx
