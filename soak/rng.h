// The soak's random numbers: SplitMix64, the same sequence for a seed on
// every machine and in every build, so that a seed and an event index name
// one run exactly.
#pragma once
#include <cstdint>

namespace qxs {

class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 <= result < n (n > 0).
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    // lo <= result <= hi.
    int Between(int lo, int hi) {
        return static_cast<int>(lo + static_cast<int64_t>(Next() % (static_cast<uint64_t>(int64_t{hi} - lo) + 1)));
    }
    // True once in n times.
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

// Mixes a text into a seed (FNV-1a), so each class has a stream of its own.
inline uint64_t MixName(uint64_t seed, const char *name) {
    uint64_t h = 0xCBF29CE484222325ull ^ seed;
    for (; *name; ++name) h = (h ^ static_cast<unsigned char>(*name)) * 0x100000001B3ull;
    return Rng(h).Next();
}

}  // namespace qxs
