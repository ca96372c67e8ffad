// Edit windows, with and without a spin, follow visual styles switched for
// them (WM_THEMECHANGED) with nothing more than UpdateWindow: their whole
// window, themed border and spin included, shows the pixels of a window made
// afresh in the new look. With a theme in force and in the classic look
// (where there is nothing to switch, and nothing may change).
#include "harness.h"
#include "qx_cntl.h"

#include <memory>

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

}  // namespace
