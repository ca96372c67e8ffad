// Visual-styles access for versions, libraries and the process's own; closing always clears the caller's handle.
#include "harness.h"
#include "visual/theme_api.h"

namespace {

TEST(ThemeApi, EverySituation) {
    const bool classic = qxt::ClassicPrefix(), modern = qxt::RequestedVersion() == "default";
    const DWORD nt = VER_PLATFORM_WIN32_NT, w9x = VER_PLATFORM_WIN32_WINDOWS;
    const char *const real = "UxTheme.dll", *const none = "qx_no_such_library.dll";
    const struct { DWORD platform, major, minor; const char *lib; bool themed, loaded, opens, fallbacks; } cases[] = {
        {nt, 5, 1, real, true, true, !classic, false}, {nt, 6, 0, none, true, false, false, true},
        {nt, 5, 1, "kernel32.dll", true, true, false, true}, {nt, 5, 0, real, false, false, false, true},
        {nt, 4, 10, real, false, false, false, true}, {w9x, 5, 1, real, false, false, false, true},
        {nt, 0, 0, real, false, false, false, true}, {nt, 0, 0, nullptr, modern, modern, modern && !classic, !modern}};
    HDC dc = CreateCompatibleDC(nullptr);
    const RECT r = {0, 0, 40, 20};
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        const OSVERSIONINFOA v = {sizeof v, c.major, c.minor, 0, c.platform, {}};
        qx::ThemeApi made(c.major ? &v : nullptr, c.lib ? c.lib : none), &api = c.lib ? made : qx::Themes();
        EXPECT_EQ(api.IsThemed() * 10 + (api.Module() != nullptr), c.themed * 10 + c.loaded) << "themed, loaded";
        HTHEME theme = api.OpenThemeData(nullptr, L"SPIN"), bogus = HTHEME(0x1234), *used = theme ? &theme : &bogus;
        EXPECT_EQ(theme != nullptr, c.opens);
        if (c.opens || c.fallbacks) {
            EXPECT_EQ(api.DrawThemeBackground(*used, dc, 1, 1, &r, nullptr), c.opens ? S_OK : E_FAIL);
            EXPECT_EQ(api.CloseThemeData(used), c.opens ? S_OK : E_FAIL);
            EXPECT_EQ(*used, nullptr);
        }
    }
    DeleteDC(dc);
}

}  // namespace
