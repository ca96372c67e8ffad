// EditCtl: the habits every edit shares: read-only, the key shortcuts,
// Select All, one level of undo, and how a user's change is told from a
// text the host sets.
#include <cstring>

#include "edit/edit_ctl.h"
#include "qx_cntl.h"

namespace qx {
namespace {

bool SameText(const TextLine &a, const TextLine &b) {
    return a.length == b.length && std::memcmp(a.text, b.text, a.length) == 0;
}

bool SameLine(const TextLine &a, const TextLine &b) {
    return SameText(a, b) && a.anchor == b.anchor && a.caret == b.caret;
}

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
// it is dropped, and nothing else is.
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
    UserChange change(*this);
    const unsigned before = accepted;
    saved = cur;
    cur = undo;
    return Refresh(true) && accepted != before;
}

// Also while a user's change is in progress (a parent that empties the
// buffer from its notification handler): that change is not recorded.
void EditCtl::EmptyUndo() {
    canUndo = false;
    typingRun = false;
    ++hostSets;
}

void EditCtl::Changed() {
    ++accepted;
    if (userDepth == 0) EmptyUndo();
    AnnounceValue();
}

// While the parent answers, no user's change is in progress: a text it sets
// is the host's.
class EditCtl::ParentTurn {
public:
    explicit ParentTurn(EditCtl &edit) : edit_(edit), depth_(edit.userDepth) { edit.userDepth = 0; }
    ~ParentTurn() { edit_.userDepth = depth_; }
    ParentTurn(const ParentTurn &) = delete;
    ParentTurn &operator=(const ParentTurn &) = delete;

private:
    EditCtl &edit_;
    const int depth_;
};

bool EditCtl::Notify(WORD code) {
    ParentTurn turn(*this);
    return host_.NotifyParent(code);
}

bool EditCtl::AskParent(UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    ParentTurn turn(*this);
    return host_.SendToParent(msg, wp, lp, result);
}

// ---- A user's change ------------------------------------------------------

EditCtl::UserChange::UserChange(EditCtl &edit, bool typing)
    : edit_(edit), before_(edit.cur), hostSets_(edit.hostSets), typing_(typing) {
    ++edit.userDepth;
}

// The object outlives its window until the outermost call returns, so the
// count is kept right even when the window went away meanwhile.
EditCtl::UserChange::~UserChange() {
    EditCtl &e = edit_;
    if (--e.userDepth > 0 || e.Gone() || e.hostSets != hostSets_ || SameText(before_, e.cur)) return;
    if (typing_ && e.typingRun && SameLine(before_, e.runEnd)) {
        e.runEnd = e.cur;  // the run goes on; the buffer keeps its start
        return;
    }
    e.undo = before_;
    e.canUndo = true;
    e.typingRun = typing_;
    e.runEnd = e.cur;
}

}  // namespace qx
