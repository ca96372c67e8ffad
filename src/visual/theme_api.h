// Run-time access to the visual-styles library. UxTheme.dll is never linked:
// where the system version allows visual styles it is loaded from the system
// folder at the first call that needs it (never while the control library
// loads), and its entry points are looked up then, all at once. Without it
// every caller gets the classic fallbacks. Any thread may make the first
// call: the entry points are published only once all of them are stored.
//
// Themes are opened for the DPI of the window they draw: where the library
// has OpenThemeDataForDpi (Windows 10 1703 and later), a window away from
// the system's DPI gets its parts at its own size.
#pragma once
#include <windows.h>
#include <uxtheme.h>

#include <atomic>

#include "common/display.h"
#include "common/lock.h"

namespace qx {

class ThemeApi {
public:
    // The process's own: the system's version decides, and the library is
    // the system's "UxTheme.dll". Once loaded it stays until the process
    // ends: this object goes at process detach, inside the loader lock,
    // where no library may be freed.
    ThemeApi();
    // A given version record (null: the version could not be read) and
    // library name of the system folder (kept, not copied), so that every
    // situation can be built on one machine. Frees what it loaded when it
    // goes.
    ThemeApi(const OSVERSIONINFOA *version, const char *library);
    ~ThemeApi();
    ThemeApi(const ThemeApi &) = delete;
    ThemeApi &operator=(const ThemeApi &) = delete;

    // Visual styles are possible on this system (NT family, version 5.1 or
    // later). Whether a theme is in force shows only in OpenThemeData.
    bool IsThemed() const { return themed_; }

    // Null when the library is missing or has no theme for the class list.
    HTHEME OpenThemeData(HWND hwnd, LPCWSTR classList);
    // The theme's parts for a window at dpi: OpenThemeDataForDpi where the
    // library has it and dpi is not the system's, otherwise OpenThemeData.
    HTHEME OpenThemeDataForDpi(HWND hwnd, LPCWSTR classList, UINT dpi);
    // Closes *theme and sets it to null in every case.
    HRESULT CloseThemeData(HTHEME *theme);
    HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT *rect,
                                const RECT *clip);

    // The library, loaded by this call if nothing has loaded it yet; null
    // when it is not to be loaded or cannot be.
    HMODULE Module() { return Entries().module; }

private:
    using OpenFn = HTHEME(WINAPI *)(HWND, LPCWSTR);
    using OpenForDpiFn = HTHEME(WINAPI *)(HWND, LPCWSTR, UINT);
    using CloseFn = HRESULT(WINAPI *)(HTHEME);
    using DrawFn = HRESULT(WINAPI *)(HTHEME, HDC, int, int, const RECT *, const RECT *);

    // The library and its entry points (a missing one replaced by its
    // fallback; openForDpi null when missing), every one set before the set
    // is published.
    struct EntrySet {
        HMODULE module;
        OpenFn open;
        OpenForDpiFn openForDpi;
        CloseFn close;
        DrawFn draw;
    };
    // The set, loaded and looked up by the first call in any thread; the
    // others wait for it.
    const EntrySet &Entries();

    const char *const library_;
    const bool themed_;
    const bool keepLoaded_;
    std::atomic<bool> published_{false};  // entries_ complete
    EntrySet entries_ = {};
    Lock loading_;                    // held by the one call that fills entries_
};

// The process's one instance, built by the library's static initialisation.
ThemeApi &Themes();

// Version rule of the themed flag, from a version record.
bool VersionAllowsThemes(const OSVERSIONINFOA &info);

// A theme handle opened for one drawing, for the window's DPI, and closed
// when the scope ends. Opens nothing unless IsThemed and wanted; test it
// with operator bool.
class ScopedTheme {
public:
    ScopedTheme(HWND hwnd, LPCWSTR classList, bool wanted = true)
        : theme_(wanted && Themes().IsThemed() ? Themes().OpenThemeDataForDpi(hwnd, classList, WindowDpi(hwnd))
                                               : nullptr) {}
    ~ScopedTheme() {
        if (theme_) Themes().CloseThemeData(&theme_);
    }
    ScopedTheme(const ScopedTheme &) = delete;
    ScopedTheme &operator=(const ScopedTheme &) = delete;

    HTHEME get() const { return theme_; }
    explicit operator bool() const { return theme_ != nullptr; }
    void DrawBackground(HDC dc, int part, int state, const RECT &rect, const RECT *clip = nullptr) {
        Themes().DrawThemeBackground(theme_, dc, part, state, &rect, clip);
    }

private:
    HTHEME theme_;
};

// A theme handle a control keeps between paints: opened for its window at
// the first Get, for the window's DPI, kept (a null answer too) until Drop,
// which the control calls when the look changes (WM_THEMECHANGED), and
// closed with the control. A window whose DPI changed gets its theme opened
// anew at the next Get: parts of another size are never drawn.
class KeptTheme {
public:
    explicit KeptTheme(LPCWSTR classList) : classList_(classList) {}
    ~KeptTheme() { Drop(); }
    KeptTheme(const KeptTheme &) = delete;
    KeptTheme &operator=(const KeptTheme &) = delete;

    // Null when the classic look is to be drawn.
    HTHEME Get(HWND hwnd);
    void Drop();
    // The DPI the theme kept was opened for.
    UINT Dpi() const { return dpi_; }

private:
    LPCWSTR classList_;
    HTHEME theme_ = nullptr;
    UINT dpi_ = 0;  // the DPI the theme was opened for
    bool asked_ = false;
};

}  // namespace qx
