// The floating-point edit ("QXFloat"): a decimal number with bounded integer
// and fraction digits, its own decimal and group separators, and a range.
// The text is regrouped after every change. Its spin does not step the value:
// it asks the parent to (QXFN_STEPUP, QXFN_STEPDOWN).
#pragma once
#include "edit/edit_ctl.h"
#include "typed/float_rules.h"

namespace qx {

class FloatCtl : public EditCtl {
public:
    using EditCtl::EditCtl;

    Refusal Validate(TextLine &line) const override;
    Refusal RemoveText(TextLine &line, int pos, int count, EditReason reason) const override;
    Refusal InsertText(TextLine &line, const char *str, int pos, EditReason reason) const override;
    // The digit counts of the mask; an undo buffer they refuse is dropped.
    bool SetMask(const char *mask) override;
    // Asks the parent to step (QXFN_STEPUP, QXFN_STEPDOWN). The value the
    // parent sets in answer, a change of its own, is the user's step for
    // undo: the buffer gets the text from before the request.
    bool Step(bool up) override;

    // Shows the value with the format's fraction digits, or as many as fit
    // the line; a value the edit cannot hold is refused silently (false).
    bool SetValue(double value);
    double GetValue() const;
    void SetRange(double min, double max);
    // False (nothing changed) for a format whose separators cannot be told
    // apart from each other, from digits or from the sign. The value stays:
    // the text is shown anew in the new separators, whatever the digit
    // counts and the range, and so is the undo buffer.
    bool SetFormat(const char *format);

private:
    char formatLead = 0;  // kept as given, not used
    FloatFormat format;
};

}  // namespace qx
