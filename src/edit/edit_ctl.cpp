// EditCtl: construction, the text model's operations, keys, typed
// characters, the clipboard, and the one path by which a change is checked,
// notified and shown. Drawing, the caret and the mouse are in edit_display.cpp.
#include "edit/edit_ctl.h"

#include <cstring>
#include <new>

#include "common/accessible.h"
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

void EditCtl::SetText(const char *str) {
    saved = cur;
    cur.SetText(str);
    cur.SetSel(0, 0);
    Refresh(true);
}

void EditCtl::OnKeyDown(UINT vk) {
    if (vk == VK_CONTROL) return;
    saved = cur;
    if (KeyDown(VK_CONTROL) && (vk == 'C' || vk == 'V' || vk == 'X')) {
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

void EditCtl::OnChar(char ch) {
    if (ch == '\b') {
        DeleteBack();
        return;
    }
    if (cur.HasSelection()) {
        DeleteSelection();
        if (Gone() || !Refresh(true)) return;
    }
    const char str[2] = {ch, '\0'};
    if (InsertText(str, cur.anchor, kReasonTyped))
        Refresh(true);
    else
        RejectInput();
}

bool EditCtl::Validate() { return true; }

void EditCtl::DeleteForward() {
    if (cur.caret >= cur.Length()) return;
    RemoveText(cur.caret, 1, kReasonDelete);
    Refresh(true);
}

void EditCtl::DeleteBack() {
    const int lo = cur.SelStart(), hi = cur.SelEnd();
    if (lo < hi)
        RemoveText(lo, hi - lo, kReasonBackspaceSelection);
    else if (cur.caret > 0)
        RemoveText(cur.caret - 1, 1, kReasonBackspace);
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
// a notification: an earlier step of the same key may already have been
// painted (a removed selection before the refused character).
bool EditCtl::Refresh(bool notify, HDC dc, bool *refused) {
    const bool refuse = notify && !Validate();
    if (refused) *refused = refuse;
    if (refuse) {
        if (!refused) RejectInput();
        cur = saved;
        notify = false;
    }
    if (notify)
        Changed();
    else
        AnnounceValue();  // a refusal may return to another text than the one announced
    if (notify && !Notify(EN_UPDATE)) return false;
    {
        EditDC edc(hwnd, font, dc);
        PlaceCaret(edc);
        if (!Paint(edc.get())) return false;
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

// With Shift, left starts from the low end of the selection and right from
// the high end, whichever end the caret is at.
void EditCtl::MoveLeft() {
    const int lo = cur.SelStart(), hi = cur.SelEnd();
    MoveCaret(lo != hi && !KeyDown(VK_SHIFT) ? lo : lo - 1);
}

void EditCtl::MoveRight() {
    const int lo = cur.SelStart(), hi = cur.SelEnd();
    MoveCaret(lo != hi && !KeyDown(VK_SHIFT) ? hi : hi + 1);
}

void EditCtl::InsertKey() {
    const bool shift = KeyDown(VK_SHIFT), ctrl = KeyDown(VK_CONTROL);
    if (shift && !ctrl)
        Paste();
    else if (ctrl && !shift)
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

void EditCtl::SetSel(int anchor, int caret) {
    cur.SetSel(anchor, caret);
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

// Reads at most 63 characters of CF_TEXT, never past the end of the
// clipboard's memory block. A paste that is refused leaves the text and the
// selection as they were before it.
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
    if (buf[0]) PasteText(buf, true);
}

// An empty text removes the selection, as a paste of nothing would.
bool EditCtl::PasteText(const char *text, bool beep) {
    saved = cur;
    const TextLine before = cur;
    const int lo = cur.SelStart(), hi = cur.SelEnd();
    if (lo < hi) RemoveText(lo, hi - lo, kReasonPaste);
    if (text[0] && !InsertText(text, lo, kReasonPaste)) {
        cur = before;
        if (beep) RejectInput();
        return false;
    }
    bool refused = false;
    if (!Refresh(true, nullptr, &refused)) return !refused;
    if (refused && beep) RejectInput();
    return !refused;
}

bool EditCtl::EnterText(const char *text) {
    const TextLine before = cur;
    cur.SetSel(0, -1);
    if (PasteText(text, false)) return true;
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
