// EditCtl: construction, the text model's operations, keys, typed
// characters, the clipboard, and the one path by which a change is checked,
// notified and shown. Drawing, the caret and the mouse are in edit_display.cpp.
#include "edit/edit_ctl.h"

#include <cstring>
#include <new>

#include "common/accessible.h"
#include "common/char_class.h"
#include "common/win_util.h"

namespace qx {
namespace {

bool KeyDown(int vk) { return GetKeyState(vk) < 0; }

// OpenClipboard fails while another window holds the clipboard; a short
// retry (50 ms at most) rides out a holder that is about to close it.
bool OpenClipboardFor(HWND hwnd) {
    for (int i = 0;; ++i) {
        if (OpenClipboard(hwnd)) return true;
        if (i == 10) return false;
        Sleep(5);
    }
}

}  // namespace

EditCtl::EditCtl(WindowObject &host, int x, int y, int width, int height)
    : host_(host), hwnd(host.Window()) {
    SetRect(x, y, width, height);
    font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

EditCtl::~EditCtl() = default;

// ---- Virtual operations ------------------------------------------------------

bool EditCtl::SetText(const char *str) {
    if (HasControlChar(str)) return false;
    saved = cur;
    cur.SetText(str, WholeCharacters() ? WholeCharBytes(str, TextLine::kCapacity) : TextLine::kCapacity);
    cur.SetSel(0, 0);
    bool taken = false;
    Refresh(true, nullptr, &taken);
    return taken;
}

bool EditCtl::ShortcutCtrl() { return KeyDown(VK_CONTROL) && !KeyDown(VK_MENU); }

// A key press starts new input: a lead byte still waiting for its second
// byte is dropped.
void EditCtl::OnKeyDown(UINT vk) {
    if (vk == VK_CONTROL) return;
    pendingLead = 0;
    // The key first: asking for Ctrl's state is a trip to the window system.
    if ((vk == 'C' || vk == 'V' || vk == 'X') && ShortcutCtrl()) {
        if (vk == 'C')
            Copy();
        else if (vk == 'V')
            Paste();
        else
            Cut();
        if (Gone()) return;
        // The control character that the shortcut's key also produces.
        MSG msg;
        PeekMessageA(&msg, hwnd, WM_CHAR, WM_CHAR, PM_REMOVE);
        return;
    }
    switch (vk) {
    case VK_END: MoveCaret(cur.Length()); break;
    case VK_HOME: MoveCaret(0); break;
    case VK_LEFT: MoveLeft(); break;
    case VK_RIGHT: MoveRight(); break;
    case VK_INSERT: InsertKey(); break;
    case VK_DELETE: DeleteKey(); break;
    default: break;
    }
}

// A control character is a key's code, not text (Ctrl+A, Ctrl+Z, Enter, Esc,
// Tab outside a dialog...): it is ignored, the selection and the pending
// keys stay. A lead byte waits for the byte that completes its character,
// which is then typed as one.
void EditCtl::OnChar(char ch) {
    const char lead = pendingLead;
    pendingLead = 0;
    if (ch == '\b') {
        DeleteBack();
        return;
    }
    if (IsControlChar(ch)) return;
    if (!lead && IsLeadByte(ch)) {
        pendingLead = ch;
        return;
    }
    if (cur.HasSelection()) {
        DeleteSelection();
        if (Gone() || !Refresh(true)) return;
    }
    const char str[3] = {lead ? lead : ch, lead ? ch : '\0', '\0'};
    saved = cur;
    if (InsertText(str, cur.anchor, kReasonTyped))
        Refresh(true);
    else
        RejectInput();
}

bool EditCtl::Validate() { return true; }

void EditCtl::DeleteForward() {
    if (cur.caret >= cur.Length()) return;
    saved = cur;
    RemoveText(cur.caret, NextPos(cur.caret) - cur.caret, kReasonDelete);
    Refresh(true);
}

void EditCtl::DeleteBack() {
    saved = cur;
    const int lo = cur.SelStart(), hi = cur.SelEnd();
    if (lo < hi) {
        RemoveText(lo, hi - lo, kReasonBackspaceSelection);
    } else if (cur.caret > 0) {
        const int before = PrevPos(cur.caret);
        RemoveText(before, cur.caret - before, kReasonBackspace);
    }
    Refresh(true);
}

void EditCtl::DeleteSelection() {
    saved = cur;
    const int lo = cur.SelStart(), hi = cur.SelEnd();
    RemoveText(lo, hi - lo, kReasonDeleteSelection);
    Refresh(true);
}

bool EditCtl::RemoveText(int pos, int count, EditReason) {
    cur.Remove(pos, count);
    return true;
}

bool EditCtl::InsertText(const char *str, int pos, EditReason) { return cur.Insert(str, pos); }

bool EditCtl::SetMask(const char *str) { return StoreMask(str); }

bool EditCtl::Step(bool) { return false; }

void EditCtl::Clear() { SetText(""); }

// ---- Refresh and refusal -------------------------------------------------------

// A refused change reverts to the saved copy and is shown reverted, without
// a notification. The copy is the text just before this change: an earlier
// step of the same key (a removed selection before a refused character) was
// shown and notified, and stays.
bool EditCtl::Refresh(bool notify, HDC dc, bool *taken) {
    if (notify && !Validate()) {
        if (userDepth > 0) RejectInput();
        cur = saved;
        notify = false;
    } else if (taken) {
        *taken = true;
    }
    if (notify)
        Changed();
    else
        AnnounceValue();  // a refusal may return to another text than the one announced
    if (notify && !Notify(EN_UPDATE)) return false;
    {
        // One hide around both: a caret moved while hidden is not drawn and
        // erased again on its way, and the paint cannot run over it.
        EditDC edc(hwnd, font, dc);
        if (hasFocus) HideCaret(hwnd);
        PlaceCaret(edc);
        if (!Paint(edc.get())) return false;
        if (hasFocus) ShowCaret(hwnd);
    }
    return !notify || Notify(EN_CHANGE);
}

void EditCtl::AnnounceValue() {
    if (announced.length == cur.length && std::memcmp(announced.text, cur.text, cur.length) == 0) return;
    announced.SetText(cur.text);
    NotifyValueChange(hwnd);
}

void EditCtl::RejectInput() {
    MSG msg;
    while (PeekMessageA(&msg, hwnd, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    ErrorBeep();
}

// ---- Caret movement and selection ---------------------------------------------

void EditCtl::MoveCaret(int pos) {
    const int p = pos < 0 ? 0 : (pos > cur.Length() ? cur.Length() : pos);
    cur.caret = p;
    if (!KeyDown(VK_SHIFT)) cur.anchor = p;
    Refresh(false);
}

int EditCtl::NextPos(int pos) const { return WholeCharacters() ? cur.NextChar(pos) : cur.Clamp(pos + 1); }
int EditCtl::PrevPos(int pos) const { return WholeCharacters() ? cur.PrevChar(pos) : cur.Clamp(pos - 1); }
int EditCtl::Snap(int pos) const { return WholeCharacters() ? cur.CharStart(pos) : cur.Clamp(pos); }

// With Shift, left starts from the low end of the selection and right from
// the high end, whichever end the caret is at.
void EditCtl::MoveLeft() {
    const int lo = cur.SelStart(), hi = cur.SelEnd();
    MoveCaret(lo != hi && !KeyDown(VK_SHIFT) ? lo : PrevPos(lo));
}

void EditCtl::MoveRight() {
    const int lo = cur.SelStart(), hi = cur.SelEnd();
    MoveCaret(lo != hi && !KeyDown(VK_SHIFT) ? hi : NextPos(hi));
}

void EditCtl::InsertKey() {
    const bool shift = KeyDown(VK_SHIFT);
    if (shift && !KeyDown(VK_CONTROL))
        Paste();
    else if (!shift && ShortcutCtrl())
        Copy();
}

void EditCtl::DeleteKey() {
    if (ReadOnly()) return;
    if (KeyDown(VK_SHIFT))
        Cut();
    else if (cur.HasSelection())
        DeleteSelection();
    else
        DeleteForward();
}

// An end inside a double-byte character goes to the character's start.
void EditCtl::SetSel(int anchor, int caret) {
    cur.SetSel(anchor, caret);
    cur.anchor = Snap(cur.anchor);
    cur.caret = Snap(cur.caret);
    Refresh(false);
}

// ---- Clipboard ---------------------------------------------------------------

// The clipboard is emptied before CF_TEXT is set, so no text of an earlier
// copy stays behind in another format. The memory is filled before the
// clipboard is opened, and freed again if the clipboard does not take it.
void EditCtl::Copy() {
    if (!cur.HasSelection()) return;
    const int lo = cur.SelStart(), hi = cur.SelEnd();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, hi - lo + 1);
    if (!mem) return;
    char *p = static_cast<char *>(GlobalLock(mem));
    if (!p) {
        GlobalFree(mem);
        return;
    }
    cur.Substring(p, lo, hi - lo);
    GlobalUnlock(mem);
    if (!OpenClipboardFor(hwnd)) {
        GlobalFree(mem);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, mem)) GlobalFree(mem);
    CloseClipboard();
}

void EditCtl::Cut() {
    if (!cur.HasSelection() || ReadOnly()) return;
    Copy();
    DeleteSelection();
}

// Reads the first line of CF_TEXT, at most 63 bytes of whole characters,
// never past the end of the clipboard's memory block. A paste that is
// refused (a control character left in that line, a text the edit does not
// take) leaves the text and the selection as they were before it.
void EditCtl::Paste() {
    if (ReadOnly()) return;
    char buf[TextLine::kCapacity + 1] = {};
    if (!OpenClipboardFor(hwnd)) return;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char *p = static_cast<const char *>(GlobalLock(data))) {
            CopyTextBlock(buf, p, GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (buf[0]) PasteText(buf);
}

// An empty text removes the selection, as a paste of nothing would.
bool EditCtl::PasteText(const char *text) {
    if (HasControlChar(text)) {
        RejectInput();
        return false;
    }
    saved = cur;
    const TextLine before = cur;
    const int lo = cur.SelStart(), hi = cur.SelEnd();
    if (lo < hi) RemoveText(lo, hi - lo, kReasonPaste);
    if (text[0] && !InsertText(text, lo, kReasonPaste)) {
        cur = before;
        RejectInput();
        return false;
    }
    bool taken = false;
    Refresh(true, nullptr, &taken);
    return taken;
}

bool EditCtl::EnterText(const char *text) {
    const TextLine before = cur;
    cur.SetSel(0, -1);
    if (PasteText(text)) return true;
    if (Gone()) return false;
    cur = before;  // the same text, and the selection it had
    Refresh(false);
    return false;
}

// ---- Mask and geometry ----------------------------------------------------------

bool EditCtl::StoreMask(const char *str) {
    if (!str) return false;
    const size_t n = std::strlen(str) + 1;
    std::unique_ptr<char[]> copy(new (std::nothrow) char[n]);
    if (!copy) {
        allocationFailed = true;
        return false;
    }
    std::memcpy(copy.get(), str, n);
    mask = std::move(copy);
    return true;
}

bool EditCtl::GetMask(char *dst, int size) const {
    if (!dst || size <= 0 || !mask) return false;
    const size_t n = std::strlen(mask.get()) + 1;
    if (n > static_cast<size_t>(size)) return false;
    std::memcpy(dst, mask.get(), n);
    return true;
}

void EditCtl::SetRect(int x, int y, int width, int height) {
    rect.left = x;
    rect.top = y;
    rect.right = x + width - 1;
    rect.bottom = y + height - 1;
}

}  // namespace qx
