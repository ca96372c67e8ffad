// The tip an edit shows when it refuses the user's input with QXES_EXPLAIN:
// the system's tooltip control in balloon style, one tracking tool pointing
// next to the caret, which says why. One tip window per edit, made at the
// first refusal it explains; a new refusal replaces its text. It hides at
// the next key the edit takes, when the edit loses the focus, or when its
// timer runs out, and is destroyed with the edit (it is owned by the top
// window, not by the edit, so the edit destroys it itself).
//
// The tooltip draws with the system's info colours (high contrast's own
// when on) and the system's font; its wrapping width follows the edit's
// DPI. Screen readers hear EVENT_SYSTEM_ALERT for the tip's window, whose
// accessible name is its text.
#pragma once
#include <windows.h>

namespace qx {

class RefusalTip {
public:
    // The WM_TIMER identifier the edit's window receives when the tip's
    // time is up.
    static constexpr UINT_PTR kTimer = 0x5157;

    explicit RefusalTip(HWND edit) : edit_(edit) {}
    ~RefusalTip() { Destroy(); }
    RefusalTip(const RefusalTip &) = delete;
    RefusalTip &operator=(const RefusalTip &) = delete;

    // Shows text with the balloon's stem at the screen point `at`; nothing
    // when the tooltip control cannot be had.
    void Show(const char *text, POINT at);
    void Hide();
    // The tip's window goes (the edit is being destroyed).
    void Destroy();

private:
    bool Make();

    HWND edit_;
    HWND tip_ = nullptr;
    bool shown_ = false;
};

}  // namespace qx
