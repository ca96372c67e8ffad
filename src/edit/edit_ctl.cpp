// EditCtl: construction, the text model's operations, keys, typed
// characters, the clipboard, and the one path by which a change is checked,
// notified and shown. Drawing, the caret and the mouse are in edit_display.cpp.
#include "edit/edit_ctl.h"

#include <cstring>
#include <new>

#include "common/accessible.h"
#include "common/char_class.h"
#include "common/library_strings.h"
#include "common/win_util.h"
#include "qx_cntl.h"

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

bool EditCtl::SetText(const char *str, ChangeOrigin origin) {
    Change change(origin, cur);
    if (HasControlChar(str)) {
        change.verdict = Refusal::kOther;
    } else {
        change.proposal.SetText(str, WholeCharacters() ? WholeCharBytes(str, TextLine::kCapacity)
                                                       : TextLine::kCapacity);
        change.proposal.SetSel(0, 0);
    }
    return Apply(change);
}

bool EditCtl::ShortcutCtrl() { return KeyDown(VK_CONTROL) && !KeyDown(VK_MENU); }

// A key press starts new input: a lead byte still waiting for its second
// byte is dropped. The control character that a shortcut's key also
// produces is taken off the queue once the command is complete.
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
// which is then typed as one. Typed over a selection, the selection goes
// first, a change notified once for the removal and once more for the line
// the character is then typed into.
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
        // A refused removal has beeped: the character goes with it.
        if (!DeleteSelection(ChangeOrigin::kTyped) || Gone()) return;
        Change again(ChangeOrigin::kTyped, cur);
        if (!Apply(again) || Gone()) return;
    }
    const char str[3] = {lead ? lead : ch, lead ? ch : '\0', '\0'};
    Change typed(ChangeOrigin::kTyped, cur);
    typed.verdict = InsertText(typed.proposal, str, cur.anchor, EditReason::kTyped);
    Apply(typed);
}

Refusal EditCtl::Validate(TextLine &) const { return Refusal::kNone; }

void EditCtl::DeleteForward() {
    if (cur.caret >= cur.Length()) return;
    Change change(ChangeOrigin::kKey, cur);
    change.verdict = RemoveText(change.proposal, cur.caret, NextPos(cur.caret) - cur.caret, EditReason::kDelete);
    Apply(change);
}

// Backspace at the start, with no selection, changes nothing and is notified.
void EditCtl::DeleteBack() {
    Change change(ChangeOrigin::kKey, cur);
    const int lo = cur.SelStart(), hi = cur.SelEnd();
    if (lo < hi) {
        change.verdict = RemoveText(change.proposal, lo, hi - lo, EditReason::kBackspaceSelection);
    } else if (cur.caret > 0) {
        const int before = PrevPos(cur.caret);
        change.verdict = RemoveText(change.proposal, before, cur.caret - before, EditReason::kBackspace);
    }
    Apply(change);
}

bool EditCtl::DeleteSelection(ChangeOrigin origin) {
    Change change(origin, cur);
    const int lo = cur.SelStart(), hi = cur.SelEnd();
    change.verdict = RemoveText(change.proposal, lo, hi - lo, EditReason::kDeleteSelection);
    return Apply(change);
}

Refusal EditCtl::RemoveText(TextLine &line, int pos, int count, EditReason) const {
    line.Remove(pos, count);
    return Refusal::kNone;
}

Refusal EditCtl::InsertText(TextLine &line, const char *str, int pos, EditReason) const {
    return line.Insert(str, pos) ? Refusal::kNone : Refusal::kNoRoom;
}

bool EditCtl::SetMask(const char *str) { return StoreMask(str); }

bool EditCtl::Step(bool) { return false; }

void EditCtl::Clear() { SetText("", ChangeOrigin::kExport); }

// ---- The path of a change ----------------------------------------------------

// See edit_change.h for the order and for what happens when changes meet.
// Nothing of a change is stored before it is decided, so a refusal reverts
// nothing, and the refusal's peek (RejectInput) runs once it is complete.
bool EditCtl::Apply(Change &change) {
    if (change.Taken() && change.checked) change.verdict = Validate(change.proposal);
    if (!change.Taken()) {
        if (IsUserOrigin(change.origin)) RejectInput(change.verdict);
        return false;
    }
    if (IsUserOrigin(change.origin)) tip.Hide();
    cur = change.proposal;
    Record(change);
    AnnounceValue();
    if (!change.notified) {
        const RECT r = ExclusiveRect(rect);
        InvalidateRect(hwnd, &r, FALSE);
        if (hasFocus) PlaceCaret(EditDC(hwnd, font));
        return true;
    }
    if (Notify(EN_UPDATE) && Show()) Notify(EN_CHANGE);
    return true;
}

