// One line of text of at most 63 bytes of the ANSI code page, always
// zero-terminated, with a selection: the anchor and the caret, in either
// order. The edits keep their line in one, and the rules of the typed edits
// work on one; a copy is a whole value, so a rule that may fail works on a
// copy and assigns it back when it succeeds. The line itself counts bytes;
// the character boundaries below tell where the characters of a double-byte
// code page begin.
#pragma once
#include <cstddef>

namespace qx {

struct TextLine {
    static constexpr int kCapacity = 63;

    TextLine() = default;
    explicit TextLine(const char *str) { SetText(str); }

    int Length() const { return length; }
    bool HasSelection() const { return anchor != caret; }
    // The selection's ends in order.
    int SelStart() const { return anchor < caret ? anchor : caret; }
    int SelEnd() const { return anchor < caret ? caret : anchor; }
    // A position brought into 0..length.
    int Clamp(int pos) const { return pos < 0 ? 0 : pos > length ? length : pos; }

    // At most 63 bytes of str (null: empty), or at most maxBytes; the ends
    // of the selection are brought into the new text.
    void SetText(const char *str) { SetText(str, kCapacity); }
    void SetText(const char *str, int maxBytes);
    // Removes count bytes at pos (both clamped to the text); ends of the
    // selection after pos move down with the text, never below pos.
    void Remove(int pos, int count);
    // Inserts str (or c) at pos: false, and nothing changes, when it does not
    // fit or pos is outside the text. Ends at or after pos move up.
    bool Insert(const char *str, int pos);
    bool Insert(char c, int pos);
    // Writes str over the bytes from pos, lengthening the text where it
    // reaches past the end; false (nothing changes) when pos is outside the
    // text or the result would pass the capacity.
    bool Overwrite(const char *str, int pos);

    // EM_SETSEL's rule: (0, -1) selects all, an anchor of -1 puts both ends at
    // 0, otherwise each end is clamped to the text.
    void SetSel(int a, int c);
    void GetSel(int *a, int *c) const {
        *a = anchor;
        *c = caret;
    }
    // The character boundaries of the line in the ANSI code page (see
    // CharStart, NextChar and PrevChar below).
    int CharStart(int pos) const;
    int NextChar(int pos) const;
    int PrevChar(int pos) const;

    // count bytes from pos into dst, zero-terminated (clamped to the text).
    void Substring(char *dst, int pos, int count) const;
    // min(length, size - 1) bytes into dst, zero-terminated; the number
    // copied. Writes nothing when dst is null or size below 1.
    int GetText(char *dst, int size) const;

    char text[kCapacity + 1] = {};
    int length = 0;
    int anchor = 0;
    int caret = 0;
};

// The same text, and the same text with the same selection.
bool SameText(const TextLine &a, const TextLine &b);
bool SameLine(const TextLine &a, const TextLine &b);

// ---- Character boundaries -------------------------------------------------
//
// In a double-byte code page a lead byte and the byte after it are one
// character; a lead byte with nothing after it is one by itself. Text is
// (text, length); positions are brought into 0..length. codePage 0 is the
// ANSI code page; in a single-byte code page every position is a boundary.

bool IsLeadByte(char c, unsigned codePage = 0);
// The start of the character that holds byte pos: pos itself when it is a
// boundary (0 and length are).
int CharStart(const char *text, int length, int pos, unsigned codePage = 0);
// The boundary after the character at pos (length at the end).
int NextChar(const char *text, int length, int pos, unsigned codePage = 0);
// The last boundary before pos (0 at the start).
int PrevChar(const char *text, int length, int pos, unsigned codePage = 0);
// The bytes of the whole characters at the start of a zero-terminated str
// that fit in maxBytes: a double-byte character that would pass maxBytes, or
// whose second byte is the terminating zero, is left out.
int WholeCharBytes(const char *str, int maxBytes, unsigned codePage = 0);

// The text of a memory block of size bytes (a clipboard's) as one line, into
// dst, which holds 64 bytes: up to the block's first zero, its first line
// break (carriage return or line feed: a copied line or cell ends in one),
// its end, or the whole characters within 63 bytes, zero-terminated. Returns
// the number of bytes.
int CopyTextBlock(char *dst, const char *block, size_t size);

}  // namespace qx
