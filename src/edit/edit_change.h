// A change of an edit's line as one value, and the vocabulary of its path.
//
// Every change of the text of an edit (a key, a typed character, a paste, a
// cut, an undo, a text the host sets, an export, a screen reader's client, a
// step of the spin) is a Change: where it comes from, the line before it,
// the line it proposes and the verdict. The operation that makes it works on
// the proposal only; EditCtl::Apply (edit_ctl.cpp) is the one path that
// decides it with the class's rules (a function of the proposal that does
// not touch the control), then commits or refuses it, records the undo step,
// tells screen readers, notifies the parent and shows it, always in that
// order. Nothing of a change is kept in the control's members while it is
// decided: a refused change has changed nothing, so there is nothing to
// revert.
//
// When changes meet:
// - A call that arrives while a change is being decided never runs inside
//   it. The library peeks at the queue (which dispatches calls sent from
//   other threads, the exports of a worker among them) only before a change
//   starts or once it is complete: the refusal's beep drops the pending keys
//   after the refusal, a shortcut's control character is taken off the queue
//   after its command. A call dispatched there is a change of its own.
// - A change is complete once it is decided, stored and recorded; its
//   notifications come after that. What the parent does in a notification
//   (a text it sets, a value, an undo buffer emptied) is a change of its
//   own, taken at once; the running change then finishes showing the line
//   as it stands.
#pragma once

#include "common/text_line.h"

namespace qx {

// Who made a change.
enum class ChangeOrigin : unsigned char {
    kKey,        // Delete, Backspace, WM_CLEAR: the user's removal of text
    kTyped,      // a typed character, and the selection it types over
    kPaste,      // WM_PASTE, Ctrl+V, Shift+Insert
    kCut,        // WM_CUT, Ctrl+X, Shift+Delete
    kUndo,       // Ctrl+Z, Alt+Backspace, EM_UNDO, WM_UNDO
    kHostText,   // WM_SETTEXT
    kExport,     // a value, mask or format set through an export
    kAccClient,  // a screen reader's client set the value
    kSpin,       // a step of the spin, the wheel or a spin arrow's action
};

// The user's changes beep when refused and are recorded for undo; the
// host's are refused silently and empty the undo buffer when taken.
inline bool IsUserOrigin(ChangeOrigin origin) {
    return origin != ChangeOrigin::kHostText && origin != ChangeOrigin::kExport;
}

// Why a change was refused, for every refusal of the user's input.
enum class Refusal : unsigned char {
    kNone,          // taken
    kNotAccepted,   // a character this class does not take (not a digit, a second separator)
    kAboveMaximum,  // the value would be above the maximum
    kBelowMinimum,  // the value would be below the minimum
    kNoRoom,        // the line, the mask's digits or its positions are full
    kNeedsLetter,   // this position takes a letter
    kNeedsDigit,    // this position takes a digit
    kHourRange,     // the hour must be 0-23 (1-12 on a 12-hour clock)
    kMinuteRange,   // minutes must be 0-59
    kOther,         // anything else (a control character in a pasted text)
};

// Why text is removed or inserted, so a class can treat each kind of edit
// differently.
enum class EditReason : unsigned char {
    kDelete,              // Delete key, one character after the caret
    kDeleteSelection,     // deletion of the selection (also by a cut, or typing over it)
    kBackspace,           // Backspace, one character before the caret
    kBackspaceSelection,  // Backspace with a selection
    kPaste,               // paste
    kTyped,               // one typed character
};

struct Change {
    Change(ChangeOrigin from, const TextLine &line) : origin(from), before(line), proposal(line) {}

    bool Taken() const { return verdict == Refusal::kNone; }

    ChangeOrigin origin;
    TextLine before;    // the line when the change began
    TextLine proposal;  // the line it proposes; the class's rules may normalise it
    Refusal verdict = Refusal::kNone;
    // The class's rules decide (a proposal its maker has already made
    // valid, or a value written as it is, skips them).
    bool checked = true;
    // Notified and shown at once; a quiet change is only stored, and the
    // line painted at the next WM_PAINT.
    bool notified = true;
    // The same value shown anew (in other separators): the undo buffer,
    // shown anew by the change's maker, stays.
    bool reshown = false;
};

}  // namespace qx
