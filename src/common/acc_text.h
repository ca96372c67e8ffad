// Texts that accessibility hands out: a growable ANSI text that never throws,
// and the rules that turn a caption with mnemonic marks ("&Name") into a name
// and a keyboard shortcut. No window needed.
#pragma once
#include <cstddef>

namespace qx {

// Bytes of the ANSI code page, always followed by a 0. An allocation that
// fails leaves the text empty and marked failed; the next Assign or Buffer
// clears the mark.
class AccText {
public:
    AccText() = default;
    ~AccText();
    AccText(const AccText &) = delete;
    AccText &operator=(const AccText &) = delete;

    bool Assign(const char *text, size_t length);
    bool Assign(const char *text);
    // Room for `length` bytes (and the 0 after them); the size becomes
    // `length`. Null when the allocation fails.
    char *Buffer(size_t length);
    // Shortens the text to `length` bytes (no longer than it is).
    void Truncate(size_t length);
    void Clear() { Truncate(0); }

    const char *c_str() const { return data_ ? data_ : ""; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    bool failed() const { return failed_; }

private:
    char *data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
    bool failed_ = false;
};

// The caption as shown: each lone '&' (a mnemonic mark) removed, "&&"
// written as one '&'. Double-byte characters are never split.
bool StripMnemonics(const char *caption, AccText *out);

// The character the first lone '&' marks ("Alt+" and that character: the
// keyboard shortcut); false, with `out` empty, when there is none (no '&', a
// '&' at the end, only "&&").
bool MnemonicShortcut(const char *caption, AccText *out);

}  // namespace qx
