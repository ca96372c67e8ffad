// EditCtl: the habits every edit shares: read-only, the key shortcuts,
// Select All, and one level of undo, recorded from the changes Apply takes.
#include "edit/edit_ctl.h"
#include "qx_cntl.h"

namespace qx {
namespace {

enum class Action { kSelectAll, kUndo };

// The shortcuts: the key, whether it comes with Alt (a system key) or with
// Ctrl and without Alt (Ctrl with Alt is AltGr, which types characters).
const struct {
    UINT vk;
    bool alt;
    Action action;
} kShortcuts[] = {
    {'A', false, Action::kSelectAll},
    {'Z', false, Action::kUndo},
    {VK_BACK, true, Action::kUndo},
};

// The control character that a shortcut's key produces too (Ctrl+A gives
// 0x01, Alt+Backspace a system character 0x08) is queued behind the key;
// it is dropped, and nothing else is. Called once the shortcut's command is
// complete: the peek may run calls sent from other threads.
void DropShortcutChar(HWND hwnd, bool alt) {
    const UINT msg = alt ? WM_SYSCHAR : WM_CHAR;
    MSG m;
    if (PeekMessageA(&m, hwnd, msg, msg, PM_NOREMOVE | PM_NOYIELD) && m.wParam < 0x20)
        PeekMessageA(&m, hwnd, msg, msg, PM_REMOVE | PM_NOYIELD);
}

}  // namespace

bool EditCtl::ReadOnly() const { return (GetWindowLongA(hwnd, GWL_STYLE) & QXES_READONLY) != 0; }

// The key is looked up before Ctrl's state is asked for (a trip to the
// window system), so a key of no shortcut costs nothing here.
bool EditCtl::Shortcut(UINT vk, bool alt) {
    for (const auto &s : kShortcuts) {
        if (s.vk != vk || s.alt != alt) continue;
        if (!alt && !ShortcutCtrl()) return false;
        if (s.action == Action::kSelectAll)
            SelectAll();
        else
            Undo();
        if (!Gone()) DropShortcutChar(hwnd, alt);
        return true;
    }
    return false;
}

void EditCtl::SelectAll() { SetSel(0, -1); }

bool EditCtl::Undo() {
    if (!canUndo || ReadOnly()) return false;
    Change change(ChangeOrigin::kUndo, cur);
    change.proposal = undo;
    return Apply(change);
}

void EditCtl::EmptyUndo() {
    canUndo = false;
    typingRun = false;
}

// A change of the host's empties the buffer even when it leaves the text as
// it was. An undo is recorded as any change, so the state it replaced is
// what the next undo restores.
void EditCtl::Record(const Change &change) {
    if (!IsUserOrigin(change.origin)) {
        if (!change.reshown) EmptyUndo();
        return;
    }
    if (SameText(change.before, cur)) return;
    const bool typing = change.origin == ChangeOrigin::kTyped;
    if (typing && typingRun && SameLine(change.before, runEnd)) {
        runEnd = cur;  // the run goes on; the buffer keeps its start
        return;
    }
    undo = change.before;
    canUndo = true;
    typingRun = typing;
    runEnd = cur;
}

void EditCtl::KeepUndoWithinRules() {
    TextLine restored = undo;
    if (canUndo && Validate(restored) != Refusal::kNone) EmptyUndo();
    typingRun = false;
}

}  // namespace qx
