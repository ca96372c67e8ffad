// A working copy of an edit's line for the number rules: at most 63
// characters, zero-terminated, with the selection's two ends. The rules edit
// it character by character and keep the selection on the same characters.
#pragma once

namespace qx {

struct NumberText {
    static constexpr int kCapacity = 63;

    NumberText() = default;
    explicit NumberText(const char *str, int anchorPos = 0, int caretPos = 0) {
        Assign(str);
        anchor = Clamp(anchorPos);
        caret = Clamp(caretPos);
    }

    // At most kCapacity characters of str (null: empty); the selection is
    // clamped to the new length.
    void Assign(const char *str) {
        length = 0;
        if (str)
            while (length < kCapacity && str[length]) text[length] = str[length], ++length;
        text[length] = '\0';
        anchor = Clamp(anchor);
        caret = Clamp(caret);
    }

    int Clamp(int pos) const { return pos < 0 ? 0 : pos > length ? length : pos; }

    // Removes the character at i; the ends of the selection that lie after
    // it move left with the text.
    void RemoveAt(int i) {
        for (int k = i; k < length; ++k) text[k] = text[k + 1];
        --length;
        if (anchor > i) --anchor;
        if (caret > i) --caret;
    }

    // Inserts c before the character at i, false when the line is full. The
    // selection's ends are left alone: each rule places them itself.
    bool InsertAt(int i, char c) {
        if (length >= kCapacity || i < 0 || i > length) return false;
        for (int k = length + 1; k > i; --k) text[k] = text[k - 1];
        text[i] = c;
        ++length;
        return true;
    }

    char text[kCapacity + 1] = {};
    int length = 0;
    int anchor = 0;
    int caret = 0;
};

}  // namespace qx
