// The picture edit: a text with the fixed layout of a picture mask. Literal
// positions always show themselves, placeholder positions hold one accepted
// character or a space. Typing overwrites and jumps over literals, deleting
// blanks positions instead of closing them up. The time edit derives from it.
#pragma once
#include <windows.h>

#include "edit/edit_ctl.h"

namespace qx {

class PictCtl : public EditCtl {
public:
    PictCtl(WindowObject &host, int x, int y, int width, int height);
    ~PictCtl() override = default;

    void OnSetFocus() override;
    // Lays the text over the mask (a character that fits no position gives
    // the position's blank); false without a mask, for a text with a control
    // character, and for a laid text the edit refuses.
    bool SetText(const char *str, ChangeOrigin origin) override;
    bool OnLButtonUp(int x, int y, WPARAM keys) override;
    Refusal Validate(TextLine &line) const override;
    Refusal RemoveText(TextLine &line, int pos, int count, EditReason reason) const override;
    Refusal InsertText(TextLine &line, const char *str, int pos, EditReason reason) const override;
    // A mask of 1 to 63 positions; shows its empty layout. Anything else is
    // refused and changes nothing.
    bool SetMask(const char *mask) override;
    void Clear() override;

    bool HasMask() const { return mask && mask[0]; }
    // Raw characters laid into the mask as the whole new text; false (and
    // nothing changes) when they do not fit it or the edit would refuse the
    // result.
    bool SetValue(const char *raw);
    // The placeholder characters, at most size - 1 and a terminating zero.
    bool GetValue(char *dst, int size) const;
    void SetHideEmpty(bool on) { hideEmpty = on; }

protected:
    // One position a byte: a double-byte literal of the mask shows its
    // first byte alone.
    bool WholeCharacters() const override { return false; }
    // Unfocused with every placeholder blank, the box is painted empty,
    // without its literals.
    bool PaintsEmpty() const override;
    // After a click or on gaining the focus: a caret beyond the entered
    // characters goes back to just after the last one.
    void PullBackCaret();

    bool hideEmpty = true;
};

}  // namespace qx
