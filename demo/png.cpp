#include "png.h"

#include <cstdio>
#include <cstdlib>

namespace demo {
namespace {

uint32_t Crc(const uint8_t *data, size_t n, uint32_t crc = 0xFFFFFFFFu) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
        ready = true;
    }
    for (size_t i = 0; i < n; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

void Put32(std::vector<uint8_t> &out, uint32_t v) {
    out.push_back(v >> 24);
    out.push_back((v >> 16) & 0xFF);
    out.push_back((v >> 8) & 0xFF);
    out.push_back(v & 0xFF);
}

void Chunk(std::vector<uint8_t> &out, const char *type, const std::vector<uint8_t> &data) {
    Put32(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    Put32(out, Crc(body.data(), body.size()) ^ 0xFFFFFFFFu);
}

// ---- Deflate with the fixed Huffman codes --------------------------------------

// Bits written least significant first, as deflate packs them.
class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t> &out) : out_(out) {}
    void Bits(uint32_t value, int count) {
        for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
    }
    // Huffman codes go most significant bit first.
    void Code(uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
    }
    void Flush() {
        if (count_) out_.push_back(static_cast<uint8_t>(byte_));
        byte_ = 0;
        count_ = 0;
    }

private:
    void Bit(uint32_t b) {
        byte_ |= b << count_;
        if (++count_ == 8) Flush();
    }
    std::vector<uint8_t> &out_;
    uint32_t byte_ = 0;
    int count_ = 0;
};

// A literal byte or a length symbol (256-287) in the fixed code.
void Symbol(BitWriter &w, int symbol) {
    if (symbol < 144)
        w.Code(0x30 + symbol, 8);
    else if (symbol < 256)
        w.Code(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        w.Code(symbol - 256, 7);
    else
        w.Code(0xC0 + symbol - 280, 8);
}

const int kLengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                           31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const int kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const int kDistBase[] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                         193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const int kDistExtra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void Match(BitWriter &w, int length, int distance) {
    int l = 28;
    while (kLengthBase[l] > length) --l;
    Symbol(w, 257 + l);
    w.Bits(length - kLengthBase[l], kLengthExtra[l]);
    int d = 29;
    while (kDistBase[d] > distance) --d;
    w.Code(d, 5);
    w.Bits(distance - kDistBase[d], kDistExtra[d]);
}

// One final block: greedy matches of 3 to 258 bytes found through a hash of
// the next three bytes, within the last 32 KB.
void Deflate(const std::vector<uint8_t> &in, std::vector<uint8_t> &out) {
    const int kWindow = 32768, kHashSize = 1 << 15, kChain = 64;
    std::vector<int> head(kHashSize, -1), prev(in.size(), -1);
    const auto hash = [&](size_t i) { return ((in[i] << 10) ^ (in[i + 1] << 5) ^ in[i + 2]) & (kHashSize - 1); };
    const auto insert = [&](size_t at) {
        if (at + 2 >= in.size()) return;
        const int h = hash(at);
        prev[at] = head[h];
        head[h] = static_cast<int>(at);
    };
    BitWriter w(out);
    w.Bits(1, 1);  // the final block
    w.Bits(1, 2);  // fixed Huffman codes
    size_t i = 0;
    while (i < in.size()) {
        int bestLength = 0, bestDistance = 0;
        if (i + 2 < in.size()) {
            int candidate = head[hash(i)];
            for (int tries = 0; candidate >= 0 && tries < kChain; ++tries, candidate = prev[candidate]) {
                const int distance = static_cast<int>(i) - candidate;
                if (distance > kWindow) break;
                int length = 0;
                while (length < 258 && i + length < in.size() && in[candidate + length] == in[i + length]) ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = distance;
                    if (length == 258) break;
                }
            }
        }
        if (bestLength >= 3) {
            Match(w, bestLength, bestDistance);
            for (int k = 0; k < bestLength; ++k) insert(i + k);
            i += bestLength;
        } else {
            Symbol(w, in[i]);
            insert(i);
            ++i;
        }
    }
    Symbol(w, 256);  // end of block
    w.Flush();
}

// The PNG filter of one row that leaves the smallest bytes: none, the
// difference to the pixel on the left (Sub) or to the one above (Up).
void FilterRow(const uint8_t *row, const uint8_t *above, size_t n, std::vector<uint8_t> &out) {
    const auto predicted = [&](int type, size_t x) {
        if (type == 1) return x >= 3 ? row[x - 3] : 0;
        return type == 2 ? above[x] : 0;
    };
    long best = -1;
    int bestType = 0;
    for (int type = 0; type < (above ? 3 : 2); ++type) {
        long sum = 0;
        for (size_t x = 0; x < n; ++x) sum += std::abs(static_cast<int8_t>(row[x] - predicted(type, x)));
        if (best < 0 || sum < best) {
            best = sum;
            bestType = type;
        }
    }
    out.push_back(static_cast<uint8_t>(bestType));
    for (size_t x = 0; x < n; ++x) out.push_back(static_cast<uint8_t>(row[x] - predicted(bestType, x)));
}

}  // namespace

bool WritePng(const char *path, int width, int height, const std::vector<uint8_t> &rgb) {
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(height) * (width * 3 + 1));
    const size_t stride = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
        FilterRow(&rgb[y * stride], y ? &rgb[(y - 1) * stride] : nullptr, stride, raw);
    std::vector<uint8_t> z = {0x78, 0x01};
    Deflate(raw, z);
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    Put32(z, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    Put32(ihdr, width);
    Put32(ihdr, height);
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    Chunk(png, "IHDR", ihdr);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});

    FILE *f = std::fopen(path, "wb");
    if (!f) return false;
    const bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace demo
