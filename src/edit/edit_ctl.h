// The edit base class: one line of text with a selection, turned into edits
// by keys, typed characters and clipboard commands. Every change is one
// value (edit_change.h) that the operation proposes through the virtual
// RemoveText/InsertText and that Apply decides with the virtual Validate,
// all three functions of a line that do not touch the control. A refusal of
// the user's input drops the pending keys and beeps (unless QXES_NOBEEP),
// and with QXES_EXPLAIN a tip says why (edit_tip.h); a change the host makes
// (WM_SETTEXT, a value or a mask set through an export) is refused silently.
// Typed edits override single operations.
//
// No control character (below 0x20, or 0x7F) enters the text: typed, it is
// a key's code and is ignored; in a paste (after its first line) or in a
// new text it refuses the whole change. Caret, selection and deletion step
// over whole characters of a double-byte code page.
//
// The edit lives in the window object of its window (its host), which is
// held alive while any of its operations runs. Its notifications and colour
// requests go to the parent through the host; a parent may destroy the
// window meanwhile, and from then on (Gone) an operation touches nothing
// more and returns.
#pragma once
#include <windows.h>

#include <memory>

#include "common/text_line.h"
#include "common/window_object.h"
#include "edit/edit_change.h"
#include "edit/edit_tip.h"

namespace qx {

// A device context of an edit window with the edit's font selected: the
// window's own DC (released at the end) or a given one.
class EditDC {
public:
    EditDC(HWND hwnd, HFONT font, HDC dc = nullptr);
    ~EditDC();
    EditDC(const EditDC &) = delete;
    EditDC &operator=(const EditDC &) = delete;

    HDC get() const { return dc_; }
    // Width of n characters; the line height goes to *height when asked.
    int Width(const char *text, int n, int *height = nullptr) const;

private:
    HWND hwnd_;
    HDC dc_;
    bool owned_;
    HGDIOBJ oldFont_;
};

class EditCtl {
public:
    // The edit area is (x, y, width, height) in the host's window.
    EditCtl(WindowObject &host, int x, int y, int width, int height);
    virtual ~EditCtl();
    EditCtl(const EditCtl &) = delete;
    EditCtl &operator=(const EditCtl &) = delete;

    // The typed edits' contract, in this order.
    virtual void OnSetFocus();
    // A new text (its whole characters within 63 bytes), the caret at its
    // start, as a change from origin: true when it was taken. A text with a
    // control character is refused, and so is one Validate refuses.
    virtual bool SetText(const char *str, ChangeOrigin origin);
    virtual bool OnLButtonDown(int x, int y, WPARAM keys);
    virtual bool OnLButtonUp(int x, int y, WPARAM keys);
    virtual void OnKeyDown(UINT vk);
    virtual void OnChar(char ch);
    // The class's rules on a proposed line: kNone when it may stand, and
    // then the line normalised in place; otherwise why not.
    virtual Refusal Validate(TextLine &line) const;
    virtual void DeleteForward();
    virtual void DeleteBack();
    // True when taken.
    virtual bool DeleteSelection(ChangeOrigin origin);
    // count bytes at pos removed from line, or text inserted at pos, for a
    // reason; kNone when done (the selection moved as the class moves it).
    virtual Refusal RemoveText(TextLine &line, int pos, int count, EditReason reason) const;
    virtual Refusal InsertText(TextLine &line, const char *str, int pos, EditReason reason) const;
    // False when the window is gone afterwards (the parent destroyed it
    // while it answered the colour request).
    virtual bool Paint(HDC dc);
    virtual bool SetMask(const char *mask);
    // One step of the spin or the wheel: true when the value changed.
    virtual bool Step(bool up);
    virtual void Clear();

    // The one path of a change (see edit_change.h): decides it with
    // Validate, then stores it or refuses it (the user's with RejectInput,
    // after the refusal; the host's silently), records it for undo, tells
    // screen readers (EVENT_OBJECT_VALUECHANGE when the text differs from
    // the one they last heard of), and notifies and shows it: EN_UPDATE,
    // the caret placed and the line painted, EN_CHANGE. True when taken.
    bool Apply(Change &change);
    // Shows the line as it is (caret and paint), without a notification;
    // with dc, paints into it. False when the window is gone afterwards.
    bool Show(HDC dc = nullptr);
    // Whether the line is painted as an empty box (the text stays as it is);
    // asked after the parent answered the colour request. Screen readers
    // are told what is painted: then no text.
    virtual bool PaintsEmpty() const { return false; }
    void MoveCaret(int pos);
    void SetSel(int anchor, int caret);
    void GetSel(int *anchor, int *caret) const { cur.GetSel(anchor, caret); }
    int GetText(char *dst, int size) const { return cur.GetText(dst, size); }
    int GetTextLength() const { return cur.Length() + 1; }
    void Copy();
    void Cut();
    void Paste();
    // The whole text replaced by `text` as if the user had selected all and
    // pasted it: the same checks, notifications, refusal and events. True
    // when it was taken; false when refused, and then text and selection
    // stay as they were.
    bool EnterText(const char *text);
    void SetRect(int x, int y, int width, int height);
    // The window's DPI: the margins (one pixel at 96 dpi) and the caret's
    // width follow it.
    void SetDpi(UINT newDpi);
    void SetFont(HFONT font);
    void SetRightAlign(bool on);
    void OnKillFocus();
    void OnMouseMove(int x, int y);
    // The window lost the mouse capture to another window: a selection by
    // mouse ends where it is.
    void OnCaptureLost();
    void PlaceCaret(const EditDC &dc);
    // The screen point just below the caret's line, where a menu opened
    // from the keyboard goes.
    POINT CaretMenuPoint();
    int HitTest(int x);
    // WM_SETCURSOR: the I-beam over the edit area, the arrow elsewhere.
    void ChooseCursor();

