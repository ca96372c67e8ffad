// One line of at most 63 characters with a selection.
#pragma once
#include <cstddef>

namespace qx {

class EditBuf {
public:
    static constexpr int kCapacity = 63;

    EditBuf() = default;
    virtual ~EditBuf() = default;
    // Copies the first `length` characters and the four numbers.
    EditBuf(const EditBuf &other) { *this = other; }
    EditBuf &operator=(const EditBuf &other);

    bool HasSelection() const { return anchor != caret; }
    int Length() const { return length; }
    // The selection's ends in order.
    int SelStart() const { return anchor < caret ? anchor : caret; }
    int SelEnd() const { return anchor < caret ? caret : anchor; }

    // Removes count characters at pos (clamped to the text); anchor and caret
    // beyond pos move down with the text, never below pos.
    void Remove(int pos, int count);
    // Inserts str at pos; false (nothing changed) when it does not fit or pos
    // is outside the text. Anchor and caret at or after pos move up.
    bool Insert(const char *str, int pos);
    // Writes str over the characters from pos, lengthening the text if it
    // reaches past the end; false when it would pass the capacity.
    bool Overwrite(const char *str, int pos);
    // (0, -1) selects all; a = -1 puts both ends at 0; otherwise each end is
    // clamped to 0..length.
    void SetSel(int a, int c);
    void GetSel(int *a, int *c) const {
        *a = anchor;
        *c = caret;
    }
    // count characters from pos into dst, zero-terminated (clamped to the text).
    void Substring(char *dst, int pos, int count) const;
    // min(length, size - 1) characters into dst, zero-terminated; the number
    // copied. Writes nothing when dst is null or size below 1.
    int GetText(char *dst, int size) const;
    // At most 63 characters of str (null: empty); anchor and caret are lowered
    // to the new length where they exceed it.
    void SetText(const char *str);

    char text[kCapacity + 1] = {};  // not kept zero-terminated
    int length = 0;
    int anchor = 0;
    int caret = 0;
    int limit = kCapacity;
};

// The text of a memory block of size bytes (a clipboard's) into dst, which
// holds 64 bytes: up to the block's first zero, its end, or 63 characters,
// zero-terminated. Returns the number of characters.
int CopyTextBlock(char *dst, const char *block, size_t size);

}  // namespace qx