// One hide around placing and painting: a caret moved while hidden is not
// drawn and erased again on its way, and the paint cannot run over it.
bool EditCtl::Show(HDC dc) {
    EditDC edc(hwnd, font, dc);
    if (hasFocus) HideCaret(hwnd);
    PlaceCaret(edc);
    if (!Paint(edc.get())) return false;
    if (hasFocus) ShowCaret(hwnd);
    return true;
}

void EditCtl::AnnounceValue() {
    if (announced.length == cur.length && std::memcmp(announced.text, cur.text, cur.length) == 0) return;
    announced.SetText(cur.text);
    NotifyValueChange(hwnd);
}

void EditCtl::RejectInput(Refusal why) {
    MSG msg;
    while (PeekMessageA(&msg, hwnd, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    Refuse(why);
}

void EditCtl::Refuse(Refusal why) {
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    if (!(style & QXES_NOBEEP)) ErrorBeep();
    const UINT id = WhyString(why);
    if (!(style & QXES_EXPLAIN) || !id) return;
    char text[256];
    LoadControlString(hwnd, id, text, sizeof text);
    tip.Show(text, CaretMenuPoint());
}

UINT EditCtl::WhyString(Refusal why) const {
    switch (why) {
    case Refusal::kNone: return 0;
    case Refusal::kAboveMaximum: return QXIDS_WHY_ABOVEMAX;
    case Refusal::kBelowMinimum: return QXIDS_WHY_BELOWMIN;
    case Refusal::kNoRoom: return QXIDS_WHY_NOROOM;
    case Refusal::kNeedsLetter: return QXIDS_WHY_LETTER;
    case Refusal::kNeedsDigit: return QXIDS_WHY_DIGIT;
    case Refusal::kHourRange: return QXIDS_WHY_HOUR24;
    case Refusal::kMinuteRange: return QXIDS_WHY_MINUTE;
    case Refusal::kNotAccepted:
    case Refusal::kOther: break;
    }
    return QXIDS_WHY_NOTACCEPTED;
}

bool EditCtl::Notify(WORD code) { return host_.NotifyParent(code); }

bool EditCtl::AskParent(UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    return host_.SendToParent(msg, wp, lp, result);
}

// ---- Caret movement and selection ---------------------------------------------

void EditCtl::MoveCaret(int pos) {
    const int p = pos < 0 ? 0 : (pos > cur.Length() ? cur.Length() : pos);
    cur.caret = p;
    if (!KeyDown(VK_SHIFT)) cur.anchor = p;
    tip.Hide();
    Show();
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
        DeleteSelection(ChangeOrigin::kKey);
    else
        DeleteForward();
}

// An end inside a double-byte character goes to the character's start.
void EditCtl::SetSel(int anchor, int caret) {
    cur.SetSel(anchor, caret);
    cur.anchor = Snap(cur.anchor);
    cur.caret = Snap(cur.caret);
    Show();
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

// The change starts once the selection is on the clipboard: a call sent
// from another thread that the clipboard lets through runs before it.
void EditCtl::Cut() {
    if (!cur.HasSelection() || ReadOnly()) return;
    Copy();
    if (!Gone()) DeleteSelection(ChangeOrigin::kCut);
}

// Reads the first line of CF_TEXT, at most 63 bytes of whole characters,
// never past the end of the clipboard's memory block, before the change
// starts. A paste that is refused (a control character left in that line,
// a text the edit does not take) leaves the text and the selection as they
// were before it.
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
    if (buf[0]) PasteOver(ChangeOrigin::kPaste, cur, buf);
}

// An empty text removes the selection, as a paste of nothing would.
bool EditCtl::PasteOver(ChangeOrigin origin, const TextLine &line, const char *text) {
    Change change(origin, cur);
    change.proposal = line;
    const int lo = line.SelStart(), hi = line.SelEnd();
    if (HasControlChar(text)) change.verdict = Refusal::kOther;
    if (change.Taken() && lo < hi) change.verdict = RemoveText(change.proposal, lo, hi - lo, EditReason::kPaste);
    if (change.Taken() && text[0]) change.verdict = InsertText(change.proposal, text, lo, EditReason::kPaste);
    return Apply(change);
}

bool EditCtl::EnterText(const char *text) {
    TextLine all = cur;
    all.SetSel(0, -1);
    return PasteOver(ChangeOrigin::kAccClient, all, text);
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

void EditCtl::SetRect(int x, int y, int width, int height) {
    rect.left = x;
    rect.top = y;
    rect.right = x + width - 1;
    rect.bottom = y + height - 1;
}

}  // namespace qx
