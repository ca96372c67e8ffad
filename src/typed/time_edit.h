// The time edit: a picture edit restricted to the five time masks, with
// field-aware typing, range checks and stepping of the field under the caret.
// Times cross its interface as an hour of the 24-hour clock and a minute.
#pragma once
#include <windows.h>

#include "typed/picture_edit.h"

namespace qx {

class TimeCtl : public PictCtl {
public:
    // Starts with the 24-hour mask.
    TimeCtl(WindowObject &host, int x, int y, int width, int height);
    ~TimeCtl() override = default;

    Refusal Validate(TextLine &line) const override;
    Refusal RemoveText(TextLine &line, int pos, int count, EditReason reason) const override;
    Refusal InsertText(TextLine &line, const char *str, int pos, EditReason reason) const override;
    // One of the five time masks; anything else is refused and changes
    // nothing.
    bool SetMask(const char *mask) override;
    bool Step(bool up) override;

    bool Is24Hour() const { return is24Hour; }
    bool HasEmptyTime() const;
    // The time the text holds, if any; false leaves the outputs alone.
    bool GetTime(int *hour, int *minute) const;
    // Shows hour (0-23) and minute (0-59); false for anything out of range.
    bool SetTime(int hour, int minute);

protected:
    // The hour's reason names the clock of the mask.
    UINT WhyString(Refusal why) const override;

private:
    bool is24Hour = true;
};

}  // namespace qx
