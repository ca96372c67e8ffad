#include "visual/theme_api.h"

#include "common/os_version.h"
#include "common/system_library.h"

namespace qx {
namespace {

HTHEME WINAPI NoOpenThemeData(HWND, LPCWSTR) { return nullptr; }
HRESULT WINAPI NoCloseThemeData(HTHEME) { return E_FAIL; }
HRESULT WINAPI NoDrawThemeBackground(HTHEME, HDC, int, int, const RECT *, const RECT *) {
    return E_FAIL;
}

// An entry missing from a loaded library, or of a library not loaded, gets
// the fallback.
template <typename Fn>
Fn EntryOr(HMODULE module, const char *name, Fn fallback) {
    const Fn fn = FindEntry<Fn>(module, name);
    return fn ? fn : fallback;
}

bool SystemAllowsThemes() {
    OSVERSIONINFOA info;
    return ReadOsVersion(&info) && VersionAllowsThemes(info);
}

}  // namespace

bool VersionAllowsThemes(const OSVERSIONINFOA &info) {
    if (info.dwPlatformId != VER_PLATFORM_WIN32_NT) return false;
    return info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion >= 1);
}

// Runs in the library's static initialisation: reads the version, loads
// nothing.
ThemeApi::ThemeApi() : library_("UxTheme.dll"), themed_(SystemAllowsThemes()), keepLoaded_(true) {}

ThemeApi::ThemeApi(const OSVERSIONINFOA *version, const char *library)
    : library_(library), themed_(version && VersionAllowsThemes(*version)), keepLoaded_(false) {}

ThemeApi::~ThemeApi() {
    if (!keepLoaded_ && published_.load(std::memory_order_acquire) && entries_.module)
        FreeLibrary(entries_.module);
}

// The themed flag stays set even when loading fails: every OpenThemeData
// then answers null. The flag that publishes the set is raised only once
// every entry is stored, so a thread that sees it raised never finds an entry
// missing.
const ThemeApi::EntrySet &ThemeApi::Entries() {
    if (published_.load(std::memory_order_acquire)) return entries_;
    Locked lock(loading_);
    if (!published_.load(std::memory_order_relaxed)) {
        const HMODULE module = themed_ ? LoadSystemLibrary(library_) : nullptr;
        entries_.module = module;
        entries_.open = EntryOr<OpenFn>(module, "OpenThemeData", &NoOpenThemeData);
        entries_.openForDpi = FindEntry<OpenForDpiFn>(module, "OpenThemeDataForDpi");
        entries_.close = EntryOr<CloseFn>(module, "CloseThemeData", &NoCloseThemeData);
        entries_.draw = EntryOr<DrawFn>(module, "DrawThemeBackground", &NoDrawThemeBackground);
        published_.store(true, std::memory_order_release);
    }
    return entries_;
}

HTHEME ThemeApi::OpenThemeData(HWND hwnd, LPCWSTR classList) { return Entries().open(hwnd, classList); }

HTHEME ThemeApi::OpenThemeDataForDpi(HWND hwnd, LPCWSTR classList, UINT dpi) {
    const EntrySet &e = Entries();
    if (!e.openForDpi || dpi == SystemDpi()) return e.open(hwnd, classList);
    return e.openForDpi(hwnd, classList, dpi);
}

HRESULT ThemeApi::CloseThemeData(HTHEME *theme) {
    HTHEME handle = theme ? *theme : nullptr;
    if (theme) *theme = nullptr;
    return Entries().close(handle);
}

HRESULT ThemeApi::DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT *rect,
                                      const RECT *clip) {
    return Entries().draw(theme, dc, part, state, rect, clip);
}

HTHEME KeptTheme::Get(HWND hwnd) {
    const UINT dpi = WindowDpi(hwnd);
    if (asked_ && dpi != dpi_) Drop();
    if (!asked_) {
        asked_ = true;
        dpi_ = dpi;
        theme_ = Themes().IsThemed() ? Themes().OpenThemeDataForDpi(hwnd, classList_, dpi) : nullptr;
    }
    return theme_;
}

void KeptTheme::Drop() {
    if (theme_) Themes().CloseThemeData(&theme_);
    asked_ = false;
}

}  // namespace qx
