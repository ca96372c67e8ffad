// EditHost: the context menu of every edit. The edit handles WM_CONTEXTMENU
// itself (the parent does not see it; a host that wants its own menu
// subclasses the control). The menu's texts are string resources: the
// creating module's, where it has them, else the library's own.
#include "common/gdi.h"
#include "common/library_strings.h"
#include "common/win_util.h"
#include "edit/edit_host.h"
#include "qx_cntl.h"

namespace qx {
namespace {

// The items in order; command 0 is a separator. Each command is the message
// that does the same (EM_SETSEL: Select All).
const struct {
    UINT command;
    UINT text;
} kItems[] = {
    {WM_UNDO, QXIDS_MENU_UNDO}, {0, 0},
    {WM_CUT, QXIDS_MENU_CUT},   {WM_COPY, QXIDS_MENU_COPY}, {WM_PASTE, QXIDS_MENU_PASTE},
    {WM_CLEAR, QXIDS_MENU_DELETE}, {0, 0},
    {EM_SETSEL, QXIDS_MENU_SELECTALL},
};

// What the items' states depend on.
struct MenuFacts {
    bool editable;
    bool selection;
    bool canUndo;
    bool text;
    bool clipboardText;
};

bool Applies(UINT command, const MenuFacts &f) {
    switch (command) {
    case WM_UNDO: return f.canUndo && f.editable;
    case WM_CUT:
    case WM_CLEAR: return f.selection && f.editable;
    case WM_COPY: return f.selection;
    case WM_PASTE: return f.clipboardText && f.editable;
    case EM_SETSEL: return f.text;
    default: return false;
    }
}

// The popup menu, destroyed at the end (the owned-handle template of the
// GDI helpers).
struct DestroyMenuHandle {
    void operator()(HMENU h) const { DestroyMenu(h); }
};
using PopupMenu = GdiObject<HMENU, DestroyMenuHandle>;

}  // namespace

// The edit takes the focus first, as a click would give it. The chosen
// command runs after the menu has closed, through the handler of its
// message, so it is refused where the message would be.
void EditHost::ContextMenu(LPARAM lp) {
    if (!edit || !IsWindowEnabled(Window())) return;
    if (GetFocus() != Window()) {
        SetFocus(Window());
        if (Gone()) return;
    }
    POINT at = {LowSigned(lp), HighSigned(lp)};
    if (at.x == -1 && at.y == -1) at = edit->CaretMenuPoint();

    int anchor, caret;
    edit->GetSel(&anchor, &caret);
    const MenuFacts facts = {!edit->ReadOnly(), anchor != caret, edit->CanUndo(), edit->GetTextLength() > 1,
                             IsClipboardFormatAvailable(CF_TEXT) != FALSE};
    PopupMenu menu(CreatePopupMenu());
    if (!menu) return;
    for (const auto &item : kItems) {
        if (!item.command) {
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        char text[128];
        LoadControlString(Window(), item.text, text, sizeof text);
        AppendMenuA(menu.get(), MF_STRING | (Applies(item.command, facts) ? MF_ENABLED : MF_GRAYED), item.command,
                    text);
    }
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0,
        Window(), nullptr));
    if (Gone() || !chosen) return;
    if (chosen == EM_SETSEL)
        edit->SelectAll();
    else
        EditCommand(chosen);
}

}  // namespace qx
