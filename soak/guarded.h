// A buffer given to the library with guard bytes on both sides, so a write
// outside it, or any write where none may happen, shows.
#pragma once
#include <cstring>
#include <string>
#include <vector>

namespace qxs {

class Guarded {
public:
    static constexpr unsigned char kFill = 0xA5;
    static constexpr int kGuard = 16;

    // size: the bytes the library is told it may write (none when below 1).
    explicit Guarded(int size) : size_(size > 0 ? size : 0), bytes_(size_ + 2 * kGuard, kFill) {}

    char *data() { return reinterpret_cast<char *>(&bytes_[kGuard]); }
    int size() const { return size_; }
    // Nothing written before or after the buffer.
    bool GuardsIntact() const {
        for (int i = 0; i < kGuard; ++i)
            if (bytes_[i] != kFill || bytes_[kGuard + size_ + i] != kFill) return false;
        return true;
    }
    // Nothing written at all.
    bool Untouched() const {
        for (unsigned char b : bytes_)
            if (b != kFill) return false;
        return true;
    }
    // The text up to the first zero within the buffer; *terminated tells
    // whether there was one.
    std::string Text(bool *terminated = nullptr) const {
        const char *p = reinterpret_cast<const char *>(&bytes_[kGuard]);
        const void *zero = std::memchr(p, 0, size_);
        if (terminated) *terminated = zero != nullptr;
        return std::string(p, zero ? static_cast<const char *>(zero) - p : size_);
    }

private:
    int size_;
    std::vector<unsigned char> bytes_;
};

// An out-parameter of type T with guard bytes around it.
template <class T>
struct GuardedOut {
    unsigned char before[8];
    T value;
    unsigned char after[8];
    GuardedOut() { std::memset(this, Guarded::kFill, sizeof *this); }
    bool GuardsIntact() const {
        for (int i = 0; i < 8; ++i)
            if (before[i] != Guarded::kFill || after[i] != Guarded::kFill) return false;
        return true;
    }
    bool Untouched() const {
        const unsigned char *p = reinterpret_cast<const unsigned char *>(this);
        for (size_t i = 0; i < sizeof *this; ++i)
            if (p[i] != Guarded::kFill) return false;
        return true;
    }
};

}  // namespace qxs
