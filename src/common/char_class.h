// Character classes of the text the controls read, in the C locale: ASCII
// digits and letters only, whatever the code page or the C runtime's locale;
// and the control characters, which no edit's text ever holds.
#pragma once

namespace qx {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
inline bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
inline bool IsLetter(char c) { return IsUpper(c) || IsLower(c); }
inline bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
// A space, or a tab, line feed, vertical tab, form feed or carriage return.
inline bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
// A control character: a byte below 0x20, or 0x7F. No byte of a double-byte
// character is one, so a text can be checked byte by byte.
inline bool IsControlChar(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}
// Whether a zero-terminated text (null: none) holds a control character.
inline bool HasControlChar(const char *s) {
    for (; s && *s; ++s)
        if (IsControlChar(*s)) return true;
    return false;
}

}  // namespace qx
