#include "typed/picture_rules.h"

#include <windows.h>

#include "common/char_class.h"
#include "typed/picture_mask.h"

namespace qx {
namespace {

// Walks the positions of a mask.
class Positions {
public:
    explicit Positions(const char *mask) : p_(MaskFirst(mask, &literal_)) {}
    bool Done() const { return *p_ == '\0'; }
    char Char() const { return *p_; }
    bool Literal() const { return literal_; }
    void Next() { p_ = MaskNext(p_, &literal_); }

private:
    bool literal_;  // before p_: set by MaskFirst in p_'s initialiser
    const char *p_;
};

// Whether c may stand at a position: case-converted first, a lead byte never
// at a placeholder. The converted character goes to *out.
bool Fits(char c, char m, bool literal, char *out) {
    MaskApplyCase(&c, m, literal);
    *out = c;
    if (!literal && IsLeadByte(c)) return false;
    return MaskCharMatches(c, m, literal);
}

char EmptyAt(char m, bool literal) { return literal ? m : ' '; }

}  // namespace

bool PictureMaskUsable(const char *mask) {
    const int count = MaskPositionCount(mask);
    return count > 0 && count <= kPictureMaxPositions && !HasControlChar(mask);
}

int PictureEmptyLayout(const char *mask, char *out, int size) {
    if (!out || size < 1) return 0;
    int n = 0;
    if (mask)
        for (Positions pos(mask); !pos.Done() && n < size - 1; pos.Next())
            out[n++] = EmptyAt(pos.Char(), pos.Literal());
    out[n] = '\0';
    return n;
}

int PictureLayText(const char *mask, const char *text, char *out, int size) {
    if (!out || size < 1) return 0;
    if (!text) text = "";
    int n = 0;
    if (mask)
        for (Positions pos(mask); !pos.Done() && n < size - 1; pos.Next()) {
            char c = EmptyAt(pos.Char(), pos.Literal());
            if (*text) {
                char fitted;
                if (Fits(*text, pos.Char(), pos.Literal(), &fitted)) c = fitted;
                text = CharNextA(text);  // a double-byte character takes one position
            }
            out[n++] = c;
        }
    out[n] = '\0';
    return n;
}

Refusal PictureMisfit(char placeholder) {
    switch (placeholder) {
    case '9': return Refusal::kNeedsDigit;
    case 'A': case 'a': case 'L': case 'l': case 'U': case 'u': return Refusal::kNeedsLetter;
    default: return Refusal::kNotAccepted;
    }
}

Refusal PictureOvertype(const char *mask, TextLine &line, const char *str, int pos) {
    if (!mask || !*mask || !str || pos < 0 || pos >= line.length) return Refusal::kNoRoom;
    Positions at(mask);
    for (int i = 0; i < pos; ++i) {
        if (at.Done()) return Refusal::kNoRoom;
        at.Next();
    }
    if (at.Done()) return Refusal::kNoRoom;

    TextLine work = line;
    int i = pos;
    for (; *str; ++str) {
        if (at.Done() || i >= work.length) return Refusal::kNoRoom;  // characters left past the end
        while (at.Literal() && *str != at.Char()) {
            at.Next();
            ++i;
            if (at.Done() || i >= work.length) return Refusal::kNoRoom;
        }
        if (!Fits(*str, at.Char(), at.Literal(), &work.text[i])) return PictureMisfit(at.Char());
        at.Next();
        ++i;
    }
    work.anchor = work.caret = i;
    line = work;
    return Refusal::kNone;
}

void PictureBlank(const char *mask, char *text, int len, int pos, int count) {
    if (!mask || !text || pos < 0 || count <= 0) return;
    Positions at(mask);
    int i = 0;
    for (; i < pos && i < len && !at.Done(); ++i) at.Next();
    for (int left = count; left > 0 && i < len && !at.Done(); --left, ++i, at.Next())
        if (!at.Literal()) text[i] = ' ';
}

int PictureCaretAfterBlank(EditReason reason, int lo, int len) {
    switch (reason) {
    case EditReason::kDelete: return lo < len - 1 ? lo + 1 : -1;
    case EditReason::kDeleteSelection:
    case EditReason::kBackspaceSelection: return lo;
    case EditReason::kBackspace: return lo > 0 ? lo - 1 : -1;
    case EditReason::kPaste:
    case EditReason::kTyped: break;
    }
    return -1;
}

Refusal PictureValid(const char *mask, const char *text, int len) {
    if (!mask || !text) return Refusal::kOther;
    Positions at(mask);
    for (int i = 0; i < len; ++i, at.Next()) {
        if (at.Done()) return Refusal::kNoRoom;  // more text than positions
        char fitted;
        if (Fits(text[i], at.Char(), at.Literal(), &fitted)) continue;
        if (text[i] == ' ' && !at.Literal()) continue;
        return at.Literal() ? Refusal::kNotAccepted : PictureMisfit(at.Char());
    }
    return Refusal::kNone;
}

void PictureClear(const char *mask, char *text, int len) {
    PictureBlank(mask, text, len, 0, len);
}

int PicturePullBack(const char *mask, const char *text, int len, int caret) {
    if (!mask || !text) return caret;
    int last = 0;
    Positions at(mask);
    for (int i = 0; i < len && !at.Done() && last < caret; ++i, at.Next())
        if (!at.Literal() && text[i] != ' ') last = i + 1;
    return last < caret ? last : caret;
}

int PicturePlaceholders(const char *mask, const char *text, int len, char *out, int size) {
    if (!out || size < 1) return 0;
    int n = 0;
    if (mask && text) {
        Positions at(mask);
        for (int i = 0; i < len && !at.Done() && n < size - 1; ++i, at.Next())
            if (!at.Literal()) out[n++] = text[i];
    }
    out[n] = '\0';
    return n;
}

bool PictureAllBlank(const char *mask, const char *text, int len) {
    if (!mask || !text) return true;
    Positions at(mask);
    for (int i = 0; i < len && !at.Done(); ++i, at.Next())
        if (!at.Literal() && text[i] != ' ') return false;
    return true;
}

}  // namespace qx
