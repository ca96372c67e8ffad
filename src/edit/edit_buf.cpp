#include "edit/edit_buf.h"

#include <cstring>
#include <initializer_list>

namespace qx {
namespace {

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

int StrLen(const char *s) { return s ? static_cast<int>(std::strlen(s)) : 0; }

}  // namespace

EditBuf &EditBuf::operator=(const EditBuf &other) {
    if (this == &other) return *this;
    length = Clamp(other.length, 0, kCapacity);
    std::memcpy(text, other.text, length);
    text[length] = '\0';
    anchor = other.anchor;
    caret = other.caret;
    limit = other.limit;
    return *this;
}

void EditBuf::Remove(int pos, int count) {
    pos = Clamp(pos, 0, length);
    count = Clamp(count, 0, length - pos);
    if (count == 0) return;
    std::memmove(text + pos, text + pos + count, length - pos - count);
    length -= count;
    for (int *end : {&anchor, &caret}) {
        if (*end > pos) {
            *end -= count;
            if (*end < pos) *end = pos;
        }
    }
}

bool EditBuf::Insert(const char *str, int pos) {
    const int n = StrLen(str);
    if (pos < 0 || pos > length || length + n > limit) return false;
    std::memmove(text + pos + n, text + pos, length - pos);
    std::memcpy(text + pos, str, n);
    if (anchor >= pos) anchor += n;
    if (caret >= pos) caret += n;
    length += n;
    return true;
}

// A position past the end is refused too: it would leave undefined
// characters between the old end and pos.
bool EditBuf::Overwrite(const char *str, int pos) {
    const int n = StrLen(str);
    if (pos < 0 || pos > length || pos + n > limit) return false;
    std::memcpy(text + pos, str, n);
    if (pos + n > length) length = pos + n;
    return true;
}

void EditBuf::SetSel(int a, int c) {
    if (a == 0 && c == -1) {
        anchor = 0;
        caret = length;
    } else if (a == -1) {
        anchor = caret = 0;
    } else {
        anchor = Clamp(a, 0, length);
        caret = Clamp(c, 0, length);
    }
}

void EditBuf::Substring(char *dst, int pos, int count) const {
    if (!dst) return;
    pos = Clamp(pos, 0, length);
    count = Clamp(count, 0, length - pos);
    std::memcpy(dst, text + pos, count);
    dst[count] = '\0';
}

int EditBuf::GetText(char *dst, int size) const {
    if (!dst || size < 1) return 0;
    const int n = length < size - 1 ? length : size - 1;
    std::memcpy(dst, text, n);
    dst[n] = '\0';
    return n;
}

void EditBuf::SetText(const char *str) {
    int n = 0;
    if (str)
        while (n < kCapacity && str[n]) ++n;
    std::memcpy(text, str ? str : "", n);
    length = n;
    if (anchor > length) anchor = length;
    if (caret > length) caret = length;
}

int CopyTextBlock(char *dst, const char *block, size_t size) {
    int n = 0;
    if (block)
        while (static_cast<size_t>(n) < size && n < EditBuf::kCapacity && block[n]) {
            dst[n] = block[n];
            ++n;
        }
    dst[n] = '\0';
    return n;
}

}  // namespace qx
