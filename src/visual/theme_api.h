// Run-time access to the visual-styles library. UxTheme.dll is never linked:
// it is loaded with the control library where the system version allows visual
// styles, and its three entry points are looked up at first use. Without it
// every caller gets the classic fallbacks.
#pragma once
#include <windows.h>
#include <uxtheme.h>

namespace qx {

class ThemeApi {
public:
    // The system's version decides; the library is "UxTheme.dll".
    ThemeApi();
    // A given version record (null: the version could not be read) and
    // library name, so that every situation can be built on one machine.
    ThemeApi(const OSVERSIONINFOA *version, const char *library);
    ~ThemeApi();
    ThemeApi(const ThemeApi &) = delete;
    ThemeApi &operator=(const ThemeApi &) = delete;

    // Visual styles are possible on this system (NT family, version 5.1 or
    // later). Whether a theme is in force shows only in OpenThemeData.
    bool IsThemed() const { return themed_; }

    // Null when the library is missing or has no theme for the class list.
    HTHEME OpenThemeData(HWND hwnd, LPCWSTR classList);
    // Closes *theme and sets it to null in every case.
    HRESULT CloseThemeData(HTHEME *theme);
    HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT *rect,
                                const RECT *clip);

    HMODULE Module() const { return module_; }

private:
    using OpenFn = HTHEME(WINAPI *)(HWND, LPCWSTR);
    using CloseFn = HRESULT(WINAPI *)(HTHEME);
    using DrawFn = HRESULT(WINAPI *)(HTHEME, HDC, int, int, const RECT *, const RECT *);

    void Load(const OSVERSIONINFOA *version, const char *library);
    template <typename Fn>
    Fn Resolve(const char *name, Fn fallback) const;

    bool themed_ = false;
    HMODULE module_ = nullptr;
    OpenFn open_ = nullptr;
    CloseFn close_ = nullptr;
    DrawFn draw_ = nullptr;
    bool openResolved_ = false;
    bool closeResolved_ = false;
    bool drawResolved_ = false;
};

// The process's one instance, built by the library's static initialisation.
ThemeApi &Themes();

// Version rule of the themed flag, from a version record.
bool VersionAllowsThemes(const OSVERSIONINFOA &info);

// A theme handle opened for one drawing and closed when the scope ends. Opens
// nothing unless IsThemed; test it with operator bool.
class ScopedTheme {
public:
    ScopedTheme(HWND hwnd, LPCWSTR classList)
        : theme_(Themes().IsThemed() ? Themes().OpenThemeData(hwnd, classList) : nullptr) {}
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
// the first Get, kept (a null answer too) until Drop, which the control calls
// when the look changes (WM_THEMECHANGED), and closed with the control.
class KeptTheme {
public:
    explicit KeptTheme(LPCWSTR classList) : classList_(classList) {}
    ~KeptTheme() { Drop(); }
    KeptTheme(const KeptTheme &) = delete;
    KeptTheme &operator=(const KeptTheme &) = delete;

    // Null when the classic look is to be drawn.
    HTHEME Get(HWND hwnd) {
        if (!asked_) {
            asked_ = true;
            theme_ = Themes().IsThemed() ? Themes().OpenThemeData(hwnd, classList_) : nullptr;
        }
        return theme_;
    }
    void Drop() {
        if (theme_) Themes().CloseThemeData(&theme_);
        asked_ = false;
    }

private:
    LPCWSTR classList_;
    HTHEME theme_ = nullptr;
    bool asked_ = false;
};

}  // namespace qx
