#include "common/text_line.h"

#include <windows.h>

#include <cstring>
#include <initializer_list>

namespace qx {
namespace {

int StrLen(const char *s) { return s ? static_cast<int>(std::strlen(s)) : 0; }

}  // namespace

void TextLine::SetText(const char *str, int maxBytes) {
    if (maxBytes > kCapacity) maxBytes = kCapacity;
    int n = 0;
    if (str)
        while (n < maxBytes && str[n]) ++n;
    std::memcpy(text, str ? str : "", n);
    text[n] = '\0';
    length = n;
    anchor = Clamp(anchor);
    caret = Clamp(caret);
}

bool SameText(const TextLine &a, const TextLine &b) {
    return a.length == b.length && std::memcmp(a.text, b.text, a.length) == 0;
}

bool SameLine(const TextLine &a, const TextLine &b) {
    return SameText(a, b) && a.anchor == b.anchor && a.caret == b.caret;
}

void TextLine::Remove(int pos, int count) {
    pos = Clamp(pos);
    if (count > length - pos) count = length - pos;
    if (count <= 0) return;
    std::memmove(text + pos, text + pos + count, length - pos - count + 1);
    length -= count;
    for (int *end : {&anchor, &caret}) {
        if (*end > pos) {
            *end -= count;
            if (*end < pos) *end = pos;
        }
    }
}

bool TextLine::Insert(const char *str, int pos) {
    const int n = StrLen(str);
    if (pos < 0 || pos > length || length + n > kCapacity) return false;
    std::memmove(text + pos + n, text + pos, length - pos + 1);
    std::memcpy(text + pos, str, n);
    if (anchor >= pos) anchor += n;
    if (caret >= pos) caret += n;
    length += n;
    return true;
}

bool TextLine::Insert(char c, int pos) {
    const char str[2] = {c, '\0'};
    return c && Insert(str, pos);
}

// A position past the end is refused too: it would leave undefined bytes
// between the old end and pos.
bool TextLine::Overwrite(const char *str, int pos) {
    const int n = StrLen(str);
    if (pos < 0 || pos > length || pos + n > kCapacity) return false;
    std::memcpy(text + pos, str, n);
    if (pos + n > length) {
        length = pos + n;
        text[length] = '\0';
    }
    return true;
}

void TextLine::SetSel(int a, int c) {
    if (a == 0 && c == -1) {
        anchor = 0;
        caret = length;
    } else if (a == -1) {
        anchor = caret = 0;
    } else {
        anchor = Clamp(a);
        caret = Clamp(c);
    }
}

void TextLine::Substring(char *dst, int pos, int count) const {
    if (!dst) return;
    pos = Clamp(pos);
    if (count > length - pos) count = length - pos;
    if (count < 0) count = 0;
    std::memcpy(dst, text + pos, count);
    dst[count] = '\0';
}

int TextLine::GetText(char *dst, int size) const {
    if (!dst || size < 1) return 0;
    const int n = length < size - 1 ? length : size - 1;
    std::memcpy(dst, text, n);
    dst[n] = '\0';
    return n;
}

int TextLine::CharStart(int pos) const { return qx::CharStart(text, length, pos); }
int TextLine::NextChar(int pos) const { return qx::NextChar(text, length, pos); }
int TextLine::PrevChar(int pos) const { return qx::PrevChar(text, length, pos); }

// ---- Character boundaries ------------------------------------------------------

bool IsLeadByte(char c, unsigned codePage) {
    return IsDBCSLeadByteEx(codePage, static_cast<BYTE>(c)) != FALSE;
}

namespace {

// The bytes of the character at i (i inside the text).
int CharBytes(const char *text, int length, int i, unsigned codePage) {
    return i + 1 < length && IsLeadByte(text[i], codePage) ? 2 : 1;
}

}  // namespace

// A boundary is found by walking from the start: a trail byte may have the
// value of a lead byte, so the bytes before pos alone cannot tell.
int CharStart(const char *text, int length, int pos, unsigned codePage) {
    if (pos <= 0) return 0;
    if (pos >= length) return length;
    int i = 0;
    for (;;) {
        const int next = i + CharBytes(text, length, i, codePage);
        if (next > pos) return i;
        i = next;
    }
}

int NextChar(const char *text, int length, int pos, unsigned codePage) {
    const int start = CharStart(text, length, pos, codePage);
    return start >= length ? length : start + CharBytes(text, length, start, codePage);
}

int PrevChar(const char *text, int length, int pos, unsigned codePage) {
    if (pos > length) pos = length;
    int i = 0, before = 0;
    while (i < pos) {
        before = i;
        i += CharBytes(text, length, i, codePage);
    }
    return before;
}

int WholeCharBytes(const char *str, int maxBytes, unsigned codePage) {
    int n = 0;
    while (str && n < maxBytes && str[n]) {
        const int bytes = IsLeadByte(str[n], codePage) ? 2 : 1;
        if (n + bytes > maxBytes || (bytes == 2 && !str[n + 1])) break;
        n += bytes;
    }
    return n;
}

int CopyTextBlock(char *dst, const char *block, size_t size) {
    int n = 0;
    if (block)
        while (static_cast<size_t>(n) < size && n < TextLine::kCapacity && block[n] &&
               block[n] != '\r' && block[n] != '\n') {
            dst[n] = block[n];
            ++n;
        }
    dst[n] = '\0';
    n = WholeCharBytes(dst, n);
    dst[n] = '\0';
    return n;
}

}  // namespace qx
