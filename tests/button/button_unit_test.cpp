// Internal pieces of the buttons, linked with the library's static twin: the
// bulk replacement of the transparent colour against the pixel-by-pixel rule
// it stands for, and windows whose object cannot be allocated.
#include <cstdlib>
#include <new>

#include "button/bmp_btn.h"
#include "button_fixture.h"

namespace {
int g_refusals = 0;  // how many of the next nothrow allocations fail
}

// Every nothrow allocation of the library goes through here in this program.
void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
    if (g_refusals > 0) return --g_refusals, nullptr;
    return std::malloc(size ? size : 1);
}

namespace {

const COLORREF kClear = RGB(192, 192, 192);

// The rule: when the top-left pixel has the colour, every pixel of it takes
// the face colour, one GetPixel/SetPixel at a time.
void PixelByPixel(HBITMAP bmp, COLORREF to) {
    BITMAP bm;
    GetObjectA(bmp, sizeof bm, &bm);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bmp);
    for (int y = 0; GetPixel(mem, 0, 0) == kClear && y < bm.bmHeight; ++y)
        for (int x = 0; x < bm.bmWidth; ++x)
            if (GetPixel(mem, x, y) == kClear && (x || y)) SetPixel(mem, x, y, to);
    if (GetPixel(mem, 0, 0) == kClear) SetPixel(mem, 0, 0, to);
    SelectObject(mem, old);
    DeleteDC(mem);
}

TEST(ReplaceBackground, MatchesThePixelRuleInEveryFormat) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // Colours near the face colour, so that palettes must pick the nearest.
    const COLORREF pool[] = {kClear,         0,           RGB(210, 208, 200), RGB(216, 204, 196),
                             RGB(255, 0, 0), RGB(0, 128, 0), RGB(191, 192, 192), RGB(255, 255, 255)};
    const struct {
        int bpp, colors, w, h;
    } cases[] = {{32, 8, 23, 17}, {24, 8, 23, 17}, {16, 8, 23, 17},   {0, 8, 23, 17}, {8, 8, 23, 17},
                 {4, 8, 23, 17},  {1, 2, 23, 17},  {32, 8, 700, 300}, {8, 8, 700, 300}};  // strips of rows
    HDC screen = GetDC(nullptr);
    for (const auto &c : cases) {
        for (bool clearCorner : {true, false}) {
            SCOPED_TRACE(::testing::Message() << c.bpp << " bpp " << c.w << "x" << c.h << " " << clearCorner);
            auto color = [&](int x, int y) {
                return x || y ? pool[(x * 7 + y * 3 + (x * y) % 5) % c.colors] : clearCorner ? kClear : 0;
            };
            HBITMAP bulk = bt::MakeBitmap(c.w, c.h, color, c.bpp), rule = bt::MakeBitmap(c.w, c.h, color, c.bpp);
            // A format without the exact colour never matches it.
            const bool cornerMatches = bt::BitmapPixels(bulk)[0] == kClear;
            EXPECT_EQ(cornerMatches, clearCorner && c.bpp != 16);
            EXPECT_EQ(qx::ReplaceBackground(screen, bulk, kClear, face), cornerMatches);
            PixelByPixel(rule, face);
            const std::vector<COLORREF> got = bt::BitmapPixels(bulk), want = bt::BitmapPixels(rule);
            int wrong = 0;
            for (size_t i = 0; i < got.size(); ++i) wrong += got[i] != want[i];
            EXPECT_EQ(wrong, 0);
            DeleteObject(bulk);
            DeleteObject(rule);
        }
    }
    ReleaseDC(nullptr, screen);
}

// Faults of the window procedure, seen before the system may swallow them.
LONG g_faults = 0;
LONG CALLBACK CountFaults(EXCEPTION_POINTERS *info) {
    g_faults += info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION;
    return EXCEPTION_CONTINUE_SEARCH;
}

// A window whose object cannot be made is not created (and nothing faults);
// a month/year window never falls back to a plain button's object.
class ButtonAllocation : public bt::ButtonTest {};
TEST_F(ButtonAllocation, FailureFailsTheCreation) {
    void *handler = AddVectoredExceptionHandler(1, CountFaults);
    for (const char *cls : {"QXBmpButton", "QXBmpButtonXP"}) {
        g_faults = 0;
        g_refusals = 1;
        EXPECT_EQ(parent.CreateChild(cls, "", 0, 0, 0, 20, 20), nullptr) << cls;
        g_refusals = 0;
        EXPECT_EQ(g_faults, 0) << cls;
        HWND made = parent.CreateChild(cls, "", 0, 0, 0, 20, 20);
        EXPECT_EQ(QXBtn_SetBitmap(made, nullptr), 1) << cls;
    }
    RemoveVectoredExceptionHandler(handler);
}

}  // namespace
