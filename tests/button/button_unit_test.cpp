// Internal pieces of the buttons, linked with the library's static twin: the
// bulk replacement of the transparent colour against the pixel-by-pixel
// rule it stands for, and windows whose object cannot be allocated.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <vector>

#include "button/bmp_btn.h"
#include "button/month_year_btn.h"
#include "button_fixture.h"
#include "harness.h"
#include "qx_cntl.h"

namespace {
int g_refusedAllocations = 0;  // how many of the next nothrow allocations fail
}

// Every nothrow allocation of the library goes through here in this program.
void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
    if (g_refusedAllocations > 0) {
        --g_refusedAllocations;
        return nullptr;
    }
    return std::malloc(size ? size : 1);
}

namespace {

const COLORREF kClear = RGB(192, 192, 192);

// The rule the bulk replacement must match: when the top-left pixel has the
// colour, every pixel of it is set to `to`, one GetPixel/SetPixel at a time.
void PixelByPixel(HBITMAP bmp, COLORREF from, COLORREF to) {
    BITMAP bm;
    GetObjectA(bmp, sizeof bm, &bm);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bmp);
    if (GetPixel(mem, 0, 0) == from) {
        for (int y = 0; y < bm.bmHeight; ++y)
            for (int x = 0; x < bm.bmWidth; ++x)
                if (GetPixel(mem, x, y) == from) SetPixel(mem, x, y, to);
    }
    SelectObject(mem, old);
    DeleteDC(mem);
}

TEST(ReplaceBackground, MatchesThePixelRuleInEveryFormat) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // Colours near the face colour, so that palettes must pick the nearest.
    const COLORREF pool[] = {kClear, RGB(0, 0, 0), RGB(210, 208, 200), RGB(216, 204, 196),
                             RGB(255, 0, 0), RGB(0, 128, 0), RGB(191, 192, 192), RGB(255, 255, 255)};
    struct {
        int bpp, colors, w, h;
    } cases[] = {
        {32, 8, 23, 17}, {24, 8, 23, 17}, {16, 8, 23, 17}, {0, 8, 23, 17},
        {8, 8, 23, 17},  {4, 8, 23, 17},  {1, 2, 23, 17},
        // Several strips of rows.
        {32, 8, 700, 300}, {8, 8, 700, 300},
    };
    HDC screen = GetDC(nullptr);
    for (const auto &c : cases) {
        for (bool cornerClear : {true, false}) {
            SCOPED_TRACE(::testing::Message() << c.bpp << " bpp " << c.w << "x" << c.h
                                              << (cornerClear ? "" : ", corner not clear"));
            auto color = [&](int x, int y) {
                if (x == 0 && y == 0) return cornerClear ? kClear : RGB(0, 0, 0);
                return pool[(x * 7 + y * 3 + (x * y) % 5) % c.colors];
            };
            HBITMAP bulk = bt::MakeBitmap(c.w, c.h, color, c.bpp);
            HBITMAP rule = bt::MakeBitmap(c.w, c.h, color, c.bpp);
            ASSERT_NE(bulk, nullptr);
            const std::vector<COLORREF> before = bt::BitmapPixels(bulk);
            const bool ran = qx::ReplaceBackground(screen, bulk, kClear, face);
            PixelByPixel(rule, kClear, face);
            const std::vector<COLORREF> want = bt::BitmapPixels(rule), got = bt::BitmapPixels(bulk);
            ASSERT_EQ(got.size(), want.size());
            int wrong = 0;
            for (size_t i = 0; i < got.size(); ++i) wrong += got[i] != want[i];
            EXPECT_EQ(wrong, 0);
            EXPECT_EQ(ran, before[0] == kClear);
            if (!ran) {
                EXPECT_EQ(got, before);
            }
            DeleteObject(bulk);
            DeleteObject(rule);
        }
    }
    ReleaseDC(nullptr, screen);
}

TEST(ReplaceBackground, RefusesWhatIsNoBitmap) {
    HDC screen = GetDC(nullptr);
    HBRUSH brush = CreateSolidBrush(kClear);
    EXPECT_FALSE(qx::ReplaceBackground(screen, nullptr, kClear, 0));
    EXPECT_FALSE(qx::ReplaceBackground(screen, reinterpret_cast<HBITMAP>(brush), kClear, 0));
    DeleteObject(brush);
    ReleaseDC(nullptr, screen);
}

TEST(PictureOrigin, CentresTruncatingTowardZero) {
    struct {
        RECT r;
        int w, h;
        bool pressed;
        POINT want;
    } cases[] = {
        {{0, 0, 40, 30}, 9, 7, false, {15, 11}},  {{2, 2, 38, 28}, 9, 7, false, {15, 11}},
        {{0, 0, 40, 30}, 9, 7, true, {16, 12}},   {{0, 0, 40, 30}, 61, 51, false, {-10, -10}},
        {{1, 1, 39, 29}, 61, 51, true, {-9, -9}}, {{5, 5, 5, 5}, 3, 3, false, {4, 4}},
    };
    for (const auto &c : cases) {
        const POINT p = qx::PictureOrigin(c.r, c.w, c.h, c.pressed);
        EXPECT_EQ(p.x, c.want.x) << c.w << " " << c.pressed;
        EXPECT_EQ(p.y, c.want.y) << c.h << " " << c.pressed;
    }
}

// Faults of the window procedure, seen before the system may swallow them.
LONG g_faults = 0;
LONG CALLBACK CountFaults(EXCEPTION_POINTERS *info) {
    if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) ++g_faults;
    return EXCEPTION_CONTINUE_SEARCH;
}

// A window whose object cannot be made is not created at all (and nothing
// faults), and a month/year window never falls back to a plain bitmap
// button's object.
TEST(ButtonAllocation, FailureFailsTheCreation) {
    bt::ButtonClasses classes;
    ASSERT_TRUE(classes.ok());
    qxt::ParentWindow parent;
    void *handler = AddVectoredExceptionHandler(1, CountFaults);
    for (const char *cls : {"QXBmpButton", "QXBmpButtonXP"}) {
        g_faults = 0;
        g_refusedAllocations = 1;
        HWND refused = parent.CreateChild(cls, "", 0, 0, 0, 20, 20);
        g_refusedAllocations = 0;
        EXPECT_EQ(refused, nullptr) << cls;
        EXPECT_EQ(g_faults, 0) << cls;
        HWND made = parent.CreateChild(cls, "", 0, 0, 0, 20, 20);
        EXPECT_NE(made, nullptr) << cls;
        EXPECT_EQ(QXBtn_SetBitmap(made, nullptr), 1) << cls;
        DestroyWindow(made);
    }
    RemoveVectoredExceptionHandler(handler);
}

}  // namespace
