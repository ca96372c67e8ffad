// Edit windows, with and without a spin, follow visual styles switched for
// them (WM_THEMECHANGED) with nothing more than UpdateWindow: their whole
// window, themed border and spin included, shows the pixels of a window made
// afresh in the new look. With a theme in force and in the classic look
// (where there is nothing to switch, and nothing may change). The spin's
// arrows are drawn from faces it keeps: they follow every change too.
#include "handle_counts.h"
#include "harness.h"
#include "qx_cntl.h"

#include <uxtheme.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

const bool kRegistered = RegisterQXCtls(qxt::HostInstance()) != 0;

TEST(EditLooks, FollowVisualStylesSwitched) {
    ASSERT_TRUE(kRegistered);
    qxt::ParentWindow parent(400, 120);
    const struct { const char *cls, *mask; DWORD style; } rows[] = {
        {"QXEdit", "", 0}, {"QXInteger", "9999", QXES_SPIN}, {"QXTime", "99:99 am", QXES_SPIN}, {"QXFloat", "", 0}};
    for (const auto &r : rows) {
        for (bool off : {true, false}) {
            SCOPED_TRACE(std::string(r.cls) + (off ? " off" : " on"));
            // Made hidden, so that nothing is drawn before it is shown.
            auto make = [&](bool classic, int x) {
                std::unique_ptr<qxt::ClassicBirths> births(classic ? new qxt::ClassicBirths : nullptr);
                HWND h = CreateWindowExA(WS_EX_CLIENTEDGE, r.cls, r.mask, WS_CHILD | r.style, x, 10, 120, 24,
                                         parent.hwnd(), nullptr, qxt::HostInstance(), nullptr);
                births.reset();
                SetWindowTextA(h, "12");
                ShowWindow(h, SW_SHOWNA);
                qxt::Repaint(h);
                return h;
            };
            HWND edit = make(!off, 10);
            const qxt::Pixels before(edit, true);
            qxt::SetWindowStyles(edit, !off);
            UpdateWindow(edit);
            const qxt::Pixels after(edit, true);
            HWND fresh = make(off, 200);
            EXPECT_EQ(after.Differences(qxt::Pixels(fresh, true)), 0);
            EXPECT_EQ(before.Differences(after) > 0, !qxt::ClassicPrefix()) << "the change shows";
            DestroyWindow(edit), DestroyWindow(fresh);
        }
    }
}

// ---- The spin's kept faces ----------------------------------------------------

// A "QXInteger" with a spin, 24 high, shown and painted; its upper arrow
// pressed and released once, so that faces are kept.
HWND MakeSpinEdit(HWND parent, int x, int height) {
    HWND h = CreateWindowExA(WS_EX_CLIENTEDGE, "QXInteger", "", WS_CHILD | WS_VISIBLE | QXES_SPIN, x, 10, 120, height,
                             parent, nullptr, qxt::HostInstance(), nullptr);
    SetWindowTextA(h, "12");
    qxt::Repaint(h);
    return h;
}

// Presses (and holds) the arrow at the top or bottom quarter of the spin.
void Press(HWND h, bool up) {
    RECT r;
    GetClientRect(h, &r);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 4, up ? r.bottom / 4 : r.bottom * 3 / 4));
}

void Release(HWND h) { SendMessageA(h, WM_LBUTTONUP, 0, 0); }

// Pixels that differ in the spin's strip (the columns of the client area it
// takes at the right).
int SpinDifferences(const qxt::Pixels &pa, const qxt::Pixels &pb) {
    if (pa.width() != pb.width() || pa.height() != pb.height()) return -1;
    const int spin = GetSystemMetrics(SM_CXHTHUMB);
    int n = 0;
    for (int y = 0; y < pa.height(); ++y)
        for (int x = pa.width() - spin; x < pa.width(); ++x) n += pa.At(x, y) != pb.At(x, y);
    return n;
}

// After its arrows were drawn pressed and normal, a spin is changed: another
// theme class for the window (WM_THEMECHANGED; the scroll bar's parts 1 and 2
// look unlike the spin's), another height (other sizes of faces), disabled
// (another state). Repainted by UpdateWindow alone, and with an arrow
// pressed, it shows what a spin made that way afresh shows.
TEST(EditLooks, SpinFacesFollowTheirWindow) {
    ASSERT_TRUE(kRegistered);
    qxt::ParentWindow parent(400, 120);
    const struct { const char *what; std::function<void(HWND)> change; int height; bool up; } rows[] = {
        {"theme class", [](HWND h) { SetWindowTheme(h, nullptr, L"SCROLLBAR"); }, 24, true},
        {"theme class, lower arrow", [](HWND h) { SetWindowTheme(h, nullptr, L"SCROLLBAR"); }, 24, false},
        {"taller", [](HWND h) { SetWindowPos(h, nullptr, 0, 0, 120, 34, SWP_NOMOVE | SWP_NOZORDER); }, 34, true},
        {"shorter", [](HWND h) { SetWindowPos(h, nullptr, 0, 0, 120, 19, SWP_NOMOVE | SWP_NOZORDER); }, 19, false},
        {"disabled", [](HWND h) { EnableWindow(h, FALSE); }, 24, true},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.what);
        HWND spin = MakeSpinEdit(parent.hwnd(), 10, 24);
        for (bool up : {true, false}) Press(spin, up), Release(spin);
        r.change(spin);
        UpdateWindow(spin);
        HWND fresh = MakeSpinEdit(parent.hwnd(), 200, r.height);
        r.change(fresh);
        UpdateWindow(fresh);
        // Pressed and released in turn: a press takes the capture, and with
        // it the other window's press.
        std::vector<qxt::Pixels> pressed, released;
        for (HWND h : {spin, fresh}) {
            Press(h, r.up);
            pressed.emplace_back(h);
            Release(h);
            released.emplace_back(h);
        }
        EXPECT_EQ(SpinDifferences(pressed[0], pressed[1]), 0);
        EXPECT_EQ(SpinDifferences(released[0], released[1]), 0);
        DestroyWindow(spin), DestroyWindow(fresh);
    }
}

// Presses, sizes, theme switches and whole windows, many times over: the
// faces a spin keeps take no more GDI handles than the first rounds made.
TEST(EditLooks, SpinFacesKeepNoHandles) {
    ASSERT_TRUE(kRegistered);
    qxt::ParentWindow parent(400, 120);
    HWND spin = MakeSpinEdit(parent.hwnd(), 10, 24);
    int k = 0;
    const std::vector<qxt::Repeat> rows = {
        {"presses", 100, [&] { Press(spin, k % 2 == 0), Release(spin); }},
        {"sizes", 40, [&] {
            SetWindowPos(spin, nullptr, 0, 0, 120, 20 + k % 3 * 7, SWP_NOMOVE | SWP_NOZORDER);
            UpdateWindow(spin);
            Press(spin, true), Release(spin);
        }},
        {"theme switches", 20, [&] {
            qxt::SetWindowStyles(spin, k % 2 != 0);
            UpdateWindow(spin);
            Press(spin, false), Release(spin);
        }},
        {"windows", 20, [&] {
            HWND other = MakeSpinEdit(parent.hwnd(), 200, 24);
            Press(other, true), Release(other);
            DestroyWindow(other);
        }},
    };
    qxt::ExpectHandleCountsFlat(rows, &k, false);
    DestroyWindow(spin);
}

}  // namespace
