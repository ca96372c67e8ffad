// The soak: one class's control under a seeded stream of random events, with
// what must hold checked after every event. A class's stream depends only on
// the seed and the class, so the seed and an event index name a failure
// exactly, and running that class again with as many events replays it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "qx_cntl.h"

namespace qxs {

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
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }  // 0 <= r < n
    int Between(int lo, int hi) {
        return static_cast<int>(lo + static_cast<int64_t>(Next() % (uint64_t(int64_t{hi} - lo) + 1)));
    }
    bool OneIn(int n) { return Below(n) == 0; }
    bool Coin() { return Next() & 1; }
    int32_t Int32() { return static_cast<int32_t>(Next()); }
    template <class T, int N>
    const T &Pick(const T (&items)[N]) {
        return items[Below(N)];
    }

private:
    uint64_t state_;
};

// A seed and a name mixed (FNV-1a), so each class has a stream of its own.
inline uint64_t MixName(uint64_t seed, const char *name) {
    uint64_t h = 0xCBF29CE484222325ull ^ seed;
    for (; *name; ++name) h = (h ^ static_cast<unsigned char>(*name)) * 0x100000001B3ull;
    return Rng(h).Next();
}

constexpr unsigned char kFill = 0xA5;
inline bool Filled(const unsigned char *p, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (p[i] != kFill) return false;
    return true;
}

// A buffer given to the library with 16 guard bytes on both sides, so that a
// write outside it, or any write where none may happen, shows.
class Guarded {
public:
    explicit Guarded(int size) : size_(size > 0 ? size : 0), bytes_(size_ + 32, kFill) {}
    char *data() { return reinterpret_cast<char *>(&bytes_[16]); }
    int size() const { return size_; }
    bool GuardsIntact() const { return Filled(&bytes_[0], 16) && Filled(&bytes_[16 + size_], 16); }
    bool Untouched() const { return Filled(bytes_.data(), bytes_.size()); }
    // The text up to the first zero in the buffer; *terminated: there was one.
    std::string Text(bool *terminated = nullptr) const {
        const char *p = reinterpret_cast<const char *>(&bytes_[16]);
        const void *zero = std::memchr(p, 0, size_);
        if (terminated) *terminated = zero != nullptr;
        return std::string(p, zero ? static_cast<const char *>(zero) - p : size_);
    }

private:
    int size_;
    std::vector<unsigned char> bytes_;
};

// An out-parameter with guard bytes around it.
template <class T>
struct GuardedOut {
    unsigned char before[8];
    T value;
    unsigned char after[8];
    GuardedOut() { std::memset(this, kFill, sizeof *this); }
    bool GuardsIntact() const { return Filled(before, 8) && Filled(after, 8); }
    bool Untouched() const { return Filled(reinterpret_cast<const unsigned char *>(this), sizeof *this); }
};

enum class Kind { kEdit, kInt, kFloat, kPicture, kTime, kCal, kButton };
struct ClassInfo {
    const char *name;
    Kind kind;
};
extern const ClassInfo kClasses[];
extern const int kClassCount;
const ClassInfo *FindClass(const std::string &name);
inline bool IsEdit(Kind k) { return k != Kind::kCal && k != Kind::kButton; }
// Days of a 1-based month (0 for no month).
int DaysIn(int month, int year);

// Every export once, with plain arguments and its outputs in o (24 bytes):
// for calls on windows an export does not serve, and from another thread.
struct AnyCall {
    Kind serves;
    bool host;  // changes what the host set (the model), or takes a button's bitmap back
    QXBOOL (*call)(HWND h, char *o);
    bool Serves(Kind k) const;  // the time edit takes the picture functions too
};
extern const AnyCall kAnyCalls[];
extern const int kAnyCallCount;

// Made once for the process, before handles are counted: fonts of every
// size (huge, tiny, normal, bold italic, symbol), the parent's brush.
struct Shared {
    HFONT fonts[5] = {};
    HBRUSH brush = nullptr;
    Shared();
    ~Shared();
};

// What the host has set by calls that reported success: what the control's
// exports must read back.
struct Model {
    bool hasMask = false;
    std::string mask;
    long intMin = -2147483647L - 1, intMax = 2147483647L;
    char decimal = '.', group = ',';
    bool dateValid = true;    // the calendar's selected index is a day of its month
    bool calLimited = false;  // the calendar has limits (its setters may clamp or refuse)
};

// What the parent does inside a message the control sends it during one event.
enum class Trap { kNone, kDestroy, kRenew, kSetText, kExport, kFocusAway, kReplyEarly };

