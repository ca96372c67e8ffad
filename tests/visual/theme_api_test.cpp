// Visual-styles access. The same tests run with a theme in force, with visual
// styles off, and with a reported version too old for them; the runner tells
// which through the environment.
#include <gtest/gtest.h>

#include "harness.h"
#include "visual/theme_api.h"

namespace {

OSVERSIONINFOA MakeVersion(DWORD platform, DWORD major, DWORD minor) {
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    v.dwPlatformId = platform;
    v.dwMajorVersion = major;
    v.dwMinorVersion = minor;
    return v;
}

bool VersionExpectsThemes() {
    const std::string v = qxt::RequestedVersion();
    return v == "default" || v == "winxp";
}

bool ThemeInForce() { return VersionExpectsThemes() && !qxt::ClassicPrefix(); }

class Window {
public:
    Window() : hwnd_(CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr,
                                   nullptr, nullptr, nullptr)) {}
    ~Window() { DestroyWindow(hwnd_); }
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_;
};

// Draws part 1 of "BUTTON" into a white 40 x 20 bitmap; returns the number of
// pixels that changed and the call's result.
int DrawButtonPixels(qx::ThemeApi &api, HTHEME theme, HRESULT *result) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 40, 20);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT r = {0, 0, 40, 20};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    *result = api.DrawThemeBackground(theme, dc, 1, 1, &r, nullptr);
    int changed = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            if (GetPixel(dc, x, y) != RGB(255, 255, 255)) ++changed;
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return changed;
}

TEST(ThemeVersionRule, NtFiveOneAndLater) {
    struct {
        DWORD platform, major, minor;
        bool themed;
    } cases[] = {
        {VER_PLATFORM_WIN32_NT, 5, 1, true},   {VER_PLATFORM_WIN32_NT, 5, 2, true},
        {VER_PLATFORM_WIN32_NT, 6, 0, true},   {VER_PLATFORM_WIN32_NT, 10, 0, true},
        {VER_PLATFORM_WIN32_NT, 5, 0, false},  {VER_PLATFORM_WIN32_NT, 4, 0, false},
        {VER_PLATFORM_WIN32_NT, 3, 51, false}, {VER_PLATFORM_WIN32_WINDOWS, 5, 1, false},
        {VER_PLATFORM_WIN32_WINDOWS, 6, 0, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(qx::VersionAllowsThemes(MakeVersion(c.platform, c.major, c.minor)), c.themed)
            << c.platform << " " << c.major << "." << c.minor;
}

TEST(ThemeApiProcess, LoadsLibraryOnlyWhereVersionAllows) {
    EXPECT_EQ(qx::Themes().IsThemed(), VersionExpectsThemes());
    EXPECT_EQ(qx::Themes().Module() != nullptr, VersionExpectsThemes());
}

TEST(ThemeApiProcess, OpensThemesOnlyWhenOneIsInForce) {
    Window w;
    for (const wchar_t *cls : {L"EDIT", L"SPIN", L"BUTTON"}) {
        HTHEME theme = qx::Themes().OpenThemeData(w.get(), cls);
        EXPECT_EQ(theme != nullptr, ThemeInForce());
        if (theme) {
            EXPECT_EQ(qx::Themes().CloseThemeData(&theme), S_OK);
        }
        EXPECT_EQ(theme, nullptr);
    }
}

TEST(ThemeApiProcess, DrawsThemedPartsOrNothing) {
    Window w;
    HTHEME theme = qx::Themes().OpenThemeData(w.get(), L"BUTTON");
    HRESULT hr;
    const int changed = DrawButtonPixels(qx::Themes(), theme, &hr);
    if (ThemeInForce()) {
        EXPECT_EQ(hr, S_OK);
        EXPECT_GT(changed, 40);
    } else {
        EXPECT_NE(hr, S_OK);
        EXPECT_EQ(changed, 0);
    }
    if (theme) qx::Themes().CloseThemeData(&theme);
}

// Below version 5.1 the controls never reach the visual-styles library, even
// where the system itself would give a theme.
TEST(ThemeApiProcess, OldVersionUsesFallbacks) {
    if (VersionExpectsThemes()) GTEST_SKIP() << "runs where an old version is reported";
    Window w;
    qx::ThemeApi &api = qx::Themes();
    EXPECT_EQ(api.OpenThemeData(w.get(), L"SPIN"), nullptr);
    HTHEME bogus = reinterpret_cast<HTHEME>(0x1234);
    EXPECT_EQ(api.CloseThemeData(&bogus), E_FAIL);
    EXPECT_EQ(bogus, nullptr);
    HRESULT hr;
    EXPECT_EQ(DrawButtonPixels(api, reinterpret_cast<HTHEME>(0x1234), &hr), 0);
    EXPECT_EQ(hr, E_FAIL);
    qx::ScopedTheme scoped(w.get(), L"BUTTON");
    EXPECT_FALSE(scoped);
}

TEST(ThemeApiInstance, LibraryThatCannotLoad) {
    const OSVERSIONINFOA xp = MakeVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    qx::ThemeApi api(&xp, "qx_no_such_library.dll");
    EXPECT_TRUE(api.IsThemed());
    EXPECT_EQ(api.Module(), nullptr);
    Window w;
    EXPECT_EQ(api.OpenThemeData(w.get(), L"BUTTON"), nullptr);
    HTHEME h = reinterpret_cast<HTHEME>(0x1234);
    EXPECT_EQ(api.CloseThemeData(&h), E_FAIL);
    EXPECT_EQ(h, nullptr);
    HRESULT hr;
    EXPECT_EQ(DrawButtonPixels(api, reinterpret_cast<HTHEME>(0x1234), &hr), 0);
    EXPECT_EQ(hr, E_FAIL);
}

TEST(ThemeApiInstance, LibraryWithoutTheEntries) {
    const OSVERSIONINFOA xp = MakeVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    qx::ThemeApi api(&xp, "kernel32.dll");
    EXPECT_NE(api.Module(), nullptr);
    Window w;
    EXPECT_EQ(api.OpenThemeData(w.get(), L"BUTTON"), nullptr);
    HTHEME h = reinterpret_cast<HTHEME>(0x1234);
    EXPECT_EQ(api.CloseThemeData(&h), E_FAIL);
    EXPECT_EQ(h, nullptr);
}

TEST(ThemeApiInstance, UnreadableOrOldVersionLoadsNothing) {
    qx::ThemeApi unreadable(nullptr, "UxTheme.dll");
    EXPECT_FALSE(unreadable.IsThemed());
    EXPECT_EQ(unreadable.Module(), nullptr);
    const OSVERSIONINFOA w2k = MakeVersion(VER_PLATFORM_WIN32_NT, 5, 0);
    qx::ThemeApi old(&w2k, "UxTheme.dll");
    EXPECT_FALSE(old.IsThemed());
    EXPECT_EQ(old.Module(), nullptr);
}

TEST(ThemeApiInstance, ReachesTheRealLibrary) {
    const OSVERSIONINFOA xp = MakeVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    qx::ThemeApi api(&xp, "UxTheme.dll");
    ASSERT_NE(api.Module(), nullptr);
    Window w;
    HTHEME theme = api.OpenThemeData(w.get(), L"SPIN");
    // The prefix decides whether a theme is in force, not the version.
    EXPECT_EQ(theme != nullptr, !qxt::ClassicPrefix());
    if (theme) {
        EXPECT_EQ(api.CloseThemeData(&theme), S_OK);
        EXPECT_EQ(theme, nullptr);
    }
}

}  // namespace
