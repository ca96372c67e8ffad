// Visual-styles access for versions either side of NT 5.1, libraries missing or lacking the entries, and the
// process's own; drawing and closing forward or give E_FAIL; closing clears the caller's handle.
#include <atomic>
#include <thread>
#include <vector>

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

// First calls of any entry from several threads at once reach the entry or its fallback, never a half-stored one.
TEST(ThemeApi, FirstCallsFromSeveralThreadsAtOnce) {
    const bool opens = !qxt::ClassicPrefix();
    const OSVERSIONINFOA v = {sizeof v, 6, 1, 0, VER_PLATFORM_WIN32_NT, {}};
    constexpr int kThreads = 4, kRounds = 300;
    qxt::FaultCounter faults;
    qx::ThemeApi keeper(&v, "UxTheme.dll");
    HDC dc = CreateCompatibleDC(nullptr);
    const RECT r = {0, 0, 40, 20};
    HANDLE go[2] = {CreateEventA(nullptr, TRUE, FALSE, nullptr), CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<int> finished(0), bad(0);
    qx::ThemeApi *api = nullptr;
    bool real = false;
    HTHEME handles[kThreads];
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round) {
                WaitForSingleObject(go[round % 2], INFINITE);
                const HRESULT expected = real ? (opens ? S_OK : E_HANDLE) : E_FAIL;
                switch (t % 3) {
                case 0: {
                    HTHEME theme = api->OpenThemeData(nullptr, L"SPIN");
                    bad += (theme != nullptr) != (real && opens);
                    if (theme) api->CloseThemeData(&theme);
                    break;
                }
                case 1: bad += api->CloseThemeData(&handles[t]) != expected || handles[t]; break;
                default: bad += api->DrawThemeBackground(handles[t], dc, 1, 1, &r, nullptr) != expected;
                }
                ++finished;
            }
        });
    }
    for (int round = 0; round < kRounds; ++round) {
        real = round % 2 == 0;
        qx::ThemeApi fresh(&v, real ? "UxTheme.dll" : "kernel32.dll");
        api = &fresh;
        for (HTHEME &h : handles) h = keeper.OpenThemeData(nullptr, L"SPIN");
        ResetEvent(go[(round + 1) % 2]);
        SetEvent(go[round % 2]);
        while (finished < kThreads * (round + 1)) SwitchToThread();
        for (HTHEME &h : handles)
            if (h) keeper.CloseThemeData(&h);
    }
    for (std::thread &t : threads) t.join();
    for (HANDLE e : go) CloseHandle(e);
    DeleteDC(dc);
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(faults.Faults(), 0);
}

}  // namespace