    HWND Window() const { return hwnd; }
    // The window was destroyed during the operation: touch nothing more.
    bool Gone() const { return host_.Gone(); }
    const RECT &Rect() const { return rect; }
    const char *Mask() const { return mask.get(); }
    void SetWrap(bool on) { wrap = on; }
    bool Wrap() const { return wrap; }
    bool RightAlign() const { return rightAlign; }
    bool HasFocus() const { return hasFocus; }
    bool MouseSelecting() const { return mouseSelecting; }
    HFONT Font() const { return font; }
    // An allocation made by this object failed (for example the copy of a
    // mask); window creation treats that as a failure.
    bool AllocationFailed() const { return allocationFailed; }

    // Refused input: the window's pending keyboard messages are dropped, then
    // Refuse(why).
    void RejectInput(Refusal why);
    // A refusal of the user's: the simple beep unless the window has
    // QXES_NOBEEP; with QXES_EXPLAIN, the tip saying why next to the caret.
    void Refuse(Refusal why);
    // The tip goes: the edit lost the focus, or its time is up.
    void HideTip() { tip.Hide(); }
    // The window is being destroyed: the tip's window goes with it.
    void DropTip() { tip.Destroy(); }

    // ---- The habits of every edit (edit_undo.cpp) ----
    // The window has the read-only style: the user may select and copy, not
    // change the text.
    bool ReadOnly() const;
    // The key shortcuts, one table: Ctrl+A selects all, Ctrl+Z and
    // Alt+Backspace undo (alt: the key came as a system key with Alt down).
    // True when vk was one of them; the control character the shortcut's
    // key also produces is dropped.
    bool Shortcut(UINT vk, bool alt);
    void SelectAll();
    // One level of undo. Undo restores the text and selection of the undo
    // buffer as one change, validated and notified; the state it replaced
    // becomes the buffer, so an undo right after an undo redoes. False
    // (nothing changes) with nothing to undo, when read-only, or when the
    // edit's rules refuse the restored text (with a beep).
    bool CanUndo() const { return canUndo; }
    bool Undo();
    void EmptyUndo();

protected:
    // The text inserted over the selection of line as a paste from origin,
    // through the same checks (an empty one removes the selection). True
    // when taken; a refused one leaves the text as it was, with the
    // refusal's beep.
    bool PasteOver(ChangeOrigin origin, const TextLine &line, const char *text);
    // Ctrl held for a shortcut: Ctrl down and Alt up. Ctrl and Alt together
    // are AltGr, which types a character on many layouts (AltGr+V types '@'
    // on some): then no shortcut acts and the character is typed.
    static bool ShortcutCtrl();
    // The string (QXIDS_WHY_*) that explains a refusal; 0 for none.
    virtual UINT WhyString(Refusal why) const;
    // Whether caret, selection and deletion step over whole characters of
    // the code page; false where every position is one byte (the picture
    // edits, whose text is laid out byte by byte).
    virtual bool WholeCharacters() const { return true; }
    // The positions next to pos that the caret can take, and the one that
    // holds pos (pos itself between characters).
    int NextPos(int pos) const;
    int PrevPos(int pos) const;
    int Snap(int pos) const;
    // Makes the caret as high as a line of the font, placed and shown.
    void MakeCaret();
    // A notification to the parent; false when the window is gone afterwards.
    bool Notify(WORD code);
    // A message to the parent (see WindowObject::SendToParent).
    bool AskParent(UINT msg, WPARAM wp, LPARAM lp, LRESULT *result = nullptr);
    // The undo step of a taken change (Apply's): a user's change that
    // altered the text becomes the buffer (typed characters in a row one
    // step); a host's change empties it.
    void Record(const Change &change);
    // Drops the undo buffer when the class's rules no longer take it: a
    // mask changed, and an undo would restore a text the edit now refuses.
    void KeepUndoWithinRules();
    // Tells screen readers the text when it differs from the one they last
    // heard of.
    void AnnounceValue();
    // After a change of font or alignment.
    void Relayout();
    // Stores a copy of str as the mask; false when str is null or the copy
    // cannot be allocated (the old mask then stays, and AllocationFailed
    // tells window creation). Typed edits store their masks through it.
    bool StoreMask(const char *str);
    // Left and right arrows, the Insert and Delete keys.
    void MoveLeft();
    void MoveRight();
    void InsertKey();
    void DeleteKey();
    // The x at which the text starts, given its width.
    int TextOrigin(int width) const;
    // The top of the caret in client coordinates.
    POINT CaretAt(const EditDC &dc) const;

    WindowObject &host_;
    int marginLeft = 1;
    int marginTop = 1;
    int marginRight = 1;
    UINT dpi = 96;  // the window's DPI, which margins and caret follow
    RECT rect;  // right and bottom inclusive
    HFONT font;
    bool rightAlign = false;
    HWND hwnd;
    bool mouseSelecting = false;
    bool wrap = false;
    bool hasFocus = false;
    // Where this edit last put the caret it made with the focus.
    bool caretPlaced = false;
    POINT caretPos = {0, 0};
    TextLine cur;
    TextLine undo;                // what an undo restores, when canUndo
    bool canUndo = false;
    bool typingRun = false;       // the last step recorded was typing, ending at runEnd
    TextLine runEnd;
    TextLine announced;  // the text clients last heard of
    // The lead byte of a double-byte character whose second byte has not
    // come yet (0: none).
    char pendingLead = 0;
    std::unique_ptr<char[]> mask;
    bool allocationFailed = false;
    RefusalTip tip{hwnd};
};

}  // namespace qx
