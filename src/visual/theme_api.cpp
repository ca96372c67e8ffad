#include "visual/theme_api.h"

#include "common/os_version.h"

namespace qx {
namespace {

HTHEME WINAPI NoOpenThemeData(HWND, LPCWSTR) { return nullptr; }
HRESULT WINAPI NoCloseThemeData(HTHEME) { return E_FAIL; }
HRESULT WINAPI NoDrawThemeBackground(HTHEME, HDC, int, int, const RECT *, const RECT *) {
    return E_FAIL;
}

}  // namespace

bool VersionAllowsThemes(const OSVERSIONINFOA &info) {
    if (info.dwPlatformId != VER_PLATFORM_WIN32_NT) return false;
    return info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion >= 1);
}

ThemeApi::ThemeApi() {
    OSVERSIONINFOA info;
    Load(ReadOsVersion(&info) ? &info : nullptr, "UxTheme.dll");
}

ThemeApi::ThemeApi(const OSVERSIONINFOA *version, const char *library) { Load(version, library); }

void ThemeApi::Load(const OSVERSIONINFOA *version, const char *library) {
    themed_ = version && VersionAllowsThemes(*version);
    // The themed flag stays set even when loading fails: every
    // OpenThemeData then answers null.
    if (themed_) module_ = LoadLibraryA(library);
}

ThemeApi::~ThemeApi() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
}

// An entry missing from a loaded library gets the fallback as well.
template <typename Fn>
Fn ThemeApi::Resolve(const char *name, Fn fallback) const {
    FARPROC proc = module_ ? GetProcAddress(module_, name) : nullptr;
    // void (*)() converts to and from every function pointer type.
    return proc ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc)) : fallback;
}

HTHEME ThemeApi::OpenThemeData(HWND hwnd, LPCWSTR classList) {
    if (!openResolved_) {
        openResolved_ = true;
        open_ = Resolve<OpenFn>("OpenThemeData", &NoOpenThemeData);
    }
    return open_(hwnd, classList);
}

HRESULT ThemeApi::CloseThemeData(HTHEME *theme) {
    if (!closeResolved_) {
        closeResolved_ = true;
        close_ = Resolve<CloseFn>("CloseThemeData", &NoCloseThemeData);
    }
    HTHEME handle = theme ? *theme : nullptr;
    if (theme) *theme = nullptr;
    return close_(handle);
}

HRESULT ThemeApi::DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT *rect,
                                      const RECT *clip) {
    if (!drawResolved_) {
        drawResolved_ = true;
        draw_ = Resolve<DrawFn>("DrawThemeBackground", &NoDrawThemeBackground);
    }
    return draw_(theme, dc, part, state, rect, clip);
}

}  // namespace qx
