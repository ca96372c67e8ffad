// The integer edit ("QXInteger"): a signed 32-bit whole number as text, with
// a range, a digit allowance from a mask of '9's, and stepping by one.
#pragma once
#include "edit/edit_ctl.h"
#include "typed/int_rules.h"

namespace qx {

class IntCtl : public EditCtl {
public:
    using EditCtl::EditCtl;

    Refusal Validate(TextLine &line) const override;
    Refusal InsertText(TextLine &line, const char *str, int pos, EditReason reason) const override;
    bool SetMask(const char *mask) override;
    bool Step(bool up) override;

    // The value as text straight into the line: no check, no notification
    // (the line is painted at the next WM_PAINT).
    void SetValue(long value);
    // False when the text names no 32-bit value.
    bool GetValue(long *value) const;
    // False (nothing changed) when min is above max.
    bool SetRange(long min, long max);
    void GetRange(long *min, long *max) const;

private:
    IntLimits Limits() const;

    long min = -2147483647L - 1;
    long max = 2147483647L;
};

}  // namespace qx
