#include "common/acc_text.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace qx {

AccText::~AccText() { std::free(data_); }

char *AccText::Buffer(size_t length) {
    failed_ = false;
    if (length + 1 > capacity_) {
        char *bigger = static_cast<char *>(std::realloc(data_, length + 1));
        if (!bigger) {
            Truncate(0);
            failed_ = true;
            return nullptr;
        }
        data_ = bigger;
        capacity_ = length + 1;
    }
    size_ = length;
    data_[length] = '\0';
    return data_;
}

void AccText::Truncate(size_t length) {
    if (length < size_) size_ = length;
    if (data_) data_[size_] = '\0';
}

bool AccText::Assign(const char *text, size_t length) {
    char *room = Buffer(length);
    if (!room) return false;
    if (length) std::memcpy(room, text, length);
    return true;
}

bool AccText::Assign(const char *text) { return Assign(text, text ? std::strlen(text) : 0); }

namespace {

// Length in bytes of the character at p (2 for a lead byte followed by its
// trail byte).
size_t CharLength(const char *p) {
    const char *next = CharNextA(p);
    return next > p ? static_cast<size_t>(next - p) : 1;
}

}  // namespace

bool StripMnemonics(const char *caption, AccText *out) {
    const size_t length = caption ? std::strlen(caption) : 0;
    char *dest = out->Buffer(length);
    if (!dest) return false;
    size_t used = 0;
    for (const char *p = caption; p && *p;) {
        if (*p == '&') {
            ++p;  // a lone mark goes; of "&&" the second stays
            if (!*p) break;
        }
        const size_t n = CharLength(p);
        std::memcpy(dest + used, p, n);
        used += n;
        p += n;
    }
    out->Truncate(used);
    return true;
}

bool MnemonicShortcut(const char *caption, AccText *out) {
    out->Clear();
    for (const char *p = caption; p && *p; p += CharLength(p)) {
        if (*p != '&') continue;
        ++p;
        if (!*p) return false;
        if (*p == '&') continue;  // "&&" is a plain '&'
        static const char kAlt[] = "Alt+";
        const size_t n = CharLength(p);
        char *dest = out->Buffer(sizeof kAlt - 1 + n);
        if (!dest) return false;
        std::memcpy(dest, kAlt, sizeof kAlt - 1);
        std::memcpy(dest + sizeof kAlt - 1, p, n);
        return true;
    }
    return false;
}

}  // namespace qx
