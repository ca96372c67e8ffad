// Changes of look (styles, theme class, size, enabled) shown after UpdateWindow alone, as a fresh window.
#include "handle_counts.h"
#include "harness.h"
#include "qx_cntl.h"

#include <uxtheme.h>

#include <memory>

namespace {

const bool kRegistered = RegisterQXCtls(qxt::HostInstance()) != 0;

// Made hidden (born classic when asked), so nothing is drawn before its text.
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
        DestroyWindow(edit), DestroyWindow(fresh);
    }
}

// Many presses, sizes, theme switches and windows: the spin's faces keep no more GDI handles.
TEST(EditLooks, SpinFacesKeepNoHandles) {
    ASSERT_TRUE(kRegistered);
    qxt::ParentWindow parent(400, 120);
    HWND spin = MakeEdit(parent.hwnd(), "QXInteger", "", QXES_SPIN, 10, 24, false);
    int k = 0;
    const std::vector<qxt::Repeat> rows = {
        {"presses", 100, [&] { Press(spin, k % 2 == 0), Release(spin); }},
        {"sizes", 40, [&] { SetWindowPos(spin, nullptr, 0, 0, 120, 20 + k % 3 * 7, SWP_NOMOVE | SWP_NOZORDER);
                            UpdateWindow(spin), Press(spin, true), Release(spin); }},
        {"theme switches", 20, [&] { qxt::SetWindowStyles(spin, k % 2 != 0), UpdateWindow(spin);
                                     Press(spin, false), Release(spin); }},
        {"windows", 20, [&] { HWND other = MakeEdit(parent.hwnd(), "QXInteger", "", QXES_SPIN, 200, 24, false);
                              Press(other, true), Release(other), DestroyWindow(other); }},
    };
    qxt::ExpectHandleCountsFlat(rows, &k, false);
    DestroyWindow(spin);
}

}  // namespace
