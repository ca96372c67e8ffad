// Edit windows follow what changes their look (visual styles switched, a
// theme class, a size, the enabled state) with nothing more than UpdateWindow:
// the whole window, border and spin included, shows the pixels of a window
// made afresh that way, a spin's arrows pressed and released too (they are
// drawn from faces it keeps, which keep no handles). With a theme in force
// and in the classic look, where there is nothing to switch.
#include "handle_counts.h"
#include "harness.h"
#include "qx_cntl.h"

#include <uxtheme.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

const bool kRegistered = RegisterQXCtls(qxt::HostInstance()) != 0;

// Made hidden (born in the classic look when asked), so that nothing is drawn
// before it is shown with its text.
HWND MakeEdit(HWND parent, const char *cls, const char *mask, DWORD style, int x, int height, bool classic) {
    std::unique_ptr<qxt::ClassicBirths> births(classic ? new qxt::ClassicBirths : nullptr);
    HWND h = CreateWindowExA(WS_EX_CLIENTEDGE, cls, mask, WS_CHILD | style, x, 10, 120, height, parent, nullptr,
                             qxt::HostInstance(), nullptr);
    births.reset();
    SetWindowTextA(h, "12");
    ShowWindow(h, SW_SHOWNA);
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

// Pixels that differ in the spin's strip (the client area's columns it takes).
int SpinDifferences(const qxt::Pixels &a, const qxt::Pixels &b) {
    const int spin = GetSystemMetrics(SM_CXHTHUMB);
    int n = a.width() == b.width() && a.height() == b.height() ? 0 : -1;
    for (int y = 0; y < a.height() && n >= 0; ++y)
        for (int x = a.width() - spin; x < a.width(); ++x) n += a.At(x, y) != b.At(x, y);
    return n;
}

TEST(EditLooks, FollowWhatChangesThem) {
    ASSERT_TRUE(kRegistered);
    qxt::ParentWindow parent(400, 120);
    const auto styles = [](bool on) { return [on](HWND h) { qxt::SetWindowStyles(h, on); }; };
    const auto size = [](int height) {
        return [height](HWND h) { SetWindowPos(h, nullptr, 0, 0, 120, height, SWP_NOMOVE | SWP_NOZORDER); };
    };
    const auto scrollBar = [](HWND h) { SetWindowTheme(h, nullptr, L"SCROLLBAR"); };  // parts unlike the spin's
    const struct { const char *cls, *mask; DWORD style; bool classic; std::function<void(HWND)> change; int height; } rows[] = {
        {"QXEdit", "", 0, false, styles(false), 24}, {"QXEdit", "", 0, true, styles(true), 24},
        {"QXFloat", "", 0, false, styles(false), 24}, {"QXFloat", "", 0, true, styles(true), 24},
        {"QXTime", "99:99 am", QXES_SPIN, false, styles(false), 24}, {"QXTime", "99:99 am", QXES_SPIN, true, styles(true), 24},
        {"QXInteger", "9999", QXES_SPIN, false, styles(false), 24}, {"QXInteger", "9999", QXES_SPIN, true, styles(true), 24},
        {"QXInteger", "", QXES_SPIN, false, scrollBar, 24}, {"QXInteger", "", QXES_SPIN, false, size(34), 34},
        {"QXInteger", "", QXES_SPIN, false, size(19), 19}, {"QXInteger", "", QXES_SPIN, false, [](HWND h) { EnableWindow(h, FALSE); }, 24},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.cls << " row " << &r - rows);
        HWND edit = MakeEdit(parent.hwnd(), r.cls, r.mask, r.style, 10, 24, r.classic);
        if (r.cls[2] == 'I')
            for (bool up : {true, false}) Press(edit, up), Release(edit);  // faces kept
        SetFocus(parent.hwnd());
        const qxt::Pixels before(edit, true);
        r.change(edit);
        UpdateWindow(edit);
        const qxt::Pixels after(edit, true);
        HWND fresh = MakeEdit(parent.hwnd(), r.cls, r.mask, r.style, 200, r.height, r.classic);
        if (r.height == 24) r.change(fresh);
        UpdateWindow(fresh);
        EXPECT_EQ(after.Differences(qxt::Pixels(fresh, true)), 0);
        EXPECT_TRUE(!r.change || r.height != 24 || r.style || (before.Differences(after) > 0) != qxt::ClassicPrefix());
        // Pressed and released in turn: a press takes the capture, and with it the other window's press.
        for (bool up : {true, false}) {
            if (!r.style) break;
            std::vector<qxt::Pixels> pressed, released;
            for (HWND h : {edit, fresh}) {
                Press(h, up);
                pressed.emplace_back(h);
                Release(h);
                released.emplace_back(h);
            }
            EXPECT_EQ(SpinDifferences(pressed[0], pressed[1]), 0) << up;
            EXPECT_EQ(SpinDifferences(released[0], released[1]), 0) << up;
        }
        DestroyWindow(edit), DestroyWindow(fresh);
    }
}

// Presses, sizes, theme switches and whole windows, many times over: the
// faces a spin keeps take no more GDI handles than the first rounds made.
TEST(EditLooks, SpinFacesKeepNoHandles) {
    ASSERT_TRUE(kRegistered);
    qxt::ParentWindow parent(400, 120);
    HWND spin = MakeEdit(parent.hwnd(), "QXInteger", "", QXES_SPIN, 10, 24, false);
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
            HWND other = MakeEdit(parent.hwnd(), "QXInteger", "", QXES_SPIN, 200, 24, false);
            Press(other, true), Release(other);
            DestroyWindow(other);
        }},
    };
    qxt::ExpectHandleCountsFlat(rows, &k, false);
    DestroyWindow(spin);
}

}  // namespace
