// The soak: a class's control under a seeded stream of random events; a seed and event index replay a failure.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "qx_cntl.h"

namespace qxs {

// What the soak expects of a control's text, from the manual's rules; a *Fault says why a text breaks them.
struct MaskPos { char ch; bool literal; };  // a placeholder (9 A a H h L l N n U u X x) or a literal
std::vector<MaskPos> MaskPositions(const std::string &mask);  // '/' before '/' or a placeholder: a literal
bool UsableMask(const char *mask);                            // 1 to 63 positions, no control character
const char *const kTimeMasks[] = {"99:99", "99:99 am", "99:99 AM", "99:99 a.m.", "99:99 A.M."};
bool IsTimeMask(const char *mask);  // one of the five, exactly
// Raw characters laid as QXPicSetValue does, within 63; false when one does not fit.
bool LayRaw(const std::string &mask, const std::string &raw, std::string *out);
std::string PictureFault(const std::string &mask, const std::string &text);
std::string Placeholders(const std::string &mask, const std::string &text);  // their characters
std::string TimeFault(const std::string &mask, const std::string &text);
bool ParseTime(const std::string &mask, const std::string &text, int *hour, int *minute);  // of the 24-hour clock
std::string IntFault(const std::string &text);        // an optional '-', digits, no leading zero
bool ParseInt(const std::string &text, long *value);  // false outside 32 bits; "" and "-" read 0
std::string FloatFault(const std::string &text, char decimal, char group);
double ReadFloat(const std::string &text, char decimal, char group);  // 0 without a number
bool SameValue(double a, double b);                                   // equal but for the last bit
bool IsControl(char c);
std::string Quote(const std::string &text);  // as C source: "12\x01"

// SplitMix64: the same sequence for a seed on every machine and in every build.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    int Between(int lo, int hi) { return static_cast<int>(lo + int64_t(Next() % (uint64_t(int64_t{hi} - lo) + 1))); }
    bool OneIn(int n) { return Below(n) == 0; }
    bool Coin() { return Next() & 1; }
    int32_t Int32() { return static_cast<int32_t>(Next()); }
    template <class T, int N>
    const T &Pick(const T (&items)[N]) { return items[Below(N)]; }

private:
    uint64_t state_;
};

// A buffer with 16 guard bytes on both sides: a write outside it, or where none may happen, shows.
class Guarded {
public:
    explicit Guarded(int size) : size_(size > 0 ? size : 0), bytes_(size_ + 32, 0xA5) {}
    char *data() { return reinterpret_cast<char *>(&bytes_[16]); }
    template <class T>
    T *As() { return reinterpret_cast<T *>(data()); }
    bool GuardsIntact() const { return Filled(0, 16) && Filled(16 + size_, 16); }
    bool Untouched() const { return Filled(0, bytes_.size()); }
    // The text up to the first zero; *terminated: there was one.
    std::string Text(bool *terminated = nullptr) const {
        const char *p = reinterpret_cast<const char *>(&bytes_[16]),
                   *zero = static_cast<const char *>(std::memchr(p, 0, size_));
        if (terminated) *terminated = zero != nullptr;
        return std::string(p, zero ? zero - p : size_);
    }

private:
    bool Filled(size_t at, size_t n) const {
        return std::all_of(bytes_.begin() + at, bytes_.begin() + at + n, [](unsigned char b) { return b == 0xA5; });
    }
    int size_;
    std::vector<unsigned char> bytes_;
};

enum class Kind { kEdit, kInt, kFloat, kPicture, kTime, kCal, kButton };
struct ClassInfo { const char *name; Kind kind; };
extern const ClassInfo kClasses[8];
inline bool IsEdit(Kind k) { return k != Kind::kCal && k != Kind::kButton; }

// What the host set by calls that succeeded: what the exports must read back.
struct Model {
    bool hasMask = false, dateValid = true;  // dateValid: the calendar's selection is a day of its month
    std::string mask;
    long intMin = -2147483647L - 1, intMax = 2147483647L;
    char decimal = '.', group = ',';
};

struct Soak {
    Soak(const ClassInfo &info, uint64_t seed);
    ~Soak();
    void Tour();  // the warm-up
    void Finish();
    void Event();  // one drawn from the stream
    void MakeControl();
    void Pump();  // timers are dropped: nothing repeats on its own
    LRESULT OnParent(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    std::string Text(HWND h);
    void Fail(const std::string &why) { failure_ = failure_.empty() ? why : failure_; }
    void Expect(bool ok, const char *what) { ok ? void() : Fail(what); }
    void ExpectText(const std::string &got, const std::string &want, const char *what);
    void Mix(const void *data, size_t n);

    char ClassChar();  // one the class's rules care about, now and then any byte
    std::string RandomText(int maxLen);
    std::string RandomMask();
    std::string ValueFor(const std::string &mask, bool raw);  // mostly fitting; raw leaves literals mostly out
    void SetClipboard(const std::string &bytes, bool terminated);

    const ClassInfo info_;
    Rng rng_;
    long index_ = 0;
    std::string failure_, what_;
    uint64_t digest_ = 0xCBF29CE484222325ull;  // of every text, selection, value and date read

    HWND parent_ = nullptr, other_ = nullptr, control_ = nullptr;  // other_: a system edit
    HFONT fonts_[5] = {};                                           // huge, tiny, bold italic, symbol, none
    HBRUSH brush_ = nullptr;
    Model model_;
    bool hostSet_ = false, navigated_ = false;
    int made_ = 0, changes_ = 0, updates_ = 0, colorMode_ = 0;
    HBITMAP held_ = nullptr;  // the button's, deleted with it
};

void ExportEvent(Soak &s);  // one export of the class, with what it promises
void NullExport(Soak &s);   // a null output or a foreign window: the call fails and writes nothing
void CheckAll(Soak &s);     // what must hold after every event

}  // namespace qxs