// The soak of one class: the stage and the checks (stage.cpp), the events
// (events.cpp), the exports with what they promise (exports.cpp).
struct Soak {
    Soak(const ClassInfo &info, uint64_t seed, const Shared &shared, bool trace);
    ~Soak();
    // Runs events [index_, count); false at the first failure.
    bool Run(long count);
    // The warm-up: every kind of event a few times, then some of the stream.
    void Tour();
    // Destroys the control and everything the soak made for this class.
    void Finish();
    // For the process's fault handler: the soak running now.
    static const Soak *Current();

    // One event, drawn from the stream (forced < 0) or of the given kind.
    void Event(int forced);

    // ---- The stage
    void MakeControl();  // a random style and creation text; the model starts over
    void DestroyControl();
    // Dispatches what is queued; timers are dropped (a spin repeats only
    // where an event holds an arrow on purpose).
    void Pump();
    // Shift, Ctrl, AltGr, Alt as a mask (1, 2, 4, 8), held until cleared.
    static void HoldKeys(int mods);
    // f with a timer that closes any popup menu it opens, or chooses its item.
    void WithMenuCloser(const std::function<void()> &f);
    LRESULT OnParent(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void SpringTrap();
    // A mark of the moment before a call. Calm: since then no trap has gone
    // off (what the control holds is the call's doing alone) and the control
    // is the one it was; Same: the control is the one it was.
    struct Mark {
        int springs, made;
    };
    Mark Now() const { return {springs_, made_}; }
    bool Calm(Mark m) const { return m.springs == springs_ && m.made == made_ && IsWindow(control_); }
    bool Same(Mark m) const { return m.made == made_ && IsWindow(control_); }

    // ---- The checks
    void CheckAll();
    std::string Text(HWND h);  // WM_GETTEXT into a large buffer
    void Fail(const std::string &why) { failure_ = failure_.empty() ? why : failure_; }  // the first one stays
    void Expect(bool ok, const char *what) {
        if (!ok) Fail(what);
    }
    void ExpectText(const std::string &got, const std::string &want, const char *what);
    void Mix(const void *data, size_t n);

    // ---- Inputs
    char ClassChar();  // one the class's rules care about, now and then any byte
    std::string RandomText(int maxLen);
    std::string RandomMask();  // placeholders, escapes and literals: 0 to 70 positions
    // Characters for a mask's positions, mostly ones that fit: raw leaves the
    // literals mostly out (QXPicSetValue); laid is one a position (WM_SETTEXT).
    std::string ValueFor(const std::string &mask, bool raw);
    // A buffer size for n bytes: half the time at the edge (n - 1 to n + 2),
    // else -2 to 70.
    int SizeAround(int n) { return rng_.Coin() ? n + rng_.Between(-1, 2) : rng_.Between(-2, 70); }
    void SetClipboard(const std::string &bytes, bool terminated);
    void ExportEvent();    // one export of the class with extreme arguments, checked at once
    void ForeignExport();  // an export on a window it does not serve

    const ClassInfo info_;
    const Shared &shared_;
    Rng rng_;
    const bool trace_;
    long index_ = 0;
    std::string failure_, what_;
    uint64_t digest_ = 0xCBF29CE484222325ull;  // of every text, selection, value and date read

    HWND parent_ = nullptr, other_ = nullptr;  // other_: a system edit, to take the focus
    HWND control_ = nullptr;
    Model model_;
    DWORD style_ = 0;
    int made_ = 0;  // controls made

    // The trap of this event: at the nth message trapMsg_ (WM_COMMAND or a
    // colour request).
    Trap trap_ = Trap::kNone;
    UINT trapMsg_ = 0;
    int trapCount_ = 0, springs_ = 0;
    bool hostSet_ = false;  // the event set a value as the host
    bool replied_ = false;  // the parent replied early to another thread's call
    // An export that changes the model (a mask, a range, the separators) is
    // under way: the model learns its result when it returns, so a trap calls
    // no export meanwhile.
    bool modelInFlux_ = false;
    bool navigated_ = false;         // the event moved a calendar's selection by keys
    int changes_ = 0, updates_ = 0;  // EN_CHANGE and EN_UPDATE received in this event
    int colorMode_ = 0;              // the parent's colour answers: default, a brush, none
    int menuChoice_ = -1;            // the item a popup menu gets chosen: -1 closes it

    // Pictures for a button: the bitmap it holds (deleted with it), the
    // soak's icons, the one it shows.
    HBITMAP held_ = nullptr;
    std::vector<HICON> icons_;
    HICON shownIcon_ = nullptr;
};

}  // namespace qxs
