#include "common/text_line.h"

#include <cstring>
#include <initializer_list>

namespace qx {
namespace {

int StrLen(const char *s) { return s ? static_cast<int>(std::strlen(s)) : 0; }

}  // namespace

void TextLine::SetText(const char *str) {
    int n = 0;
    if (str)
        while (n < kCapacity && str[n]) ++n;
    std::memcpy(text, str ? str : "", n);
    text[n] = '\0';
    length = n;
    anchor = Clamp(anchor);
    caret = Clamp(caret);
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

int CopyTextBlock(char *dst, const char *block, size_t size) {
    int n = 0;
    if (block)
        while (static_cast<size_t>(n) < size && n < TextLine::kCapacity && block[n]) {
            dst[n] = block[n];
            ++n;
        }
    dst[n] = '\0';
    return n;
}

}  // namespace qx
